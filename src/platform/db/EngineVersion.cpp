#include "platform/db/EngineVersion.h"

#include <QSqlDatabase>

namespace EngineVersion {

std::optional<int> OfDriver(const QString &driverName)
{
    if (!QSqlDatabase::isDriverAvailable(driverName))
        return std::nullopt;
    // Being listed only means the plugin file is there; creating a connection loads it together
    // with the client library it needs (libpq for PostgreSQL).
    const QString probe = QStringLiteral("quorvel-engine-version");
    bool loads = false;
    {
        const QSqlDatabase database = QSqlDatabase::addDatabase(driverName, probe);
        loads = database.isValid();
    }
    QSqlDatabase::removeDatabase(probe);
    return loads ? std::optional<int>(Required) : std::nullopt;
}

std::optional<int> OfEngine(EngineKind engine)
{
    return OfDriver(engine == EngineKind::PostgreSQL ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"));
}

} // namespace EngineVersion

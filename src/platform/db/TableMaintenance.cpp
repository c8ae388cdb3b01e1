#include "platform/db/TableMaintenance.h"

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/SqlText.h"

namespace TableMaintenance {

namespace {

// The table's name in its canonical quoted spelling, whatever spelling the caller used.
QString quotedTable(const QString &tableName)
{
    return SqlText::translate(QLatin1Char('"') + tableName + QLatin1Char('"')).sql;
}

QString withTable(const char *statement, const QString &tableName)
{
    return QString::fromLatin1(statement).arg(quotedTable(tableName));
}

// SQLite waits for a busy database; a lock test must answer at once.
void requireSqliteWriteLock(TDatabase &database)
{
    QSqlQuery setting = database.exec(QStringLiteral("PRAGMA busy_timeout"));
    const int busyTimeout = setting.next() ? setting.value(0).toInt() : 0;
    const auto restoreBusyTimeout = [&] {
        database.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeout));
    };
    database.exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    try {
        database.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        database.exec(QStringLiteral("COMMIT"));
    } catch (const EDatabaseError &) {
        restoreBusyTimeout();
        throw;
    }
    restoreBusyTimeout();
}

} // namespace

void RequireEngineLock(TDatabase &database, const QString &tableName)
{
    if (database.engine() == EngineKind::SQLite) {
        requireSqliteWriteLock(database);
        return;
    }
    Transaction unit(database);
    database.exec(withTable("LOCK TABLE %1 IN ACCESS EXCLUSIVE MODE NOWAIT", tableName));
    unit.commit();
}

void Compact(TDatabase &database, const QString &tableName)
{
    if (database.engine() == EngineKind::SQLite) {
        database.exec(QStringLiteral("VACUUM"));
        return;
    }
    // Someone may have opened the table since the lock test: fail rather than hang behind them.
    database.exec(QStringLiteral("SET lock_timeout = '10s'"));
    try {
        database.exec(withTable("VACUUM FULL %1", tableName));
    } catch (const EDatabaseError &) {
        database.exec(QStringLiteral("RESET lock_timeout"));
        throw;
    }
    database.exec(QStringLiteral("RESET lock_timeout"));
}

bool CompactionCoversWholeFile(EngineKind engine)
{
    return engine == EngineKind::SQLite;
}

qint64 TableSizeBytes(TDatabase &database, const QString &tableName)
{
    const QString quoted = quotedTable(tableName);
    QSqlQuery query = database.engine() == EngineKind::SQLite
        ? database.exec(QStringLiteral("SELECT COALESCE(SUM(pgsize), 0) FROM dbstat WHERE name = ?"), {quoted.mid(1, quoted.size() - 2)})
        : database.exec(QStringLiteral("SELECT pg_relation_size(CAST(? AS regclass))"), {quoted});
    return query.next() ? query.value(0).toLongLong() : 0;
}

} // namespace TableMaintenance

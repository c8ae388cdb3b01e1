#include "platform/db/DatabaseLocation.h"

#include <QDir>

DatabaseLocation DatabaseLocation::parse(const QString &text)
{
    DatabaseLocation location;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
        || trimmed.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive)) {
        location.engine = EngineKind::PostgreSQL;
        location.url = QUrl(trimmed);
    } else {
        location.engine = EngineKind::SQLite;
        location.directory = trimmed.isEmpty() ? QStringLiteral(".") : trimmed;
    }
    return location;
}

DatabaseLocation DatabaseLocation::resolveAlias()
{
    return parse(qEnvironmentVariable(EnvironmentVariable, QStringLiteral(".")));
}

QString DatabaseLocation::sqliteFilePath() const
{
    return QDir(directory).absoluteFilePath(QString::fromLatin1(SqliteFileName));
}

QString DatabaseLocation::databaseName() const
{
    QString path = url.path();
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return path;
}

QString DatabaseLocation::describe() const
{
    if (engine == EngineKind::SQLite)
        return QDir::toNativeSeparators(sqliteFilePath());
    return url.toString(QUrl::RemovePassword);
}

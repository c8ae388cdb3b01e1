#include "support/StoredLayout.h"

#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

namespace {

const QString FixtureFolder = QStringLiteral(QUORVEL_TEST_FIXTURES "/schema-v1");

void restoreDump(const DatabaseLocation &place, const QString &dump)
{
    QProcess psql;
    psql.start(QStringLiteral("psql"), {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"),
                                        QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-d"),
                                        place.url.toString(), QStringLiteral("-f"), dump});
    if (!psql.waitForFinished(120000) || psql.exitStatus() != QProcess::NormalExit || psql.exitCode() != 0)
        throw std::runtime_error("psql could not restore " + dump.toStdString() + ": "
                                 + psql.readAllStandardError().toStdString());
}

// Rows of a query, each as its fields joined by " | ".
QStringList rowsOf(TDatabase &database, const QString &sql, const QString &prefix)
{
    QStringList lines;
    QSqlQuery query = database.exec(sql);
    while (query.next()) {
        QStringList fields;
        for (int i = 0; i < query.record().count(); ++i)
            fields << query.value(i).toString();
        lines << prefix + fields.join(QStringLiteral(" | "));
    }
    return lines;
}

QString normalisedSql(QString sql)
{
    return sql.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

QStringList sqliteLayout(TDatabase &database)
{
    QStringList lines;
    QSqlQuery objects = database.exec(QStringLiteral(
        "SELECT type, name, tbl_name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name"));
    QStringList tables;
    while (objects.next()) {
        const QString type = objects.value(0).toString();
        if (type == QLatin1String("table"))
            tables << objects.value(1).toString();
        else
            lines << QStringLiteral("%1 %2 on %3: %4")
                         .arg(type, objects.value(1).toString(), objects.value(2).toString(),
                              normalisedSql(objects.value(3).toString()));
    }
    for (const QString &table : tables)
        lines << rowsOf(database, QStringLiteral("SELECT name, type, \"notnull\", pk, dflt_value FROM pragma_table_info('%1')").arg(table),
                        QStringLiteral("column %1.").arg(table));
    lines.sort();
    return lines;
}

QStringList postgresLayout(TDatabase &database)
{
    QStringList lines;
    lines << rowsOf(database, QStringLiteral(
        "SELECT table_name, column_name, data_type, coalesce(character_maximum_length, 0), is_nullable, "
        "coalesce(column_default, '') FROM information_schema.columns WHERE table_schema = 'public'"),
        QStringLiteral("column "));
    lines << rowsOf(database, QStringLiteral(
        "SELECT tablename, indexname, indexdef FROM pg_indexes WHERE schemaname = 'public'"), QStringLiteral("index "));
    lines << rowsOf(database, QStringLiteral(
        "SELECT c.conrelid::regclass::text, c.contype, pg_get_constraintdef(c.oid) FROM pg_constraint c "
        "JOIN pg_namespace n ON n.oid = c.connamespace WHERE n.nspname = 'public'"), QStringLiteral("constraint "));
    lines << rowsOf(database, QStringLiteral(
        "SELECT t.tgrelid::regclass::text, t.tgname, pg_get_triggerdef(t.oid) FROM pg_trigger t "
        "JOIN pg_class c ON c.oid = t.tgrelid JOIN pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = 'public' AND NOT t.tgisinternal"), QStringLiteral("trigger "));
    lines << rowsOf(database, QStringLiteral(
        "SELECT p.proname, pg_get_function_identity_arguments(p.oid), md5(p.prosrc) FROM pg_proc p "
        "JOIN pg_namespace n ON n.oid = p.pronamespace WHERE n.nspname = 'public'"), QStringLiteral("function "));
    lines << rowsOf(database, QStringLiteral(
        "SELECT tablename, policyname, cmd, coalesce(qual, ''), coalesce(with_check, '') FROM pg_policies "
        "WHERE schemaname = 'public'"), QStringLiteral("policy "));
    lines << rowsOf(database, QStringLiteral(
        "SELECT c.relname, c.relrowsecurity, c.relforcerowsecurity FROM pg_class c "
        "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = 'public' AND c.relkind = 'r'"),
        QStringLiteral("table "));
    lines.sort();
    return lines;
}

} // namespace

void LoadLayoutVersion1(const DatabaseLocation &emptyPlace)
{
    if (emptyPlace.engine == EngineKind::PostgreSQL) {
        restoreDump(emptyPlace, FixtureFolder + QStringLiteral("/quorvel-v1.sql"));
        return;
    }
    const QString target = emptyPlace.sqliteFilePath();
    if (!QFile::copy(FixtureFolder + QStringLiteral("/Quorvel.sqlite"), target)
        || !QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner))
        throw std::runtime_error("could not copy the version 1 database to " + target.toStdString());
}

QStringList StoredLayout(TDatabase &database)
{
    return database.engine() == EngineKind::SQLite ? sqliteLayout(database) : postgresLayout(database);
}

#include "platform/db/Schema.h"

#include "platform/db/DatabaseError.h"

#include <QHash>

const FieldDef *TableDef::field(const QString &fieldName) const
{
    for (const FieldDef &f : fields)
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const IndexDef *TableDef::index(const QString &indexName) const
{
    for (const IndexDef &i : indexes)
        if (i.name.compare(indexName, Qt::CaseInsensitive) == 0)
            return &i;
    return nullptr;
}

QString TableDef::autoIncField() const
{
    for (const FieldDef &f : fields)
        if (f.kind == FieldKind::AutoInc)
            return f.name;
    return {};
}

namespace Schema {

const char *const VersionTable = "QuorvelSchema";

namespace {

constexpr int UserIdWidth = 20;

FieldDef modifiedBy() { return {QStringLiteral("ModifiedBy"), FieldKind::String, UserIdWidth}; }
FieldDef modifiedDate() { return {QStringLiteral("ModifiedDate"), FieldKind::DateTime}; }
FieldDef logical(const char *name) { return {QString::fromLatin1(name), FieldKind::Logical}; }

QList<TableDef> buildTables()
{
    QList<TableDef> all;
    all.append({QStringLiteral("User"),
                {{"UserID", FieldKind::String, UserIdWidth},
                 {"UserName", FieldKind::String, 50},
                 {"UserPassword", FieldKind::String, 30},
                 {"UserPhone", FieldKind::String, 30},
                 {"SecurityID", FieldKind::Integer}},
                QStringLiteral("UserID"),
                {{"IUserName", {"UserName"}}}});
    all.append({QStringLiteral("Security"),
                {{"SecurityID", FieldKind::AutoInc},
                 {"Description", FieldKind::String, 40},
                 logical("Supervisor"), logical("CanChangeSystem"), logical("CanAddUser"),
                 logical("CanPackDatabase"), logical("CanViewSecurity"), logical("CanAddType"),
                 logical("CanAddResource"), logical("CanAddSchedule"), logical("CanAddOtherSchedule")},
                QStringLiteral("SecurityID"),
                {}});
    // The settings row needs a key of its own so that a post can find it again; the program
    // never shows it.
    all.append({QStringLiteral("Settings"),
                {{"SettingsID", FieldKind::AutoInc},
                 logical("DisableLogin"), logical("AutoLogon"),
                 {"TimeInterval", FieldKind::Integer},
                 {"WorkHoursStart", FieldKind::Time}, {"WorkHoursEnd", FieldKind::Time},
                 {"InUseColor", FieldKind::Integer}, {"FreeColor", FieldKind::Integer},
                 {"NoWorkColor", FieldKind::Integer}, {"DefaultDays", FieldKind::Integer},
                 {"PrintStartTime", FieldKind::Time}, {"PrintEndTime", FieldKind::Time},
                 {"PrintInUseColor", FieldKind::Integer}, {"PrintFreeColor", FieldKind::Integer},
                 {"PrintNoWorkColor", FieldKind::Integer}, logical("Landscape"),
                 {"DefaultFontSize", FieldKind::Integer},
                 {"DefaultFooter", FieldKind::String, 120},
                 {"ScheduleDots", FieldKind::Float}, {"ScheduleEndTime", FieldKind::Float},
                 {"ScheduleReservedBy", FieldKind::Float}, {"ScheduleNotes", FieldKind::Float}},
                QStringLiteral("SettingsID"),
                {}});
    all.append({QStringLiteral("Type"),
                {{"TypeID", FieldKind::AutoInc},
                 {"Description", FieldKind::String, 40},
                 modifiedBy(), modifiedDate()},
                QStringLiteral("TypeID"),
                {{"TDescription", {"Description"}}}});
    all.append({QStringLiteral("Resource"),
                {{"ResourceID", FieldKind::AutoInc},
                 {"Description", FieldKind::String, 40},
                 {"DescriptionL", FieldKind::String, 80},
                 {"TypeID", FieldKind::Integer},
                 {"Capacity", FieldKind::Integer},
                 {"Notes", FieldKind::Memo},
                 logical("Restricted"), logical("AllowViewing"),
                 modifiedBy(), modifiedDate()},
                QStringLiteral("ResourceID"),
                {{"RDescription", {"Description"}}, {"IResourceType", {"TypeID"}}}});
    all.append({QStringLiteral("Schedule"),
                {{"Sequence", FieldKind::AutoInc},
                 {"ResourceID", FieldKind::Integer},
                 {"StartTime", FieldKind::Time},
                 {"EndTime", FieldKind::Time},
                 {"Notes", FieldKind::Memo},
                 modifiedBy(), modifiedDate(),
                 {"ReservedBy", FieldKind::String, 30},
                 {"ScheduleDate", FieldKind::Date}},
                QStringLiteral("Sequence"),
                {{"IResourceDate", {"ResourceID", "ScheduleDate"}}, {"IScheduleDate", {"ScheduleDate"}}}});
    all.append({QStringLiteral("Restrict"),
                {{"Sequence", FieldKind::AutoInc},
                 {"ResourceID", FieldKind::Integer},
                 {"UserID", FieldKind::String, UserIdWidth}},
                QStringLiteral("Sequence"),
                {{"IRestrictResource", {"ResourceID"}}, {"IRestrictUser", {"UserID"}}}});
    return all;
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString columnType(EngineKind engine, const FieldDef &f, bool primary)
{
    const bool pg = engine == EngineKind::PostgreSQL;
    switch (f.kind) {
    case FieldKind::AutoInc:
        return pg ? QStringLiteral("integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY")
                  : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldKind::Integer:
        return pg ? QStringLiteral("integer") : QStringLiteral("INTEGER");
    case FieldKind::String: {
        QString type = pg ? QStringLiteral("varchar(%1)").arg(f.width)
                          : QStringLiteral("TEXT CHECK (length(%1) <= %2)").arg(quoted(f.name)).arg(f.width);
        return primary ? type + QStringLiteral(" NOT NULL PRIMARY KEY") : type;
    }
    case FieldKind::Memo:
        return pg ? QStringLiteral("text") : QStringLiteral("TEXT");
    case FieldKind::Logical:
        return pg ? QStringLiteral("boolean") : QStringLiteral("INTEGER");
    case FieldKind::Float:
        return pg ? QStringLiteral("double precision") : QStringLiteral("REAL");
    case FieldKind::Date:
        return pg ? QStringLiteral("date") : QStringLiteral("TEXT");
    case FieldKind::Time:
        return pg ? QStringLiteral("time(3)") : QStringLiteral("TEXT");
    case FieldKind::DateTime:
        return pg ? QStringLiteral("timestamp(3)") : QStringLiteral("TEXT");
    }
    return {};
}

} // namespace

const QList<TableDef> &tables()
{
    static const QList<TableDef> all = buildTables();
    return all;
}

const TableDef *findTable(const QString &anySpelling)
{
    QString name = anySpelling.trimmed();
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2);
    if (name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        name.chop(3);
    for (const TableDef &t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const TableDef &table(const QString &anySpelling)
{
    const TableDef *t = findTable(anySpelling);
    if (!t)
        throw EDatabaseError(QStringLiteral("Table %1 does not exist").arg(anySpelling));
    return *t;
}

const FieldDef *findField(const QString &anySpelling)
{
    static const QHash<QString, const FieldDef *> byName = [] {
        QHash<QString, const FieldDef *> map;
        for (const TableDef &t : tables())
            for (const FieldDef &f : t.fields)
                map.insert(f.name.toUpper(), &f);
        return map;
    }();
    return byName.value(anySpelling.toUpper(), nullptr);
}

QStringList createStatements(EngineKind engine)
{
    QStringList statements;
    for (const TableDef &t : tables()) {
        QStringList columns;
        for (const FieldDef &f : t.fields)
            columns << quoted(f.name) + QLatin1Char(' ') + columnType(engine, f, f.name == t.primaryKey);
        statements << QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(t.name), columns.join(QStringLiteral(", ")));
        for (const IndexDef &i : t.indexes) {
            QStringList fields;
            for (const QString &f : i.fields)
                fields << quoted(f);
            statements << QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                              .arg(quoted(i.name), quoted(t.name), fields.join(QStringLiteral(", ")));
        }
    }
    // The log-on matches user IDs without regard to case, so two accounts may not differ in case only.
    statements << QStringLiteral("CREATE UNIQUE INDEX \"IUserIDUpper\" ON \"User\" (upper(\"UserID\"))");
    statements << QStringLiteral("CREATE TABLE %1 (\"Version\" integer NOT NULL)").arg(quoted(QString::fromLatin1(VersionTable)));
    statements << QStringLiteral("INSERT INTO %1 (\"Version\") VALUES (%2)").arg(quoted(QString::fromLatin1(VersionTable))).arg(Version);
    return statements;
}

} // namespace Schema

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

enum class EngineKind { SQLite, PostgreSQL };

// How the program holds a field's value: AutoInc and Integer as int, String and Memo as QString,
// Logical as bool, Float as double, Date/Time/DateTime as a day count (see TimeValue).
enum class FieldKind { AutoInc, Integer, String, Memo, Logical, Float, Date, Time, DateTime };

struct FieldDef
{
    QString name;
    FieldKind kind;
    int width = 0;   // characters, for String fields
};

struct IndexDef
{
    QString name;          // the index name a table object is switched to
    QStringList fields;
    bool unique = false;
};

struct TableDef
{
    QString name;                  // canonical name, as in SQL
    QList<FieldDef> fields;        // in declaration order
    QString primaryKey;            // one field
    QList<IndexDef> indexes;       // secondary indexes

    const FieldDef *field(const QString &fieldName) const;   // any letter case
    const IndexDef *index(const QString &indexName) const;   // any letter case
    QString autoIncField() const;                            // empty when none
};

// The one definition of the database: the seven tables with their fields, keys and indexes, the
// mapping of every spelling of a table name onto its canonical table, and the statements that
// create the schema on each engine.
namespace Schema {

// The layout version this program works with; every change to the stored layout raises it and adds
// its upgrade step (SchemaUpgrade).
constexpr int Version = 2;
extern const char *const VersionTable;

const QList<TableDef> &tables();

// "resource.DB", "Resource.Db", "\"schedule.db\"", "Schedule" … name one table; null when none.
const TableDef *findTable(const QString &anySpelling);
const TableDef &table(const QString &anySpelling);   // throws EDatabaseError when unknown

// The kind of a field known by this name in any table (the same name has the same kind in every
// table); null when the name is not a field of the schema. Any letter case.
const FieldDef *findField(const QString &anySpelling);

QStringList createStatements(EngineKind engine);

} // namespace Schema

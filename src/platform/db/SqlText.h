#pragma once

#include <QString>
#include <QStringList>

// Brings the program's SQL into the one dialect both engines accept: every spelling of a table name
// ("Schedule.db", "resource.DB", Resource) becomes its canonical quoted name, every field name of
// the schema becomes its quoted name with the letter case of the schema (so `userid` works on
// PostgreSQL too), and named parameters (:name) become positional ones. String literals are left
// alone; the program never puts a value typed by a user into SQL text.
namespace SqlText {

struct Translated
{
    QString sql;
    QStringList parameterNames;   // one per positional placeholder, in order
};

Translated translate(const QString &sql);

} // namespace SqlText

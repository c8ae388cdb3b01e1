#pragma once

#include "platform/db/Schema.h"

#include <QVariant>

// The one conversion module between the values the program holds and what each engine stores.
// Program values: int, QString, bool, double (day counts for dates and times); a null field is an
// invalid QVariant. Every value written or read through the engine layer passes through here, so a
// value round-trips identically on SQLite and PostgreSQL.
namespace FieldValue {

bool isNull(const QVariant &value);

// Program value -> value bound to a statement of the given engine.
QVariant toStorage(EngineKind engine, FieldKind kind, const QVariant &value);
// A query parameter -> bound value; its kind follows from the value (see Typed below; QDate, QTime
// and QDateTime are taken as a date, a time of day and a date and time).
QVariant paramToStorage(EngineKind engine, const QVariant &value);
// Value read from either engine -> program value of the kind (null stays null).
QVariant fromStorage(FieldKind kind, const QVariant &stored);

// Readers that keep their own default when the value is null.
int asInteger(const QVariant &value, int defaultValue = 0);
bool asBoolean(const QVariant &value, bool defaultValue = false);
double asFloat(const QVariant &value, double defaultValue = 0.0);
QString asString(const QVariant &value, const QString &defaultValue = QString());

// Marks a day count bound as a query parameter as a date, time of day or date and time, so that it
// is written as the engine stores such fields.
struct Typed
{
    FieldKind kind;
    double value;
};
QVariant date(double value);
QVariant time(double value);
QVariant dateTime(double value);

} // namespace FieldValue

Q_DECLARE_METATYPE(FieldValue::Typed)

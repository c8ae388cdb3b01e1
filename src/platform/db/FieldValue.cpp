#include "platform/db/FieldValue.h"

#include "platform/db/DatabaseError.h"
#include "platform/db/TimeValue.h"

#include <cmath>
#include <optional>

namespace FieldValue {

namespace {

const QString IsoDateFormat = QStringLiteral("yyyy-MM-dd");
const QString IsoTimeFormat = QStringLiteral("HH:mm:ss.zzz");
const QString IsoDateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");

// The value of count decimal digits at from; -1 when any of them is not a digit.
int digitsAt(QStringView text, qsizetype from, int count)
{
    if (from + count > text.size())
        return -1;
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// "yyyy-MM-dd" as a day count.
std::optional<double> isoDate(QStringView text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    const QDate date(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
    return date.isValid() ? std::optional<double>(TimeValue::fromDate(date)) : std::nullopt;
}

// "HH:mm:ss" with an optional fraction of a second, as a fraction of a day.
std::optional<double> isoTime(QStringView text)
{
    if (text.size() < 8 || text[2] != u':' || text[5] != u':')
        return std::nullopt;
    int ms = 0;
    if (text.size() > 8) {
        const QStringView fraction = text.mid(9);
        if (text[8] != u'.' || fraction.isEmpty() || fraction.size() > 9
            || digitsAt(fraction, 0, int(fraction.size())) < 0)
            return std::nullopt;
        const QStringView millis = fraction.left(3);
        ms = digitsAt(millis, 0, int(millis.size())) * (millis.size() == 1 ? 100 : millis.size() == 2 ? 10 : 1);
    }
    const QTime time(digitsAt(text, 0, 2), digitsAt(text, 3, 2), digitsAt(text, 6, 2), ms);
    return time.isValid() ? std::optional<double>(TimeValue::fromTime(time)) : std::nullopt;
}

// Reads the ISO text both engines give back for a date, a time of day or a date and time without
// going through Qt's general date parser, which is slow and consults the time zone: a schedule
// grid reads thousands of these.
std::optional<double> parseIsoText(FieldKind kind, const QString &text)
{
    const QStringView view(text);
    if (kind == FieldKind::Date)
        return isoDate(view.left(10));
    if (kind == FieldKind::Time)
        return isoTime(view);
    if (view.size() < 19 || (view[10] != u' ' && view[10] != u'T'))
        return std::nullopt;
    const std::optional<double> date = isoDate(view.left(10));
    const std::optional<double> time = isoTime(view.mid(11));
    if (!date || !time)
        return std::nullopt;
    return *date + *time;
}

double storedTimeToDays(FieldKind kind, const QVariant &stored)
{
    switch (stored.typeId()) {
    case QMetaType::QDate:
        return TimeValue::fromDate(stored.toDate());
    case QMetaType::QTime:
        return TimeValue::fromTime(stored.toTime());
    case QMetaType::QDateTime:
        return TimeValue::fromDateTime(stored.toDateTime());
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return stored.toDouble();
    default:
        break;
    }
    // Text that is no date or time must not quietly become 30 December 1899 or midnight.
    const QString text = stored.toString().trimmed();
    if (const std::optional<double> days = parseIsoText(kind, text))
        return *days;
    if (kind == FieldKind::DateTime) {
        const QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
        if (dt.isValid())
            return TimeValue::fromDateTime(dt);
    }
    throw EDatabaseError(QStringLiteral("'%1' is not a valid %2")
                             .arg(text, kind == FieldKind::Date   ? QStringLiteral("date")
                                        : kind == FieldKind::Time ? QStringLiteral("time")
                                                                  : QStringLiteral("date and time")));
}

// Dates and times go to both engines as ISO text: SQLite keeps the text (which sorts in time order)
// and PostgreSQL parses it into its date, time or timestamp column. Binding Qt's own date types
// would let the PostgreSQL driver shift local times through UTC.
QVariant timeToStorage(FieldKind kind, double days)
{
    switch (kind) {
    case FieldKind::Date:
        return TimeValue::toDate(days).toString(IsoDateFormat);
    case FieldKind::Time:
        return TimeValue::toTime(days).toString(IsoTimeFormat);
    default:
        return TimeValue::toDateTime(days).toString(IsoDateTimeFormat);
    }
}

// Qt binds a null QString as SQL NULL, which "= :value" never matches: blank text is stored and
// compared as the empty text, however the caller made it.
QVariant textToStorage(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

bool isTimeKind(FieldKind kind)
{
    return kind == FieldKind::Date || kind == FieldKind::Time || kind == FieldKind::DateTime;
}

} // namespace

bool isNull(const QVariant &value)
{
    return !value.isValid() || value.isNull();
}

QVariant toStorage(EngineKind engine, FieldKind kind, const QVariant &value)
{
    if (isNull(value))
        return QVariant();
    if (value.metaType() == QMetaType::fromType<Typed>()) {
        const Typed typed = value.value<Typed>();
        return timeToStorage(typed.kind, typed.value);
    }
    switch (kind) {
    case FieldKind::AutoInc:
    case FieldKind::Integer:
        return asInteger(value);
    case FieldKind::String:
    case FieldKind::Memo:
        return textToStorage(value.toString());
    case FieldKind::Logical:
        return engine == EngineKind::PostgreSQL ? QVariant(asBoolean(value)) : QVariant(asBoolean(value) ? 1 : 0);
    case FieldKind::Float:
        return asFloat(value);
    case FieldKind::Date:
    case FieldKind::Time:
    case FieldKind::DateTime:
        return timeToStorage(kind, asFloat(value));
    }
    return value;
}

QVariant paramToStorage(EngineKind engine, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return toStorage(engine, FieldKind::Logical, value);
    case QMetaType::Double:
        return toStorage(engine, FieldKind::Float, value);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        return value;
    // Qt's own text for these ("09:30:00", "2004-03-05T09:30:00") is not how the fields are stored.
    case QMetaType::QDate:
        return timeToStorage(FieldKind::Date, TimeValue::fromDate(value.toDate()));
    case QMetaType::QTime:
        return timeToStorage(FieldKind::Time, TimeValue::fromTime(value.toTime()));
    case QMetaType::QDateTime:
        return timeToStorage(FieldKind::DateTime, TimeValue::fromDateTime(value.toDateTime()));
    default:
        return toStorage(engine, FieldKind::String, value);
    }
}

QVariant fromStorage(FieldKind kind, const QVariant &stored)
{
    if (isNull(stored))
        return QVariant();
    if (isTimeKind(kind))
        return storedTimeToDays(kind, stored);
    switch (kind) {
    case FieldKind::AutoInc:
    case FieldKind::Integer:
        return asInteger(stored);
    case FieldKind::String:
    case FieldKind::Memo:
        return stored.toString();
    case FieldKind::Logical:
        return asBoolean(stored);
    case FieldKind::Float:
        return asFloat(stored);
    default:
        return stored;
    }
}

int asInteger(const QVariant &value, int defaultValue)
{
    if (isNull(value))
        return defaultValue;
    if (value.typeId() == QMetaType::Double)
        return int(std::llround(value.toDouble()));
    bool ok = false;
    int result = value.toInt(&ok);
    if (!ok) {
        double d = value.toString().trimmed().toDouble(&ok);
        if (!ok)
            throw EDatabaseError(QStringLiteral("'%1' is not a valid integer value").arg(value.toString()));
        result = int(std::llround(d));
    }
    return result;
}

bool asBoolean(const QVariant &value, bool defaultValue)
{
    if (isNull(value))
        return defaultValue;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return value.toDouble() != 0.0;
    default:
        break;
    }
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1")
        || text.compare(QLatin1String("t"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || text == QLatin1String("0")
        || text.compare(QLatin1String("f"), Qt::CaseInsensitive) == 0 || text.isEmpty())
        return false;
    throw EDatabaseError(QStringLiteral("'%1' is not a valid logical value").arg(text));
}

double asFloat(const QVariant &value, double defaultValue)
{
    if (isNull(value))
        return defaultValue;
    bool ok = false;
    double result = value.toDouble(&ok);
    if (!ok)
        throw EDatabaseError(QStringLiteral("'%1' is not a valid floating point value").arg(value.toString()));
    return result;
}

QString asString(const QVariant &value, const QString &defaultValue)
{
    return isNull(value) ? defaultValue : value.toString();
}

QVariant date(double value) { return QVariant::fromValue(Typed{FieldKind::Date, value}); }
QVariant time(double value) { return QVariant::fromValue(Typed{FieldKind::Time, value}); }
QVariant dateTime(double value) { return QVariant::fromValue(Typed{FieldKind::DateTime, value}); }

} // namespace FieldValue

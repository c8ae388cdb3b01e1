#include "platform/db/TimeValue.h"

#include <cmath>
#include <cstdio>

namespace TimeValue {

QDate epoch()
{
    return QDate(1899, 12, 30);
}

double fromDate(const QDate &date)
{
    return date.isValid() ? double(epoch().daysTo(date)) : 0.0;
}

double fromTime(const QTime &time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() / MillisecondsPerDay : 0.0;
}

double fromDateTime(const QDateTime &dateTime)
{
    return fromDate(dateTime.date()) + fromTime(dateTime.time());
}

QDate toDate(double value)
{
    return epoch().addDays(qint64(std::floor(value)));
}

QTime toTime(double value)
{
    double fraction = value - std::floor(value);
    qint64 ms = qint64(std::llround(fraction * MillisecondsPerDay));
    if (ms >= qint64(MillisecondsPerDay))
        ms = qint64(MillisecondsPerDay) - 1;
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

QDateTime toDateTime(double value)
{
    // Rounding the whole value to the millisecond first keeps 23:59:59.9996 from landing on the
    // wrong day.
    qint64 ms = std::llround(value * MillisecondsPerDay);
    qint64 day = ms >= 0 ? ms / qint64(MillisecondsPerDay) : -((-ms + qint64(MillisecondsPerDay) - 1) / qint64(MillisecondsPerDay));
    qint64 rest = ms - day * qint64(MillisecondsPerDay);
    return QDateTime(epoch().addDays(day), QTime::fromMSecsSinceStartOfDay(int(rest)));
}

double now()
{
    return fromDateTime(QDateTime::currentDateTime());
}

double today()
{
    return fromDate(QDate::currentDate());
}

// Formatted by hand: every cell of a schedule grid carries its date in this form, and Qt's
// general date formatting is many times slower.
QString toShortDateText(double value)
{
    const QDate date = toDate(value);
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month(), date.day(), date.year());
    return QString::fromLatin1(text);
}

double fromShortDateText(const QString &text)
{
    QDate date = QDate::fromString(text.trimmed(), QStringLiteral("MM/dd/yyyy"));
    if (!date.isValid())
        date = QDate::fromString(text.trimmed(), QStringLiteral("M/d/yyyy"));
    return date.isValid() ? fromDate(date) : 0.0;
}

} // namespace TimeValue

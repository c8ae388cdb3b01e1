#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// The program counts time as days since 30 December 1899 (a double): the integer part is the date,
// the fraction the time of day, one minute is 1/1440. These routines are the only bridge between
// that count and Qt's date and time classes.
namespace TimeValue {

constexpr double MillisecondsPerDay = 86400000.0;

QDate epoch();
double fromDate(const QDate &date);
double fromTime(const QTime &time);
double fromDateTime(const QDateTime &dateTime);
QDate toDate(double value);
QTime toTime(double value);                 // the time-of-day part, to the millisecond
QDateTime toDateTime(double value);
double now();
double today();

// The short date text "mm/dd/yyyy" used on screen, in reports and inside grid cell strings.
QString toShortDateText(double value);
// Reads "mm/dd/yyyy" (also without leading zeros); 0 when the text is not a date.
double fromShortDateText(const QString &text);

} // namespace TimeValue

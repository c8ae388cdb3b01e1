#pragma once

#include <QDate>
#include <QString>

class TDatabase;

// Bookings written out for other programs: as an iCalendar file (RFC 5545) that calendar programs
// import, one event a booking, or as comma-separated values (RFC 4180) for spreadsheets.
namespace BookingExport {

enum class Format { ICalendar, Csv };

// Which bookings: those of one resource or of one type (by short description, any letter case),
// or all; from and to bound the booking dates inclusively when valid.
struct Selection
{
    QString resource;
    QString type;
    QDate from;
    QDate to;
};

// The whole file as text. An unknown resource or type is an EDatabaseError naming it.
QString Export(TDatabase &database, const Selection &selection, Format format);

} // namespace BookingExport

#pragma once

#include "reports/ScheduleReport.h"

#include <QVariant>

// One booking as a list line prints it; a time is null when the booking has none.
struct BookingLine
{
    QString name;
    QString notes;
    QVariant startTime;
    QVariant endTime;
};

// The list layout: one text line per booking, in start-time order, in the columns the system
// settings place; the printed width ends at RightEdge, 10.5 in on landscape paper, else 8.0 in.
class TListReport : public TScheduleReport
{
public:
    double RightEdge = 8.0;

protected:
    TListReport(int resourceID, const QString &footerText);

    void SetRightEdge();
    // The shaded band with the column headings, ruled around, on the current line.
    void PrintHeadingBand() const;
    // Prints the resource's bookings of the day, one line each; false when it has none.
    bool PrintBookingsOf(double day);
    void PrintNoSchedulesLine() const;
    void PrintScheduleLine(const BookingLine &booking);

    virtual void PrintPageHeader() = 0;
    // What a booking line that begins a new page is printed under.
    virtual void PrintHeadingsOnNewPage();
    virtual void PrintFooter();
};

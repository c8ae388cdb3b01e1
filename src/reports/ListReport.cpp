#include "reports/ListReport.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"
#include "reports/ReportPageEngine.h"
#include "schedule/ScheduleCell.h"
#include "schedule/TimeSlots.h"

#include <QList>

namespace {

constexpr double LeftEdge = 0.5;
constexpr double StartTimeColumn = 0.52;
constexpr double StartTimeHeading = 0.54;

int bodySize()
{
    return SystemSettings.DefaultFontSize;
}

QString userName(const QString &userID)
{
    TLoginData user;
    LookupUser(userID, user);
    return user.UserName;
}

QString timeText(const QVariant &time)
{
    return FieldValue::isNull(time) ? QString() : LongTimeText(FieldValue::asFloat(time));
}

QList<BookingLine> bookingsOf(int resourceID, double day)
{
    TQuery &query = ProgramDataForm->ScheduleQuery;
    OpenQuery(query,
              {QStringLiteral("Select * From \"Schedule.db\" Where"), QStringLiteral("ResourceID = :ResourceID And"),
               QStringLiteral("ScheduleDate = :ScheduleDate"), QStringLiteral("Order By StartTime, Sequence")},
              {{QStringLiteral("ResourceID"), resourceID}, {QStringLiteral("ScheduleDate"), FieldValue::date(day)}});
    QList<BookingLine> bookings;
    for (; !query.Eof(); query.Next())
        bookings << BookingLine{FieldValue::asString(query.FieldValue(QStringLiteral("ReservedBy"))),
                                FieldValue::asString(query.FieldValue(QStringLiteral("Notes"))),
                                query.FieldValue(QStringLiteral("StartTime")),
                                query.FieldValue(QStringLiteral("EndTime"))};
    CloseQuery(query);
    for (BookingLine &booking : bookings)
        booking.name = userName(booking.name);
    return bookings;
}

} // namespace

TListReport::TListReport(int resourceID, const QString &footerText) : TScheduleReport(resourceID, footerText)
{
}

void TListReport::SetRightEdge()
{
    RightEdge = SystemSettings.Landscape ? 10.5 : 8.0;
}

void TListReport::PrintHeadingBand() const
{
    TReportPageEngine &page = Page();
    page.FillBand(ButtonFaceColor, LeftEdge, RightEdge);
    RuleLine(RightEdge, {LeftEdge, RightEdge});
    page.SetFont(bodySize());
    page.TextAtLeft(QStringLiteral("Scheduled Time"), StartTimeHeading);
    page.TextAtLeft(QStringLiteral("Reserved By"), SystemSettings.ScheduleReservedBy);
    page.TextAtLeft(QStringLiteral("Notes"), SystemSettings.ScheduleNotes);
}

bool TListReport::PrintBookingsOf(double day)
{
    const QList<BookingLine> bookings = bookingsOf(ResourceID, day);
    for (const BookingLine &booking : bookings)
        PrintScheduleLine(booking);
    return !bookings.isEmpty();
}

void TListReport::PrintNoSchedulesLine() const
{
    TReportPageEngine &page = Page();
    page.NewLine();
    page.SetFont(bodySize());
    page.TextAtLeft(QStringLiteral("There are no schedules for this resource for this date"), StartTimeColumn);
}

void TListReport::PrintScheduleLine(const BookingLine &booking)
{
    TReportPageEngine &page = Page();
    page.NewLine();
    if (page.PageStarted) {
        PrintHeadingsOnNewPage();
        page.NewLine();
    }
    const TSystemInfo &columns = SystemSettings;
    page.SetFont(bodySize());
    page.TextAtLeft(timeText(booking.startTime), StartTimeColumn);
    page.TextAtLeft(QStringLiteral("..."), columns.ScheduleDots);
    page.TextAtLeft(timeText(booking.endTime), columns.ScheduleEndTime);
    page.TextAtLeft(booking.name, columns.ScheduleReservedBy);
    page.TextAtLeft(booking.notes, columns.ScheduleNotes);
}

void TListReport::PrintHeadingsOnNewPage()
{
    PrintPageHeader();
}

void TListReport::PrintFooter()
{
    PrintFooterLine(RightEdge, bodySize());
}

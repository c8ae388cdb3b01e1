#include "reports/DetailListDaysReport.h"

#include "data/ProgramConst.h"
#include "platform/db/TimeValue.h"
#include "reports/ReportPageEngine.h"

#include <cmath>

namespace {

constexpr double LeftEdge = 0.5;
constexpr int DayHeadingSize = 14;
constexpr int LeastSpaceForDay = 10;   // pixels

} // namespace

TDetailListDaysReport::TDetailListDaysReport(int resourceID, double startDate, double endDate,
                                             const QString &footerText)
    : TListReport(resourceID, footerText),
      StartDate(std::floor(startDate)),
      EndDate(std::floor(endDate)),
      CurrentDate(StartDate)
{
}

void TDetailListDaysReport::Execute()
{
    SetRightEdge();
    PrintPageHeader();
    for (;;) {
        PrintDayHeading(CurrentDate);
        if (PrintBookingsOf(CurrentDate)) {
            PrintFooter();
        } else {
            PrintNoSchedulesLine();
            Page().NewLine();
        }
        CurrentDate += 1;
        if (CurrentDate > EndDate)
            break;
        Page().NewPage();
        PrintPageHeader();
    }
}

void TDetailListDaysReport::PrintPageHeader()
{
    PrintHeaderLines(DateRangeText(StartDate, EndDate), RightEdge, SystemSettings.DefaultFontSize);
    // The day heading below carries the column headings.
    TReportPageEngine &page = Page();
    page.SetPen(1, BlackColor, Qt::SolidLine);
    page.RuleAcross(true, LeftEdge, RightEdge);
    page.SetFont(SystemSettings.DefaultFontSize);
}

void TDetailListDaysReport::PrintHeadingsOnNewPage()
{
    PrintPageHeader();
    PrintDayHeading(CurrentDate);
}

void TDetailListDaysReport::PrintFooter()
{
    TListReport::PrintFooter();
    Page().NewLine();
}

void TDetailListDaysReport::PrintDayHeading(double day)
{
    TReportPageEngine &page = Page();
    if (page.SpaceLeft < LeastSpaceForDay) {
        page.NewPage();
        PrintPageHeader();
    }
    page.NewLine();
    page.SetFont(DayHeadingSize, BlackColor, FontStyle::Bold | FontStyle::Italic);
    page.TextAtLeft(TimeValue::toShortDateText(day), LeftEdge);
    page.NewLine();
    page.SetFont(SystemSettings.DefaultFontSize);
    PrintHeadingBand();
}

#include "reports/DetailSingleReport.h"

#include "data/ProgramConst.h"
#include "platform/db/TimeValue.h"

#include <cmath>

TDetailSingleReport::TDetailSingleReport(int resourceID, double reportDate, const QString &footerText)
    : TListReport(resourceID, footerText),
      ReportDate(std::floor(reportDate))
{
}

void TDetailSingleReport::Execute()
{
    SetRightEdge();
    PrintPageHeader();
    if (!PrintBookingsOf(ReportDate))
        PrintNoSchedulesLine();
    PrintFooter();
}

void TDetailSingleReport::PrintPageHeader()
{
    PrintHeaderLines(TimeValue::toShortDateText(ReportDate), RightEdge, SystemSettings.DefaultFontSize);
    PrintHeadingBand();
}

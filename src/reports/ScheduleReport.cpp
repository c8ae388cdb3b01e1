#include "reports/ScheduleReport.h"

#include "platform/db/TimeValue.h"
#include "reports/ReportPreviewFrm.h"
#include "schedule/ScheduleColumns.h"
#include "schedule/TimeSlots.h"

namespace {

constexpr double LeftEdge = 0.5;
constexpr int TitleSize = 24;
constexpr int DateLineSize = 14;

} // namespace

TScheduleReport::TScheduleReport(int resourceID, const QString &footerText)
    : Title(ResourceDescription(true, resourceID)),
      ResourceID(resourceID),
      FooterText(footerText)
{
}

TReportPageEngine &TScheduleReport::Page()
{
    return *ReportPreviewForm;
}

QString TScheduleReport::DateRangeText(double startDate, double endDate)
{
    return TimeValue::toShortDateText(startDate) + QStringLiteral(" - ") + TimeValue::toShortDateText(endDate);
}

void TScheduleReport::PrintHeaderLines(const QString &dateLine, double rightEdge, int bodySize) const
{
    TReportPageEngine &page = Page();
    page.SetFont(TitleSize);
    page.TextCentred(Title, LeftEdge, rightEdge);
    page.NewLine();
    page.SetFont(DateLineSize);
    page.TextCentred(dateLine, LeftEdge, rightEdge);
    page.NewLine();
    page.SetFont(bodySize);
    page.NewLine();
    page.TextAtRight(QStringLiteral("Page:"), rightEdge - 0.5);
    page.TextAtRight(QString::number(page.PageCount), rightEdge);
    page.NewLine();
    const double now = TimeValue::now();
    page.TextAtRight(QStringLiteral("Printed: ") + TimeValue::toShortDateText(now) + QLatin1Char(' ') + LongTimeText(now),
                     rightEdge);
    page.NewLine();
}

void TScheduleReport::PrintFooterLine(double rightEdge, int bodySize) const
{
    TReportPageEngine &page = Page();
    page.SetLinePosFromBottom(1.0);
    page.SetFont(bodySize);
    page.TextCentred(FooterText, LeftEdge, rightEdge);
}

void TScheduleReport::RuleLine(double rightEdge, const QList<double> &rulesDown)
{
    TReportPageEngine &page = Page();
    page.SetPen(1, BlackColor, Qt::SolidLine);
    page.RuleAcross(true, LeftEdge, rightEdge);
    page.RuleAcross(false, LeftEdge, rightEdge);
    for (const double x : rulesDown)
        page.RuleDown(x);
}

#include "reports/GridReport.h"

#include "data/ProgramConst.h"
#include "reports/ReportPageEngine.h"
#include "schedule/ScheduleCell.h"
#include "schedule/ScheduleColumns.h"
#include "schedule/TimeSlots.h"

#include <cmath>

namespace {

constexpr double LeftEdge = 0.5;
constexpr double RightEdge = 8.0;
constexpr double TimeColumnRight = 1.5;
constexpr int FontSize = 10;
// Where the time and each further heading are written.
constexpr double HeadingColumns[] = {0.52, 1.52, 3.52, 5.52};

long minuteOfDay(double time)
{
    return std::lround(time * 1440.0);
}

} // namespace

TGridReport::TGridReport(int resourceID, const QString &footerText, int columnCount, const QList<double> &rulesDown)
    : TScheduleReport(resourceID, footerText),
      Grid(columnCount, SlotRowCount()),
      m_rulesDown(rulesDown)
{
    FillTimeColumn(Grid);
}

QList<int> TGridReport::SelectedRows() const
{
    const long first = minuteOfDay(SystemSettings.PrintStartTime);
    const long last = minuteOfDay(SystemSettings.PrintEndTime);
    QList<int> rows;
    for (int row = 1; row < Grid.RowCount(); ++row) {
        const long start = minuteOfDay(SlotStartTime(row));
        if (first <= start && start <= last)
            rows << row;
    }
    return rows;
}

void TGridReport::PrintGridHeader(const QString &dateLine, const QStringList &columnHeadings) const
{
    TReportPageEngine &page = Page();
    PrintHeaderLines(dateLine, RightEdge, FontSize);
    page.FillBand(ButtonFaceColor, LeftEdge, RightEdge);
    RuleSlotLine();
    page.SetFont(FontSize);
    const QStringList headings = QStringList{QStringLiteral("Time")} + columnHeadings;
    for (qsizetype i = 0; i < headings.size(); ++i)
        page.TextAtLeft(headings.at(i), HeadingColumns[i]);
}

void TGridReport::BeginSlotLine()
{
    TReportPageEngine &page = Page();
    page.NewLine();
    if (page.PageStarted) {
        PrintPageHeader();
        page.NewLine();
    }
}

void TGridReport::PrintTimeCell(int row) const
{
    TReportPageEngine &page = Page();
    page.FillBand(ButtonFaceColor, LeftEdge, TimeColumnRight);
    page.SetFont(FontSize);
    page.TextAtLeft(CellText(Grid.Cell(0, row)), HeadingColumns[0]);
}

void TGridReport::PrintSlotCell(int column, int row, double bandLeft, double bandRight, double textX) const
{
    const QString cell = Grid.Cell(column, row);
    // The continuation marker counts as booked: it shades like the booking's first slot.
    Page().FillBand(ScheduleCellColor(true, row, CellText(cell), CellDate(cell)), bandLeft, bandRight);
    PrintCellText(column, row, textX);
}

void TGridReport::PrintCellText(int column, int row, double x) const
{
    const QString text = CellText(Grid.Cell(column, row));
    if (text != ContinuationMarker)
        Page().TextAtLeft(text, x);
}

void TGridReport::RuleSlotLine() const
{
    RuleLine(RightEdge, m_rulesDown);
}

void TGridReport::PrintFooter() const
{
    PrintFooterLine(RightEdge, FontSize);
}

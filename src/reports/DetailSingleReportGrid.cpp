#include "reports/DetailSingleReportGrid.h"

#include "platform/db/TimeValue.h"
#include "schedule/ScheduleColumns.h"

#include <cmath>

namespace {

enum Column { NamesColumn = 1, NotesColumn = 2, ColumnCount = 3 };

} // namespace

TDetailSingleReportGrid::TDetailSingleReportGrid(int resourceID, double reportDate, const QString &footerText)
    : TGridReport(resourceID, footerText, ColumnCount, {0.5, 8.0, 1.5, 3.5}),
      ReportDate(std::floor(reportDate))
{
    FillScheduleColumn(NamesColumn, ResourceID, true, Grid, ReportDate, true);
}

void TDetailSingleReportGrid::Execute()
{
    PrintPageHeader();
    for (const int row : SelectedRows())
        PrintScheduleLine(row);
    PrintFooter();
}

void TDetailSingleReportGrid::PrintPageHeader()
{
    PrintGridHeader(TimeValue::toShortDateText(ReportDate), {QStringLiteral("Reserved By"), QStringLiteral("Notes")});
}

void TDetailSingleReportGrid::PrintScheduleLine(int row)
{
    BeginSlotLine();
    PrintTimeCell(row);
    PrintSlotCell(NamesColumn, row, 1.51, 8.0, 1.52);
    PrintCellText(NotesColumn, row, 3.52);
    RuleSlotLine();
}

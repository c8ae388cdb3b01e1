#include "reports/DetailListDaysReportGrid.h"

#include "platform/db/TimeValue.h"
#include "reports/ReportPageEngine.h"
#include "schedule/ScheduleColumns.h"

#include <cmath>

namespace {

constexpr int DaysPerPage = 3;

struct DayArea
{
    double bandLeft;
    double bandRight;
    double textX;
};

constexpr DayArea DayAreas[DaysPerPage] = {{1.51, 3.49, 1.52}, {3.5, 5.49, 3.52}, {5.5, 8.0, 5.52}};

int dayColumnCount(double startDate, double endDate)
{
    return int(std::trunc(endDate) - std::trunc(startDate)) + 2;
}

} // namespace

TDetailListDaysReportGrid::TDetailListDaysReportGrid(int resourceID, double startDate, double endDate,
                                                     const QString &footerText)
    : TGridReport(resourceID, footerText, dayColumnCount(startDate, endDate), {0.5, 8.0, 1.5, 3.5, 5.5}),
      StartDate(std::floor(startDate)),
      EndDate(std::floor(endDate)),
      CurrentDate(StartDate)
{
}

void TDetailListDaysReportGrid::Execute()
{
    for (int column = 1; column < Grid.ColCount(); ++column)
        FillScheduleColumn(column, ResourceID, false, Grid, StartDate + (column - 1), true);
    const QList<int> rows = SelectedRows();
    for (int first = 1;; first += DaysPerPage) {
        PrintPageHeader();
        for (const int row : rows)
            PrintScheduleLine(first, row);
        CurrentDate += DaysPerPage;
        PrintFooter();
        if (first + DaysPerPage > Grid.ColCount() - 1)
            break;
        Page().NewPage();
    }
}

void TDetailListDaysReportGrid::PrintPageHeader()
{
    QStringList dates;
    for (int day = 0; day < DaysPerPage && CurrentDate + day <= EndDate; ++day)
        dates << TimeValue::toShortDateText(CurrentDate + day);
    PrintGridHeader(DateRangeText(StartDate, EndDate), dates);
}

void TDetailListDaysReportGrid::PrintScheduleLine(int firstColumn, int row)
{
    BeginSlotLine();
    PrintTimeCell(row);
    for (int day = 0; day < DaysPerPage && firstColumn + day <= Grid.ColCount() - 1; ++day) {
        const DayArea &area = DayAreas[day];
        PrintSlotCell(firstColumn + day, row, area.bandLeft, area.bandRight, area.textX);
    }
    RuleSlotLine();
}

#pragma once

#include "reports/GridReport.h"

// One resource's inclusive range of days as slot grids, three days side by side on each page; a
// last group of fewer days leaves the other columns blank.
class TDetailListDaysReportGrid : public TGridReport
{
public:
    TDetailListDaysReportGrid(int resourceID, double startDate, double endDate, const QString &footerText);

    void Execute() override;

    double StartDate;
    double EndDate;
    double CurrentDate;   // the first day of the group being printed

protected:
    void PrintPageHeader() override;
    void PrintScheduleLine(int firstColumn, int row);
};

#pragma once

#include "reports/GridReport.h"

// One resource's day as a slot grid: the time, the name of whoever booked each slot, and the
// booking's notes.
class TDetailSingleReportGrid : public TGridReport
{
public:
    TDetailSingleReportGrid(int resourceID, double reportDate, const QString &footerText);

    void Execute() override;

    double ReportDate;

protected:
    void PrintPageHeader() override;
    void PrintScheduleLine(int row);
};

#pragma once

#include "reports/ListReport.h"

// One resource's bookings of one day as a list.
class TDetailSingleReport : public TListReport
{
public:
    TDetailSingleReport(int resourceID, double reportDate, const QString &footerText);

    void Execute() override;

    double ReportDate;

protected:
    void PrintPageHeader() override;
};

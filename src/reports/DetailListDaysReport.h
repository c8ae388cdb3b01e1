#pragma once

#include "reports/ListReport.h"

// One resource's bookings over an inclusive range of days as a list, each day on a page of its own
// under a day heading; a day without bookings says so and has no footer.
class TDetailListDaysReport : public TListReport
{
public:
    TDetailListDaysReport(int resourceID, double startDate, double endDate, const QString &footerText);

    void Execute() override;

    double StartDate;
    double EndDate;
    double CurrentDate;

protected:
    void PrintPageHeader() override;
    void PrintHeadingsOnNewPage() override;
    void PrintFooter() override;
    void PrintDayHeading(double day);
};

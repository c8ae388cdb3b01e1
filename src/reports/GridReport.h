#pragma once

#include "reports/ScheduleReport.h"
#include "schedule/ScheduleGrid.h"

#include <QList>
#include <QStringList>

// The grid layout: a resource's day as the time-slot grid of the schedule views, one line per slot
// between the print start and end times, each slot shaded in its print colour with the name of
// whoever booked it. Always portrait, printed from 0.5 to 8.0 in.
class TGridReport : public TScheduleReport
{
public:
    ScheduleGrid Grid;

protected:
    // rulesDown: where the vertical rules of the heading band and of every slot line stand.
    TGridReport(int resourceID, const QString &footerText, int columnCount, const QList<double> &rulesDown);

    // The slot rows to print: those starting from PrintStartTime up to PrintEndTime, both included.
    QList<int> SelectedRows() const;

    // The common header, then the shaded heading band: "Time", then the given column headings.
    void PrintGridHeader(const QString &dateLine, const QStringList &columnHeadings) const;
    // Advances to the next slot line, below a repeated page header when the line begins a page.
    void BeginSlotLine();
    void PrintTimeCell(int row) const;
    // One grid cell's shading across the band and its text at textX.
    void PrintSlotCell(int column, int row, double bandLeft, double bandRight, double textX) const;
    // A grid cell's text at x; a continuation shows none.
    void PrintCellText(int column, int row, double x) const;
    void RuleSlotLine() const;
    void PrintFooter() const;

    virtual void PrintPageHeader() = 0;

private:
    QList<double> m_rulesDown;
};

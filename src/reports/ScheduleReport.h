#pragma once

#include <QString>
#include <QList>

class TReportPageEngine;

// What every report shares: the resource reported on, its long description as the title, the
// footer text, and the top of the page header and the footer, which all layouts draw alike. A
// report draws through the surface of the job under way (ReportPreviewForm).
class TScheduleReport
{
public:
    virtual ~TScheduleReport() = default;
    TScheduleReport(const TScheduleReport &) = delete;
    TScheduleReport &operator=(const TScheduleReport &) = delete;

    // Produces the whole report.
    virtual void Execute() = 0;

    QString Title;
    int ResourceID;
    QString FooterText;

protected:
    TScheduleReport(int resourceID, const QString &footerText);

    static TReportPageEngine &Page();
    // "start - end" in the short date format.
    static QString DateRangeText(double startDate, double endDate);

    // Title, date line, an empty line, the page number and the time of printing, each on its own
    // line, centred or right-aligned against rightEdge; the column headings follow on the line
    // after them.
    void PrintHeaderLines(const QString &dateLine, double rightEdge, int bodySize) const;
    // The footer text centred one inch above the bottom of the page, on whatever page is current.
    void PrintFooterLine(double rightEdge, int bodySize) const;
    // Black rules along the top and bottom of the current line from 0.5 in to rightEdge, and down
    // it at each of the positions.
    static void RuleLine(double rightEdge, const QList<double> &rulesDown);
};

// The grid reports: slot lines shaded in the print colours, groups of three days per page, read
// back from the preview's page files and from jobs printed to PDF.

#include "ReportJobs.h"
#include "ReportSite.h"

#include "reports/Reports.h"
#include "schedule/ScheduleCell.h"
#include "schedule/TimeSlots.h"

using namespace PageGeometry;

namespace {

const QString Footer = QStringLiteral("Keys at the front desk");

// Print colours that tell the three kinds of slot apart on the page (platform values 0x00BBGGRR).
constexpr int InUse = 0x0000FFFF;     // yellow
constexpr int Free = 0x00C0FFC0;      // pale green
constexpr int NoWork = 0x00A0A0A0;    // grey
const QColor InUseShade(0xFF, 0xFF, 0x00);
const QColor FreeShade(0xC0, 0xFF, 0xC0);
const QColor NoWorkShade(0xA0, 0xA0, 0xA0);

void usePrintColours()
{
    SystemSettings.PrintInUseColor = InUse;
    SystemSettings.PrintFreeColor = Free;
    SystemSettings.PrintNoWorkColor = NoWork;
}

void runSingle(int resourceID, double date)
{
    TDetailSingleReportGrid report(resourceID, date, Footer);
    report.Execute();
}

void runDays(int resourceID, double start, double end)
{
    TDetailListDaysReportGrid report(resourceID, start, end, Footer);
    report.Execute();
}

// The top of slot line i (from 0) under the heading band.
int slotLineTop(int i)
{
    return HeadingTop(10) + (i + 1) * LineHeight(10);
}

// The shade of every slot line at x, down to the first line that is not shaded.
QList<QColor> shadesDown(const QImage &page, double x)
{
    QList<QColor> shades;
    for (int i = 0;; ++i) {
        const int middle = slotLineTop(i) + LineHeight(10) / 2;
        const QColor shade = ColourAt(page, InchesToPx(x), middle);
        if (middle >= page.height() || Near(shade, Qt::white, 6))
            return shades;
        shades << shade;
    }
}

QString describe(const QList<QColor> &shades)
{
    QStringList names;
    for (const QColor &shade : shades)
        names << shade.name();
    return names.join(QLatin1Char(' '));
}

bool sameShades(const QList<QColor> &actual, const QList<QColor> &expected)
{
    if (actual.size() != expected.size())
        return false;
    for (qsizetype i = 0; i < actual.size(); ++i)
        if (!Near(actual.at(i), expected.at(i), 20))
            return false;
    return true;
}

} // namespace

class TestGridReports : public QObject
{
    Q_OBJECT

private slots:
    void slotsAreShadedByBookingDayAndHour_data()
    {
        QTest::addColumn<double>("date");
        QTest::addColumn<QList<QColor>>("shades");   // 08:00 to 17:00
        const QColor Y = InUseShade, F = FreeShade, N = NoWorkShade;
        QTest::newRow("Wednesday") << Wednesday << QList<QColor>{F, Y, Y, F, F, F, F, F, F, N};
        QTest::newRow("Saturday") << Wednesday + 3 << QList<QColor>{N, Y, Y, N, N, N, N, N, N, N};
    }

    void slotsAreShadedByBookingDayAndHour()
    {
        QFETCH(double, date);
        QFETCH(QList<QColor>, shades);
        ReportSite site;
        usePrintColours();
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        site.book(room, date, Clock(9), Clock(11), QStringLiteral("ALICE"), QStringLiteral("Interviews"));
        const PreviewedJob job = PreviewJob(false, [&] { runSingle(room, date); });

        QCOMPARE(job.pageCount, 1);
        const QImage &page = job.pages.at(0);
        const QList<QColor> names = shadesDown(page, 7.5);
        QVERIFY2(sameShades(names, shades), qPrintable(describe(names)));
        // The time column and the heading band are in the button colour.
        const QColor button = PlatformColor(ButtonFaceColor);
        QVERIFY2(sameShades(shadesDown(page, 1.4), QList<QColor>(shades.size(), button)), qPrintable(describe(shadesDown(page, 1.4)) + button.name()));
        QVERIFY(Near(ColourAt(page, InchesToPx(7.5), HeadingTop(10) + LineHeight(10) / 2), button));
        // Names only in the first slot of the booking, notes beside them.
        const int h = LineHeight(10);
        QVERIFY(!HasInk(page, QRect(InchesToPx(1.6), slotLineTop(0) + 2, InchesToPx(1.8), h - 4)));
        QVERIFY(HasInk(page, QRect(InchesToPx(1.6), slotLineTop(1) + 2, InchesToPx(1.8), h - 4)));
        QVERIFY(HasInk(page, QRect(InchesToPx(3.6), slotLineTop(1) + 2, InchesToPx(1.8), h - 4)));
        QVERIFY(!HasInk(page, QRect(InchesToPx(1.6), slotLineTop(2) + 2, InchesToPx(1.8), h - 4)));
        QVERIFY(!HasInk(page, QRect(InchesToPx(3.6), slotLineTop(2) + 2, InchesToPx(4.0), h - 4)));
    }

    void printedGridHoldsTimesNamesNotesAndFooter()
    {
        ReportSite site;
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        site.book(room, Wednesday, Clock(9), Clock(11), QStringLiteral("ALICE"), QStringLiteral("Interviews"));
        const PrintedJob printed = PrintJob(false, [&] { runSingle(room, Wednesday); });

        QCOMPARE(printed.pageCount, 1);
        const QString text = printed.pageTexts.value(0);
        QStringList expected = {QStringLiteral("Meeting Room One 01/10/2024 Page: 1"),
                                QStringLiteral("Time Reserved By Notes"), LongTimeText(Clock(8)),
                                LongTimeText(Clock(9)) + QStringLiteral(" Alice Martin Interviews"),
                                LongTimeText(Clock(10)), LongTimeText(Clock(17)), Footer};
        qsizetype previous = -1;
        for (const QString &part : expected) {
            const qsizetype at = text.indexOf(part, previous + 1);
            QVERIFY2(at > previous, qPrintable(part + QStringLiteral(" out of place in: ") + text));
            previous = at;
        }
        QVERIFY(!text.contains(LongTimeText(Clock(7))) && !text.contains(LongTimeText(Clock(18))));
        QVERIFY(!text.contains(ContinuationMarker));
    }

    void rangePrintsThreeDaysAPage_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("pages");
        QTest::newRow("one day") << 1 << 1;
        QTest::newRow("three days") << 3 << 1;
        QTest::newRow("seven days") << 7 << 3;
    }

    void rangePrintsThreeDaysAPage()
    {
        QFETCH(int, days);
        QFETCH(int, pages);
        ReportSite site;
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        const double last = Wednesday + days - 1;
        site.book(room, last, Clock(9), Clock(10), QStringLiteral("BOB"));
        const PrintedJob printed = PrintJob(false, [&] { runDays(room, Wednesday, last); });

        QCOMPARE(printed.pageCount, pages);
        const QString range = TimeValue::toShortDateText(Wednesday) + QStringLiteral(" - ") + TimeValue::toShortDateText(last);
        for (int p = 0; p < pages; ++p) {
            const QString text = printed.pageTexts.value(p);
            QStringList heading = {QStringLiteral("Time")};
            for (int d = 3 * p; d < std::min(3 * p + 3, days); ++d)
                heading << TimeValue::toShortDateText(Wednesday + d);
            QVERIFY2(text.contains(QStringLiteral("Meeting Room One ") + range + QStringLiteral(" Page: %1").arg(p + 1)), qPrintable(text));
            QVERIFY2(text.contains(heading.join(QLatin1Char(' ')) + QLatin1Char(' ') + LongTimeText(Clock(8))), qPrintable(text));
            QCOMPARE(text.count(Footer), 1);
            QCOMPARE(text.contains(QStringLiteral("Bob Stone")), p == pages - 1);
        }
    }

    void lastGroupLeavesTheMissingDaysWhiteButRuled()
    {
        ReportSite site;
        usePrintColours();
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        // Wednesday to Tuesday: the seventh day, alone on page 3, is a working day.
        const PreviewedJob job = PreviewJob(false, [&] { runDays(room, Wednesday, Wednesday + 6); });

        QCOMPARE(job.pageCount, 3);
        const QImage &first = job.pages.at(0);
        const QImage &last = job.pages.at(2);
        const int middle = slotLineTop(1) + LineHeight(10) / 2;   // the 09:00 line
        QVERIFY(Near(ColourAt(first, InchesToPx(3.3), middle), FreeShade));    // Wednesday
        QVERIFY(Near(ColourAt(first, InchesToPx(7.8), middle), FreeShade));    // Friday
        QVERIFY(Near(ColourAt(job.pages.at(1), InchesToPx(3.3), middle), NoWorkShade));   // Saturday
        QVERIFY(Near(ColourAt(last, InchesToPx(3.3), middle), FreeShade));     // Tuesday
        QVERIFY(Near(ColourAt(last, InchesToPx(4.5), middle), Qt::white));
        QVERIFY(Near(ColourAt(last, InchesToPx(7.0), middle), Qt::white));
        for (const double rule : {3.5, 5.5, 8.0})
            QVERIFY(HasInk(last, QRect(InchesToPx(rule) - 1, middle, 3, 1)));
    }

    void slotLineThatStartsAPageGoesBelowTheRepeatedHeadings()
    {
        ReportSite site;
        usePrintColours();
        SystemSettings.TimeInterval = 15;
        SystemSettings.PrintStartTime = 0.0;
        SystemSettings.PrintEndTime = Clock(23, 45);
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        const PreviewedJob job = PreviewJob(false, [&] { runSingle(room, Wednesday); });

        QVERIFY(job.pageCount > 1);
        qsizetype lines = 0;
        for (const QImage &page : job.pages)
            lines += shadesDown(page, 7.5).size();
        QCOMPARE(lines, 96);
        const QList<QColor> first = shadesDown(job.pages.at(0), 7.5);
        const QList<QColor> second = shadesDown(job.pages.at(1), 7.5);
        // Page 2 repeats the header and the heading band; its first slot line lies below them.
        const QColor button = PlatformColor(ButtonFaceColor);
        QVERIFY(Near(ColourAt(job.pages.at(1), InchesToPx(7.5), HeadingTop(10) + LineHeight(10) / 2), button));
        const double firstTimeOnPage2 = first.size() * 15 / 1440.0;
        const bool working = firstTimeOnPage2 >= Clock(8) && firstTimeOnPage2 < Clock(17);
        QVERIFY(Near(second.first(), working ? FreeShade : NoWorkShade, 20));
        // The footer comes once, on the last page, over whatever lines stand there.
        QVERIFY(HasInk(job.pages.last(), QRect(InchesToPx(3.0), InchesToPx(10.0) + 2, InchesToPx(2.5), LineHeight(10))));
    }

    void printStartAfterPrintEndGivesHeaderAndFooterOnly_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("pages");
        QTest::newRow("one day") << 0 << 1;
        QTest::newRow("seven days") << 7 << 3;
    }

    void printStartAfterPrintEndGivesHeaderAndFooterOnly()
    {
        QFETCH(int, days);
        QFETCH(int, pages);
        ReportSite site;
        SystemSettings.PrintStartTime = Clock(17);
        SystemSettings.PrintEndTime = Clock(8);
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        site.book(room, Wednesday, Clock(9), Clock(10), QStringLiteral("BOB"));
        const PreviewedJob job = PreviewJob(false, [&] {
            if (days == 0)
                runSingle(room, Wednesday);
            else
                runDays(room, Wednesday, Wednesday + days - 1);
        });

        QCOMPARE(job.pageCount, pages);
        const int h = LineHeight(10);
        const int belowBand = HeadingTop(10) + h + 2;
        for (const QImage &page : job.pages) {
            QVERIFY(shadesDown(page, 7.5).isEmpty());
            QVERIFY(!HasInk(page, QRect(0, belowBand, page.width(), InchesToPx(10.0) - belowBand - 1)));
            QVERIFY(HasInk(page, QRect(InchesToPx(3.0), InchesToPx(10.0), InchesToPx(2.5), h)));
        }
    }
};

QTEST_MAIN(TestGridReports)
#include "tst_gridreports.moc"

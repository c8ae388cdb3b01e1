// The list reports: what lands on their pages, read back from the preview's page files and from
// the text of jobs printed to PDF.

#include "ReportJobs.h"
#include "ReportSite.h"

#include "reports/Reports.h"
#include "schedule/ScheduleCell.h"
#include "schedule/TimeSlots.h"

using namespace PageGeometry;

namespace {

const QString Footer = QStringLiteral("Door 4B - ask at reception");
const QString NoSchedules = QStringLiteral("There are no schedules for this resource for this date");

void runSingle(int resourceID, double date)
{
    TDetailSingleReport report(resourceID, date, Footer);
    report.Execute();
}

void runDays(int resourceID, double start, double end)
{
    TDetailListDaysReport report(resourceID, start, end, Footer);
    report.Execute();
}

// The tops of the separate runs of ink inside a strip of the page, from the top down.
QList<int> inkRunTops(const QImage &page, const QRect &strip)
{
    QList<int> tops;
    int lastInk = -10;
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
        if (!HasInk(page, QRect(strip.left(), y, strip.width(), 1)))
            continue;
        if (y - lastInk > 3)
            tops << y;
        lastInk = y;
    }
    return tops;
}

} // namespace

class TestListReports : public QObject
{
    Q_OBJECT

private slots:
    void emptyDayGivesHeaderBandNoSchedulesLineAndFooter()
    {
        ReportSite site;
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        site.book(room, Wednesday + 1, Clock(9), Clock(10), QStringLiteral("ALICE"));
        const PreviewedJob job = PreviewJob(false, [&] { runSingle(room, Wednesday); });

        QCOMPARE(job.files, QStringList{QStringLiteral("1.jpg")});
        const QImage &page = job.pages.at(0);
        const int h = LineHeight(10);
        const int band = HeadingTop(10);
        QVERIFY(Near(ColourAt(page, InchesToPx(7.5), band + h / 2), PlatformColor(ButtonFaceColor)));
        QVERIFY(Near(ColourAt(page, InchesToPx(7.5), band - h / 2), Qt::white));
        QVERIFY(Near(ColourAt(page, InchesToPx(8.2), band + h / 2), Qt::white));
        // One line below the band the notice, then nothing down to the footer 10 in from the top.
        QVERIFY(HasInk(page, QRect(InchesToPx(0.52), band + h, InchesToPx(3.0), h)));
        QVERIFY(!HasInk(page, QRect(0, band + 2 * h + 2, page.width(), InchesToPx(10.0) - band - 2 * h - 4)));
        QVERIFY(HasInk(page, QRect(InchesToPx(3.0), InchesToPx(10.0), InchesToPx(2.5), h)));
        const int belowFooter = InchesToPx(10.0) + h + 2;
        QVERIFY(!HasInk(page, QRect(0, belowFooter, page.width(), page.height() - belowFooter)));

        const PrintedJob printed = PrintJob(false, [&] { runSingle(room, Wednesday); });
        QCOMPARE(printed.pageCount, 1);
        const QString text = printed.pageTexts.value(0);
        for (const QString &expected : {QStringLiteral("Meeting Room One"), QStringLiteral("01/10/2024"),
                                        QStringLiteral("Page: 1"),
                                        QStringLiteral("Printed: ") + TimeValue::toShortDateText(TimeValue::today()),
                                        QStringLiteral("Scheduled Time Reserved By Notes"), NoSchedules, Footer})
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" missing from: ") + text));
    }

    void bookingsAreListedInStartTimeOrder()
    {
        ReportSite site;
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        site.book(room, Wednesday, Clock(14), Clock(15, 30), QStringLiteral("BOB"), QStringLiteral("Budget; review"));
        site.book(room, Wednesday, Clock(9), Clock(10), QStringLiteral("alice"), QStringLiteral("Interviews"));
        site.book(room, Wednesday, Clock(11), Clock(12), QStringLiteral("GONE"));
        const PrintedJob printed = PrintJob(false, [&] { runSingle(room, Wednesday); });

        QCOMPARE(printed.pageCount, 1);
        const QString text = printed.pageTexts.value(0);
        auto line = [](double start, double end, const QString &rest) {
            return LongTimeText(start) + QStringLiteral(" ... ") + LongTimeText(end) + QLatin1Char(' ') + rest;
        };
        const QStringList lines = {line(Clock(9), Clock(10), QStringLiteral("Alice Martin Interviews")),
                                   line(Clock(11), Clock(12), QStringLiteral("User Deleted")),
                                   line(Clock(14), Clock(15, 30), QStringLiteral("Bob Stone Budget; review")), Footer};
        qsizetype previous = text.indexOf(QStringLiteral("Scheduled Time"));
        for (const QString &line : lines) {
            const qsizetype at = text.indexOf(line);
            QVERIFY2(at > previous, qPrintable(line + QStringLiteral(" out of place in: ") + text));
            previous = at;
        }
        QVERIFY(!text.contains(NoSchedules));
    }

    void eachDayOfARangeHasItsOwnPage()
    {
        ReportSite site;
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        site.book(room, Wednesday + 1, Clock(9), Clock(10), QStringLiteral("ALICE"));
        const PreviewedJob previewed = PreviewJob(false, [&] { runDays(room, Wednesday, Wednesday + 2); });
        QCOMPARE(previewed.files, (QStringList{QStringLiteral("1.jpg"), QStringLiteral("2.jpg"), QStringLiteral("3.jpg")}));

        const PrintedJob printed = PrintJob(false, [&] { runDays(room, Wednesday, Wednesday + 2); });
        QCOMPARE(printed.pageCount, 3);
        const QStringList days = {QStringLiteral("01/10/2024"), QStringLiteral("01/11/2024"), QStringLiteral("01/12/2024")};
        for (int i = 0; i < 3; ++i) {
            const QString text = printed.pageTexts.value(i);
            QVERIFY2(text.contains(QStringLiteral("Meeting Room One 01/10/2024 - 01/12/2024 Page: %1").arg(i + 1)), qPrintable(text));
            QVERIFY2(text.contains(days.at(i) + QStringLiteral(" Scheduled Time Reserved By Notes")), qPrintable(text));
            const bool booked = i == 1;
            QCOMPARE(text.contains(QStringLiteral("Alice Martin")), booked);
            QCOMPARE(text.contains(NoSchedules), !booked);
            QCOMPARE(text.contains(Footer), booked);   // a day without bookings has no footer
        }
    }

    void landscapeWidensThePrintedWidth()
    {
        ReportSite site;
        SystemSettings.Landscape = true;
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        const PreviewedJob job = PreviewJob(true, [&] { runSingle(room, Wednesday); });

        const QImage &page = job.pages.at(0);
        QCOMPARE(page.size(), QSize(1056, 816));
        const int band = HeadingTop(10);
        QVERIFY(Near(ColourAt(page, InchesToPx(10.3), band + LineHeight(10) / 2), PlatformColor(ButtonFaceColor)));
        const QRect title = QRect(0, 0, page.width(), LineHeight(24));
        int left = page.width(), right = 0;
        for (int x = 0; x < page.width(); ++x)
            if (HasInk(page, QRect(x, title.top(), 1, title.height()))) {
                left = std::min(left, x);
                right = x;
            }
        QVERIFY2(qAbs((left + right) / 2 - InchesToPx(5.5)) <= 3, qPrintable(QString::number((left + right) / 2)));
        // The footer is 7.5 in down the landscape page.
        QVERIFY(HasInk(page, QRect(InchesToPx(4.0), InchesToPx(7.5), InchesToPx(3.0), LineHeight(10))));
    }

    void lineThatStartsAPageGoesBelowTheRepeatedHeadings_data()
    {
        QTest::addColumn<bool>("range");
        QTest::newRow("one day") << false;
        QTest::newRow("range of days") << true;
    }

    void lineThatStartsAPageGoesBelowTheRepeatedHeadings()
    {
        QFETCH(bool, range);
        ReportSite site;
        // The separator column apart from every heading, so that each "..." marks one booking line.
        SystemSettings.ScheduleDots = 1.9;
        SystemSettings.ScheduleEndTime = 2.1;
        SystemSettings.ScheduleReservedBy = 3.2;
        SystemSettings.ScheduleNotes = 4.5;
        const int room = site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"));
        constexpr int Bookings = 70;
        for (int i = 0; i < Bookings; ++i)
            site.book(room, Wednesday, Clock(6, 5 * i), Clock(6, 5 * i + 5), i % 2 ? QStringLiteral("ALICE") : QStringLiteral("BOB"));

        const PreviewedJob job = PreviewJob(false, [&] {
            if (range)
                runDays(room, Wednesday, Wednesday + 1);
            else
                runSingle(room, Wednesday);
        });
        QCOMPARE(job.pageCount, range ? 3 : 2);

        const int h = LineHeight(10);
        const int band = range ? HeadingTop(10) + h + LineHeight(14, FontStyle::Bold | FontStyle::Italic) : HeadingTop(10);
        const QRect dots(InchesToPx(1.9), band + h + 2, InchesToPx(0.15), 1056 - band - h - 2);   // below the band's rules
        const QList<int> first = inkRunTops(job.pages.at(0), dots);
        const QList<int> second = inkRunTops(job.pages.at(1), dots);
        QCOMPARE(first.size() + second.size(), Bookings);
        QVERIFY(!second.isEmpty());
        QVERIFY2(second.first() >= band + h && second.first() < band + 2 * h, qPrintable(QString::number(second.first())));
        QVERIFY(Near(ColourAt(job.pages.at(1), InchesToPx(7.5), band + h / 2), PlatformColor(ButtonFaceColor)));
    }
};

QTEST_MAIN(TestListReports)
#include "tst_listreports.moc"

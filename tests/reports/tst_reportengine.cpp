// The page engine's arithmetic, as it shows on the pages a job produces.

#include "ReportJobs.h"

#include "platform/print/PrintError.h"
#include "platform/ui/MessageFrm.h"

#include <QLabel>
#include <QRegularExpression>

using namespace PageGeometry;

namespace {

constexpr int PaleYellow = 0x00C0FFFF;   // a platform colour value: 0x00BBGGRR

// The box around the dark pixels inside the area.
QRect inkBox(const QImage &page, const QRect &area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(page.pixel(x, y)) < 100)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

private slots:
    void inchesBecomePixelsWithinThePrintableWidth_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("leftOffset");
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<double>("inches");
        QTest::addColumn<int>("x");
        QTest::newRow("left of the unprintable margin") << 600 << 100 << 4900 << 0.1 << 0;
        QTest::newRow("inside, less the margin") << 600 << 100 << 4900 << 1.0 << 500;
        QTest::newRow("right of the drawable width") << 600 << 100 << 4900 << 9.0 << 4900;
        QTest::newRow("no width known yet") << 600 << 100 << 0 << 9.0 << 5300;
        QTest::newRow("fractions are cut off") << 96 << 0 << 816 << 0.52 << 49;
        QTest::newRow("the right edge itself") << 96 << 0 << 816 << 8.5 << 816;
    }

    void inchesBecomePixelsWithinThePrintableWidth()
    {
        QFETCH(int, dpi);
        QFETCH(int, leftOffset);
        QFETCH(int, pageWidth);
        QFETCH(double, inches);
        QFETCH(int, x);
        TReportPreviewForm surface(nullptr);
        surface.DpiX = surface.DpiY = dpi;
        surface.LeftOffset = leftOffset;
        surface.PageWidthPx = pageWidth;
        QCOMPARE(surface.InchesToX(inches), x);
        // Vertical positions are neither offset nor clamped.
        QCOMPARE(surface.InchesToY(inches), int(dpi * inches));
    }

    void previewPagesAreLetterSizeAtScreenResolution_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QSize>("size");
        QTest::newRow("portrait") << false << QSize(816, 1056);
        QTest::newRow("landscape") << true << QSize(1056, 816);
    }

    void previewPagesAreLetterSizeAtScreenResolution()
    {
        QFETCH(bool, landscape);
        QFETCH(QSize, size);
        const PreviewedJob job = PreviewJob(landscape, [] {});
        // A job with nothing in it still gives its one, blank page, stored as 1.jpg.
        QCOMPARE(job.files, QStringList{QStringLiteral("1.jpg")});
        QCOMPARE(job.pages.size(), 1);
        QCOMPARE(job.pages.at(0).size(), size);
        QVERIFY(IsBlank(job.pages.at(0)));
    }

    // With 20-pixel lines on a 1000-pixel page, lines start at 0, 20, ..., 960, and the advance
    // from 960 begins a new page; here the same with the report font's own line height h on a
    // page 50 h high.
    void lineThatWouldReachTheFootStartsANewPage()
    {
        PreviewCapture capture;
        TReportPreviewForm surface(nullptr);
        ReportPreviewForm = &surface;
        surface.BeginReport(rtPreview, false);
        QVERIFY(surface.PageStarted);   // the first page header is drawn on a page just started
        surface.SetFont(10);
        const int h = surface.LineHeight();
        surface.PageHeightPx = 50 * h;

        QList<int> tops;
        surface.NewLine();
        QVERIFY(!surface.PageStarted);
        while (surface.PageCount == 1) {
            tops << surface.LineTop;
            QCOMPARE(surface.SpaceLeft, 50 * h - h - surface.LineTop);
            QVERIFY(!QFile::exists(surface.PageFileName(1)));
            surface.NewLine();
        }
        QCOMPARE(tops.first(), h);
        QCOMPARE(tops.last(), 48 * h);
        QCOMPARE(tops.size(), 48);
        // The advance to 49 h leaves no room for a line: page 2 begins at its top, and page 1 is
        // stored at that moment.
        QCOMPARE(surface.PageCount, 2);
        QCOMPARE(surface.LineTop, 0);
        QVERIFY(surface.PageStarted);
        QVERIFY(QFile::exists(surface.PageFileName(1)));

        surface.EndReport();
        ReportPreviewForm = nullptr;
        QCOMPARE(capture.jobs.value(0).files, (QStringList{QStringLiteral("1.jpg"), QStringLiteral("2.jpg")}));
    }

    void textSitsAQuarterLineBelowTheLineTop_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("8 points") << 8;
        QTest::newRow("10 points") << 10;
        QTest::newRow("24 points") << 24;
    }

    void textSitsAQuarterLineBelowTheLineTop()
    {
        QFETCH(int, size);
        int lineTop = 0, lineHeight = 0, textOffset = 0;
        const PreviewedJob job = PreviewJob(false, [&] {
            TReportPageEngine &page = *ReportPreviewForm;
            page.SetFont(size);
            page.SetLinePos(3.0);
            lineTop = page.LineTop;
            lineHeight = page.LineHeight();
            textOffset = page.TextOffset;
            page.FillBand(PaleYellow, 1.0, 4.0);
            page.TextAtLeft(QStringLiteral("Qq"), 1.5);
            page.DrawTextAt(page.InchesToX(5.0), page.LineTop, QStringLiteral("Qq"));   // the same, on the line top
        });
        QCOMPARE(textOffset, lineHeight / 4);
        QCOMPARE(lineTop, 288);
        const QImage &page = job.pages.at(0);
        QVERIFY(Near(ColourAt(page, InchesToPx(3.5), lineTop + lineHeight / 2), QColor(0xFF, 0xFF, 0xC0)));
        QVERIFY(Near(ColourAt(page, InchesToPx(4.1), lineTop + lineHeight / 2), Qt::white));
        const QRect text = inkBox(page, QRect(InchesToPx(1.4), lineTop - lineHeight, InchesToPx(1.0), 3 * lineHeight));
        const QRect onTop = inkBox(page, QRect(InchesToPx(4.9), lineTop - lineHeight, InchesToPx(1.0), 3 * lineHeight));
        QVERIFY(!text.isEmpty() && !onTop.isEmpty());
        QVERIFY2(qAbs(text.top() - onTop.top() - textOffset) <= 1,
                 qPrintable(QStringLiteral("ink from %1, on the line top from %2").arg(text.top()).arg(onTop.top())));
        QVERIFY(onTop.top() >= lineTop);
    }

    void textIsAlignedToItsPositions()
    {
        const QString text = QStringLiteral("Printed: 01/02/2024");
        int lineTop = 0, lineHeight = 0;
        const PreviewedJob job = PreviewJob(false, [&] {
            TReportPageEngine &page = *ReportPreviewForm;
            page.SetFont(12);
            page.SetLinePos(1.0);
            lineTop = page.LineTop;
            lineHeight = page.LineHeight();
            page.TextAtRight(text, 8.0);
            page.SetLinePos(2.0);
            page.TextCentred(text, 0.5, 8.0);
        });
        const QImage &page = job.pages.at(0);
        const QRect right = inkBox(page, QRect(0, lineTop, page.width(), lineHeight));
        QVERIFY(right.right() <= InchesToPx(8.0) && right.right() >= InchesToPx(8.0) - 4);
        const QRect centred = inkBox(page, QRect(0, InchesToPx(2.0), page.width(), lineHeight));
        QVERIFY(qAbs(centred.center().x() - (InchesToPx(0.5) + InchesToPx(8.0)) / 2) <= 3);
    }

    void rulesRunAlongAndDownTheCurrentLine()
    {
        int lineTop = 0, lineHeight = 0;
        const PreviewedJob job = PreviewJob(false, [&] {
            TReportPageEngine &page = *ReportPreviewForm;
            page.SetFont(10);
            page.SetLinePos(5.0);
            lineTop = page.LineTop;
            lineHeight = page.LineHeight();
            page.SetPen(1, BlackColor, Qt::SolidLine);
            page.RuleAcross(true, 0.5, 8.0);
            page.RuleAcross(false, 0.5, 4.0);
            page.RuleDown(6.0);
        });
        const QImage &page = job.pages.at(0);
        const int middle = lineTop + lineHeight / 2;
        QVERIFY(HasInk(page, QRect(InchesToPx(7.0), lineTop - 1, 1, 3)));
        QVERIFY(HasInk(page, QRect(InchesToPx(3.0), lineTop + lineHeight - 1, 1, 3)));
        QVERIFY(!HasInk(page, QRect(InchesToPx(5.0), lineTop + lineHeight - 1, 1, 3)));
        QVERIFY(HasInk(page, QRect(InchesToPx(6.0) - 1, middle, 3, 1)));
        QVERIFY(!HasInk(page, QRect(InchesToPx(6.0) - 1, lineTop + lineHeight + 4, 3, 1)));
    }

    void footerPositionIsMeasuredFromTheNominalPageBottom_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("lineTop");
        QTest::newRow("portrait: 10 in down") << false << 960;
        QTest::newRow("landscape: 7.5 in down") << true << 720;
    }

    void footerPositionIsMeasuredFromTheNominalPageBottom()
    {
        QFETCH(bool, landscape);
        QFETCH(int, lineTop);
        PreviewJob(landscape, [&] {
            ReportPreviewForm->SetLinePosFromBottom(1.0);
            QCOMPARE(ReportPreviewForm->LineTop, lineTop);
        });
    }

    void noticeTellsWhichPageIsBeingSent()
    {
        QStringList messages;
        auto noticeText = [] { return MessageForm ? MessageForm->windowTitle() + QLatin1Char('|') + MessageForm->Label1->text() : QString(); };
        PreviewJob(false, [&] {
            messages << noticeText();
            ReportPreviewForm->NewPage();
            ReportPreviewForm->NewPage();
            messages << noticeText();
        });
        QCOMPARE(messages, (QStringList{QStringLiteral("Print Reports|Sending Page: 1 To Preview."),
                                        QStringLiteral("Print Reports|Sending Page: 3 To Preview.")}));
        QVERIFY(!MessageForm);
    }

    void printerJobUsesThePrintersResolutionMarginsAndTheReportsOrientation()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("job.pdf"));
        PrintToPdf(file);
        QPrinter &printer = ProgramPrinter();
        printer.setPageMargins(QMarginsF(0.25, 0.5, 0.25, 0.5), QPageLayout::Inch);
        printer.setPageOrientation(QPageLayout::Landscape);   // as a print dialog might leave it

        QString notice;
        TReportPreviewForm surface(nullptr);
        ReportPreviewForm = &surface;
        surface.BeginReport(rtPrinter, false);
        const int dpi = surface.DpiX;
        QCOMPARE(surface.DpiY, dpi);
        QCOMPARE(surface.LeftOffset, int(0.25 * dpi));
        QCOMPARE(surface.TopOffset, int(0.5 * dpi));
        QCOMPARE(surface.PageWidthPx, int(8.5 * dpi) - 2 * surface.LeftOffset);
        QCOMPARE(surface.PageHeightPx, 11 * dpi - 2 * surface.TopOffset);
        QCOMPARE(surface.InchesToX(0.1), 0);
        QCOMPARE(surface.InchesToX(1.0), dpi - surface.LeftOffset);
        surface.SetFont(12);
        surface.TextAtLeft(QStringLiteral("Quorvel page one"), 1.0);
        surface.NewPage();
        notice = MessageForm->Label1->text();
        surface.TextAtLeft(QStringLiteral("Quorvel page two"), 1.0);
        surface.EndReport();
        ReportPreviewForm = nullptr;
        printer.setPageMargins(QMarginsF());

        QCOMPARE(notice, QStringLiteral("Sending Page: 2 To Printer."));
        const PrintedJob job = ReadPdf(file);
        QCOMPARE(job.pageCount, 2);
        QVERIFY(job.pageTexts.value(0).contains(QStringLiteral("Quorvel page one")));
        QVERIFY(job.pageTexts.value(1).contains(QStringLiteral("Quorvel page two")));
        const QString info = RunTool(QStringLiteral("pdfinfo"), {file});
        QVERIFY2(info.contains(QStringLiteral("612 x 792 pts")), qPrintable(info));   // portrait Letter
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Quorvel\n"))), qPrintable(info));
    }

    void printerThatRefusesTheJobRaisesAnError()
    {
        QTemporaryDir folder;
        PrintToPdf(folder.filePath(QStringLiteral("missing/job.pdf")));
        {
            TReportPreviewForm surface(nullptr);
            try {
                surface.BeginReport(rtPrinter, false);
                QFAIL("the job began");
            } catch (const EPrintError &error) {
                QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("missing/job.pdf")), error.what());
            }
        }
        QVERIFY(!MessageForm);
    }

    void pageFileThatCannotBeWrittenRaisesAnError()
    {
        TReportPreviewForm surface(nullptr);
        surface.BeginReport(rtPreview, false);
        QVERIFY(QDir(surface.PageDir).removeRecursively());
        QVERIFY_THROWS_EXCEPTION(EPrintError, surface.NewPage());
    }

    void abandonedJobLeavesNoPageFilesBehind()
    {
        QString folder;
        {
            TReportPreviewForm surface(nullptr);
            ReportPreviewForm = &surface;
            surface.BeginReport(rtPreview, false);
            surface.NewPage();
            folder = surface.PageDir;
            QVERIFY(QFile::exists(surface.PageFileName(1)));
            ReportPreviewForm = nullptr;
        }
        QVERIFY(!QDir(folder).exists());
        QVERIFY(!MessageForm);
    }
};

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"

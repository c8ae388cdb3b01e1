// The preview window: stepping through the pages of a job, placing the page, and the page files
// going when it closes.

#include "ReportJobs.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace PageGeometry;

namespace {

constexpr int Blue = 0x00FF0000;   // platform colour value

// A job of the given number of pages, each showing its number in bars down the left edge.
void drawNumberedPages(int pages)
{
    TReportPageEngine &page = *ReportPreviewForm;
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            page.NewPage();
        page.SetFont(10);
        for (int bar = 0; bar < n; ++bar) {
            page.SetLinePos(1.0 + bar);
            page.FillBand(BlackColor, 0.5, 1.0);
        }
    }
}

int barsOnShownPage(const TReportPreviewForm &preview)
{
    const QImage shown = preview.Image1->pixmap().toImage();
    int bars = 0;
    for (int bar = 0; bar < 5; ++bar)
        bars += HasInk(shown, QRect(InchesToPx(0.75), InchesToPx(1.0 + bar) + 2, 1, 1));
    return bars;
}

struct ButtonStates
{
    int page;
    bool next;
    bool previous;
};

} // namespace

class TestReportPreview : public QObject
{
    Q_OBJECT

private slots:
    void buttonsFollowThePageOnShow_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<QList<int>>("expected");   // per page shown: page, next enabled, previous enabled
        QTest::newRow("one page") << 1 << QList<int>{1, 0, 0};
        QTest::newRow("three pages") << 3 << QList<int>{1, 1, 0, 2, 1, 1, 3, 0, 1, 2, 1, 1};
    }

    void buttonsFollowThePageOnShow()
    {
        QFETCH(int, pages);
        QFETCH(QList<int>, expected);
        QList<int> seen;
        QStringList pageDirs;
        ModalScript script([&](QDialog &dialog) {
            auto &preview = dynamic_cast<TReportPreviewForm &>(dialog);
            [&] {
                pageDirs << preview.PageDir;
                preview.show();
                QCOMPARE(preview.windowTitle(), QStringLiteral("Report Preview"));
                auto record = [&] {
                    seen << preview.ShownPage << preview.NextBtn->isEnabled() << preview.PreviousBtn->isEnabled();
                    QCOMPARE(barsOnShownPage(preview), preview.ShownPage);
                };
                record();
                while (preview.NextBtn->isEnabled()) {
                    QTest::mouseClick(preview.NextBtn, Qt::LeftButton);
                    record();
                }
                if (preview.PreviousBtn->isEnabled()) {
                    QTest::mouseClick(preview.PreviousBtn, Qt::LeftButton);
                    record();
                }
                QTest::mouseClick(preview.BitBtn1, Qt::LeftButton);
            }();
            return preview.result();
        });
        RunJob(rtPreview, false, [&] { drawNumberedPages(pages); });
        QCOMPARE(seen, expected);
        QCOMPARE(pageDirs.size(), 1);
        QVERIFY(!QDir(pageDirs.at(0)).exists());
    }

    void shownPageIsTheStoredJpeg()
    {
        ModalScript script([](QDialog &dialog) {
            auto &preview = dynamic_cast<TReportPreviewForm &>(dialog);
            [&] {
                preview.show();
                const QImage stored = LoadJpeg(preview.PageFileName(1));
                QCOMPARE(preview.Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB888), stored);
                QCOMPARE(preview.Image1->size(), QSize(816, 1056));
                preview.close();
            }();
            return 0;
        });
        RunJob(rtPreview, false, [] { drawNumberedPages(1); });
        QCOMPARE(script.shown, QStringList{QStringLiteral("TReportPreviewForm")});
    }

    void pageIsCentredWhenTheWindowIsWiderAndScrolledWhenNarrower()
    {
        ModalScript script([](QDialog &dialog) {
            auto &preview = dynamic_cast<TReportPreviewForm &>(dialog);
            [&] {
                QCOMPARE(preview.size(), QSize(614, 358));
                QCOMPARE(preview.Panel1->height(), 41);
                preview.show();
                preview.resize(1400, 600);
                QApplication::processEvents();
                const int viewport = preview.ScrollBox1->viewport()->width();
                QVERIFY(viewport > 816);
                QVERIFY(qAbs(preview.Image1->x() - (viewport - 816) / 2) <= 1);
                QVERIFY(!preview.ScrollBox1->horizontalScrollBar()->isVisible());

                preview.resize(500, 600);
                QApplication::processEvents();
                QCOMPARE(preview.Image1->x(), 0);
                QVERIFY(preview.ScrollBox1->horizontalScrollBar()->isVisible());
                preview.reject();
            }();
            return 0;
        });
        RunJob(rtPreview, false, [] { drawNumberedPages(1); });
    }

    void closingByEscapeDeletesThePageFilesToo()
    {
        QString folder;
        QStringList filesWhileOpen;
        ModalScript script([&](QDialog &dialog) {
            auto &preview = dynamic_cast<TReportPreviewForm &>(dialog);
            [&] {
                folder = preview.PageDir;
                filesWhileOpen = QDir(folder).entryList(QDir::Files, QDir::Name);
                preview.show();
                QTest::keyClick(&preview, Qt::Key_Escape);
            }();
            return preview.result();
        });
        RunJob(rtPreview, false, [] { drawNumberedPages(2); });
        QCOMPARE(filesWhileOpen, (QStringList{QStringLiteral("1.jpg"), QStringLiteral("2.jpg")}));
        QVERIFY(!QDir(folder).exists());
    }

    // Opened before any job has drawn a page, the window shows nothing and offers no page to step to.
    void withoutAJobShowsNoPage()
    {
        TReportPreviewForm preview(nullptr);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QCOMPARE(preview.ShownPage, 0);
        QVERIFY(preview.Image1->pixmap().isNull());
        QVERIFY(!preview.NextBtn->isEnabled());
        QVERIFY(!preview.PreviousBtn->isEnabled());
        QTest::mouseClick(preview.BitBtn1, Qt::LeftButton);
        QVERIFY(!preview.isVisible());
    }

    void twoJobsAtOnceKeepTheirOwnPages()
    {
        TReportPreviewForm first(nullptr);
        TReportPreviewForm second(nullptr);
        first.BeginReport(rtPreview, false);
        second.BeginReport(rtPreview, false);
        QVERIFY(first.PageDir != second.PageDir);
        QVERIFY(first.PageDir.startsWith(QDir::toNativeSeparators(QDir::tempPath())));

        first.SetLinePos(2.0);
        first.FillBand(Blue, 1.0, 7.0);
        first.NewPage();
        second.NewPage();
        QCOMPARE(QFileInfo(first.PageFileName(1)).fileName(), QStringLiteral("1.jpg"));
        QCOMPARE(QFileInfo(second.PageFileName(1)).fileName(), QStringLiteral("1.jpg"));
        QVERIFY(Near(ColourAt(LoadJpeg(first.PageFileName(1)), InchesToPx(4.0), InchesToPx(2.0) + 5), Qt::blue, 40));
        QVERIFY(IsBlank(LoadJpeg(second.PageFileName(1))));

        first.reject();   // the first preview closes while the second is still open
        QVERIFY(!QFile::exists(first.PageFileName(1)));
        QVERIFY(QFile::exists(second.PageFileName(1)));
        second.reject();
    }
};

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"

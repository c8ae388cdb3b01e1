// Drawing in device pixels on a page bitmap: report text, bands and rules land where asked.

#include "platform/print/Canvas.h"
#include "platform/print/PageBitmap.h"

#include <QFontInfo>
#include <QTest>

namespace {

const QString ReportFace = QStringLiteral("Times New Roman");
const QColor Band(0xC0, 0xE0, 0xFF);

bool isDark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// The rows and columns holding dark pixels: the ink's bounding box.
QRect inkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isDark(image, x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestCanvas : public QObject
{
    Q_OBJECT

private slots:
    void reportFaceResolvesToAMetricCompatibleFont()
    {
        QImage page = NewPageBitmap(10, 10);
        TCanvas canvas;
        QVERIFY(canvas.Begin(page));
        canvas.SetFont(ReportFace, 12, Qt::black, {});
        QCOMPARE(QFontInfo(canvas.Font()).family(), QStringLiteral("Liberation Serif"));
    }

    void pageBitmapIsWhiteAtScreenResolution()
    {
        const QImage page = NewPageBitmap(816, 1056);
        QCOMPARE(page.size(), QSize(816, 1056));
        QCOMPARE(page.logicalDpiX(), 96);
        QCOMPARE(page.logicalDpiY(), 96);
        QCOMPARE(page.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(page.pixelColor(815, 1055), QColor(Qt::white));
    }

    void textHangsBelowItsPositionOnATransparentBackground()
    {
        QImage page = NewPageBitmap(400, 100);
        TCanvas canvas;
        QVERIFY(canvas.Begin(page));
        canvas.FillRect(0, 0, 400, 100, Band);
        canvas.SetFont(ReportFace, 20, Qt::black, {});
        canvas.TextOut(50, 30, QStringLiteral("Qq"));
        canvas.End();

        const QRect ink = inkBox(page);
        QVERIFY(!ink.isEmpty());
        QVERIFY2(ink.top() >= 30 && ink.bottom() < 30 + canvas.TextHeight(), qPrintable(QString::number(ink.top())));
        QVERIFY(ink.left() >= 50 && ink.left() < 55);
        QCOMPARE(page.pixelColor(51, 31), Band);   // around the letters the band shows through
    }

    void textIsMeasuredOnTheDeviceDrawnOn()
    {
        const QString text = QStringLiteral("There are no schedules for this resource for this date");
        QImage screen = NewPageBitmap(10, 10);
        QImage fine = NewPageBitmap(10, 10);
        fine.setDotsPerMeterX(screen.dotsPerMeterX() * 4);
        fine.setDotsPerMeterY(screen.dotsPerMeterY() * 4);
        TCanvas canvas;
        canvas.SetFont(ReportFace, 10, Qt::black, {});
        QVERIFY(canvas.Begin(screen));
        const int screenWidth = canvas.TextWidth(text);
        const int screenHeight = canvas.TextHeight();
        QVERIFY(canvas.Begin(fine));
        // Glyph widths are rounded per device, so the sizes scale with the resolution only nearly.
        QVERIFY(qAbs(canvas.TextWidth(text) / double(screenWidth) - 4.0) < 0.15);
        QVERIFY(qAbs(canvas.TextHeight() / double(screenHeight) - 4.0) < 0.25);
        // The font stays with the canvas from one device to the next.
        QCOMPARE(canvas.Font().pointSize(), 10);
    }

    void fillLeavesOutItsRightAndBottomEdgesAndLinesUseThePen()
    {
        QImage page = NewPageBitmap(40, 40);
        TCanvas canvas;
        QVERIFY(canvas.Begin(page));
        canvas.FillRect(10, 10, 20, 20, Band);
        canvas.SetPen(1, Qt::black, Qt::SolidLine);
        canvas.Line(30, 5, 30, 35);
        canvas.End();
        QCOMPARE(page.pixelColor(10, 10), Band);
        QCOMPARE(page.pixelColor(19, 19), Band);
        QCOMPARE(page.pixelColor(20, 20), QColor(Qt::white));
        QCOMPARE(page.pixelColor(30, 20), QColor(Qt::black));
        QCOMPARE(page.pixelColor(29, 20), QColor(Qt::white));
    }
};

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"

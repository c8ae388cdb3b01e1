// Page images stored and read back as JPEG files through the IJG library.

#include "platform/print/JpegFile.h"
#include "platform/print/PageBitmap.h"
#include "platform/print/PrintError.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QList<QColor> Blocks = {Qt::red, Qt::darkGreen, Qt::blue, QColor(0xEF, 0xEF, 0xEF), Qt::black, Qt::yellow};
constexpr int BlockSize = 32;

QImage colourBlocks()
{
    QImage image = NewPageBitmap(BlockSize * int(Blocks.size()), BlockSize);
    QPainter painter(&image);
    for (qsizetype i = 0; i < Blocks.size(); ++i)
        painter.fillRect(int(i) * BlockSize, 0, BlockSize, BlockSize, Blocks.at(i));
    return image;
}

// JPEG keeps flat areas within a few levels of their colour.
bool near(const QColor &a, const QColor &b)
{
    constexpr int Tolerance = 12;
    return qAbs(a.red() - b.red()) <= Tolerance && qAbs(a.green() - b.green()) <= Tolerance
        && qAbs(a.blue() - b.blue()) <= Tolerance;
}

} // namespace

class TestJpegFile : public QObject
{
    Q_OBJECT

private slots:
    void imageComesBackWithItsSizeAndColours()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("1.jpg"));
        SaveJpeg(file, colourBlocks());
        QByteArray start;
        {
            QFile stored(file);
            QVERIFY(stored.open(QIODevice::ReadOnly));
            start = stored.read(3);
        }
        QCOMPARE(start, QByteArray("\xFF\xD8\xFF"));   // a JPEG stream, whatever the name says

        const QImage loaded = LoadJpeg(file);
        QCOMPARE(loaded.size(), QSize(BlockSize * int(Blocks.size()), BlockSize));
        for (qsizetype i = 0; i < Blocks.size(); ++i) {
            const QColor centre = loaded.pixelColor(int(i) * BlockSize + BlockSize / 2, BlockSize / 2);
            QVERIFY2(near(centre, Blocks.at(i)), qPrintable(QStringLiteral("block %1 came back as %2").arg(i).arg(centre.name())));
        }
    }

    void failedSaveRaisesAnErrorAndLeavesNoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("emptyImage");
        QTest::newRow("folder missing") << QStringLiteral("missing/1.jpg") << false;
        QTest::newRow("name is a folder") << QStringLiteral("taken") << false;
        // The library itself refuses: its error exit must come back as an error, not end the program.
        QTest::newRow("library refuses the image") << QStringLiteral("1.jpg") << true;
    }

    void failedSaveRaisesAnErrorAndLeavesNoFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, emptyImage);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("taken")));
        const QString file = folder.filePath(name);
        try {
            SaveJpeg(file, emptyImage ? QImage() : colourBlocks());
            QFAIL("the save did not fail");
        } catch (const EPrintError &error) {
            QVERIFY2(QString::fromUtf8(error.what()).contains(file), error.what());
        }
        QVERIFY(!QFileInfo(file).isFile());
        // The program goes on: the next save works.
        SaveJpeg(folder.filePath(QStringLiteral("2.jpg")), colourBlocks());
        QVERIFY(QFileInfo(folder.filePath(QStringLiteral("2.jpg"))).size() > 0);
    }

    void unreadableFileRaisesAnError_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("not a JPEG") << QByteArray("These are not the pages you are looking for.");
    }

    void unreadableFileRaisesAnError()
    {
        QFETCH(QByteArray, contents);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("1.jpg"));
        if (!contents.isEmpty()) {
            QFile text(file);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write(contents);
        }
        QVERIFY_THROWS_EXCEPTION(EPrintError, LoadJpeg(file));
    }
};

QTEST_GUILESS_MAIN(TestJpegFile)
#include "tst_jpegfile.moc"

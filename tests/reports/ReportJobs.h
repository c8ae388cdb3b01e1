#pragma once

// Running report jobs in tests and reading back what they put on the page: the page files of a
// preview (as images) and the text of a job printed to a PDF file.

#include "platform/print/Canvas.h"
#include "platform/print/JpegFile.h"
#include "platform/print/PageBitmap.h"
#include "platform/print/ProgramPrinter.h"
#include "reports/ReportPreviewFrm.h"
#include "support/ScriptedDialogs.h"

#include <QDialog>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

// What a preview job left for the preview window to show.
struct PreviewedJob
{
    int pageCount = 0;
    QString pageDir;
    QStringList files;       // the names in the job's page folder
    QList<QImage> pages;     // page 1 first, as stored
};

// While it lives, every preview window is closed at once like a user would, after its pages were
// read, and every print dialog is answered with printAnswer.
class PreviewCapture
{
public:
    PreviewCapture() : m_script([this](QDialog &dialog) { return run(dialog); }) {}

    QList<PreviewedJob> jobs;
    int printAnswer = QDialog::Accepted;
    QStringList shown() const { return m_script.shown; }

private:
    int run(QDialog &dialog)
    {
        if (qobject_cast<QPrintDialog *>(&dialog))
            return printAnswer;
        auto *surface = qobject_cast<TReportPreviewForm *>(&dialog);
        if (!surface)
            return QDialog::Rejected;
        PreviewedJob job;
        job.pageCount = surface->PageCount;
        job.pageDir = surface->PageDir;
        job.files = QDir(surface->PageDir).entryList(QDir::Files, QDir::Name);
        for (int page = 1; page <= surface->PageCount; ++page)
            job.pages << LoadJpeg(surface->PageFileName(page));
        jobs << job;
        surface->reject();
        return QDialog::Rejected;
    }

    ModalScript m_script;
};

// Runs one job on a fresh surface: produce draws the reports between BeginReport and EndReport.
inline void RunJob(int target, bool landscape, const std::function<void()> &produce)
{
    TReportPreviewForm surface(nullptr);
    ReportPreviewForm = &surface;
    surface.BeginReport(target, landscape);
    produce();
    surface.EndReport();
    ReportPreviewForm = nullptr;
}

inline PreviewedJob PreviewJob(bool landscape, const std::function<void()> &produce)
{
    PreviewCapture capture;
    RunJob(rtPreview, landscape, produce);
    return capture.jobs.value(0);
}

// A printed job: its PDF's page count and the text of each page.
struct PrintedJob
{
    int pageCount = 0;
    QStringList pageTexts;
};

inline QString RunTool(const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        qFatal("%s is missing: install poppler-utils (scripts/install-deps.sh)", qPrintable(tool));
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(tool), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline PrintedJob ReadPdf(const QString &file)
{
    PrintedJob job;
    const QString info = RunTool(QStringLiteral("pdfinfo"), {file});
    for (const QString &line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            job.pageCount = line.mid(6).trimmed().toInt();
    QStringList pages = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (const QString &page : std::as_const(pages))
        job.pageTexts << page.simplified();
    return job;
}

// Points the run's printer at a PDF file on US Letter paper.
inline void PrintToPdf(const QString &file)
{
    QPrinter &printer = ProgramPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::Letter));
}

inline PrintedJob PrintJob(bool landscape, const std::function<void()> &produce)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("job.pdf"));
    PrintToPdf(file);
    RunJob(rtPrinter, landscape, produce);
    return ReadPdf(file);
}

// Where things stand on a 96-dpi page image.
namespace PageGeometry {

inline int InchesToPx(double inches)
{
    return int(PageBitmapDpi * inches);
}

inline int TextHeight(int points, FontStyles style = {})
{
    QImage probe = NewPageBitmap(1, 1);
    TCanvas canvas;
    if (!canvas.Begin(probe))
        qFatal("cannot draw on a page bitmap");
    canvas.SetFont(QStringLiteral("Times New Roman"), points, Qt::black, style);
    return canvas.TextHeight();
}

// A line is the height of its text and a third.
inline int LineHeight(int points, FontStyles style = {})
{
    const int text = TextHeight(points, style);
    return text + text / 3;
}

// The top of the column-heading line under the common page header.
inline int HeadingTop(int bodySize)
{
    return LineHeight(24) + LineHeight(14) + 3 * LineHeight(bodySize);
}

// The colour of the middle of a shaded area, averaged over a few pixels against JPEG noise.
inline QColor ColourAt(const QImage &page, int x, int y)
{
    int red = 0, green = 0, blue = 0, count = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QColor c = page.pixelColor(x + dx, y + dy);
            red += c.red();
            green += c.green();
            blue += c.blue();
            ++count;
        }
    return QColor(red / count, green / count, blue / count);
}

inline bool Near(const QColor &a, const QColor &b, int tolerance = 16)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

// Whether anything dark (text or rules) is drawn inside the rectangle.
inline bool HasInk(const QImage &page, const QRect &area)
{
    const QRect inside = area & page.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (qGray(page.pixel(x, y)) < 100)
                return true;
    return false;
}

inline bool IsBlank(const QImage &page)
{
    return !HasInk(page, page.rect());
}

} // namespace PageGeometry

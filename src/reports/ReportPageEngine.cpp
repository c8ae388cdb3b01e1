#include "reports/ReportPageEngine.h"

#include "platform/print/JpegFile.h"
#include "platform/print/PageBitmap.h"
#include "platform/print/PrintError.h"
#include "platform/print/ProgramPrinter.h"
#include "platform/sys/FilesAndClock.h"
#include "platform/ui/MessageFrm.h"
#include "schedule/ScheduleCell.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

const QString ReportFontName = QStringLiteral("Times New Roman");

QPrinter &printer()
{
    return ProgramPrinter();
}

// The printer as the user chose it: a printer's name, or the file printed to.
QString printerName()
{
    return printer().outputFileName().isEmpty() ? printer().printerName() : printer().outputFileName();
}

} // namespace

TReportPageEngine::TReportPageEngine(QWidget &noticeOwner) : m_noticeOwner(noticeOwner)
{
}

TReportPageEngine::~TReportPageEngine()
{
    AbandonPrintJob();
}

void TReportPageEngine::BeginReport(int target, bool landscape)
{
    LineTop = 0;
    PageCount = 1;
    LeftOffset = RightOffset = TopOffset = BottomOffset = 0;
    PageWidthPx = 0;
    Target = target;
    PageWidthInches = landscape ? 11.0 : 8.5;
    PageHeightInches = landscape ? 8.5 : 11.0;
    if (Target == rtPrinter)
        printer().setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    else
        CreatePageFolder();

    m_notice = std::make_unique<TProgressNotice>(&m_noticeOwner, QStringLiteral("Starting Print Job"));
    MessageForm->setWindowTitle(QStringLiteral("Print Reports"));
    SetFontName(ReportFontName);
    ReadDevice();
    if (Target == rtPrinter) {
        printer().setDocName(QStringLiteral("Quorvel"));
        if (!m_canvas.Begin(printer()))
            throw EPrintError(QStringLiteral("The printer %1 did not accept the print job").arg(printerName()));
    }
    ShowProgress();
}

void TReportPageEngine::CreatePageFolder()
{
    m_pageFolder = std::make_unique<QTemporaryDir>(FilesAndClock::TemporaryDirectory()
                                                   + QStringLiteral("Quorvel-report-XXXXXX"));
    if (!m_pageFolder->isValid())
        throw EPrintError(QStringLiteral("Could not make a folder for the report pages in %1: %2")
                              .arg(FilesAndClock::TemporaryDirectory(), m_pageFolder->errorString()));
    PageDir = QDir::toNativeSeparators(m_pageFolder->path()) + QDir::separator();
}

void TReportPageEngine::ReadDevice()
{
    PageStarted = false;
    if (Target == rtPrinter) {
        // Painting starts at the corner of the printable area; the margins are taken as symmetric.
        DpiX = printer().logicalDpiX();
        DpiY = printer().logicalDpiY();
        const QPageLayout layout = printer().pageLayout();
        const QRect paper = layout.fullRectPixels(printer().resolution());
        const QRect printable = layout.paintRectPixels(printer().resolution());
        TopOffset = BottomOffset = printable.top() - paper.top();
        LeftOffset = RightOffset = printable.left() - paper.left();
        PageWidthPx = paper.width() - LeftOffset - RightOffset;
        PageHeightPx = paper.height() - TopOffset - BottomOffset;
        return;
    }
    DpiX = DpiY = PageBitmapDpi;
    PageWidthPx = InchesToX(PageWidthInches);
    PageHeightPx = InchesToY(PageHeightInches);
    NewPageImage();
}

void TReportPageEngine::NewPage()
{
    if (Target == rtPrinter) {
        if (!printer().newPage())
            throw EPrintError(QStringLiteral("The printer could not start a new page"));
    } else {
        SavePageImage();
        NewPageImage();
    }
    LineTop = 0;
    ++PageCount;
    ShowProgress();
}

void TReportPageEngine::ShowProgress()
{
    if (m_notice)
        m_notice->SetMessage(QStringLiteral("Sending Page: %1 To%2")
                                 .arg(PageCount)
                                 .arg(Target == rtPrinter ? QStringLiteral(" Printer.") : QStringLiteral(" Preview.")));
    PageStarted = true;
}

void TReportPageEngine::EndReport()
{
    m_notice.reset();
    if (Target == rtPrinter) {
        if (!m_canvas.End())
            throw EPrintError(QStringLiteral("The print job could not be finished on %1").arg(printerName()));
        return;
    }
    SavePageImage();
    ShowPreview();
}

// A job left unfinished by an error is cancelled where the printer allows it.
void TReportPageEngine::AbandonPrintJob()
{
    if (Target == rtPrinter && m_canvas.Active())
        printer().abort();
    m_canvas.End();
}

int TReportPageEngine::InchesToX(double x) const
{
    const int px = int(DpiX * x) - LeftOffset;
    if (px < 0)
        return 0;
    if (PageWidthPx != 0 && px > PageWidthPx)
        return PageWidthPx;
    return px;
}

int TReportPageEngine::InchesToY(double y) const
{
    return int(DpiY * y);
}

// Text sits a quarter line below the line top; a line a third taller than the text keeps the
// descenders clear of the rule under the line.
int TReportPageEngine::LineHeight() const
{
    const int textHeight = m_canvas.TextHeight();
    return textHeight + textHeight / 3;
}

void TReportPageEngine::SetFontName(const QString &name)
{
    FontName = name;
    m_canvas.SetFontName(name);
    TextOffset = LineHeight() / 4;
}

void TReportPageEngine::SetFont(int size, int colour, FontStyles style)
{
    m_canvas.SetFont(FontName, size, PlatformColor(colour), style);
    TextOffset = LineHeight() / 4;
}

void TReportPageEngine::SetPen(int width, int colour, Qt::PenStyle style)
{
    m_canvas.SetPen(width, PlatformColor(colour), style);
}

void TReportPageEngine::NewLine()
{
    LineTop += LineHeight();
    SpaceLeft = PageHeightPx - LineHeight() - LineTop;
    if (PageHeightPx - LineHeight() > LineTop)
        PageStarted = false;
    else
        NewPage();
}

void TReportPageEngine::SetLinePos(double y)
{
    LineTop = InchesToY(y);
    SpaceLeft = PageHeightPx - LineHeight() - LineTop;
}

void TReportPageEngine::SetLinePosFromBottom(double d)
{
    SetLinePos(PageHeightInches - d);
}

void TReportPageEngine::DrawTextAt(int xPx, int yPx, const QString &text)
{
    m_canvas.TextOut(xPx, yPx, text);
}

void TReportPageEngine::TextAtLeft(const QString &text, double x)
{
    DrawTextAt(InchesToX(x), LineTop + TextOffset, text);
}

void TReportPageEngine::TextAtRight(const QString &text, double x)
{
    DrawTextAt(InchesToX(x) - m_canvas.TextWidth(text), LineTop + TextOffset, text);
}

void TReportPageEngine::TextCentred(const QString &text, double left, double right)
{
    const int l = InchesToX(left);
    const int r = InchesToX(right);
    DrawTextAt(l + (r - l) / 2 - m_canvas.TextWidth(text) / 2, LineTop + TextOffset, text);
}

void TReportPageEngine::FillBand(int colour, double left, double right)
{
    m_canvas.FillRect(InchesToX(left), LineTop, InchesToX(right), LineTop + LineHeight(), PlatformColor(colour));
}

void TReportPageEngine::RuleDown(double x)
{
    const int px = InchesToX(x);
    m_canvas.Line(px, LineTop, px, LineTop + LineHeight());
}

void TReportPageEngine::RuleAcross(bool atTop, double left, double right)
{
    const int y = atTop ? LineTop : LineTop + LineHeight();
    m_canvas.Line(InchesToX(left), y, InchesToX(right), y);
}

QString TReportPageEngine::PageFileName(int page) const
{
    return PageDir + QString::number(page) + QStringLiteral(".jpg");
}

void TReportPageEngine::RemovePageFiles()
{
    for (int page = 1; page <= PageCount; ++page)
        QFile::remove(PageFileName(page));
    if (m_pageFolder)
        m_pageFolder->remove();
}

void TReportPageEngine::NewPageImage()
{
    m_canvas.End();
    m_page = NewPageBitmap(PageWidthPx, PageHeightPx);
    if (!m_canvas.Begin(m_page))
        throw EPrintError(QStringLiteral("There is not enough memory for a page of %1 x %2 pixels")
                              .arg(PageWidthPx)
                              .arg(PageHeightPx));
}

void TReportPageEngine::SavePageImage()
{
    m_canvas.End();
    SaveJpeg(PageFileName(PageCount), m_page);
}

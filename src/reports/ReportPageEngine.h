#pragma once

#include "platform/print/Canvas.h"

#include <QImage>
#include <QString>
#include <memory>

class QTemporaryDir;
class QWidget;
class TProgressNotice;

// Where a report job goes.
enum TReportTarget { rtPreview = 0, rtPrinter = 1 };

// The platform colour value of black, the colour of all report text and rules.
constexpr int BlackColor = 0x00000000;

// The page engine the reports draw through: positions in inches become device pixels, it keeps the
// current line, breaks pages and tells the progress notice which page is being sent. On the
// printer the pages go to the run's printer; for the preview each page is drawn on a bitmap and
// stored as a JPEG page file as soon as it is finished, so that only one page is held in memory.
class TReportPageEngine
{
public:
    // The progress notice of a job belongs to the owner's window.
    explicit TReportPageEngine(QWidget &noticeOwner);
    virtual ~TReportPageEngine();
    TReportPageEngine(const TReportPageEngine &) = delete;
    TReportPageEngine &operator=(const TReportPageEngine &) = delete;

    // Job control.
    void BeginReport(int target, bool landscape);
    void ReadDevice();
    void NewPage();
    void ShowProgress();
    void EndReport();

    // Drawing. Horizontal positions are inches from the left edge of the paper; the current line
    // is the band from LineTop down by LineHeight.
    int InchesToX(double x) const;
    int InchesToY(double y) const;
    int LineHeight() const;
    void SetFontName(const QString &name);
    // size -1 applies the face name only; colour is a platform colour value.
    void SetFont(int size, int colour = BlackColor, FontStyles style = {});
    void SetPen(int width, int colour, Qt::PenStyle style);
    void NewLine();
    void SetLinePos(double y);
    void SetLinePosFromBottom(double d);
    void DrawTextAt(int xPx, int yPx, const QString &text);
    void TextAtLeft(const QString &text, double x);
    void TextAtRight(const QString &text, double x);
    void TextCentred(const QString &text, double left, double right);
    void FillBand(int colour, double left, double right);
    void RuleDown(double x);
    void RuleAcross(bool atTop, double left, double right);

    // The page file of page n of a preview job.
    QString PageFileName(int page) const;

    int Target = rtPreview;
    int PageCount = 0;
    int LineTop = 0;
    int SpaceLeft = 0;
    int PageWidthPx = 0;
    int PageHeightPx = 0;
    double PageWidthInches = 8.5;
    double PageHeightInches = 11.0;
    int DpiX = 0;
    int DpiY = 0;
    int TextOffset = 0;
    int LeftOffset = 0;
    int RightOffset = 0;
    int TopOffset = 0;
    int BottomOffset = 0;
    bool PageStarted = false;
    // The folder of this job's page files, with a trailing separator. It is private to the job,
    // so that programs previewing at the same time never overwrite each other's pages.
    QString PageDir;
    QString FontName;

protected:
    // Shows the finished pages of a preview job; returns when the user is done with them.
    virtual void ShowPreview() = 0;
    // Deletes the page files and the job's folder.
    void RemovePageFiles();

private:
    void CreatePageFolder();
    void NewPageImage();
    void SavePageImage();
    void AbandonPrintJob();

    QWidget &m_noticeOwner;
    std::unique_ptr<TProgressNotice> m_notice;
    std::unique_ptr<QTemporaryDir> m_pageFolder;
    QImage m_page;          // the page being drawn, in preview jobs
    TCanvas m_canvas;       // after m_page: it stops drawing before the page goes
};

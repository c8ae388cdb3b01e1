#include "reports/ReportPreviewFrm.h"

#include "platform/print/JpegFile.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/ModalRunner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

TReportPreviewForm *ReportPreviewForm = nullptr;

namespace {

const QSize InitialSize(614, 358);
constexpr int PanelHeight = 41;

} // namespace

TReportPreviewForm::TReportPreviewForm(QWidget *owner)
    : QDialog(owner),
      TReportPageEngine(static_cast<QWidget &>(*this)),
      ScrollBox1(new QScrollArea(this)),
      Image1(new QLabel),
      Panel1(new QWidget(this)),
      BitBtn1(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Close"), Panel1)),
      NextBtn(new QPushButton(QStringLiteral("&Next"), Panel1)),
      PreviousBtn(new QPushButton(QStringLiteral("&Previous"), Panel1))
{
    setObjectName(QStringLiteral("ReportPreviewForm"));
    setWindowTitle(QStringLiteral("Report Preview"));
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    NextBtn->setObjectName(QStringLiteral("NextBtn"));
    PreviousBtn->setObjectName(QStringLiteral("PreviousBtn"));

    // The page keeps its own size: centred when the window is wider, scrolled when it is narrower.
    ScrollBox1->setWidget(Image1);
    ScrollBox1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    createPanel();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(Panel1);
    resize(InitialSize);
}

void TReportPreviewForm::createPanel()
{
    Panel1->setFixedHeight(PanelHeight);
    NextBtn->setEnabled(false);
    PreviousBtn->setEnabled(false);
    auto *buttons = new QHBoxLayout(Panel1);
    buttons->addStretch(1);
    buttons->addWidget(PreviousBtn);
    buttons->addWidget(NextBtn);
    buttons->addWidget(BitBtn1);
    // Close is made first; Tab takes the buttons as they stand.
    setTabOrder(PreviousBtn, NextBtn);
    setTabOrder(NextBtn, BitBtn1);
    ConnectHandler(NextBtn, &QPushButton::clicked, this, &TReportPreviewForm::NextBtnClick);
    ConnectHandler(PreviousBtn, &QPushButton::clicked, this, &TReportPreviewForm::PreviousBtnClick);
    ConnectHandler(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TReportPreviewForm::ShowPreview()
{
    RunModal(*this);
}

void TReportPreviewForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        RunHandler([this] { FormShow(); });
}

// A window opened before any job has finished has no page file to read: it stays blank, with
// nothing to step through, instead of failing on the missing file.
void TReportPreviewForm::FormShow()
{
    if (PageCount > 0)
        ShowPage(1);
}

void TReportPreviewForm::ShowPage(int page)
{
    // The page as it was stored, with the encoder's artefacts, not the bitmap it was drawn on.
    Image1->setPixmap(QPixmap::fromImage(LoadJpeg(PageFileName(page))));
    Image1->resize(Image1->pixmap().size());
    ShownPage = page;
    NextBtn->setEnabled(page < PageCount);
    PreviousBtn->setEnabled(ShownPage > 1);
}

void TReportPreviewForm::NextBtnClick()
{
    ShowPage(ShownPage + 1);
}

void TReportPreviewForm::PreviousBtnClick()
{
    ShowPage(ShownPage - 1);
}

void TReportPreviewForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TReportPreviewForm::FormClose()
{
    RemovePageFiles();
}

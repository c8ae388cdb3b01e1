#include "platform/ui/HelpForm.h"

#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/ModalRunner.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int ViewerWidthCharacters = 90;
constexpr int ViewerHeightLines = 36;

} // namespace

THelpForm::THelpForm(QWidget *owner)
    : QDialog(owner, DialogWindowFlags | Qt::WindowMaximizeButtonHint)
{
    setWindowTitle(QStringLiteral("Quorvel Help"));
    HelpViewer = Named(new QTextBrowser(this), "HelpViewer");
    HelpViewer->setOpenExternalLinks(true);
    HelpViewer->setMinimumSize(HelpViewer->fontMetrics().averageCharWidth() * ViewerWidthCharacters,
                               HelpViewer->fontMetrics().lineSpacing() * ViewerHeightLines);
    BackBtn = NewButton(QStringLiteral("&Back"), "BackBtn", this);
    BackBtn->setEnabled(false);
    BitBtn1 = NewStandardButton(StandardButton::Close, "BitBtn1", this);
    ConnectHandler(BackBtn, &QPushButton::clicked, HelpViewer, &QTextBrowser::backward);
    ConnectHandler(HelpViewer, &QTextBrowser::backwardAvailable, BackBtn, &QPushButton::setEnabled);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BackBtn);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(HelpViewer);
    layout->addLayout(buttons);
}

void THelpForm::ShowPage(const QString &page)
{
    const QFileInfo file(HelpFilePath());
    if (!file.isFile() || !file.isReadable()) {
        HelpViewer->setPlainText(QStringLiteral("The help file cannot be read: %1").arg(file.absoluteFilePath()));
        return;
    }
    QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    url.setFragment(page);
    // The manual is HTML whatever its file name says.
    HelpViewer->setSource(url, QTextDocument::HtmlResource);
}

void ShowHelp(QWidget *owner, const QString &page)
{
    THelpForm help(owner);
    help.ShowPage(page);
    RunModal(help);
}

#include "app/SplashFrm.h"

#include "app/ProductBrand.h"
#include "platform/ui/WindowDisplay.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <utility>

bool ShowSplash = true;

namespace {

TSplashForm *splash = nullptr;

constexpr int PictureSize = 64;

QFrame *productPanel(TSplashForm &form)
{
    auto *panel = new QFrame(&form);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(form.Image1, 0, Qt::AlignHCenter);
    layout->addWidget(form.ProductName, 0, Qt::AlignHCenter);
    layout->addWidget(form.Version, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(form.Image2, 0, Qt::AlignHCenter);
    return panel;
}

} // namespace

TSplashForm::TSplashForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Image1(new QLabel(this)),
      ProductName(new QLabel(this)),
      Version(new QLabel(QString::fromLatin1(ProductBrand::VersionText), this)),
      Image2(new QLabel(this)),
      Gauge1(new QProgressBar(this))
{
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QString::fromLatin1(ProductBrand::Name));
    Image1->setObjectName(QStringLiteral("Image1"));
    ProductName->setObjectName(QStringLiteral("ProductName"));
    Version->setObjectName(QStringLiteral("Version"));
    Image2->setObjectName(QStringLiteral("Image2"));
    Gauge1->setObjectName(QStringLiteral("Gauge1"));

    Image1->setPixmap(ProductBrand::Calendar(PictureSize));
    ProductBrand::ShowProductName(*ProductName);
    Image2->setPixmap(ProductBrand::SlotStrip(QSize(240, 14)));

    QPalette blueBar = Gauge1->palette();
    blueBar.setColor(QPalette::Highlight, Qt::blue);
    Gauge1->setPalette(blueBar);
    Gauge1->setValue(0);
    Gauge1->setTextVisible(false);

    auto *loading = new QLabel(QStringLiteral("Loading...."), this);
    loading->setObjectName(QStringLiteral("Label1"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(productPanel(*this));
    layout->addWidget(Gauge1);
    layout->addWidget(loading);
    FixToLayoutSize(*this);
    CentreOnScreen(*this);
}

void OpenSplash(int steps)
{
    if (!ShowSplash)
        return;
    CloseSplash();
    splash = new TSplashForm;
    splash->Gauge1->setVisible(steps > 0);
    if (steps > 0)
        splash->Gauge1->setRange(0, steps);
    ShowAndPaintNow(*splash);
}

void AdvanceSplash()
{
    if (!ShowSplash || !splash || splash->Gauge1->isHidden())
        return;
    splash->Gauge1->setValue(splash->Gauge1->value() + 1);
    splash->repaint();
}

void CloseSplash()
{
    if (!ShowSplash || !splash)
        return;
    splash->hide();
    delete std::exchange(splash, nullptr);
}

TSplashForm *OpenedSplash()
{
    return splash;
}

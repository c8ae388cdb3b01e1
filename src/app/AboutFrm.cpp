#include "app/AboutFrm.h"

#include "app/ProductBrand.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/WindowDisplay.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int PictureSize = 72;

} // namespace

TAboutBox::TAboutBox(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Image1(new QLabel(this)),
      ProductName(new QLabel(this)),
      Version(new QLabel(QString::fromLatin1(ProductBrand::VersionText), this)),
      OKButton(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QString::fromLatin1(ProductBrand::Name));
    Image1->setObjectName(QStringLiteral("Image1"));
    ProductName->setObjectName(QStringLiteral("ProductName"));
    Version->setObjectName(QStringLiteral("Version"));
    OKButton->setObjectName(QStringLiteral("OKButton"));

    Image1->setPixmap(ProductBrand::Calendar(PictureSize));
    ProductBrand::ShowProductName(*ProductName);
    OKButton->setDefault(true);
    ConnectHandler(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(ProductName);
    texts->addWidget(Version);
    texts->addStretch();

    auto *picture = new QHBoxLayout;
    picture->setSpacing(24);
    picture->addWidget(Image1, 0, Qt::AlignTop);
    picture->addLayout(texts);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(16);
    layout->addLayout(picture);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    FixToLayoutSize(*this);
}

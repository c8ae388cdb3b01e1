#include "app/DisableFrm.h"

#include "app/ProductBrand.h"
#include "platform/ui/WindowDisplay.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel *centredLine(const QString &text, double scale, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(scale > 1.0);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TDisabledForm::TDisabledForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Label2(centredLine(QString::fromLatin1(ProductBrand::Name), 2.4, this)),
      Label1(centredLine(QStringLiteral("Logins Disabled"), 1.5, this)),
      Label3(centredLine(QStringLiteral("Contact System Administrator"), 1.0, this))
{
    setObjectName(QStringLiteral("DisabledForm"));
    setWindowTitle(QString::fromLatin1(ProductBrand::Name));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label3->setObjectName(QStringLiteral("Label3"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 24, 40, 24);
    layout->setSpacing(12);
    layout->addWidget(Label2);
    layout->addWidget(Label1);
    layout->addWidget(Label3);
    FixToLayoutSize(*this);
    CentreOnScreen(*this);
}

#include "app/LogonFrm.h"

#include "app/Logon.h"
#include "app/ProductBrand.h"
#include "data/ProgramConst.h"
#include "platform/sys/NetworkIdentity.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/WindowDisplay.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TLogonForm *LogonForm = nullptr;

namespace {

constexpr int MasterProfile = 0;
constexpr int FieldCharacters = 24;

QLabel *scaledLabel(double scale, QWidget *parent)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLineEdit *field(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * FieldCharacters);
    return edit;
}

QPushButton *button(const QString &text, QStyle::StandardPixmap icon, const char *name, QWidget *parent)
{
    auto *pushButton = new QPushButton(parent->style()->standardIcon(icon), text, parent);
    pushButton->setObjectName(QLatin1String(name));
    pushButton->setAutoDefault(false);
    return pushButton;
}

} // namespace

TLogonForm::TLogonForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Label1(scaledLabel(2.4, this)),
      Label2(scaledLabel(1.3, this)),
      Edit1(field("Edit1", this)),
      Edit2(field("Edit2", this)),
      BitBtn1(button(QStringLiteral("Login"), QStyle::SP_DialogOkButton, "BitBtn1", this)),
      BitBtn2(button(QStringLiteral("Cancel"), QStyle::SP_DialogCancelButton, "BitBtn2", this))
{
    setObjectName(QStringLiteral("LogonForm"));
    setWindowTitle(QStringLiteral("Logon"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setText(QStringLiteral("Logon"));
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));   // '*'
    BitBtn1->setDefault(true);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("User Name:"), Edit1);
    fields->addRow(QStringLiteral("Password:"), Edit2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addSpacing(8);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
    CentreOnScreen(*this);

    ConnectHandler(BitBtn1, &QPushButton::clicked, this, &TLogonForm::BitBtn1Click);
    ConnectHandler(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

void TLogonForm::FormCreate()
{
    ProductBrand::ShowProductName(*Label1);
    LoggedOn = false;
}

void TLogonForm::LogOn(bool networkPresent)
{
    if (OnlyDefaultSupervisor()) {
        LoggedOn = CheckAccount(QString::fromLatin1(DefaultSupervisor), QString(), false);
        return;
    }
    if (networkPresent)
        CheckAutoLogin();
    if (!LoggedOn)
        RunModal(*this);
}

void TLogonForm::BitBtn1Click()
{
    CheckLogin();
    accept();
}

void TLogonForm::CheckLogin()
{
    LoadSystemSettings();
    LoggedOn = CheckAccount(Edit1->text(), Edit2->text(), true);
    LetMasterProfileIn();
}

void TLogonForm::CheckAutoLogin()
{
    LoadSystemSettings();
    const QString name = SystemSettings.AutoLogon ? GetNovellUser() : QString();
    // Without a name there is no one to log on; an account with an empty user ID must not open
    // without its password.
    LoggedOn = !name.isEmpty() && CheckAccount(name, QString(), false);
    LetMasterProfileIn();
}

void TLogonForm::LetMasterProfileIn()
{
    if (LoggedOn && CurrentSecurity.SecurityID == MasterProfile)
        SystemSettings.DisableLogin = false;
}

QString TLogonForm::GetNovellUser() const
{
    const QString name = NetworkIdentity::NetworkClientUserName();
    return name.isEmpty() ? GetWindowsUser() : name;
}

QString TLogonForm::GetWindowsUser() const
{
    return NetworkIdentity::OperatingSystemUserName();
}

#include "admin/UserSettingsForm.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowDisplay.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int PasswordCharacters = 20;

TTable &users()
{
    return ProgramDataForm->UserSettingsTable;
}

QLineEdit *newPasswordBox(const char *name, QWidget *parent)
{
    auto *box = Named(new QLineEdit(parent), name);
    box->setEchoMode(QLineEdit::Password);
    WidenForCharacters(*box, PasswordCharacters);
    return box;
}

} // namespace

TUserForm::TUserForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("UserForm"));
    setWindowTitle(QStringLiteral("User Settings"));
    createControls();
    layOut();
    CentreOnScreen(*this);
    FormActivate();
}

void TUserForm::createControls()
{
    GroupBox1 = Named(new QGroupBox(QStringLiteral("User Settings"), this), "GroupBox1");
    Label3 = Named(new QLabel(this), "Label3");
    Label4 = Named(new QLabel(this), "Label4");
    Label11 = Named(new QLabel(this), "Label11");
    Password = newPasswordBox("Password", this);
    VerifyPassword = newPasswordBox("VerifyPassword", this);
    BitBtn2 = NewButton(QStringLiteral("OK"), "BitBtn2", this);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn2->setDefault(true);
    BitBtn1 = NewStandardButton(StandardButton::Cancel, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);
    ConnectHandler(BitBtn2, &QPushButton::clicked, this, &TUserForm::BitBtn2Click);
}

void TUserForm::layOut()
{
    auto *newPassword = new QHBoxLayout;
    newPassword->addWidget(Password);
    newPassword->addWidget(new QLabel(QStringLiteral("(Case Sensitive)"), this));

    auto *fields = new QFormLayout(GroupBox1);
    fields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);   // both password boxes alike
    fields->addRow(QStringLiteral("User ID:"), Label3);
    fields->addRow(QStringLiteral("User Name:"), Label4);
    fields->addRow(QStringLiteral("Security:"), Label11);
    fields->addRow(QStringLiteral("New Password:"), newPassword);
    fields->addRow(QStringLiteral("Verify Password:"), VerifyPassword);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {BitBtn2, BitBtn1, HelpBtn})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TUserForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RunHandler([this] { FormActivate(); });
}

void TUserForm::FormActivate()
{
    HelpBtn->setVisible(HelpFilePresent);
    // Filtering again would post an edit in progress; once the filter stands it is left alone.
    if (!users().Filtered() || ProgramDataForm->UserFilterID != CurrentUser.UserID) {
        users().SetFiltered(false);
        ProgramDataForm->UserFilterID = CurrentUser.UserID;
        users().SetFiltered(true);
    }
    Label3->setText(CurrentUser.UserID);
    Label4->setText(CurrentUser.UserName);
    Label11->setText(CurrentSecurity.Description);
}

void TUserForm::BitBtn2Click()
{
    const QString newPassword = Password->text();
    if (!newPassword.isEmpty() && newPassword != VerifyPassword->text()) {
        ShowMessageBox(QStringLiteral("Error: Passwords Do Not Match"), MessageIcon::Error, MessageButtons::Ok, this);
        return;
    }
    // Without its row an edit would start a new, blank account.
    if (users().IsEmpty()) {
        ShowMessageBox(QStringLiteral("Error: Your user account no longer exists"), MessageIcon::Error,
                       MessageButtons::Ok, this);
        return;
    }
    users().Edit();
    if (!newPassword.isEmpty())
        users().SetFieldValue(QStringLiteral("UserPassword"), newPassword);
    users().Post();
    accept();
}

void TUserForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

// The users window expects the filter by profile again, not by this user. A change that could
// not be stored is dropped with the window.
void TUserForm::FormClose()
{
    if (users().state() == TTable::State::Edit)
        users().Cancel();
    users().SetFiltered(false);
    ProgramDataForm->UserFilterID.clear();
}

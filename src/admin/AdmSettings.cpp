#include "admin/AdmSettings.h"

#include "admin/LoggedInUsersFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/RowCommands.h"
#include "platform/ui/WindowDisplay.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int GridLines = 12;
constexpr int TextCharacters = 30;
constexpr int MasterProfile = 0;
// The account every database starts with; exactly this spelling is protected.
const QString BuiltInAccount = QStringLiteral("Supervisor");

TTable &users()
{
    return ProgramDataForm->UserSettingsTable;
}

// A filter switched again moves its table to the first row and finishes an edit in progress: one
// already as wanted is left alone, or every activation (a message box closing) would move the
// user's row away, and an edit the engine refused would be posted again and again.
void switchFilter(TTable &table, bool on)
{
    if (table.Filtered() != on)
        table.SetFiltered(on);
}

void switchFilters(bool on)
{
    switchFilter(users(), on);
    switchFilter(ProgramDataForm->SecurityTable, on);
}

} // namespace

TSetupUsersForm::TSetupUsersForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("SetupUsersForm"));
    setWindowTitle(QStringLiteral("User Settings"));
    createControls();
    layOut();
    CentreOnScreen(*this);
    FormActivate();
}

void TSetupUsersForm::createControls()
{
    TDataSource *source = &ProgramDataForm->UserSettingsSource;
    DBGrid1 = Named(new TDBGrid(this), "DBGrid1");
    DBGrid1->SetDataSource(source);
    DBGrid1->AddColumn(QStringLiteral("UserID"), QStringLiteral("User ID"));
    DBGrid1->AddColumn(QStringLiteral("UserName"), QStringLiteral("User Name"));
    // Edited in the grid, the built-in account would lose the protection of its boxes.
    DBGrid1->SetReadOnly(true);
    SizeGridFor(*DBGrid1, GridLines);
    GroupBox1 = Named(new QGroupBox(QStringLiteral("User Settings"), this), "GroupBox1");
    DBEdit1 = NewBound<TDBEdit>("DBEdit1", source, "UserID", this);
    DBEdit3 = NewBound<TDBEdit>("DBEdit3", source, "UserName", this);
    DBEdit2 = NewBound<TDBEdit>("DBEdit2", source, "UserPassword", this);
    DBEdit4 = NewBound<TDBEdit>("DBEdit4", source, "UserPhone", this);
    DBLookupComboBox1 = NewBoundLookup("DBLookupComboBox1", source, "SecurityID",
                                       {&ProgramDataForm->SecuritySource, "SecurityID", "Description"}, this);
    WidenForCharacters(*DBEdit3, TextCharacters);
    InsertB = NewButton(QStringLiteral("&Insert"), "InsertB", this);
    SaveB = NewButton(QStringLiteral("&Save"), "SaveB", this);
    DeleteB = NewButton(QStringLiteral("&Delete"), "DeleteB", this);
    LoggedInUsers = NewButton(QStringLiteral("&Logged In"), "LoggedInUsers", this);
    CloseB = NewStandardButton(StandardButton::Close, "CloseB", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);

    ConnectHandler(DBEdit1, &QLineEdit::textChanged, this, &TSetupUsersForm::DBEdit1Change);
    ConnectHandler(InsertB, &QPushButton::clicked, this, &TSetupUsersForm::InsertBClick);
    ConnectHandler(SaveB, &QPushButton::clicked, this, &TSetupUsersForm::SaveBClick);
    ConnectHandler(DeleteB, &QPushButton::clicked, this, &TSetupUsersForm::DeleteBClick);
    ConnectHandler(LoggedInUsers, &QPushButton::clicked, this, &TSetupUsersForm::LoggedInUsersClick);
}

void TSetupUsersForm::layOut()
{
    auto *fields = new QFormLayout(GroupBox1);
    fields->addRow(QStringLiteral("User ID:"), DBEdit1);
    fields->addRow(QStringLiteral("Full Name:"), DBEdit3);
    fields->addRow(QStringLiteral("Password:"), DBEdit2);
    fields->addRow(QStringLiteral("Phone:"), DBEdit4);
    fields->addRow(QStringLiteral("Security"), DBLookupComboBox1);
    setTabOrder(DBEdit1, DBEdit3);
    setTabOrder(DBEdit3, DBEdit2);
    setTabOrder(DBEdit2, DBEdit4);
    setTabOrder(DBEdit4, DBLookupComboBox1);

    auto *columns = new QHBoxLayout;
    columns->addWidget(DBGrid1);
    columns->addWidget(GroupBox1, 0, Qt::AlignTop);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {InsertB, SaveB, DeleteB, LoggedInUsers})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(CloseB);
    buttons->addWidget(HelpBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TSetupUsersForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RunHandler([this] { FormActivate(); });
}

void TSetupUsersForm::FormActivate()
{
    HelpBtn->setVisible(HelpFilePresent);
    switchFilters(CurrentSecurity.SecurityID != MasterProfile);
    DBEdit1Change();
}

void TSetupUsersForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TSetupUsersForm::FormClose()
{
    switchFilters(false);
}

void TSetupUsersForm::InsertBClick()
{
    users().Insert();
}

void TSetupUsersForm::SaveBClick()
{
    SaveRow(users());
}

void TSetupUsersForm::DeleteBClick()
{
    DeleteRowAfterAsking(users(), QStringLiteral("Are you sure you want to delete this user?"), this);
}

void TSetupUsersForm::LoggedInUsersClick()
{
    TLoggedInUsersForm LoggedInUsersForm(this);
    RunModal(LoggedInUsersForm);
}

void TSetupUsersForm::DBEdit1Change()
{
    const bool builtIn = FieldValue::asString(users().FieldValue(QStringLiteral("UserID"))) == BuiltInAccount;
    DBEdit1->setEnabled(!builtIn);
    DeleteB->setEnabled(!builtIn);
    DBLookupComboBox1->setEnabled(!builtIn);
    ShowAsButtonFace({DBEdit1, DBLookupComboBox1}, builtIn);
}

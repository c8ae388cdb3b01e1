#include "admin/SecurityFrm.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/ui/DBCheckBox.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/RowCommands.h"
#include "platform/ui/WindowDisplay.h"

#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int GridLines = 12;
constexpr int NameCharacters = 30;
constexpr int MasterProfile = 0;

TTable &profiles()
{
    return ProgramDataForm->SecurityTable;
}

bool masterProfileHolder()
{
    return CurrentSecurity.SecurityID == MasterProfile;
}

} // namespace

TSecurityForm::TSecurityForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("SecurityForm"));
    setWindowTitle(QStringLiteral("Security"));
    createControls();
    layOut();
    // The profile on screen is already current: the rule would otherwise wait for the next move.
    DBEdit2Change();
    FormActivate();
}

void TSecurityForm::createControls()
{
    TDataSource *source = &ProgramDataForm->SecuritySource;
    DBGrid1 = Named(new TDBGrid(this), "DBGrid1");
    DBGrid1->SetDataSource(source);
    DBGrid1->AddColumn(QStringLiteral("SecurityID"), QStringLiteral("ID"));
    DBGrid1->AddColumn(QStringLiteral("Description"), QStringLiteral("Profile Name"));
    SizeGridFor(*DBGrid1, GridLines);
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Security Profile"), this), "GroupBox1");
    DBEdit1 = NewBound<TDBEdit>("DBEdit1", source, "Description", this);
    WidenForCharacters(*DBEdit1, NameCharacters);
    DBEdit2 = NewBound<TDBEdit>("DBEdit2", source, "SecurityID", this);
    DBEdit2->setEnabled(false);
    DBEdit2->setReadOnly(true);
    const auto right = [&](const QString &caption, const char *name, const char *field) {
        return NewBoundCheckBox(caption, name, source, field, this);
    };
    SupervisorCheckBox = right(QStringLiteral("Supervisor"), "SupervisorCheckBox", "Supervisor");
    SupervisorCheckBox->setEnabled(false);
    ChangeSystemCheckBox = right(QStringLiteral("Change System Settings"), "ChangeSystemCheckBox", "CanChangeSystem");
    PackDatabaseCheckBox = right(QStringLiteral("Pack Database"), "PackDatabaseCheckBox", "CanPackDatabase");
    ViewSecurityCheckBox = right(QStringLiteral("View Security"), "ViewSecurityCheckBox", "CanViewSecurity");
    ModifyUserCheckBox = right(QStringLiteral("Modify Users"), "ModifyUserCheckBox", "CanAddUser");
    CanAddType = right(QStringLiteral("Can Add Type"), "CanAddType", "CanAddType");
    CanAddResource = right(QStringLiteral("Can Add Resource"), "CanAddResource", "CanAddResource");
    CanAddSchedule = right(QStringLiteral("Can Add Schedule"), "CanAddSchedule", "CanAddSchedule");
    CanAddOtherSchedule = right(QStringLiteral("Can Add Other Schedule"), "CanAddOtherSchedule", "CanAddOtherSchedule");
    SaveBtn = NewButton(QStringLiteral("&Save"), "SaveBtn", this);
    InsertBtn = NewButton(QStringLiteral("&Insert"), "InsertBtn", this);
    DeleteBtn = NewButton(QStringLiteral("&Delete"), "DeleteBtn", this);
    for (QPushButton *button : {SaveBtn, InsertBtn, DeleteBtn})
        button->setEnabled(false);
    BitBtn1 = NewStandardButton(StandardButton::Close, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);

    ConnectHandler(DBEdit2, &TDBEdit::textChanged, this, &TSecurityForm::DBEdit2Change);
    ConnectHandler(SaveBtn, &QPushButton::clicked, this, &TSecurityForm::SaveBtnClick);
    ConnectHandler(InsertBtn, &QPushButton::clicked, this, &TSecurityForm::InsertBtnClick);
    ConnectHandler(DeleteBtn, &QPushButton::clicked, this, &TSecurityForm::DeleteBtnClick);
}

void TSecurityForm::layOut()
{
    auto *rights = new QGridLayout;
    const QList<TDBCheckBox *> left{SupervisorCheckBox, ChangeSystemCheckBox, PackDatabaseCheckBox,
                                    ViewSecurityCheckBox, ModifyUserCheckBox};
    const QList<TDBCheckBox *> right{CanAddType, CanAddResource, CanAddSchedule, CanAddOtherSchedule};
    for (int row = 0; row < left.size(); ++row)
        rights->addWidget(left.at(row), row, 0);
    for (int row = 0; row < right.size(); ++row)
        rights->addWidget(right.at(row), row, 1);

    auto *profile = new QFormLayout(GroupBox1);
    profile->addRow(QStringLiteral("Profile Name:"), DBEdit1);
    profile->addRow(QStringLiteral("Security ID:"), DBEdit2);
    profile->addRow(rights);

    auto *columns = new QHBoxLayout;
    columns->addWidget(DBGrid1);
    columns->addWidget(GroupBox1, 0, Qt::AlignTop);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {SaveBtn, InsertBtn, DeleteBtn})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(HelpBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

QList<TDBCheckBox *> TSecurityForm::grantableRights() const
{
    return {ChangeSystemCheckBox, PackDatabaseCheckBox, ViewSecurityCheckBox, ModifyUserCheckBox,
            CanAddType, CanAddResource, CanAddSchedule, CanAddOtherSchedule};
}

// No profile can be made a supervisor here, so the Supervisor box never takes part.
void TSecurityForm::SetProfileEditable(bool editable)
{
    DBEdit1->setEnabled(editable);
    ShowAsButtonFace({DBEdit1}, !editable);
    SupervisorCheckBox->setEnabled(false);
    for (TDBCheckBox *checkBox : grantableRights())
        checkBox->setEnabled(editable);
    for (QPushButton *button : {SaveBtn, InsertBtn, DeleteBtn})
        button->setEnabled(editable);
}

void TSecurityForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RunHandler([this] { FormActivate(); });
}

void TSecurityForm::FormActivate()
{
    if (!masterProfileHolder())
        SetProfileEditable(false);
    else
        InsertBtn->setEnabled(true);
}

// The master profile itself stays as it is, so that its holders can never lock themselves out.
void TSecurityForm::DBEdit2Change()
{
    if (!masterProfileHolder())
        return;
    const bool masterShown = DBEdit2->text() == QString::number(MasterProfile);
    SetProfileEditable(!masterShown);
    if (masterShown)
        InsertBtn->setEnabled(true);
}

void TSecurityForm::InsertBtnClick()
{
    TTable &table = profiles();
    table.Insert();
    for (const char *right : {"Supervisor", "CanChangeSystem", "CanAddUser", "CanPackDatabase", "CanViewSecurity",
                              "CanAddType", "CanAddResource", "CanAddSchedule", "CanAddOtherSchedule"})
        table.SetFieldValue(QString::fromLatin1(right), false);
    table.Post();
}

void TSecurityForm::SaveBtnClick()
{
    SaveRow(profiles());
}

void TSecurityForm::DeleteBtnClick()
{
    DeleteRowAfterAsking(profiles(), QStringLiteral("Are you sure you want to delete This Security Profile?"), this);
}

#include "admin/ResourceFrm.h"

#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/DBCheckBox.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DBMemo.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/RowCommands.h"
#include "platform/ui/WindowDisplay.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int ResourceLines = 20;
constexpr int RestrictLines = 5;
constexpr int NotesLines = 4;
constexpr int TextCharacters = 40;

TTable &resourceTable()
{
    return ProgramDataForm->ResourceTable;
}

TTable &restrictTable()
{
    return ProgramDataForm->RestrictTable;
}

LookupList users()
{
    return {&ProgramDataForm->UserSettingsSource, "UserID", "UserName"};
}

} // namespace

TResourceForm::TResourceForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("ResourceForm"));
    setWindowTitle(QStringLiteral("Resources"));
    // Created in reading order, which is the order Tab takes.
    createControls();
    createRestrictControls();
    createButtons();
    layOut();
    DBEdit1Change();
}

void TResourceForm::createControls()
{
    TDataSource *resources = &ProgramDataForm->ResourceSource;
    DBGrid1 = Named(new TDBGrid(this), "DBGrid1");
    DBGrid1->SetDataSource(resources);
    DBGrid1->AddColumn(QStringLiteral("ResourceID"), QStringLiteral("ID"));
    DBGrid1->AddColumn(QStringLiteral("Description"), QStringLiteral("Description"));
    DBGrid1->AddColumn(QStringLiteral("Capacity"), QStringLiteral("Capacity"));
    SizeGridFor(*DBGrid1, ResourceLines);
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Resource Information"), this), "GroupBox1");
    DBEdit1 = NewBound<TDBEdit>("DBEdit1", resources, "ResourceID", this);
    DBEdit1->setReadOnly(true);
    DBEdit2 = NewBound<TDBEdit>("DBEdit2", resources, "Description", this);
    DBEdit5 = NewBound<TDBEdit>("DBEdit5", resources, "DescriptionL", this);
    WidenForCharacters(*DBEdit5, TextCharacters);
    DBLookupComboBox1 = NewBoundLookup("DBLookupComboBox1", resources, "TypeID",
                                       {&ProgramDataForm->TypeSource, "TypeID", "Description"}, this);
    DBEdit3 = NewBound<TDBEdit>("DBEdit3", resources, "Capacity", this);
    DBMemo1 = NewBound<TDBMemo>("DBMemo1", resources, "Notes", this);
    SizeMemoFor(*DBMemo1, NotesLines);
    DBCheckBox1 = NewBoundCheckBox(QStringLiteral("Restricted Access"), "DBCheckBox1", resources, "Restricted", this);
    DBCheckBox2 = NewBoundCheckBox(QStringLiteral("Allow Viewing"), "DBCheckBox2", resources, "AllowViewing", this);
    DBLookupComboBox2 = NewBoundLookup("DBLookupComboBox2", resources, "ModifiedBy", users(), this);
    DBLookupComboBox2->setEnabled(false);
    DBLookupComboBox2->SetReadOnly(true);
    DBEdit4 = NewBound<TDBEdit>("DBEdit4", resources, "ModifiedDate", this);
    DBEdit4->setEnabled(false);
    DBEdit4->setReadOnly(true);

    ConnectHandler(DBEdit1, &TDBEdit::textChanged, this, &TResourceForm::DBEdit1Change);
    ConnectHandler(DBCheckBox1, &TDBCheckBox::clicked, this, &TResourceForm::DBCheckBox1Click);
}

void TResourceForm::createRestrictControls()
{
    TDataSource *restrictRows = &ProgramDataForm->RestrictSource;
    GroupBox2 = Named(new QGroupBox(QStringLiteral("Restricted To Users"), this), "GroupBox2");
    DBGrid2 = Named(new TDBGrid(this), "DBGrid2");
    DBGrid2->SetDataSource(restrictRows);
    DBGrid2->AddColumn(QStringLiteral("UserName"), QStringLiteral("User"));
    SizeGridFor(*DBGrid2, RestrictLines);
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    DBLookupComboBox3 = NewBoundLookup("DBLookupComboBox3", restrictRows, "UserID", users(), this);
    RInsertBtn = NewButton(QStringLiteral("Insert"), "RInsertBtn", this);
    RSaveBtn = NewButton(QStringLiteral("Save"), "RSaveBtn", this);
    RDeleteBtn = NewButton(QStringLiteral("Delete"), "RDeleteBtn", this);

    ConnectHandler(RInsertBtn, &QPushButton::clicked, this, &TResourceForm::RInsertBtnClick);
    ConnectHandler(RSaveBtn, &QPushButton::clicked, this, &TResourceForm::RSaveBtnClick);
    ConnectHandler(RDeleteBtn, &QPushButton::clicked, this, &TResourceForm::RDeleteBtnClick);
}

void TResourceForm::createButtons()
{
    InsertBtn = NewButton(QStringLiteral("&Insert"), "InsertBtn", this);
    SaveBtn = NewButton(QStringLiteral("&Save"), "SaveBtn", this);
    DeleteBtn = NewButton(QStringLiteral("&Delete"), "DeleteBtn", this);
    BitBtn1 = NewStandardButton(StandardButton::Close, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);

    ConnectHandler(InsertBtn, &QPushButton::clicked, this, &TResourceForm::InsertBtnClick);
    ConnectHandler(SaveBtn, &QPushButton::clicked, this, &TResourceForm::SaveBtnClick);
    ConnectHandler(DeleteBtn, &QPushButton::clicked, this, &TResourceForm::DeleteBtnClick);
}

void TResourceForm::layOut()
{
    auto *flags = new QHBoxLayout;
    flags->addWidget(DBCheckBox1);
    flags->addWidget(DBCheckBox2);
    flags->addStretch();

    auto *information = new QFormLayout(GroupBox1);
    information->addRow(QStringLiteral("ID:"), DBEdit1);
    information->addRow(QStringLiteral("Short"), DBEdit2);
    information->addRow(QStringLiteral("Long"), DBEdit5);
    information->addRow(QStringLiteral("Type:"), DBLookupComboBox1);
    information->addRow(QStringLiteral("Capacity"), DBEdit3);
    information->addRow(QStringLiteral("Notes:"), DBMemo1);
    information->addRow(flags);
    information->addRow(QStringLiteral("Modified By:"), DBLookupComboBox2);
    information->addRow(QStringLiteral("Modified On:"), DBEdit4);

    auto *restrictButtons = new QVBoxLayout;
    auto *user = new QFormLayout;
    user->addRow(QStringLiteral("User:"), DBLookupComboBox3);
    restrictButtons->addLayout(user);
    auto *rowButtons = new QHBoxLayout;
    for (QPushButton *button : {RInsertBtn, RSaveBtn, RDeleteBtn})
        rowButtons->addWidget(button);
    restrictButtons->addLayout(rowButtons);
    restrictButtons->addStretch();
    auto *restricted = new QHBoxLayout(GroupBox2);
    restricted->addWidget(DBGrid2);
    restricted->addLayout(restrictButtons);

    auto *details = new QVBoxLayout;
    details->addWidget(GroupBox1);
    details->addWidget(GroupBox2);

    auto *columns = new QHBoxLayout;
    columns->addWidget(DBGrid1);
    columns->addLayout(details);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {InsertBtn, SaveBtn, DeleteBtn})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(HelpBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TResourceForm::InsertBtnClick()
{
    resourceTable().Insert();
}

void TResourceForm::SaveBtnClick()
{
    SaveRow(resourceTable());
}

void TResourceForm::DeleteBtnClick()
{
    DeleteRowAfterAsking(resourceTable(), QStringLiteral("Are you sure you want to delete this Resource?"), this);
}

void TResourceForm::DBEdit1Change()
{
    const int resource = FieldValue::asInteger(resourceTable().FieldValue(QStringLiteral("ResourceID")), 0);
    TTable &restrictRows = restrictTable();
    restrictRows.SetFiltered(false);
    ProgramDataForm->RestrictResourceID = resource;
    restrictRows.SetFiltered(true);
    UpdateRestrictButtons();
}

void TResourceForm::DBCheckBox1Click()
{
    UpdateRestrictButtons();
}

// The list belongs to a stored resource: rows added for a resource not yet saved would be stored
// for no resource at all.
void TResourceForm::UpdateRestrictButtons()
{
    const TTable &resources = resourceTable();
    const bool enabled = FieldValue::asBoolean(resources.FieldValue(QStringLiteral("Restricted")))
        && !resources.FieldIsNull(QStringLiteral("ResourceID"));
    for (QPushButton *button : {RInsertBtn, RSaveBtn, RDeleteBtn})
        button->setEnabled(enabled);
}

void TResourceForm::RInsertBtnClick()
{
    restrictTable().Insert();
}

void TResourceForm::RSaveBtnClick()
{
    SaveRow(restrictTable());
}

void TResourceForm::RDeleteBtnClick()
{
    DeleteRow(restrictTable());
}

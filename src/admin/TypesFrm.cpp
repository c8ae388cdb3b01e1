#include "admin/TypesFrm.h"

#include "data/ProgramDataFrm.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/RowCommands.h"
#include "platform/ui/WindowDisplay.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int GridLines = 12;
constexpr int TextCharacters = 30;

} // namespace

TTypesForm::TTypesForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("TypesForm"));
    setWindowTitle(QStringLiteral("Types"));
    createControls();
    layOut();
}

void TTypesForm::createControls()
{
    DBGrid1 = Named(new TDBGrid(this), "DBGrid1");
    DBGrid1->SetDataSource(&ProgramDataForm->TypeSource);
    DBGrid1->AddColumn(QStringLiteral("TypeID"), QStringLiteral("ID"));
    DBGrid1->AddColumn(QStringLiteral("Description"), QStringLiteral("Description"));
    SizeGridFor(*DBGrid1, GridLines);
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Type Information"), this), "GroupBox1");
    TDataSource *types = &ProgramDataForm->TypeSource;
    DBEdit1 = NewBound<TDBEdit>("DBEdit1", types, "TypeID", this);
    DBEdit1->setEnabled(false);
    DBEdit1->setReadOnly(true);
    DBEdit2 = NewBound<TDBEdit>("DBEdit2", types, "Description", this);
    WidenForCharacters(*DBEdit2, TextCharacters);
    DBLookupComboBox1 = NewBoundLookup("DBLookupComboBox1", types, "ModifiedBy",
                                       {&ProgramDataForm->UserSettingsSource, "UserID", "UserName"}, this);
    DBLookupComboBox1->setEnabled(false);
    DBLookupComboBox1->SetReadOnly(true);
    DBEdit3 = NewBound<TDBEdit>("DBEdit3", types, "ModifiedDate", this);
    DBEdit3->setEnabled(false);
    DBEdit3->setReadOnly(true);
    InsertBtn = NewButton(QStringLiteral("&Insert"), "InsertBtn", this);
    SaveBtn = NewButton(QStringLiteral("&Save"), "SaveBtn", this);
    DeleteBtn = NewButton(QStringLiteral("&Delete"), "DeleteBtn", this);
    BitBtn1 = NewStandardButton(StandardButton::Close, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);

    ConnectHandler(InsertBtn, &QPushButton::clicked, this, &TTypesForm::InsertBtnClick);
    ConnectHandler(SaveBtn, &QPushButton::clicked, this, &TTypesForm::SaveBtnClick);
    ConnectHandler(DeleteBtn, &QPushButton::clicked, this, &TTypesForm::DeleteBtnClick);
}

void TTypesForm::layOut()
{
    auto *information = new QFormLayout(GroupBox1);
    information->addRow(QStringLiteral("ID:"), DBEdit1);
    information->addRow(QStringLiteral("Description:"), DBEdit2);
    information->addRow(QStringLiteral("Modified By:"), DBLookupComboBox1);
    information->addRow(QStringLiteral("Modified On"), DBEdit3);

    auto *columns = new QHBoxLayout;
    columns->addWidget(DBGrid1);
    columns->addWidget(GroupBox1, 0, Qt::AlignTop);

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

void TTypesForm::InsertBtnClick()
{
    ProgramDataForm->TypeTable.Insert();
}

void TTypesForm::SaveBtnClick()
{
    SaveRow(ProgramDataForm->TypeTable);
}

void TTypesForm::DeleteBtnClick()
{
    DeleteRowAfterAsking(ProgramDataForm->TypeTable, QStringLiteral("Are you sure you want to delete this Type?"), this);
}

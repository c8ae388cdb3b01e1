#include "common/ResourceInformationFrm.h"

#include "data/ProgramDataFrm.h"
#include "platform/ui/DBCheckBox.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DBMemo.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/WindowDisplay.h"
#include "schedule/ScheduleGrid.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

constexpr int NotesLines = 4;
constexpr int TextCharacters = 40;

TDBEdit *readOnlyEdit(const char *name, const char *field, QWidget *parent)
{
    auto *edit = NewBound<TDBEdit>(name, &ProgramDataForm->ResourceSource, field, parent);
    edit->setReadOnly(true);
    return edit;
}

TDBCheckBox *disabledFlag(const QString &caption, const char *name, const char *field, QWidget *parent)
{
    auto *flag = NewBoundCheckBox(caption, name, &ProgramDataForm->ResourceSource, field, parent);
    flag->setEnabled(false);
    return flag;
}

} // namespace

TResourceInformationForm::TResourceInformationForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("ResourceInformationForm"));
    setWindowTitle(QStringLiteral("Resource Information"));
    createControls();
    layOut();
}

void TResourceInformationForm::createControls()
{
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Detail"), this), "GroupBox1");
    DBEdit1 = readOnlyEdit("DBEdit1", "ResourceID", this);
    DBLookupComboBox1 = NewBoundLookup("DBLookupComboBox1", &ProgramDataForm->ResourceSource, "TypeID",
                                       {&ProgramDataForm->TypeSource, "TypeID", "Description"}, this);
    DBLookupComboBox1->SetReadOnly(true);
    DBLookupComboBox1->setEnabled(false);
    DBEdit2 = readOnlyEdit("DBEdit2", "Description", this);
    DBEdit3 = readOnlyEdit("DBEdit3", "DescriptionL", this);
    WidenForCharacters(*DBEdit3, TextCharacters);
    DBEdit4 = readOnlyEdit("DBEdit4", "Capacity", this);
    DBMemo1 = NewBound<TDBMemo>("DBMemo1", &ProgramDataForm->ResourceSource, "Notes", this);
    DBMemo1->setReadOnly(true);
    SizeMemoFor(*DBMemo1, NotesLines);
    DBCheckBox1 = disabledFlag(QStringLiteral("Restricted"), "DBCheckBox1", "Restricted", this);
    DBCheckBox2 = disabledFlag(QStringLiteral("Allow Viewing"), "DBCheckBox2", "AllowViewing", this);
    BitBtn1 = NewStandardButton(StandardButton::Ok, "BitBtn1", this);
    BitBtn1->setDefault(true);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);
}

void TResourceInformationForm::layOut()
{
    auto *flags = new QHBoxLayout;
    flags->addWidget(DBCheckBox1);
    flags->addWidget(DBCheckBox2);
    flags->addStretch();

    auto *detail = new QFormLayout(GroupBox1);
    detail->addRow(QStringLiteral("Resource ID:"), DBEdit1);
    detail->addRow(QStringLiteral("Resource Type:"), DBLookupComboBox1);
    detail->addRow(QStringLiteral("Short Description"), DBEdit2);
    detail->addRow(QStringLiteral("Long Description:"), DBEdit3);
    detail->addRow(QStringLiteral("Capacity:"), DBEdit4);
    detail->addRow(QStringLiteral("Notes:"), DBMemo1);
    detail->addRow(flags);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(HelpBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TResourceInformationForm::LocateCellResource(const QString &cell)
{
    TTable &resources = ProgramDataForm->ResourceTable;
    const QString browseOrder = resources.IndexName();
    const auto restoreBrowseOrder = qScopeGuard([&] { resources.SetIndexName(browseOrder); });
    resources.SetIndexName(QString());
    resources.FindNearest({CellResourceID(cell)});
}

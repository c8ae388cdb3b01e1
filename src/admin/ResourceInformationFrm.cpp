#include "admin/ResourceInformationFrm.h"

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

TDBEdit *resourceEdit(const char *name, const char *field, QWidget *parent)
{
    auto *edit = Named(new TDBEdit(parent), name);
    edit->SetDataSource(&ProgramDataForm->ResourceSource);
    edit->SetDataField(QString::fromLatin1(field));
    edit->setReadOnly(true);
    return edit;
}

TDBCheckBox *resourceFlag(const QString &caption, const char *name, const char *field, QWidget *parent)
{
    auto *flag = Named(new TDBCheckBox(caption, parent), name);
    flag->SetDataSource(&ProgramDataForm->ResourceSource);
    flag->SetDataField(QString::fromLatin1(field));
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
    DBEdit1 = resourceEdit("DBEdit1", "ResourceID", this);
    DBLookupComboBox1 = Named(new TDBLookupComboBox(this), "DBLookupComboBox1");
    DBLookupComboBox1->SetDataSource(&ProgramDataForm->ResourceSource);
    DBLookupComboBox1->SetDataField(QStringLiteral("TypeID"));
    DBLookupComboBox1->SetListSource(&ProgramDataForm->TypeSource);
    DBLookupComboBox1->SetKeyField(QStringLiteral("TypeID"));
    DBLookupComboBox1->SetListField(QStringLiteral("Description"));
    DBLookupComboBox1->SetReadOnly(true);
    DBLookupComboBox1->setEnabled(false);
    DBEdit2 = resourceEdit("DBEdit2", "Description", this);
    DBEdit3 = resourceEdit("DBEdit3", "DescriptionL", this);
    DBEdit3->setMinimumWidth(DBEdit3->fontMetrics().averageCharWidth() * TextCharacters);
    DBEdit4 = resourceEdit("DBEdit4", "Capacity", this);
    DBMemo1 = Named(new TDBMemo(this), "DBMemo1");
    DBMemo1->SetDataSource(&ProgramDataForm->ResourceSource);
    DBMemo1->SetDataField(QStringLiteral("Notes"));
    DBMemo1->setReadOnly(true);
    DBMemo1->setFixedHeight(DBMemo1->fontMetrics().lineSpacing() * NotesLines + 2 * DBMemo1->frameWidth() + 8);
    DBCheckBox1 = resourceFlag(QStringLiteral("Restricted"), "DBCheckBox1", "Restricted", this);
    DBCheckBox2 = resourceFlag(QStringLiteral("Allow Viewing"), "DBCheckBox2", "AllowViewing", this);
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

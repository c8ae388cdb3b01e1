#include "views/FindAvailableResourceFrm.h"

#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SpinEdit.h"
#include "platform/ui/WindowDisplay.h"
#include "schedule/ProgramConst.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int ListCharacters = 30;

} // namespace

TFindAvailableResourceForm::TFindAvailableResourceForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("FindAvailableResourceForm"));
    setWindowTitle(QStringLiteral("Find Available Schedule"));
    createControls();
    layOut();
    FormCreate();
    ConnectHandler(StartTime, &TDateTimePicker::changed, this, &TFindAvailableResourceForm::StartTimeChange);
    ConnectHandler(Duration, &TSpinEdit::changed, this, &TFindAvailableResourceForm::DurationChange);
    ConnectHandler(SearchBtn, &QPushButton::clicked, this, &TFindAvailableResourceForm::SearchBtnClick);
}

void TFindAvailableResourceForm::createControls()
{
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Search Criteria"), this), "GroupBox1");
    ResourceType = NewBoundLookup("ResourceType", nullptr, "", {&ProgramDataForm->TypeSource, "TypeID", "Description"},
                                  this);
    ResourceType->setMinimumContentsLength(ListCharacters);
    Capacity = Named(new TSpinEdit(this), "Capacity");
    EventDate = Named(new TDateTimePicker(TDateTimePicker::Kind::Date, this), "EventDate");
    StartTime = Named(new TDateTimePicker(TDateTimePicker::Kind::Time, this), "StartTime");
    Duration = Named(new TSpinEdit(this), "Duration");
    StopTime = Named(new TDateTimePicker(TDateTimePicker::Kind::Time, this), "StopTime");
    StopTime->setEnabled(false);
    SearchBtn = NewButton(QStringLiteral("Search"), "SearchBtn", this);
    SearchBtn->setDefault(true);
    BitBtn1 = NewStandardButton(StandardButton::Cancel, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);
}

void TFindAvailableResourceForm::layOut()
{
    auto *criteria = new QFormLayout(GroupBox1);
    criteria->addRow(QStringLiteral("Resource Type:"), ResourceType);
    criteria->addRow(QStringLiteral("Capacity:"), Capacity);
    criteria->addRow(QStringLiteral("Date:"), EventDate);
    criteria->addRow(QStringLiteral("Start Time:"), StartTime);
    criteria->addRow(QStringLiteral("Duration: (Minutes)"), Duration);
    criteria->addRow(QStringLiteral("End Time:"), StopTime);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {SearchBtn, BitBtn1, HelpBtn})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TFindAvailableResourceForm::FormCreate()
{
    ResourceType->SetKeyValue(ProgramDataForm->TypeTable.FieldValue(QStringLiteral("TypeID")));
    EventDate->SetDateTime(TimeValue::today());
    StartTime->SetDateTime(RangeInitialStart(TimeValue::now()));
    Duration->SetMinValue(SlotMinutes());
    Duration->SetMaxValue(MaxDurationMinutes);
    Duration->SetIncrement(SlotMinutes());
    Duration->SetValue(SlotMinutes());
    // The first end follows the same rule as every later one, so that late in the evening it stays
    // within the day instead of wrapping before the start.
    StartTimeChange();
}

int TFindAvailableResourceForm::SearchTypeID() const
{
    return FieldValue::asInteger(ResourceType->KeyValue(), -1);
}

int TFindAvailableResourceForm::SearchCapacity() const
{
    return Capacity->Value();
}

double TFindAvailableResourceForm::SearchDate() const
{
    return EventDate->Date();
}

double TFindAvailableResourceForm::SearchStart() const
{
    return StartTime->Time();
}

double TFindAvailableResourceForm::SearchStop() const
{
    return StopTime->Time();
}

void TFindAvailableResourceForm::StartTimeChange()
{
    StopTime->SetDateTime(EndTimeFor(StartTime->Time(), Duration->Value()));
}

void TFindAvailableResourceForm::DurationChange()
{
    StartTimeChange();
}

void TFindAvailableResourceForm::SearchBtnClick()
{
    if (FieldValue::isNull(ResourceType->KeyValue()))
        ShowMessageBox(QStringLiteral("Error: Please Select A Resource Type"), MessageIcon::Error, MessageButtons::Ok, this);
    else if (TimeNotAfter(StartTime->Time(), StopTime->Time()))
        accept();
    else
        ShowMessageBox(QStringLiteral("Error: End Time Cannot Be Before Start Time"), MessageIcon::Error,
                       MessageButtons::Ok, this);
}

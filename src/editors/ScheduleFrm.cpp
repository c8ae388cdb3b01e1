#include "editors/ScheduleFrm.h"

#include "common/ResourceInformationFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "data/ResourceAccess.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DBMemo.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/SpinEdit.h"
#include "platform/ui/WindowDisplay.h"
#include "schedule/ProgramConst.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int MaxNotesLength = 1440;
constexpr int NotesLines = 5;
constexpr int ListCharacters = 30;

TTable &scheduleTable()
{
    return ProgramDataForm->ScheduleTable;
}

} // namespace

TScheduleForm::TScheduleForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("ScheduleForm"));
    setWindowTitle(QStringLiteral("Schedule"));
    createControls();
    layOut();
    connectHandlers();
    FormCreate();
}

TScheduleForm::~TScheduleForm()
{
    FormClose();
}

void TScheduleForm::createControls()
{
    TDataSource *booking = &ProgramDataForm->ScheduleSource;
    const LookupList users{&ProgramDataForm->UserSettingsSource, "UserID", "UserName"};
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Schedule Details"), this), "GroupBox1");
    ResourceLookup = NewBoundLookup("ResourceLookup", booking, "ResourceID",
                                    {&ProgramDataForm->ResourceSource, "ResourceID", "Description"}, this);
    ResourceLookup->setMinimumContentsLength(ListCharacters);
    InfoBtn = Named(new QToolButton(this), "InfoBtn");
    InfoBtn->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    InfoBtn->setToolTip(QStringLiteral("Resource Information"));
    EventDatePicker = Named(new TDateTimePicker(TDateTimePicker::Kind::Date, this), "EventDatePicker");
    SchStartTime = Named(new TDateTimePicker(TDateTimePicker::Kind::Time, this), "SchStartTime");
    Duration = Named(new TSpinEdit(this), "Duration");
    SchEndTime = Named(new TDateTimePicker(TDateTimePicker::Kind::Time, this), "SchEndTime");
    SchEndTime->setEnabled(false);
    ReservedByLookup = NewBoundLookup("ReservedByLookup", booking, "ReservedBy", users, this);
    NotesMemo = NewBound<TDBMemo>("NotesMemo", booking, "Notes", this);
    NotesMemo->SetMaxLength(MaxNotesLength);
    SizeMemoFor(*NotesMemo, NotesLines);
    ModifiedByLookup = NewBoundLookup("ModifiedByLookup", booking, "ModifiedBy", users, this);
    ModifiedByLookup->setEnabled(false);
    ModifiedByLookup->SetReadOnly(true);
    ModifiedOnEdit = NewBound<TDBEdit>("ModifiedOnEdit", booking, "ModifiedDate", this);
    ModifiedOnEdit->setEnabled(false);
    ModifiedOnEdit->setReadOnly(true);
    SaveBtn = NewButton(QStringLiteral("Save"), "SaveBtn", this);
    SaveBtn->setDefault(true);
    DeleteBtn = NewButton(QStringLiteral("Delete"), "DeleteBtn", this);
    BitBtn1 = NewStandardButton(StandardButton::Cancel, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);
}

// The resource list re-applies the rights on every change of resource, chosen from the list or
// with the keys.
void TScheduleForm::connectHandlers()
{
    ConnectHandler(ResourceLookup, &TDBLookupComboBox::keyValueChanged, this, &TScheduleForm::ApplyRights);
    ConnectHandler(InfoBtn, &QToolButton::clicked, this, &TScheduleForm::InfoBtnClick);
    ConnectHandler(SchStartTime, &TDateTimePicker::changed, this, &TScheduleForm::UpdateEndTime);
    ConnectHandler(Duration, &TSpinEdit::changed, this, &TScheduleForm::UpdateEndTime);
    ConnectHandler(SaveBtn, &QPushButton::clicked, this, &TScheduleForm::SaveBtnClick);
    ConnectHandler(DeleteBtn, &QPushButton::clicked, this, &TScheduleForm::DeleteBtnClick);
}

void TScheduleForm::layOut()
{
    auto *resourceRow = new QHBoxLayout;
    resourceRow->addWidget(ResourceLookup, 1);
    resourceRow->addWidget(InfoBtn);

    auto *details = new QFormLayout(GroupBox1);
    details->addRow(QStringLiteral("Resource"), resourceRow);
    details->addRow(QStringLiteral("Date:"), EventDatePicker);
    details->addRow(QStringLiteral("Start Time:"), SchStartTime);
    details->addRow(QStringLiteral("Duration: (Minutes)"), Duration);
    details->addRow(QStringLiteral("End Time:"), SchEndTime);
    details->addRow(QStringLiteral("Reserved By:"), ReservedByLookup);
    details->addRow(QStringLiteral("Notes:"), NotesMemo);
    details->addRow(QStringLiteral("Modified By:"), ModifiedByLookup);
    details->addRow(QStringLiteral("Modified On:"), ModifiedOnEdit);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {SaveBtn, DeleteBtn, BitBtn1, HelpBtn})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TScheduleForm::FormCreate()
{
    Duration->SetMinValue(SlotMinutes());
    Duration->SetMaxValue(MaxDurationMinutes);
    Duration->SetIncrement(SlotMinutes());
    Duration->SetValue(SlotMinutes());
    ApplyRights();
}

void TScheduleForm::OpenForCell(const QString &cell, double slotStart)
{
    EditSequence = CellSequence(cell);
    EditResourceID = CellResourceID(cell);
    if (EditSequence != -1) {
        if (scheduleTable().FindKey({EditSequence}))
            LoadBooking();
        else
            EditSequence = -1;   // deleted meanwhile by someone else
    }
    if (EditSequence == -1)
        startNewBooking(CellDate(cell), slotStart);
    ApplyRights();
}

void TScheduleForm::startNewBooking(double date, double slotStart)
{
    DeleteBtn->setEnabled(false);
    TTable &schedule = scheduleTable();
    schedule.Append();
    schedule.SetFieldValue(QStringLiteral("ReservedBy"), CurrentUser.UserID);
    schedule.SetFieldValue(QStringLiteral("ResourceID"), EditResourceID);
    StartValue = slotStart;
    // The last slot of the day ends at its end, not in the small hours of the same date.
    EndValue = EndTimeFor(slotStart, SlotMinutes());
    showTimes(date);
}

void TScheduleForm::LoadBooking()
{
    const TTable &schedule = scheduleTable();
    StartValue = FieldValue::asFloat(schedule.FieldValue(QStringLiteral("StartTime")), StartValue);
    EndValue = FieldValue::asFloat(schedule.FieldValue(QStringLiteral("EndTime")), EndValue);
    showTimes(FieldValue::asFloat(schedule.FieldValue(QStringLiteral("ScheduleDate")), TimeValue::today()));
    {
        // The stored end stands, even where the duration has to be shown longer than it is.
        const QSignalBlocker keepStoredEnd(Duration);
        Duration->SetValue(BookingDuration(StartValue, EndValue));
    }
    ApplyRights();
}

void TScheduleForm::showTimes(double date)
{
    SchEndTime->SetDateTime(EndValue);
    SchStartTime->SetDateTime(StartValue);
    EventDatePicker->SetDateTime(date);
}

void TScheduleForm::UpdateEndTime()
{
    SchEndTime->SetDateTime(EndTimeFor(SchStartTime->Time(), Duration->Value()));
}

void TScheduleForm::ApplyOwnerRights()
{
    ShowAsButtonFace({NotesMemo, ResourceLookup, EventDatePicker, SchStartTime}, false);
    SaveBtn->setEnabled(CurrentSecurity.CanAddSchedule);
    const bool forOthers = CurrentSecurity.CanAddOtherSchedule;
    ReservedByLookup->setEnabled(forOthers);
    ReservedByLookup->SetReadOnly(!forOthers);
    ShowAsButtonFace({ReservedByLookup}, !forOthers);

    const QString reservedBy = FieldValue::asString(scheduleTable().FieldValue(QStringLiteral("ReservedBy")));
    if (reservedBy.isEmpty())
        return;
    const bool allowed = reservedBy == CurrentUser.UserID || forOthers;
    SaveBtn->setEnabled(allowed);
    // A booking not yet saved has nothing to delete.
    DeleteBtn->setEnabled(allowed && EditSequence != -1);
    allowEditing(allowed);
}

void TScheduleForm::allowEditing(bool allowed)
{
    NotesMemo->setReadOnly(!allowed);
    ResourceLookup->setEnabled(allowed);
    EventDatePicker->setEnabled(allowed);
    SchStartTime->setEnabled(allowed);
    ShowAsButtonFace({NotesMemo, ResourceLookup, EventDatePicker, SchStartTime}, !allowed);
}

void TScheduleForm::ApplyRights()
{
    ApplyOwnerRights();
    const QVariant selected = ResourceLookup->KeyValue();
    if (FieldValue::isNull(selected)) {
        InfoBtn->setEnabled(false);
        return;
    }
    const int resourceID = FieldValue::asInteger(selected, -1);
    InfoBtn->setEnabled(resourceID != -1);
    if (CanScheduleResource(resourceID))
        return;
    SaveBtn->setEnabled(false);
    DeleteBtn->setEnabled(false);
    NotesMemo->setReadOnly(true);
    ReservedByLookup->setEnabled(false);
    ReservedByLookup->SetReadOnly(true);
    EventDatePicker->setEnabled(false);
    SchStartTime->setEnabled(false);
    ShowAsButtonFace({NotesMemo, ReservedByLookup, EventDatePicker, SchStartTime}, true);
}

void TScheduleForm::SaveBtnClick()
{
    if (ResourceLookup->currentIndex() < 0) {
        ShowMessageBox(QStringLiteral("Error: Please Select A Resource"), MessageIcon::Error, MessageButtons::Ok, this);
        return;
    }
    TTable &schedule = scheduleTable();
    schedule.Edit();
    schedule.SetFieldValue(QStringLiteral("StartTime"), TruncToMinute(SchStartTime->Time()));
    schedule.SetFieldValue(QStringLiteral("EndTime"), TruncToMinute(SchEndTime->Time()));
    schedule.SetFieldValue(QStringLiteral("ScheduleDate"), EventDatePicker->Date());
    if (!SaveBookingIfFree(EditSequence)) {
        ShowMessageBox(QStringLiteral("Error: This Resource Is Already Schedule For This Time And Date"),
                       MessageIcon::Error, MessageButtons::Ok, this);
        return;
    }
    accept();
}

void TScheduleForm::DeleteBtnClick()
{
    if (ShowMessageBox(QStringLiteral("Are You User You Want To Delete This Schedule?"), MessageIcon::Question,
                       MessageButtons::YesNo, this)
        != MessageResult::Yes)
        return;
    scheduleTable().Delete();
    accept();
}

void TScheduleForm::InfoBtnClick()
{
    TResourceInformationForm information(this);
    RunModal(information);
}

void TScheduleForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TScheduleForm::FormClose()
{
    if (ProgramDataForm && scheduleTable().Active())
        scheduleTable().Cancel();
}

#include "editors/ScheduleRangeFrm.h"

#include "common/ResourceInformationFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "data/ResourceAccess.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DBLookupComboBox.h"
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
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int ListCharacters = 30;
constexpr int NotesLines = 4;
constexpr int DateLines = 8;
constexpr int NoResource = -1;

TDBLookupComboBox *newLookup(const char *name, const LookupList &list, QWidget *parent)
{
    auto *lookup = Named(new TDBLookupComboBox(parent), name);
    lookup->SetListSource(list.source);
    lookup->SetKeyField(QString::fromLatin1(list.keyField));
    lookup->SetListField(QString::fromLatin1(list.listField));
    lookup->setMinimumContentsLength(ListCharacters);
    return lookup;
}

} // namespace

TScheduleRangeForm::TScheduleRangeForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("ScheduleRangeForm"));
    setWindowTitle(QStringLiteral("Schedule Range Of Dates"));
    // Created in reading order, which is the order Tab takes.
    createControls();
    createDateControls();
    createButtons();
    layOut();
    connectHandlers();
    FormCreate();
}

void TScheduleRangeForm::createControls()
{
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Schedule"), this), "GroupBox1");
    ResourceLookup = newLookup("ResourceLookup", {&ProgramDataForm->ResourceSource, "ResourceID", "Description"}, this);
    InfoBtn = Named(new QToolButton(this), "InfoBtn");
    InfoBtn->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    InfoBtn->setToolTip(QStringLiteral("Resource Information"));
    SchStartTime = Named(new TDateTimePicker(TDateTimePicker::Kind::Time, this), "SchStartTime");
    Duration = Named(new TSpinEdit(this), "Duration");
    SchEndTime = Named(new TDateTimePicker(TDateTimePicker::Kind::Time, this), "SchEndTime");
    SchEndTime->setEnabled(false);
    ReservedByLookup = newLookup("ReservedByLookup", {&ProgramDataForm->UserSettingsSource, "UserID", "UserName"}, this);
    Memo1 = Named(new QPlainTextEdit(this), "Memo1");
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SizeMemoFor(*Memo1, NotesLines);
}

void TScheduleRangeForm::createDateControls()
{
    GroupBox2 = Named(new QGroupBox(QStringLiteral("Selected Dates"), this), "GroupBox2");
    ListBox1 = Named(new QListWidget(this), "ListBox1");
    // Sorted as text, as the dates are written: months first.
    ListBox1->setSortingEnabled(true);
    ListBox1->setMinimumHeight(ListBox1->fontMetrics().height() * DateLines);
    EventDatePicker = Named(new TDateTimePicker(TDateTimePicker::Kind::Date, this), "EventDatePicker");
    AddBtn = NewButton(QStringLiteral("Add"), "AddBtn", this);
    DeleteBtn = NewButton(QStringLiteral("Delete"), "DeleteBtn", this);
}

void TScheduleRangeForm::createButtons()
{
    ScheduleBtn = NewButton(QStringLiteral("Schedule"), "ScheduleBtn", this);
    ScheduleBtn->setDefault(true);
    BitBtn1 = NewStandardButton(StandardButton::Cancel, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);
}

// The resource list updates the buttons on every change of resource, chosen from the list or with
// the keys.
void TScheduleRangeForm::connectHandlers()
{
    ConnectHandler(ResourceLookup, &TDBLookupComboBox::keyValueChanged, this, &TScheduleRangeForm::UpdateRangeButtons);
    ConnectHandler(InfoBtn, &QToolButton::clicked, this, &TScheduleRangeForm::InfoBtnClick);
    ConnectHandler(SchStartTime, &TDateTimePicker::changed, this, &TScheduleRangeForm::UpdateEndTime);
    ConnectHandler(Duration, &TSpinEdit::changed, this, &TScheduleRangeForm::UpdateEndTime);
    ConnectHandler(AddBtn, &QPushButton::clicked, this, &TScheduleRangeForm::AddBtnClick);
    ConnectHandler(DeleteBtn, &QPushButton::clicked, this, &TScheduleRangeForm::DeleteBtnClick);
    ConnectHandler(ScheduleBtn, &QPushButton::clicked, this, &TScheduleRangeForm::ScheduleBtnClick);
}

void TScheduleRangeForm::layOut()
{
    auto *resourceRow = new QHBoxLayout;
    resourceRow->addWidget(ResourceLookup, 1);
    resourceRow->addWidget(InfoBtn);

    auto *details = new QFormLayout(GroupBox1);
    details->addRow(QStringLiteral("Resource:"), resourceRow);
    details->addRow(QStringLiteral("Start Time:"), SchStartTime);
    details->addRow(QStringLiteral("Duration: (Minutes)"), Duration);
    details->addRow(QStringLiteral("End Time:"), SchEndTime);
    details->addRow(QStringLiteral("Reserved By:"), ReservedByLookup);
    details->addRow(Memo1);

    auto *dateRow = new QFormLayout;
    dateRow->addRow(QStringLiteral("Date To Add:"), EventDatePicker);
    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(AddBtn);
    listButtons->addWidget(DeleteBtn);
    auto *dates = new QVBoxLayout(GroupBox2);
    dates->addWidget(ListBox1);
    dates->addLayout(dateRow);
    dates->addLayout(listButtons);

    auto *columns = new QHBoxLayout;
    columns->addWidget(GroupBox1);
    columns->addWidget(GroupBox2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {ScheduleBtn, BitBtn1, HelpBtn})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TScheduleRangeForm::FormCreate()
{
    Duration->SetMinValue(SlotMinutes());
    Duration->SetMaxValue(MaxDurationMinutes);
    Duration->SetIncrement(SlotMinutes());
    Duration->SetValue(SlotMinutes());
    ListBox1->clear();
    DeleteBtn->setEnabled(false);
    ScheduleBtn->setEnabled(false);
    SetRangeDefaults();
    UpdateRangeButtons();
}

void TScheduleRangeForm::SetRangeDefaults()
{
    const double start = RangeInitialStart(TimeValue::now());
    ReservedByLookup->SetKeyValue(CurrentUser.UserID);
    StartValue = start;
    // The last slot of the day ends at its end, not in the small hours.
    EndValue = EndTimeFor(start, SlotMinutes());
    EventDatePicker->SetDateTime(TimeValue::today());
    SchEndTime->SetDateTime(EndValue);
    SchStartTime->SetDateTime(StartValue);
    ShowAsButtonFace({Memo1, SchStartTime}, false);
    const bool forOthers = CurrentSecurity.CanAddOtherSchedule;
    ReservedByLookup->setEnabled(forOthers);
    ReservedByLookup->SetReadOnly(!forOthers);
    ShowAsButtonFace({ReservedByLookup}, !forOthers);
}

int TScheduleRangeForm::selectedResourceID() const
{
    return FieldValue::asInteger(ResourceLookup->KeyValue(), NoResource);
}

void TScheduleRangeForm::UpdateRangeButtons()
{
    if (selectedResourceID() == NoResource) {
        InfoBtn->setEnabled(false);
        return;
    }
    InfoBtn->setEnabled(true);
    if (DeleteBtn->isEnabled())
        ScheduleBtn->setEnabled(true);
}

void TScheduleRangeForm::UpdateEndTime()
{
    SchEndTime->SetDateTime(EndTimeFor(SchStartTime->Time(), Duration->Value()));
}

void TScheduleRangeForm::AddBtnClick()
{
    ListBox1->addItem(TimeValue::toShortDateText(EventDatePicker->Date()));
    DeleteBtn->setEnabled(true);
    if (selectedResourceID() != NoResource)
        ScheduleBtn->setEnabled(true);
    ListBox1->setCurrentRow(0);
}

void TScheduleRangeForm::DeleteBtnClick()
{
    QListWidgetItem *selected = ListBox1->currentItem();
    if (!selected)
        return;
    if (ShowMessageBox(QStringLiteral("Are You User You Want To Delete This Date?"), MessageIcon::Question,
                       MessageButtons::YesNo, this)
        != MessageResult::Yes)
        return;
    delete selected;
    if (ListBox1->count() > 0) {
        ListBox1->setCurrentRow(0);
        return;
    }
    DeleteBtn->setEnabled(false);
    ScheduleBtn->setEnabled(false);
}

void TScheduleRangeForm::ScheduleBtnClick()
{
    if (!CanScheduleResource(selectedResourceID())) {
        ShowMessageBox(QStringLiteral("Your Access Rights Do Not Allow You To Schedule This Resource"),
                       MessageIcon::Error, MessageButtons::Ok, this);
        return;
    }
    BookSelectedDates();
    if (ListBox1->count() == 0) {
        ShowMessageBox(QStringLiteral("The Resource Has Been Scheduled For The Selected Dates"),
                       MessageIcon::Information, MessageButtons::Ok, this);
        accept();
        return;
    }
    ShowMessageBox(QStringLiteral("The Resource Is Already Scheduled For Some Of The Dates Your Requested"),
                   MessageIcon::Error, MessageButtons::Ok, this);
}

void TScheduleRangeForm::BookSelectedDates()
{
    const int resourceID = selectedResourceID();
    const QString reservedBy = FieldValue::asString(ReservedByLookup->KeyValue());
    int i = 0;
    while (i < ListBox1->count()) {
        if (bookDate(resourceID, reservedBy, TimeValue::fromShortDateText(ListBox1->item(i)->text())))
            delete ListBox1->takeItem(i);
        else
            ++i;
    }
}

// The check and the write are one step, so a date that another workstation books meanwhile stays
// in the list instead of being booked twice.
bool TScheduleRangeForm::bookDate(int resourceID, const QString &reservedBy, double date)
{
    TTable &schedule = ProgramDataForm->ScheduleTable;
    schedule.Append();
    schedule.SetFieldValue(QStringLiteral("ResourceID"), resourceID);
    schedule.SetFieldValue(QStringLiteral("ReservedBy"), reservedBy);
    schedule.SetFieldValue(QStringLiteral("StartTime"), TruncToMinute(SchStartTime->Time()));
    schedule.SetFieldValue(QStringLiteral("EndTime"), TruncToMinute(SchEndTime->Time()));
    schedule.SetFieldValue(QStringLiteral("ScheduleDate"), date);
    schedule.SetFieldValue(QStringLiteral("Notes"), Memo1->toPlainText());
    // A booking not stored, whether refused or failed, must not stay pending in the shared table.
    const auto dropUnsaved = qScopeGuard([&schedule] { schedule.Cancel(); });
    return SaveBookingIfFree(-1);
}

void TScheduleRangeForm::InfoBtnClick()
{
    TResourceInformationForm information(this);
    RunModal(information);
}

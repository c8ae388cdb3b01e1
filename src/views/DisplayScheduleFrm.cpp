#include "views/DisplayScheduleFrm.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DBMemo.h"
#include "platform/ui/DrawGrid.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/MessageFrm.h"
#include "platform/ui/WindowDisplay.h"
#include "schedule/ProgramConst.h"
#include "views/ScheduleViewParts.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int DetailColumns = 3;
constexpr int TimeColumnWidth = 74;
constexpr int BookingColumnWidth = 144;
constexpr int NotesColumnWidth = 297;
constexpr int DetailNotesColumn = 2;
constexpr int DaysInView = 7;
constexpr int RowsInView = 20;
constexpr int NotesLines = 3;
constexpr int ListCharacters = 30;

} // namespace

TDisplaySchedulesForm::TDisplaySchedulesForm(QWidget *owner, bool detailMode)
    : QDialog(owner, DialogWindowFlags), m_detailMode(detailMode)
{
    setObjectName(QStringLiteral("DisplaySchedulesForm"));
    setWindowTitle(QStringLiteral("Schedules"));
    createControls();
    FormCreate();
    FormActivate();
    const int columnsInView = std::min(columnCount(), DaysInView + 1);
    SizeDrawGridToShow(*DrawGrid1, columnsInView, RowsInView, columnsInView < columnCount());
    layOut();
    BuildScheduleTable();
    // Connected after the first build, so that choosing the first resource does not build again.
    ConnectHandler(DisplayedResource, &TDBLookupComboBox::keyValueChanged, this, &TDisplaySchedulesForm::BuildScheduleTable);
    ConnectHandler(DisplayedDate, &TDateTimePicker::changed, this, &TDisplaySchedulesForm::DisplayedDateChange);
    ConnectHandler(DisplayedDate, &TDateTimePicker::closeUp, this, &TDisplaySchedulesForm::BuildScheduleTable);
}

void TDisplaySchedulesForm::createControls()
{
    DisplayedResource = NewBoundLookup("DisplayedResource", nullptr, "",
                                       {&ProgramDataForm->ResourceSource, "ResourceID", "Description"}, this);
    DisplayedResource->setMinimumContentsLength(ListCharacters);
    DisplayedDate = Named(new TDateTimePicker(TDateTimePicker::Kind::Date, this), "DisplayedDate");
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Schedule Information"), this), "GroupBox1");
    DrawGrid1 = NewScheduleDrawGrid(m_grid, this, m_detailMode ? DetailNotesColumn : -1);
    DrawGrid1->SetOnSelectCell([this](int col, int row) { return DrawGrid1SelectCell(col, row); });
    GroupBox2 = Named(new QGroupBox(QStringLiteral("Resource Information"), this), "GroupBox2");
    TDataSource *resources = &ProgramDataForm->ResourceSource;
    ResourceType = NewBoundLookup("ResourceType", resources, "TypeID",
                                  {&ProgramDataForm->TypeSource, "TypeID", "Description"}, this);
    ResourceType->SetReadOnly(true);
    ResourceCapacity = NewBound<TDBEdit>("ResourceCapacity", resources, "Capacity", this);
    ResourceCapacity->setReadOnly(true);
    ResourceNotes = NewBound<TDBMemo>("ResourceNotes", resources, "Notes", this);
    ResourceNotes->setReadOnly(true);
    SizeMemoFor(*ResourceNotes, NotesLines);
    AddBtn = NewButton(QStringLiteral("Add"), "AddBtn", this);
    BitBtn1 = NewStandardButton(StandardButton::Close, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);

    ConnectHandler(DrawGrid1, &TDrawGrid::cellDoubleClicked, this, &TDisplaySchedulesForm::DrawGrid1DblClick);
    ConnectHandler(AddBtn, &QPushButton::clicked, this, &TDisplaySchedulesForm::AddBtnClick);
}

void TDisplaySchedulesForm::layOut()
{
    auto *choice = new QHBoxLayout;
    auto *resource = new QFormLayout;
    resource->addRow(QStringLiteral("Resource:"), DisplayedResource);
    auto *date = new QFormLayout;
    date->addRow(QStringLiteral("Date:"), DisplayedDate);
    choice->addLayout(resource);
    choice->addSpacing(16);
    choice->addLayout(date);
    choice->addStretch();

    auto *schedule = new QVBoxLayout(GroupBox1);
    schedule->addWidget(DrawGrid1);

    auto *information = new QGridLayout(GroupBox2);
    information->addWidget(new QLabel(QStringLiteral("Type:"), GroupBox2), 0, 0);
    information->addWidget(ResourceType, 0, 1);
    information->addWidget(new QLabel(QStringLiteral("Capacity"), GroupBox2), 0, 2);
    information->addWidget(ResourceCapacity, 0, 3);
    information->addWidget(new QLabel(QStringLiteral("Notes:"), GroupBox2), 1, 0, Qt::AlignTop);
    information->addWidget(ResourceNotes, 1, 1, 1, 3);
    information->setColumnStretch(1, 2);
    information->setColumnStretch(3, 1);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {AddBtn, BitBtn1, HelpBtn})
        buttons->addWidget(button);
    buttons->addStretch();

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(GroupBox2, 1);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(GroupBox1);
    layout->addLayout(bottom);
    FixToLayoutSize(*this);
}

void TDisplaySchedulesForm::FormCreate()
{
    DisplayedResource->SetKeyValue(ProgramDataForm->ResourceTable.FieldValue(QStringLiteral("ResourceID")));
    AddBtn->setEnabled(CurrentSecurity.CanAddSchedule);
    DisplayedDate->SetDateTime(TimeValue::today());
    m_grid = ScheduleGrid(DetailColumns, SlotRowCount());
    FillTimeColumn(m_grid);
}

// A range of less than one day would show no day at all; it shows the chosen date.
int TDisplaySchedulesForm::dayCount() const
{
    return std::max(1, SystemSettings.DefaultDays);
}

int TDisplaySchedulesForm::columnCount() const
{
    return m_detailMode ? DetailColumns : dayCount() + 1;
}

void TDisplaySchedulesForm::BuildScheduleTable()
{
    TProgressNotice notice(this, QStringLiteral("Please Wait Buidling Schedule Table"));
    const int resource = FieldValue::asInteger(DisplayedResource->KeyValue(), -1);
    const double date = DisplayedDate->Date();
    if (m_detailMode) {
        FillScheduleColumn(1, resource, true, m_grid, date, true);
    } else {
        FillScheduleDays(1, resource, m_grid, date, dayCount());
    }
    DrawGrid1->viewport()->update();
}

void TDisplaySchedulesForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RunHandler([this] { FormActivate(); });
}

void TDisplaySchedulesForm::FormActivate()
{
    m_grid.SetColCount(columnCount());
    FitDrawGrid(*DrawGrid1, m_grid);
    if (m_detailMode) {
        DrawGrid1->SetColWidth(0, TimeColumnWidth);
        DrawGrid1->SetColWidth(1, BookingColumnWidth);
        DrawGrid1->SetColWidth(DetailNotesColumn, NotesColumnWidth);
    }
    ShowTimeOfDay(TimeOfDayNow());
}

void TDisplaySchedulesForm::ShowTimeOfDay(double time)
{
    ShowRow(*DrawGrid1, ShownRowOfTime(time, m_grid.RowCount()));
}

bool TDisplaySchedulesForm::DrawGrid1SelectCell(int col, int row) const
{
    return DisplayedResource->currentIndex() >= 0 && row > 0 && col > 0;
}

void TDisplaySchedulesForm::DrawGrid1DblClick(int col, int row)
{
    if (DrawGrid1SelectCell(col, row))
        openEditor(m_grid.Cell(col, row), row);
}

void TDisplaySchedulesForm::AddBtnClick()
{
    const EditorStart start = AddStart(*DrawGrid1, m_grid, true, DisplayedDate->Date());
    openEditor(start.cell, start.row);
}

void TDisplaySchedulesForm::DisplayedDateChange()
{
    // While the calendar is open its date follows the mouse; the choice counts when it closes.
    if (!DisplayedDate->DroppedDown())
        BuildScheduleTable();
}

void TDisplaySchedulesForm::openEditor(const QString &cell, int row)
{
    const bool changed = RunBookingEditor(this, cell, row);
    showDisplayedResource();
    if (changed)
        BuildScheduleTable();
    FormActivate();
}

// Choosing another resource in the editor moves the shared resource table; the view goes on
// showing its own resource.
void TDisplaySchedulesForm::showDisplayedResource()
{
    TTable &resources = ProgramDataForm->ResourceTable;
    const QVariant key = DisplayedResource->KeyValue();
    if (FieldValue::isNull(key) || resources.state() != TTable::State::Browse)
        return;
    if (const std::optional<TRecord> row = resources.LookupRecord(QStringLiteral("ResourceID"), key))
        resources.GotoRecord(*row);
}

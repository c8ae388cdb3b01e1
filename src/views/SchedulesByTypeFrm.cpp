#include "views/SchedulesByTypeFrm.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DrawGrid.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/MessageFrm.h"
#include "platform/ui/WindowDisplay.h"
#include "schedule/ProgramConst.h"
#include "schedule/ScheduleColumns.h"
#include "views/ScheduleViewParts.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int InitialColumns = 3;
constexpr int ColumnsInView = 8;
constexpr int RowsInView = 20;
constexpr int ListCharacters = 30;

} // namespace

TSchedulesByTypeForm::TSchedulesByTypeForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("SchedulesByTypeForm"));
    setWindowTitle(QStringLiteral("Display Schedules By Type"));
    createControls();
    FormCreate();
    // Room for a number of standard columns, whatever the first type shows.
    DrawGrid1->SetColCount(ColumnsInView);
    SizeDrawGridToShow(*DrawGrid1, ColumnsInView, RowsInView, true);
    layOut();
    FormActivate();
    // Connected after the first build, so that showing the first type does not build again.
    ConnectHandler(TypeIDDisplay, &TDBLookupComboBox::keyValueChanged, this, &TSchedulesByTypeForm::BuildScheduleTable);
    ConnectHandler(DisplayedDate, &TDateTimePicker::changed, this, &TSchedulesByTypeForm::DisplayedDateChange);
    ConnectHandler(DisplayedDate, &TDateTimePicker::closeUp, this, &TSchedulesByTypeForm::BuildScheduleTable);
}

void TSchedulesByTypeForm::createControls()
{
    TypeIDDisplay = NewBoundLookup("TypeIDDisplay", nullptr, "", {&ProgramDataForm->TypeSource, "TypeID", "Description"},
                                   this);
    TypeIDDisplay->setMinimumContentsLength(ListCharacters);
    DisplayedDate = Named(new TDateTimePicker(TDateTimePicker::Kind::Date, this), "DisplayedDate");
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Schedule Information"), this), "GroupBox1");
    DrawGrid1 = NewScheduleDrawGrid(m_grid, this);
    DrawGrid1->SetOnSelectCell([this](int col, int row) { return DrawGrid1SelectCell(col, row); });
    AddBtn = NewButton(QStringLiteral("Add"), "AddBtn", this);
    BitBtn1 = NewStandardButton(StandardButton::Close, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);

    ConnectHandler(DrawGrid1, &TDrawGrid::cellDoubleClicked, this, &TSchedulesByTypeForm::DrawGrid1DblClick);
    ConnectHandler(AddBtn, &QPushButton::clicked, this, &TSchedulesByTypeForm::AddBtnClick);
}

void TSchedulesByTypeForm::layOut()
{
    auto *choice = new QHBoxLayout;
    auto *type = new QFormLayout;
    type->addRow(QStringLiteral("Resource Type"), TypeIDDisplay);
    auto *date = new QFormLayout;
    date->addRow(QStringLiteral("Date"), DisplayedDate);
    choice->addLayout(type);
    choice->addSpacing(16);
    choice->addLayout(date);
    choice->addStretch();

    auto *schedule = new QVBoxLayout(GroupBox1);
    schedule->addWidget(DrawGrid1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {AddBtn, BitBtn1, HelpBtn})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TSchedulesByTypeForm::FormCreate()
{
    TypeIDDisplay->SetKeyValue(ProgramDataForm->TypeTable.FieldValue(QStringLiteral("TypeID")));
    AddBtn->setEnabled(CurrentSecurity.CanAddSchedule);
    DisplayedDate->SetDateTime(TimeValue::today());
    m_grid = ScheduleGrid(InitialColumns, SlotRowCount());
    FillTimeColumn(m_grid);
    BuildScheduleTable();
}

void TSchedulesByTypeForm::BuildScheduleTable()
{
    TProgressNotice notice(this, QStringLiteral("Please Wait Building Schedule Table"));
    const ResourceChoice ofType{{QStringLiteral("Where R.TypeID = :TypeID")},
                                {{QStringLiteral("TypeID"), FieldValue::asInteger(TypeIDDisplay->KeyValue(), -1)}}};
    const DaySchedule day = ReadDaySchedule(ofType, DisplayedDate->Date());
    m_grid.SetColCount(std::max<int>(2, 1 + int(day.resources.size())));
    if (day.resources.isEmpty())
        showNoResource();
    else
        FillScheduleColumns(1, day.resources, day.bookings, m_grid, DisplayedDate->Date());
    FitDrawGrid(*DrawGrid1, m_grid);
    FitColumnsToHeadings(*DrawGrid1, m_grid);
    DrawGrid1->viewport()->update();
}

// A type with nothing to show leaves one blank column: no heading, no slots to book, nothing left
// over from the type shown before.
void TSchedulesByTypeForm::showNoResource()
{
    for (int row = 0; row < m_grid.RowCount(); ++row)
        m_grid.SetCell(1, row, QString());
}

void TSchedulesByTypeForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RunHandler([this] { FormActivate(); });
}

void TSchedulesByTypeForm::FormActivate()
{
    FitDrawGrid(*DrawGrid1, m_grid);
    ShowTimeOfDay(TimeOfDayNow());
}

void TSchedulesByTypeForm::ShowTimeOfDay(double time)
{
    ShowRow(*DrawGrid1, ShownRowOfTime(time, m_grid.RowCount()));
}

bool TSchedulesByTypeForm::DrawGrid1SelectCell(int col, int row) const
{
    return TypeIDDisplay->currentIndex() >= 0 && row > 0 && col > 0;
}

void TSchedulesByTypeForm::DrawGrid1DblClick(int col, int row)
{
    const QString cell = m_grid.Cell(col, row);
    if (row == 0)
        ShowHeadingResource(this, cell);
    else if (DrawGrid1SelectCell(col, row) && !cell.isEmpty())
        openEditor(cell, row);
}

void TSchedulesByTypeForm::AddBtnClick()
{
    const EditorStart start = AddStart(*DrawGrid1, m_grid, true, DisplayedDate->Date());
    openEditor(start.cell, start.row);
}

void TSchedulesByTypeForm::DisplayedDateChange()
{
    // While the calendar is open its date follows the mouse; the choice counts when it closes.
    if (!DisplayedDate->DroppedDown())
        BuildScheduleTable();
}

void TSchedulesByTypeForm::openEditor(const QString &cell, int row)
{
    if (RunBookingEditor(this, cell, row))
        BuildScheduleTable();
    FormActivate();
}

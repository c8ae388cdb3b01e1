#include "views/SearchResultsFrm.h"

#include "data/ProgramConst.h"
#include "platform/db/QuerySteps.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DrawGrid.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/MessageFrm.h"
#include "platform/ui/WindowDisplay.h"
#include "schedule/BookingRules.h"
#include "schedule/ProgramConst.h"
#include "schedule/ScheduleColumns.h"
#include "views/ScheduleViewParts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr int ColumnsInView = 8;
constexpr int RowsInView = 20;
constexpr int DateFontPixels = 24;
constexpr int MessageFontPixels = 19;

QLabel *centredLabel(const char *name, int fontPixels, QWidget *parent)
{
    auto *label = Named(new QLabel(parent), name);
    QFont font = label->font();
    font.setPixelSize(fontPixels);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TSearchResultsForm::TSearchResultsForm(QWidget *owner) : QDialog(owner, DialogWindowFlags), m_grid(1, SlotRowCount())
{
    setObjectName(QStringLiteral("SearchResultsForm"));
    setWindowTitle(QStringLiteral("Search Results"));
    FillTimeColumn(m_grid);
    createControls();
    // Room for a number of standard columns, whatever the search finds.
    FitDrawGrid(*DrawGrid1, m_grid);
    DrawGrid1->SetColCount(ColumnsInView);
    SizeDrawGridToShow(*DrawGrid1, ColumnsInView, RowsInView, true);
    FitDrawGrid(*DrawGrid1, m_grid);
    layOut();
}

void TSearchResultsForm::createControls()
{
    Label1 = centredLabel("Label1", DateFontPixels, this);
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Schedule Information"), this), "GroupBox1");
    DrawGrid1 = NewScheduleDrawGrid(m_grid, GroupBox1);
    DrawGrid1->SetOnSelectCell([this](int col, int row) { return DrawGrid1SelectCell(col, row); });
    Label2 = centredLabel("Label2", MessageFontPixels, GroupBox1);
    Label2->setText(QStringLiteral("No Resource Are Available For The Specified Time"));
    Label2->setWordWrap(true);
    AddBtn = NewButton(QStringLiteral("Add"), "AddBtn", this);
    AddBtn->setEnabled(CurrentSecurity.CanAddSchedule);
    BitBtn1 = NewStandardButton(StandardButton::Close, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);

    ConnectHandler(DrawGrid1, &TDrawGrid::cellDoubleClicked, this, &TSearchResultsForm::DrawGrid1DblClick);
    ConnectHandler(AddBtn, &QPushButton::clicked, this, &TSearchResultsForm::AddBtnClick);
}

void TSearchResultsForm::layOut()
{
    // The message lies behind the grid and is seen only when the grid is hidden.
    auto *schedule = new QGridLayout(GroupBox1);
    schedule->addWidget(Label2, 0, 0);
    schedule->addWidget(DrawGrid1, 0, 0);
    DrawGrid1->raise();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {AddBtn, BitBtn1, HelpBtn})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TSearchResultsForm::RunSearch(int typeID, int capacity, double date, double start, double end)
{
    m_searchDate = date;
    Label1->setText(TimeValue::toShortDateText(date));
    TProgressNotice notice(this, QStringLiteral("Please Wait Searching Schedule Table"));
    const ResourceChoice suitable{{QStringLiteral("Where R.TypeID = :TypeID And"), QStringLiteral("R.Capacity >= :Capacity")},
                                  {{QStringLiteral("TypeID"), typeID}, {QStringLiteral("Capacity"), capacity}}};
    // The candidates' bookings of the day tell which are free and fill their columns.
    const DaySchedule day = ReadDaySchedule(suitable, date);
    const QSet<int> busy = BusyResources(day.bookings, start, end);
    QList<ResourceColumn> free = day.resources;
    free.removeIf([&](const ResourceColumn &candidate) { return busy.contains(candidate.resourceID); });
    m_grid.SetColCount(1 + std::max<int>(1, int(free.size())));
    FillScheduleColumns(1, free, day.bookings, m_grid, date);
    DrawGrid1->setVisible(!free.isEmpty());
    FitDrawGrid(*DrawGrid1, m_grid);
    FitColumnsToHeadings(*DrawGrid1, m_grid);
    ShowRow(*DrawGrid1, ShownRowOfTime(start - std::floor(start), m_grid.RowCount()));
    DrawGrid1->viewport()->update();
}

bool TSearchResultsForm::DrawGrid1SelectCell(int col, int row) const
{
    return row > 0 && col > 0;
}

void TSearchResultsForm::DrawGrid1DblClick(int col, int row)
{
    if (DrawGrid1SelectCell(col, row))
        openEditor(m_grid.Cell(col, row), row);
    else if (row == 0)
        ShowHeadingResource(this, m_grid.Cell(col, row));
}

void TSearchResultsForm::AddBtnClick()
{
    const EditorStart start = AddStart(*DrawGrid1, m_grid, !DrawGrid1->isHidden(), m_searchDate);
    openEditor(start.cell, start.row);
}

void TSearchResultsForm::openEditor(const QString &cell, int row)
{
    if (RunBookingEditor(this, cell, row))
        accept();
}

#include "views/ScheduleViewParts.h"

#include "common/ResourceInformationFrm.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/DrawGrid.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/ModalRunner.h"
#include "schedule/ProgramConst.h"

#include <QFontMetrics>
#include <QHash>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {

constexpr int SlotColumnWidth = 74;
constexpr int HeadingMargins = 8;   // the text starts 4 pixels in; as much again on the right

// Measuring a text lays it out, which for the hundreds of headings of a large type would be done
// again on every rebuild of its grid; the widths are kept for each font.
int headingWidth(const QFont &font, const QString &heading)
{
    static QHash<QString, QHash<QString, int>> widthsByFont;
    QHash<QString, int> &widths = widthsByFont[font.key()];
    if (const auto known = widths.constFind(heading); known != widths.constEnd())
        return *known;
    return *widths.insert(heading, QFontMetrics(font).horizontalAdvance(heading));
}

} // namespace

TDrawGrid *NewScheduleDrawGrid(const ScheduleGrid &grid, QWidget *parent, int notesColumn)
{
    auto *drawGrid = Named(new TDrawGrid(parent), "DrawGrid1");
    drawGrid->SetDefaultColWidth(SlotColumnWidth);
    drawGrid->SetColSizing(true);
    drawGrid->SetOnDrawCell([&grid](int col, int row, const QRect &rect, QPainter &painter) {
        DrawScheduleCell(row, col, grid, rect, painter);
    });
    drawGrid->SetOnDescribeCell([&grid, notesColumn](int col, int row) {
        const ScheduleCellWords words = DescribeScheduleCell(row, col, grid, notesColumn);
        return TDrawGrid::CellWords{words.name, words.description};
    });
    return drawGrid;
}

void SizeDrawGridToShow(TDrawGrid &drawGrid, int columns, int rows, bool scrollsSideways)
{
    const QRect lastHeading = drawGrid.CellRect(columns - 1, 0);
    const int gridLine = 1;
    const int scrollBar = drawGrid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &drawGrid);
    const int frame = 2 * drawGrid.frameWidth();
    drawGrid.setMinimumSize(lastHeading.right() + 1 + gridLine + frame + scrollBar,
                            (lastHeading.height() + gridLine) * (rows + 1) + frame + (scrollsSideways ? scrollBar : 0));
}

void FitDrawGrid(TDrawGrid &drawGrid, const ScheduleGrid &grid)
{
    drawGrid.SetColCount(grid.ColCount());
    drawGrid.SetRowCount(grid.RowCount());
}

// Widths are set as laid out for the standard font; the fixed time column, always in view, tells
// how much larger the grid draws them.
void FitColumnsToHeadings(TDrawGrid &drawGrid, const ScheduleGrid &grid)
{
    const QRect timeHeading = drawGrid.CellRect(0, 0);
    if (timeHeading.isEmpty())
        return;
    const double scale = double(timeHeading.width()) / drawGrid.ColWidth(0);
    QList<int> widths;
    for (int col = 1; col < drawGrid.ColCount(); ++col) {
        const int needed = headingWidth(drawGrid.font(), CellText(grid.Cell(col, 0))) + HeadingMargins;
        widths << std::max(drawGrid.DefaultColWidth(), int(std::ceil(needed / scale)));
    }
    drawGrid.SetColWidths(1, widths);
}

void ShowRow(TDrawGrid &drawGrid, int row)
{
    drawGrid.SetRow(row);
    drawGrid.SetTopRow(row);
}

EditorStart AddStart(const TDrawGrid &drawGrid, const ScheduleGrid &grid, bool gridShown, double date)
{
    const int row = drawGrid.Row();
    const bool slotFocused = gridShown && row >= 1 && drawGrid.Col() >= 1;
    const QString cell = slotFocused ? grid.Cell(drawGrid.Col(), row) : QString();
    if (!cell.isEmpty())
        return {cell, row};
    return {MakeCellText(-1, 0, QString(), date), ShownRowOfTime(TimeOfDayNow(), grid.RowCount())};
}

bool RunBookingEditor(QWidget *owner, const QString &cell, int row)
{
    TScheduleForm editor(owner);
    editor.OpenForCell(cell, SlotStartTime(row));
    return RunModal(editor) == QDialog::Accepted;
}

void ShowHeadingResource(QWidget *owner, const QString &cell)
{
    if (CellResourceID(cell) == -1)
        return;
    TResourceInformationForm information(owner);
    information.LocateCellResource(cell);
    RunModal(information);
}

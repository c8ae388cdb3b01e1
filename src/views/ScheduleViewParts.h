#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;
class ScheduleGrid;
class TDrawGrid;

// What the schedule views share: the draw grid that shows their schedule grid, where it scrolls,
// and how its cells open the booking editor and the resource information.

// A draw grid showing the schedule grid: one fixed heading row and time column, columns of 74
// pixels that the user may widen, every cell painted from the schedule grid's cell and told in words
// to screen readers. notesColumn, when not -1, is the column that holds the bookings' notes.
TDrawGrid *NewScheduleDrawGrid(const ScheduleGrid &grid, QWidget *parent, int notesColumn = -1);
// Makes the draw grid large enough for its first columns and rows, with the scroll bars beside them.
void SizeDrawGridToShow(TDrawGrid &drawGrid, int columns, int rows, bool scrollsSideways);
// The draw grid takes the schedule grid's size.
void FitDrawGrid(TDrawGrid &drawGrid, const ScheduleGrid &grid);
// Gives every column its standard width, or more where its heading would not fit in that.
void FitColumnsToHeadings(TDrawGrid &drawGrid, const ScheduleGrid &grid);
// Focuses the row and scrolls it to the top.
void ShowRow(TDrawGrid &drawGrid, int row);

// Where Add opens the editor: the focused slot cell when the grid is shown and one is focused,
// otherwise a new booking on the date with no resource chosen, at the slot of the time now.
struct EditorStart
{
    QString cell;
    int row;
};
EditorStart AddStart(const TDrawGrid &drawGrid, const ScheduleGrid &grid, bool gridShown, double date);

// Opens the booking editor modally on the cell, at the slot of the row; true when it closed after
// a Save or Delete.
bool RunBookingEditor(QWidget *owner, const QString &cell, int row);
// Opens the resource information on the resource a heading cell names; the time column's heading
// names none and opens nothing.
void ShowHeadingResource(QWidget *owner, const QString &cell);

#pragma once

#include "platform/sys/PlatformColors.h"

#include <QColor>
#include <QString>

class QPainter;
class QRect;
class ScheduleGrid;

// The platform colour of a cell of the given row and date: booked when it has text, otherwise free
// in working time (Monday to Friday, slots starting from the start of working hours up to before
// their end) and outside working time otherwise. forPrint picks the print colours.
int ScheduleCellColor(bool forPrint, int row, const QString &text, double date);

// Whether the slot of the row on the date lies in working time: Monday to Friday, starting from the
// start of working hours and before their end.
bool IsWorkingSlot(int row, double date);

// What a schedule cell shows, in words, so that screen readers never depend on its colour: the
// name says where the cell is (its heading and time), the description what the colour says
// ("booked by ...", "free" or "outside working hours"). A continuation cell names the booking it
// continues. notesColumn, when not -1, is a column holding the notes of the bookings in the column
// to its left.
struct ScheduleCellWords
{
    QString name;
    QString description;
};
ScheduleCellWords DescribeScheduleCell(int row, int column, const ScheduleGrid &grid, int notesColumn = -1);

// Paints one cell of a schedule grid: heading row and time column in the button colour, other cells
// in their schedule colour; the text (none for a continuation) in the painter's font and pen, 4
// pixels in from the left and 2 down from the top, clipped to the cell.
void DrawScheduleCell(int row, int column, const ScheduleGrid &grid, const QRect &rect, QPainter &canvas);

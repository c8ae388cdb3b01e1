#include "schedule/ScheduleCell.h"

#include "data/ProgramConst.h"
#include "platform/sys/PlatformColors.h"
#include "platform/db/TimeValue.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/TimeSlots.h"

#include <QPainter>

namespace {

constexpr int TextLeftMargin = 4;
constexpr int TextTopMargin = 2;

struct CellColors
{
    int inUse;
    int free;
    int noWork;
};

CellColors cellColors(bool forPrint)
{
    const TSystemInfo &s = SystemSettings;
    return forPrint ? CellColors{s.PrintInUseColor, s.PrintFreeColor, s.PrintNoWorkColor}
                    : CellColors{s.InUseColor, s.FreeColor, s.NoWorkColor};
}

// The row where the booking shown in the cell starts: continuation cells above it belong to it.
int firstRowOfBooking(int row, int column, const ScheduleGrid &grid)
{
    while (row > 1 && CellText(grid.Cell(column, row)) == ContinuationMarker)
        --row;
    return row;
}

QString bookingWords(int row, int column, const ScheduleGrid &grid)
{
    const QString text = CellText(grid.Cell(column, row));
    if (!text.isEmpty()) {
        const QString name = CellText(grid.Cell(column, firstRowOfBooking(row, column, grid)));
        return name == ContinuationMarker ? QStringLiteral("booked") : QStringLiteral("booked by %1").arg(name);
    }
    return IsWorkingSlot(row, CellDate(grid.Cell(column, row))) ? QStringLiteral("free")
                                                                 : QStringLiteral("outside working hours");
}

QString notesWords(int row, int column, const ScheduleGrid &grid)
{
    // A booking without notes has the marker in its first notes cell too, so its first row is found
    // in the booking column.
    const QString booking = bookingWords(row, column - 1, grid);
    const QString notes = CellText(grid.Cell(column, firstRowOfBooking(row, column - 1, grid)));
    if (CellText(grid.Cell(column - 1, row)).isEmpty() || notes.isEmpty() || notes == ContinuationMarker)
        return booking;
    return QStringLiteral("%1, notes: %2").arg(booking, notes);
}

} // namespace

bool IsWorkingSlot(int row, double date)
{
    if (TimeValue::toDate(date).dayOfWeek() >= Qt::Saturday)
        return false;
    const double slotStart = SlotStartTime(row);
    return slotStart >= SystemSettings.WorkHoursStart && slotStart < SystemSettings.WorkHoursEnd;
}

ScheduleCellWords DescribeScheduleCell(int row, int column, const ScheduleGrid &grid, int notesColumn)
{
    const QString heading = CellText(grid.Cell(column, 0));
    if (row == 0)
        return {heading, QStringLiteral("column heading")};
    const QString time = CellText(grid.Cell(0, row));
    if (column == 0)
        return {time, QStringLiteral("slot start time")};
    const QString name = QStringLiteral("%1, %2").arg(heading, time);
    if (column == notesColumn)
        return {name, notesWords(row, column, grid)};
    return {name, bookingWords(row, column, grid)};
}

int ScheduleCellColor(bool forPrint, int row, const QString &text, double date)
{
    const CellColors colors = cellColors(forPrint);
    if (!text.isEmpty())
        return colors.inUse;
    return IsWorkingSlot(row, date) ? colors.free : colors.noWork;
}

void DrawScheduleCell(int row, int column, const ScheduleGrid &grid, const QRect &rect, QPainter &canvas)
{
    const QString cell = grid.Cell(column, row);
    const QString text = CellText(cell);
    const bool fixed = row == 0 || column == 0;
    const QColor brush = fixed ? PlatformColor(ButtonFaceColor)
                               : PlatformColor(ScheduleCellColor(false, row, text, CellDate(cell)));
    const QString shown = (!fixed && text == ContinuationMarker) ? QString() : text;

    canvas.save();
    canvas.fillRect(rect, brush);
    canvas.setClipRect(rect, Qt::IntersectClip);
    canvas.drawText(rect.adjusted(TextLeftMargin, TextTopMargin, 0, 0),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    canvas.restore();
}

#include "schedule/ScheduleCell.h"

#include "data/ProgramConst.h"
#include "platform/db/TimeValue.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/TimeSlots.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace {

constexpr unsigned SystemColorFlag = 0x80000000u;
constexpr int TextLeftMargin = 4;
constexpr int TextTopMargin = 2;

// The palette role that stands for each system colour index the program can meet.
QPalette::ColorRole systemColorRole(unsigned index)
{
    switch (index) {
    case 4:  return QPalette::Window;            // menu
    case 5:  return QPalette::Base;              // window background
    case 7:  return QPalette::WindowText;        // menu text
    case 8:  return QPalette::Text;              // window text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 16: return QPalette::Mid;               // button shadow
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;             // button highlight
    case 21: return QPalette::Shadow;            // dark shadow
    case 22: return QPalette::Midlight;          // 3-D light
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Button;            // 15, button face, and any other
    }
}

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

bool isWorkingSlot(int row, double date)
{
    if (TimeValue::toDate(date).dayOfWeek() >= Qt::Saturday)
        return false;
    const double slotStart = SlotStartTime(row);
    return slotStart >= SystemSettings.WorkHoursStart && slotStart < SystemSettings.WorkHoursEnd;
}

} // namespace

QColor PlatformColor(int color)
{
    const unsigned value = unsigned(color);
    if (value & SystemColorFlag)
        return QGuiApplication::palette().color(systemColorRole(value & ~SystemColorFlag));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

int ScheduleCellColor(bool forPrint, int row, const QString &text, double date)
{
    const CellColors colors = cellColors(forPrint);
    if (!text.isEmpty())
        return colors.inUse;
    return isWorkingSlot(row, date) ? colors.free : colors.noWork;
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

#include "platform/sys/PlatformColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

constexpr unsigned SystemColorFlag = 0x80000000u;

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

} // namespace

QColor PlatformColor(int color)
{
    const unsigned value = unsigned(color);
    if (value & SystemColorFlag)
        return QGuiApplication::palette().color(systemColorRole(value & ~SystemColorFlag));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

int PlatformColorOf(const QColor &color)
{
    return (color.blue() << 16) | (color.green() << 8) | color.red();
}

#pragma once

#include <QColor>

// The platform's colour values: 0x00BBGGRR (red in the lowest byte), or 0x80000000 plus the index
// of a system colour, which follows the desktop's palette.

// The platform colour value 0x8000000F: the system's button-face colour.
constexpr int ButtonFaceColor = int(0x8000000F);

// A platform colour value as the colour to paint with; system colours come from the application's
// palette.
QColor PlatformColor(int color);

// The platform colour value of a colour chosen by the user: 0x00BBGGRR.
int PlatformColorOf(const QColor &color);

#pragma once

#include <QPixmap>

class QLabel;

// How the program presents itself: its name, version and pictures (drawn, not shipped as files).
namespace ProductBrand {

constexpr const char *Name = "Quorvel";
constexpr const char *VersionText = "Version 1.1";

// Makes the label show the product name in large Times New Roman, no wider than the space the
// splash and the About box give it.
void ShowProductName(QLabel &label);

// A calendar sheet with booked slots: the program's icon, splash and About picture.
QPixmap Calendar(int size);
// A strip of time slots, booked, free and outside working hours.
QPixmap SlotStrip(const QSize &size);

} // namespace ProductBrand

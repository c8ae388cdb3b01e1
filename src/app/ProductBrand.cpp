#include "app/ProductBrand.h"

#include "platform/ui/WindowDisplay.h"

#include <QLabel>
#include <QPainter>

namespace ProductBrand {

namespace {

// The default schedule colours: booked yellow, free white, outside working hours button face.
const QColor Booked(255, 255, 0);
const QColor Free(Qt::white);
const QColor NoWork(212, 208, 200);
const QColor Lines(120, 120, 120);

constexpr int ProductNameWidth = 273;
constexpr int ProductNamePoints = 36;

} // namespace

void ShowProductName(QLabel &label)
{
    QFont font(QStringLiteral("Times New Roman"), ProductNamePoints, QFont::Bold);
    label.setFont(font);
    label.setText(QString::fromLatin1(Name));
    ShrinkFontToWidth(label, ProductNameWidth);
}

QPixmap Calendar(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    const double unit = size / 32.0;
    const QRectF sheet(2 * unit, 4 * unit, 28 * unit, 26 * unit);
    painter.setPen(QPen(QColor(60, 60, 60), unit));
    painter.setBrush(Free);
    painter.drawRoundedRect(sheet, 2 * unit, 2 * unit);
    painter.setBrush(QColor(180, 40, 40));
    painter.drawRoundedRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 6 * unit), 2 * unit, 2 * unit);
    painter.setPen(QPen(QColor(60, 60, 60), 1.5 * unit, Qt::SolidLine, Qt::RoundCap));
    for (double x : {9.0, 23.0})
        painter.drawLine(QPointF(x * unit, 2 * unit), QPointF(x * unit, 7 * unit));

    // Four columns of slots, some booked.
    static const bool booked[4][5] = {{true, true, false, false, true},
                                      {false, true, true, true, false},
                                      {true, false, false, true, true},
                                      {false, false, true, true, false}};
    painter.setPen(QPen(Lines, 0.5 * unit));
    const double cellWidth = 6 * unit;
    const double cellHeight = 3.6 * unit;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 5; ++row) {
            painter.setBrush(booked[column][row] ? Booked : Free);
            painter.drawRect(QRectF(4 * unit + column * cellWidth, 11 * unit + row * cellHeight, cellWidth, cellHeight));
        }
    return picture;
}

QPixmap SlotStrip(const QSize &size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    static const char pattern[] = "nnffbbbfbbffbfffbbnn";
    const int cells = int(sizeof(pattern)) - 1;
    const double cellWidth = double(size.width() - 1) / cells;
    painter.setPen(Lines);
    for (int i = 0; i < cells; ++i) {
        const char kind = pattern[i];
        painter.setBrush(kind == 'b' ? Booked : kind == 'n' ? NoWork : Free);
        painter.drawRect(QRectF(i * cellWidth, 0, cellWidth, size.height() - 1));
    }
    return picture;
}

} // namespace ProductBrand

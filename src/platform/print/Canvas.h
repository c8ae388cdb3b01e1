#pragma once

#include <QColor>
#include <QFlags>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QString>

class QPaintDevice;

enum class FontStyle { Bold = 0x1, Italic = 0x2, Underline = 0x4, StrikeOut = 0x8 };
Q_DECLARE_FLAGS(FontStyles, FontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(FontStyles)

// Device-independent drawing in device pixels, on the printer or on a page bitmap. The font, its
// colour, the pen and the brush belong to the canvas, not to the device: they carry over when the
// canvas moves to the next page's device. Sizes are points, measured on the device drawn on.
class TCanvas
{
public:
    TCanvas();
    ~TCanvas();
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    // Starts drawing on the device; for a printer this begins the print job. False when the
    // device refuses.
    [[nodiscard]] bool Begin(QPaintDevice &device);
    // Finishes drawing on the device (a printer sends its job); true when not drawing. False when
    // the device could not finish.
    bool End();
    bool Active() const { return m_painter.isActive(); }

    // A size of -1 keeps the current size.
    void SetFont(const QString &faceName, int pointSize, const QColor &colour, FontStyles style);
    void SetFontName(const QString &faceName);
    const QFont &Font() const { return m_font; }

    void SetPen(int width, const QColor &colour, Qt::PenStyle style);

    // Writes the text on one line with its top-left corner at the position, on a transparent
    // background, in the font's colour.
    void TextOut(int x, int y, const QString &text);
    int TextWidth(const QString &text) const;
    // The height of a line of text in the current font, as for "Qq".
    int TextHeight() const;

    // A line in the pen's width, colour and style.
    void Line(int x1, int y1, int x2, int y2);
    // Fills the rectangle with a solid brush of the colour, without an outline; the right and
    // bottom edges are left out.
    void FillRect(int left, int top, int right, int bottom, const QColor &colour);

private:
    QFontMetrics metrics() const;

    QPainter m_painter;
    QPaintDevice *m_device = nullptr;
    QFont m_font;
    QColor m_fontColour = Qt::black;
    QPen m_pen;
};

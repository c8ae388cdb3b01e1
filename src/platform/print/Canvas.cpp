#include "platform/print/Canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>

TCanvas::TCanvas() = default;

TCanvas::~TCanvas()
{
    End();
}

bool TCanvas::Begin(QPaintDevice &device)
{
    End();
    m_device = &device;
    if (!m_painter.begin(&device))
        return false;
    m_painter.setBackgroundMode(Qt::TransparentMode);
    return true;
}

bool TCanvas::End()
{
    return !m_painter.isActive() || m_painter.end();
}

void TCanvas::SetFont(const QString &faceName, int pointSize, const QColor &colour, FontStyles style)
{
    SetFontName(faceName);
    if (pointSize == -1)
        return;
    m_font.setPointSize(pointSize);
    m_fontColour = colour;
    m_font.setBold(style.testFlag(FontStyle::Bold));
    m_font.setItalic(style.testFlag(FontStyle::Italic));
    m_font.setUnderline(style.testFlag(FontStyle::Underline));
    m_font.setStrikeOut(style.testFlag(FontStyle::StrikeOut));
}

void TCanvas::SetFontName(const QString &faceName)
{
    m_font.setFamily(faceName);
}

void TCanvas::SetPen(int width, const QColor &colour, Qt::PenStyle style)
{
    m_pen = QPen(colour, width, style);
}

void TCanvas::TextOut(int x, int y, const QString &text)
{
    m_painter.setFont(m_font);
    m_painter.setPen(m_fontColour);
    m_painter.drawText(QPoint(x, y + metrics().ascent()), text);
}

int TCanvas::TextWidth(const QString &text) const
{
    return metrics().horizontalAdvance(text);
}

int TCanvas::TextHeight() const
{
    return metrics().height();
}

void TCanvas::Line(int x1, int y1, int x2, int y2)
{
    m_painter.setPen(m_pen);
    m_painter.drawLine(x1, y1, x2, y2);
}

void TCanvas::FillRect(int left, int top, int right, int bottom, const QColor &colour)
{
    m_painter.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), colour);
}

// Measured on the device drawn on, so that sizes follow its resolution.
QFontMetrics TCanvas::metrics() const
{
    return m_device ? QFontMetrics(m_font, m_device) : QFontMetrics(m_font);
}

#include "platform/ui/ColorSample.h"

#include "platform/sys/PlatformColors.h"

#include <QMouseEvent>
#include <QPainter>

TColorSample::TColorSample(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TColorSample::SetColor(int color)
{
    m_color = color;
    update();
}

QSize TColorSample::sizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(3 * line, line + 6);
}

void TColorSample::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), PlatformColor(m_color));
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TColorSample::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseDown();
}

#include "platform/ui/WindowDisplay.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QStyle>

void CentreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QApplication::primaryScreen();
    if (!screen)
        return;
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), screen->availableGeometry()));
}

void FixToLayoutSize(QWidget &window)
{
    if (QLayout *layout = window.layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    window.adjustSize();
}

void ShowAndPaintNow(QWidget &window)
{
    window.show();
    // The window system maps the window only once its events are handled; input stays queued.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    window.repaint();
}

void ShrinkFontToWidth(QLabel &label, int maxWidth)
{
    QFont font = label.font();
    while (font.pointSize() > 1 && QFontMetrics(font).horizontalAdvance(label.text()) > maxWidth)
        font.setPointSize(font.pointSize() - 1);
    label.setFont(font);
}

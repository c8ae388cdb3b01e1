#include "platform/ui/Animate.h"

#include "platform/ui/Handlers.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace {

constexpr int LoopMilliseconds = 2400;
constexpr int FrameMilliseconds = 40;
constexpr int FramesPerLoop = LoopMilliseconds / FrameMilliseconds;
constexpr double LensRadius = 11.0;
constexpr double Magnification = 1.7;

} // namespace

TAnimate::TAnimate(QWidget *parent)
    : QWidget(parent)
{
    m_timer.setInterval(FrameMilliseconds);
    ConnectHandler(&m_timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void TAnimate::SetActive(bool active)
{
    if (active == Active())
        return;
    if (active) {
        m_clock.start();
        m_timer.start();
    } else {
        m_timer.stop();
        m_clock.invalidate();
    }
    update();
}

double TAnimate::Phase() const
{
    if (!m_clock.isValid())
        return 0.0;
    return double(m_clock.elapsed() % LoopMilliseconds) / LoopMilliseconds;
}

QSize TAnimate::sizeHint() const
{
    return {120, 68};
}

QRectF TAnimate::pageRect() const
{
    const QSizeF page(46, 58);
    return {QPointF(width() - page.width(), height() - page.height()) / 2.0, page};
}

// A figure of eight over the page, as if scanning it line by line.
QPointF TAnimate::lensCentre(int frame) const
{
    const double angle = 2.0 * std::numbers::pi * frame / FramesPerLoop;
    const QPointF middle = pageRect().center();
    return middle + QPointF(17.0 * std::sin(angle), 13.0 * std::sin(2.0 * angle));
}

void TAnimate::drawPage(QPainter &painter) const
{
    const QRectF page = pageRect();
    const double fold = 11.0;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    painter.setPen(QPen(QColor(90, 90, 90), 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);
    painter.drawLine(QPointF(page.right() - fold, page.top()), QPointF(page.right() - fold, page.top() + fold));
    painter.drawLine(QPointF(page.right() - fold, page.top() + fold), QPointF(page.right(), page.top() + fold));

    static const double lengths[] = {0.55, 0.8, 0.7, 0.85, 0.6, 0.75, 0.4};
    painter.setPen(QPen(QColor(120, 120, 140), 2.0));
    double y = page.top() + fold + 4.0;
    for (double length : lengths) {
        const double left = page.left() + 6.0;
        painter.drawLine(QPointF(left, y), QPointF(left + (page.width() - 12.0) * length, y));
        y += 6.0;
    }
}

void TAnimate::drawLens(QPainter &painter, int frame) const
{
    const QPointF centre = lensCentre(frame);
    const QPointF handleStart = centre + QPointF(LensRadius, LensRadius) * 0.72;
    painter.setPen(QPen(QColor(110, 70, 30), 5.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(handleStart, handleStart + QPointF(12.0, 12.0));

    // The page seen enlarged through the glass.
    painter.save();
    QPainterPath lens;
    lens.addEllipse(centre, LensRadius, LensRadius);
    painter.setClipPath(lens);
    painter.translate(centre);
    painter.scale(Magnification, Magnification);
    painter.translate(-centre);
    drawPage(painter);
    painter.restore();

    painter.setPen(QPen(QColor(40, 40, 60), 2.5));
    painter.setBrush(QColor(150, 200, 255, 70));
    painter.drawEllipse(centre, LensRadius, LensRadius);
}

const QPixmap &TAnimate::picture(int frame)
{
    const qreal ratio = devicePixelRatioF();
    if (size() != m_picturesSize || ratio != m_picturesRatio) {
        m_pictures.clear();
        m_picturesSize = size();
        m_picturesRatio = ratio;
    }
    if (const auto drawn = m_pictures.constFind(frame); drawn != m_pictures.constEnd())
        return *drawn;
    QPixmap pixmap(size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPage(painter);
    drawLens(painter, frame);
    return *m_pictures.insert(frame, pixmap);
}

void TAnimate::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, picture(int(Phase() * FramesPerLoop)));
}

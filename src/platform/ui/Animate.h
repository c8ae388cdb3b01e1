#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

// A looping "searching a file" animation: a magnifying glass sweeping over a page. The picture
// follows the time since the animation was started, so a window repainted by a long operation
// that processes no events still shows it moving; while the event loop runs, a timer repaints it.
// Each picture of the loop is drawn once and kept, since a notice is painted at once whenever it
// goes up.
class TAnimate : public QWidget
{
    Q_OBJECT

public:
    explicit TAnimate(QWidget *parent = nullptr);

    void SetActive(bool active);
    bool Active() const { return m_timer.isActive(); }

    // Where the loop stands, from 0 up to (not including) 1; 0 while stopped.
    double Phase() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF pageRect() const;
    QPointF lensCentre(int frame) const;
    void drawPage(QPainter &painter) const;
    void drawLens(QPainter &painter, int frame) const;
    const QPixmap &picture(int frame);

    QTimer m_timer;
    QElapsedTimer m_clock;
    // The pictures of the loop drawn so far, for the size and pixel ratio they were drawn at.
    QHash<int, QPixmap> m_pictures;
    QSize m_picturesSize;
    qreal m_picturesRatio = 0;
};

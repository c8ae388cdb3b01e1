#pragma once

#include <QWidget>

// A small panel filled with a platform colour value (0x00BBGGRR, or 0x80000000 plus a system
// colour index), framed so that white shows on a white window.
class TColorSample : public QWidget
{
    Q_OBJECT

public:
    explicit TColorSample(QWidget *parent = nullptr);

    int Color() const { return m_color; }
    void SetColor(int color);

    QSize sizeHint() const override;

signals:
    // A press of the left mouse button on the sample.
    void mouseDown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int m_color = 0x00FFFFFF;
};

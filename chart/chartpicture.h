// The chart picture of the chart window: it shows the image the chart was last drawn into
// and reports the pointer over it in picture pixels. Exposing it repaints that image and
// never asks for a redraw; what a pixel means in map units is the chart window's business.
#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

class ChartPicture : public QWidget {
    Q_OBJECT
public:
    explicit ChartPicture(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }

    // A ring around a picture pixel, painted over the picture and never into it, so saving
    // the chart never holds it. Unset takes it away.
    void setRing(std::optional<QPointF> centre);
    std::optional<QPointF> ring() const { return m_ring; }
    static constexpr int kRingRadius = 10;

signals:
    void mousePressed(Qt::MouseButton button, QPointF pixel);
    // Every movement over the picture, with or without a button held.
    void mouseMoved(QPointF pixel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    std::optional<QPointF> m_ring;
};

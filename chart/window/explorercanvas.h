// The chart explorer's picture: the chart window's picture widget (overlays, tooltip)
// that also turns the pointer, wheel, pinch and keys into requests for the explorer window,
// and the right button into the distance ruler. It never draws the chart and keeps no view:
// the window owns both.
#pragma once

#include "chartpicture.h"
#include "distanceruler.h"

#include <QPointF>

#include <optional>

class ExplorerCanvas : public ChartPicture {
    Q_OBJECT
public:
    // A press that moves less than this far is a click.
    static constexpr int kClickSlack = 3;

    // `toMap` reads a pixel of the picture shown as map units, for the ruler.
    explicit ExplorerCanvas(DistanceRuler::ToMap toMap, QWidget *parent = nullptr);
    ~ExplorerCanvas() override;

    const DistanceRuler &ruler() const { return m_ruler; }
    // Where the pointer is over the picture, if it is.
    std::optional<QPointF> pointer() const { return m_pointer; }

signals:
    void sizeChanged(QSize size);
    // Closer by `factor` (above 1) or farther (below 1), about `pixel`.
    void zoomRequested(QPointF pixel, double factor);
    // The map should follow the pointer by this many pixels.
    void panRequested(QPointF pixels);
    void fitRequested();
    // A left press and release without movement.
    void clicked(QPointF pixel);
    void pointerMoved(QPointF pixel);

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPointF zoomCentre() const;

    DistanceRuler m_ruler;
    std::optional<QPointF> m_pointer;
    // A left or middle press in progress: where it started and where the map was last moved.
    Qt::MouseButton m_dragButton = Qt::NoButton;
    QPointF m_pressedAt;
    QPointF m_lastAt;
    bool m_dragging = false;
};

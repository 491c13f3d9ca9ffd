// Turns the events on the chart explorer's picture into steps: the wheel, a pinch and + or
// - zoom about the pointer, a left or middle drag and the arrows pan, Home fits, a click
// selects, the right button measures (Escape takes the ruler away) and a right click asks
// for the planet's menu. It never draws and keeps no view of its own: each
// step is the explorer's current view moved, for the window to draw.
#pragma once

#include "distanceruler.h"
#include "explorerview.h"

#include <QObject>
#include <QPointF>

#include <functional>
#include <optional>

class QKeyEvent;
class QMouseEvent;

class ExplorerInput : public QObject {
    Q_OBJECT
public:
    // A press that moves less than this far is a click.
    static constexpr int kClickSlack = 3;
    static constexpr double kWheelNotch = 120; // angle delta of one wheel notch
    static constexpr double kKeyPanFraction = 0.1;

    // What the events are read against, asked for afresh at each event.
    struct Frame {
        ExplorerView view;
        MapExtent extent;
    };

    explicit ExplorerInput(std::function<Frame()> frame, QObject *parent = nullptr);

    // Reads the events of `picture`; wheel, pinch and key events stop here, mouse events go
    // on to the picture.
    void attach(QObject *picture);

    const DistanceRuler &ruler() const { return m_ruler; }
    DistanceRuler &ruler() { return m_ruler; }
    // Takes the ruler away, as Escape does.
    void clearRuler();
    // Where the pointer is over the picture, if it is.
    std::optional<QPointF> pointer() const { return m_pointer; }

signals:
    // The view to draw next.
    void viewRequested(const ExplorerView &view);
    void fitRequested();
    // A left press and release without movement.
    void clicked(QPointF pixel);
    // A right press and release without movement (and without Shift, which adds a leg to
    // the ruler): the menu of the planet there.
    void menuRequested(QPointF pixel);
    // The pointer moved over the picture or left it.
    void pointerMoved();
    void resized(QSize size);
    // The ruler appeared, moved or went away: the picture repaints its overlays.
    void overlayChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void zoom(QPointF pixel, double factor);
    void pan(QPointF pixels);
    bool key(const QKeyEvent &event);
    void mouse(const QMouseEvent &event);

    std::function<Frame()> m_frame;
    DistanceRuler m_ruler;
    std::optional<QPointF> m_pointer;
    // A left or middle press in progress: where it started and where the map was last moved.
    Qt::MouseButton m_dragButton = Qt::NoButton;
    QPointF m_pressedAt;
    QPointF m_lastAt;
    bool m_dragging = false;
    bool m_rightDown = false;
    QPointF m_rightPressedAt;
};

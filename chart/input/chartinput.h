// Turns wheel, drag, touchpad and pinch events on a chart picture into view steps, and the
// right button (and Escape) into the distance ruler. It never draws: the window redraws through
// display_map on each step it is asked for. No widget here, so any chart widget can use it.
#pragma once

#include "chartview.h"
#include "distanceruler.h"
#include "records.h"

#include <QObject>
#include <QPointF>
#include <QSize>

#include <functional>
#include <optional>

class ChartInput : public QObject {
    Q_OBJECT
public:
    static constexpr int kNotch = 120;          // wheel angle units per zoom step
    static constexpr double kPinchStep = 0.25;  // pinch scale change per zoom step

    // What the events are read against, asked for afresh at each event.
    struct Frame {
        ChartView view;  // the view the picture shows now
        QSize picture;   // its size in pixels
        double zoom = 0; // View_Zoom
        qint16 zoomStep = 0;
        qint16 zoomSteps = 10;
        int maxX = 0;    // the map's largest X and Y, which fix its extent
        double maxY = 0;
    };

    // A change of the view the window draws with one display_map call.
    struct Step {
        bool zoomGesture = false;       // a wheel notch or pinch step: the zoom list is rewritten
        std::optional<qint16> zoomStep; // the new step; unset when the step is at its limit
        double zoom = 0;                // the zoom to draw
        double centreX = 0;
        double centreY = 0;
    };

    // The frame of a chart drawn from `globals` with `view` on a picture of `picture` pixels.
    static Frame frameFor(const Globals &globals, const ChartView &view, QSize picture);

    explicit ChartInput(std::function<Frame()> frame, QObject *parent = nullptr);

    // Reads the events of `picture`, which still gets every one of them afterwards.
    void attach(QObject *picture);

    // One zoom step in (+1) or out (-1) about `pixel`, the buttons' step within the
    // buttons' limits; the map point under `pixel` stays under it.
    static Step zoomAbout(const Frame &frame, QPointF pixel, int direction);
    // The map moved by `pixels` on screen at the same zoom; the centre held in 16 bits.
    static Step panBy(const Frame &frame, QPointF pixels);

    const DistanceRuler &ruler() const { return m_ruler; }
    DistanceRuler &ruler() { return m_ruler; }
    // Takes the ruler away, as Escape does.
    void clearRuler();
    bool dragging() const { return m_dragging; }

signals:
    void stepRequested(const ChartInput::Step &step);
    // The ruler appeared, moved or went away: the picture widget repaints its overlays.
    void overlayChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wheel(const class QWheelEvent &event);
    void pinch(const class QNativeGestureEvent &event);
    void zoomSteps(QPointF pixel, long long steps);
    void mousePress(const class QMouseEvent &event);
    void mouseMove(const class QMouseEvent &event);
    void mouseRelease(const class QMouseEvent &event);
    void endDrag();
    void queueFlush();
    void flush();
    void request(const Step &step);

    std::function<Frame()> m_frame;
    DistanceRuler m_ruler;

    long long m_wheel = 0; // angle units not yet spent on a step
    double m_pinch = 0;    // pinch scale not yet spent on a step

    // A middle-button drag pans from the view at the press: the centre of the moment is
    // that view's centre moved by the pointer's way since then, so no rounding piles up.
    bool m_dragging = false;
    Frame m_dragFrame;
    QPointF m_dragFrom;
    QPointF m_dragTo;
    bool m_dragPending = false;
    QPointF m_scroll;    // touchpad scrolling not yet drawn
    bool m_flushQueued = false;
};

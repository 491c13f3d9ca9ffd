#include "chartinput.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

ChartInput::ChartInput(std::function<Frame()> frame, QObject *parent)
    : QObject(parent), m_frame(std::move(frame)),
      m_ruler(
          [this](QPointF pixel) {
              const Frame f = m_frame();
              return f.view.toMap(pixel, f.picture);
          },
          [this](QPointF map) {
              const Frame f = m_frame();
              return f.view.toPixel(map, f.picture);
          })
{
}

void ChartInput::clearRuler()
{
    if (m_ruler.dismiss())
        emit overlayChanged();
}

ChartInput::Frame ChartInput::frameFor(const Globals &globals, const ChartView &view, QSize picture)
{
    Frame frame;
    frame.view = view;
    frame.picture = picture;
    frame.zoom = globals.View_Zoom.value_or(0);
    frame.zoomStep = globals.Zoom_Step;
    frame.zoomSteps = globals.Zoom_Steps;
    frame.maxX = globals.Map_Max_X;
    frame.maxY = globals.Map_Max_Y;
    return frame;
}

void ChartInput::attach(QObject *picture)
{
    picture->installEventFilter(this);
}

ChartInput::Step ChartInput::zoomAbout(const Frame &frame, QPointF pixel, int direction)
{
    Step step;
    step.zoomGesture = true;
    step.zoom = frame.zoom;
    qint16 next = frame.zoomStep;
    if (direction > 0 && next < frame.zoomSteps - 1)
        ++next;
    else if (direction < 0 && next != 0)
        --next;
    if (next != frame.zoomStep) {
        step.zoomStep = next;
        step.zoom = zoomForStep(next, frame.zoomSteps);
    }
    // The view is the same window around any centre, so a view at the new zoom about the
    // old centre shows where the anchor drifts to; moving the centre by that drift puts it
    // back under the pointer.
    const QPointF anchor = frame.view.toMap(pixel, frame.picture);
    const QPointF centre(frame.view.centreX, frame.view.centreY);
    const ChartView zoomed =
        viewFor(step.zoom, centre.x(), centre.y(), frame.maxX, frame.maxY);
    QPointF moved = centre;
    if (step.zoom != frame.zoom)
        moved += anchor - zoomed.toMap(pixel, frame.picture);
    const QPointF held = gestureCentre(moved);
    step.centreX = held.x();
    step.centreY = held.y();
    return step;
}

ChartInput::Step ChartInput::panBy(const Frame &frame, QPointF pixels)
{
    Step step;
    step.zoom = frame.zoom;
    // The map follows the pointer: the point that was at the origin is now at `pixels`.
    const QPointF shift = frame.view.toMap({0, 0}, frame.picture) - frame.view.toMap(pixels, frame.picture);
    const QPointF held = gestureCentre(QPointF(frame.view.centreX, frame.view.centreY) + shift);
    step.centreX = held.x();
    step.centreY = held.y();
    return step;
}

bool ChartInput::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel:
        wheel(*static_cast<QWheelEvent *>(event));
        return true;
    case QEvent::NativeGesture:
        pinch(*static_cast<QNativeGestureEvent *>(event));
        return true;
    case QEvent::KeyPress:
        if (m_ruler.keyEvent(*static_cast<QKeyEvent *>(event))) {
            emit overlayChanged();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // the second press of a quick pair starts a drag too
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        const auto &mouse = *static_cast<QMouseEvent *>(event);
        if (m_ruler.mouseEvent(mouse))
            emit overlayChanged();
        if (event->type() == QEvent::MouseMove)
            mouseMove(mouse);
        else if (event->type() == QEvent::MouseButtonRelease)
            mouseRelease(mouse);
        else
            mousePress(mouse);
        break;
    }
    default:
        break;
    }
    // The picture still sees every mouse event: a left press centres, every move updates
    // the readout.
    return QObject::eventFilter(watched, event);
}

// A wheel turns in notches of 120; a touchpad scrolls in pixels, and pans.
void ChartInput::wheel(const QWheelEvent &event)
{
    if (!event.pixelDelta().isNull()) {
        m_scroll += event.pixelDelta();
        queueFlush();
        return;
    }
    m_wheel += event.angleDelta().y();
    const long long steps = m_wheel / kNotch;
    m_wheel -= steps * kNotch;
    zoomSteps(event.position(), steps);
}

void ChartInput::pinch(const QNativeGestureEvent &event)
{
    if (event.gestureType() == Qt::BeginNativeGesture ||
        event.gestureType() == Qt::EndNativeGesture) {
        m_pinch = 0;
        return;
    }
    if (event.gestureType() != Qt::ZoomNativeGesture || !std::isfinite(event.value()))
        return;
    m_pinch += event.value();
    const long long steps = static_cast<long long>(std::clamp(m_pinch / kPinchStep, -1e6, 1e6));
    m_pinch -= double(steps) * kPinchStep;
    zoomSteps(event.position(), steps);
}

void ChartInput::zoomSteps(QPointF pixel, long long steps)
{
    if (steps == 0)
        return;
    flush();
    // Past the last step every further one only redraws the same view: a hard turn of the
    // wheel costs no more than going from one end of the zoom to the other and back.
    const int limit = m_frame().zoomSteps + 1;
    const int count = int(std::min<long long>(std::abs(steps), limit));
    for (int i = 0; i < count; ++i) {
        request(zoomAbout(m_frame(), pixel, steps > 0 ? 1 : -1));
        if (m_dragging) {
            // A drag goes on from the new view.
            m_dragFrame = m_frame();
            m_dragFrom = m_dragTo;
        }
    }
}

void ChartInput::mousePress(const QMouseEvent &event)
{
    if (event.button() == Qt::MiddleButton) {
        m_dragging = true;
        m_dragFrame = m_frame();
        m_dragFrom = m_dragTo = event.position();
    }
}

void ChartInput::mouseMove(const QMouseEvent &event)
{
    // A release that never came (the pointer grabbed elsewhere) ends the gesture here.
    if (m_dragging && !(event.buttons() & Qt::MiddleButton))
        endDrag();
    if (m_dragging && event.position() != m_dragTo) {
        m_dragTo = event.position();
        m_dragPending = true;
        queueFlush();
    }
}

void ChartInput::mouseRelease(const QMouseEvent &event)
{
    if (event.button() == Qt::MiddleButton && m_dragging) {
        m_dragTo = event.position();
        m_dragPending = m_dragPending || m_dragTo != m_dragFrom;
        endDrag();
    }
}

// The map stays where the button came up.
void ChartInput::endDrag()
{
    flush();
    m_dragging = false;
}

// Moves that arrive while a redraw runs wait in the queue; the one flush after them draws
// the latest position only.
void ChartInput::queueFlush()
{
    if (m_flushQueued)
        return;
    m_flushQueued = true;
    QMetaObject::invokeMethod(this, &ChartInput::flush, Qt::QueuedConnection);
}

void ChartInput::flush()
{
    m_flushQueued = false;
    if (m_dragPending) {
        m_dragPending = false;
        request(panBy(m_dragFrame, m_dragTo - m_dragFrom));
    }
    if (!m_scroll.isNull()) {
        const QPointF scroll = m_scroll;
        m_scroll = {};
        request(panBy(m_frame(), scroll));
        if (m_dragging) {
            m_dragFrame = m_frame();
            m_dragFrom = m_dragTo;
        }
    }
}

void ChartInput::request(const Step &step)
{
    if (std::isfinite(step.zoom) && std::isfinite(step.centreX) && std::isfinite(step.centreY))
        emit stepRequested(step);
}

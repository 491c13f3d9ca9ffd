#include "explorerinput.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include <cmath>

ExplorerInput::ExplorerInput(std::function<Frame()> frame, QObject *parent)
    : QObject(parent), m_frame(std::move(frame)),
      m_ruler([this](QPointF pixel) { return m_frame().view.toMap(pixel); },
              [this](QPointF map) { return m_frame().view.toPixel(map); })
{
}

void ExplorerInput::clearRuler()
{
    if (m_ruler.dismiss())
        emit overlayChanged();
}

void ExplorerInput::attach(QObject *picture)
{
    picture->installEventFilter(this);
}

void ExplorerInput::zoom(QPointF pixel, double factor)
{
    const Frame f = m_frame();
    emit viewRequested(f.view.zoomedAbout(pixel, factor, f.extent));
}

void ExplorerInput::pan(QPointF pixels)
{
    if (!pixels.isNull())
        emit viewRequested(m_frame().view.dragged(pixels));
}

bool ExplorerInput::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel: {
        // A wheel notch zooms by 1.25 about the pointer, smaller deltas by their share of
        // it; a touchpad's two-finger scroll carries pixels and pans instead.
        const auto &wheel = *static_cast<QWheelEvent *>(event);
        if (!wheel.pixelDelta().isNull())
            pan(QPointF(wheel.pixelDelta()));
        else if (const int delta = wheel.angleDelta().y(); delta != 0)
            zoom(wheel.position(), std::pow(ExplorerView::kZoomStep, delta / kWheelNotch));
        event->accept();
        return true;
    }
    case QEvent::NativeGesture: {
        const auto &gesture = *static_cast<QNativeGestureEvent *>(event);
        if (gesture.gestureType() != Qt::ZoomNativeGesture)
            return false;
        zoom(gesture.position(), 1 + gesture.value());
        return true;
    }
    case QEvent::KeyPress:
        return key(*static_cast<QKeyEvent *>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        mouse(*static_cast<QMouseEvent *>(event));
        break;
    case QEvent::Leave:
        m_pointer.reset();
        break;
    case QEvent::Resize:
        emit resized(static_cast<QResizeEvent *>(event)->size());
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// Arrows move the view a tenth of its size that way, so the map slides the other way.
bool ExplorerInput::key(const QKeyEvent &event)
{
    if (m_ruler.keyEvent(event)) {
        emit overlayChanged();
        return true;
    }
    const QSize picture = m_frame().view.picture;
    const double across = picture.width() * kKeyPanFraction;
    const double down = picture.height() * kKeyPanFraction;
    const QPointF middle(picture.width() / 2.0, picture.height() / 2.0);
    switch (event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoom(m_pointer.value_or(middle), ExplorerView::kZoomStep);
        return true;
    case Qt::Key_Minus:
        zoom(m_pointer.value_or(middle), 1 / ExplorerView::kZoomStep);
        return true;
    case Qt::Key_Left:
        pan(QPointF(across, 0));
        return true;
    case Qt::Key_Right:
        pan(QPointF(-across, 0));
        return true;
    case Qt::Key_Up:
        pan(QPointF(0, down));
        return true;
    case Qt::Key_Down:
        pan(QPointF(0, -down));
        return true;
    case Qt::Key_Home:
        emit fitRequested();
        return true;
    default:
        return false;
    }
}

void ExplorerInput::mouse(const QMouseEvent &event)
{
    if (m_ruler.mouseEvent(event))
        emit overlayChanged();
    const QPointF at = event.position();
    if (event.button() == Qt::RightButton && !(event.modifiers() & Qt::ShiftModifier)) {
        // A right press and release in one place measures nothing: it asks for the menu.
        if (event.type() == QEvent::MouseButtonPress) {
            m_rightPressedAt = at;
            m_rightDown = true;
        } else if (event.type() == QEvent::MouseButtonRelease && m_rightDown) {
            m_rightDown = false;
            if ((at - m_rightPressedAt).manhattanLength() < kClickSlack)
                emit menuRequested(at);
        }
    }
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (event.button() == Qt::LeftButton || event.button() == Qt::MiddleButton) {
            m_dragButton = event.button();
            m_pressedAt = m_lastAt = at;
            m_dragging = false;
        }
        break;
    case QEvent::MouseMove:
        m_pointer = at;
        emit pointerMoved();
        if (m_dragButton == Qt::NoButton || !(event.buttons() & m_dragButton))
            break;
        if (!m_dragging && (at - m_pressedAt).manhattanLength() < kClickSlack)
            break;
        m_dragging = true;
        pan(at - std::exchange(m_lastAt, at));
        break;
    case QEvent::MouseButtonRelease:
        if (event.button() != m_dragButton)
            break;
        if (!m_dragging && m_dragButton == Qt::LeftButton)
            emit clicked(at);
        m_dragButton = Qt::NoButton;
        m_dragging = false;
        break;
    default:
        break;
    }
}

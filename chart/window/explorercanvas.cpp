#include "explorercanvas.h"

#include "explorerview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr double kWheelNotch = 120; // angle delta of one wheel notch
constexpr double kKeyPanFraction = 0.1;

} // namespace

ExplorerCanvas::ExplorerCanvas(DistanceRuler::ToMap toMap, QWidget *parent)
    : ChartPicture(parent), m_ruler(std::move(toMap))
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
    addOverlay(&m_ruler);
}

ExplorerCanvas::~ExplorerCanvas()
{
    removeOverlay(&m_ruler);
}

void ExplorerCanvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit sizeChanged(size());
}

QPointF ExplorerCanvas::zoomCentre() const
{
    return m_pointer.value_or(QPointF(width() / 2.0, height() / 2.0));
}

// A wheel notch zooms by 1.25 about the pointer, smaller deltas by their share of it; a
// touchpad's two-finger scroll carries pixels and pans instead.
void ExplorerCanvas::wheelEvent(QWheelEvent *event)
{
    event->accept();
    if (!event->pixelDelta().isNull()) {
        emit panRequested(QPointF(event->pixelDelta()));
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    emit zoomRequested(event->position(),
                       std::pow(ExplorerView::kZoomStep, delta / kWheelNotch));
}

bool ExplorerCanvas::event(QEvent *event)
{
    if (event->type() == QEvent::NativeGesture) {
        auto *gesture = static_cast<QNativeGestureEvent *>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            emit zoomRequested(gesture->position(), 1 + gesture->value());
            return true;
        }
    }
    return ChartPicture::event(event);
}

void ExplorerCanvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        m_ruler.start(event->position());
        update();
        return;
    }
    if (event->button() != Qt::LeftButton && event->button() != Qt::MiddleButton)
        return;
    m_dragButton = event->button();
    m_pressedAt = m_lastAt = event->position();
    m_dragging = false;
}

void ExplorerCanvas::mouseMoveEvent(QMouseEvent *event)
{
    m_pointer = event->position();
    emit pointerMoved(event->position());
    if (m_ruler.isActive()) {
        if (event->buttons() & Qt::RightButton)
            m_ruler.moveTo(event->position());
        else
            m_ruler.clear();
        update();
    }
    if (m_dragButton == Qt::NoButton || !(event->buttons() & m_dragButton))
        return;
    if (!m_dragging && (event->position() - m_pressedAt).manhattanLength() < kClickSlack)
        return;
    m_dragging = true;
    const QPointF step = event->position() - m_lastAt;
    m_lastAt = event->position();
    if (!step.isNull())
        emit panRequested(step);
}

void ExplorerCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && m_ruler.isActive()) {
        m_ruler.clear();
        update();
        return;
    }
    if (event->button() != m_dragButton)
        return;
    if (!m_dragging && m_dragButton == Qt::LeftButton)
        emit clicked(event->position());
    m_dragButton = Qt::NoButton;
    m_dragging = false;
}

void ExplorerCanvas::leaveEvent(QEvent *event)
{
    m_pointer.reset();
    ChartPicture::leaveEvent(event);
}

// Arrows move the view a tenth of its size that way, so the map slides the other way.
void ExplorerCanvas::keyPressEvent(QKeyEvent *event)
{
    const double across = width() * kKeyPanFraction;
    const double down = height() * kKeyPanFraction;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        emit zoomRequested(zoomCentre(), ExplorerView::kZoomStep);
        break;
    case Qt::Key_Minus:
        emit zoomRequested(zoomCentre(), 1 / ExplorerView::kZoomStep);
        break;
    case Qt::Key_Left:
        emit panRequested(QPointF(across, 0));
        break;
    case Qt::Key_Right:
        emit panRequested(QPointF(-across, 0));
        break;
    case Qt::Key_Up:
        emit panRequested(QPointF(0, down));
        break;
    case Qt::Key_Down:
        emit panRequested(QPointF(0, -down));
        break;
    case Qt::Key_Home:
        emit fitRequested();
        break;
    default:
        ChartPicture::keyPressEvent(event);
        return;
    }
    event->accept();
}

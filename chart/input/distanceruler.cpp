#include "distanceruler.h"

#include "conversions.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

QString wholePosition(QPointF map)
{
    return conv::plainNumber(conv::floorWhole(float(map.x()))) + u' ' +
           conv::plainNumber(conv::floorWhole(float(map.y())));
}

} // namespace

bool DistanceRuler::mouseEvent(const QMouseEvent &event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (event.button() != Qt::RightButton)
            return false;
        {
            // Nothing shows until the pointer moves, but a ruler left over goes.
            const bool shown = isShown();
            start(event.position());
            return shown;
        }
    case QEvent::MouseMove:
        if (!m_active)
            return false;
        if (!(event.buttons() & Qt::RightButton)) {
            clear();
            return true;
        }
        if (event.position() == m_to)
            return false;
        moveTo(event.position());
        return true;
    case QEvent::MouseButtonRelease:
        if (event.button() != Qt::RightButton || !m_active)
            return false;
        {
            const bool shown = isShown();
            clear();
            return shown;
        }
    default:
        return false;
    }
}

void DistanceRuler::start(QPointF pixel)
{
    m_active = true;
    m_from = m_to = pixel;
}

void DistanceRuler::moveTo(QPointF pixel)
{
    if (m_active)
        m_to = pixel;
}

void DistanceRuler::clear()
{
    m_active = false;
    m_from = m_to = {};
}

double DistanceRuler::distance() const
{
    const QPointF a = m_toMap(m_from);
    const QPointF b = m_toMap(m_to);
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

QString DistanceRuler::label() const
{
    return QString::number(distance(), 'f', 1) + u'\n' + wholePosition(m_toMap(m_from)) +
           QCoreApplication::translate("DistanceRuler", " to ") + wholePosition(m_toMap(m_to));
}

void DistanceRuler::paint(QPainter &painter) const
{
    if (!isShown())
        return;
    painter.save();
    // A dark edge keeps the line readable over white dots and light zones alike.
    painter.setPen(QPen(Qt::black, 3));
    painter.drawLine(m_from, m_to);
    painter.setPen(QPen(Qt::yellow, 1));
    painter.drawLine(m_from, m_to);

    const QFontMetrics metrics(painter.font());
    const QRect textSize =
        metrics.boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignLeft | Qt::AlignTop, label());
    const QRect widget = painter.window();
    // Beside the pointer end, moved back inside the widget where it would leave it.
    QRect box(m_to.toPoint() + QPoint(10, 10), textSize.size() + QSize(8, 4));
    if (box.right() > widget.right())
        box.moveRight(int(m_to.x()) - 10);
    if (box.bottom() > widget.bottom())
        box.moveBottom(int(m_to.y()) - 10);
    box.moveLeft(std::max(box.left(), widget.left()));
    box.moveTop(std::max(box.top(), widget.top()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 200));
    painter.drawRect(box);
    painter.setPen(Qt::yellow);
    painter.drawText(box.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop, label());
    painter.restore();
}

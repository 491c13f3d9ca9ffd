#include "ringoverlay.h"

#include <QPainter>

bool RingOverlay::setCentre(std::optional<QPointF> pixel)
{
    if (pixel == m_centre)
        return false;
    m_centre = pixel;
    return true;
}

void RingOverlay::paint(QPainter &painter) const
{
    if (!m_centre)
        return;
    painter.save();
    // Yellow inside a black edge stays visible on white dots and on every zone colour.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 4));
    painter.drawEllipse(*m_centre, m_radius, m_radius);
    painter.setPen(QPen(Qt::yellow, 2));
    painter.drawEllipse(*m_centre, m_radius, m_radius);
    painter.restore();
}

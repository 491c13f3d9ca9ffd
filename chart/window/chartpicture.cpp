#include "chartpicture.h"

#include "chartoverlay.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

ChartPicture::ChartPicture(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    // The picture covers every pixel, so Qt need not clear behind it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartPicture::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void ChartPicture::addOverlay(const ChartOverlay *overlay)
{
    m_overlays.push_back(overlay);
    update();
}

void ChartPicture::removeOverlay(const ChartOverlay *overlay)
{
    std::erase(m_overlays, overlay);
    update();
}

void ChartPicture::setToolTipText(std::function<QString(QPointF)> text)
{
    m_toolTipText = std::move(text);
}

bool ChartPicture::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString text = m_toolTipText ? m_toolTipText(help->pos()) : QString();
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void ChartPicture::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    const QRect r = event->rect();
    const qreal ratio = m_picture.devicePixelRatio();
    painter.drawImage(QRectF(r), m_picture,
                      QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    if (m_ring) {
        // Yellow inside a black edge stays visible on white dots and on every zone colour.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 4));
        painter.drawEllipse(*m_ring, kRingRadius, kRingRadius);
        painter.setPen(QPen(Qt::yellow, 2));
        painter.drawEllipse(*m_ring, kRingRadius, kRingRadius);
    }
    for (const ChartOverlay *overlay : m_overlays)
        overlay->paint(painter);
}

void ChartPicture::setRing(std::optional<QPointF> centre)
{
    if (centre == m_ring)
        return;
    m_ring = centre;
    update();
}

void ChartPicture::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event->button(), event->position());
}

void ChartPicture::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->position());
}

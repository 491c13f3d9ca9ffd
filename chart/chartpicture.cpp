#include "chartpicture.h"

#include <QMouseEvent>
#include <QPainter>

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

void ChartPicture::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    painter.drawImage(event->rect().topLeft(), m_picture, event->rect());
}

void ChartPicture::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event->button(), event->position());
}

void ChartPicture::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->position());
}

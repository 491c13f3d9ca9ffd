// The distance ruler: a line from where the right button went down to the pointer, labelled
// with its length in map units and its two end points. It knows pixels and a pixel-to-map
// mapping, nothing of the window that shows it.
#pragma once

#include "chartoverlay.h"

#include <QPointF>
#include <QString>

#include <functional>

class QMouseEvent;

class DistanceRuler : public ChartOverlay {
public:
    using ToMap = std::function<QPointF(QPointF pixel)>;

    explicit DistanceRuler(ToMap toMap) : m_toMap(std::move(toMap)) {}

    // Follows the right button on the picture: a press starts the ruler, moves with the
    // button held stretch it, the release (or a move without the button, when the release
    // went elsewhere) takes it away. True when what the ruler shows changed.
    bool mouseEvent(const QMouseEvent &event);

    void start(QPointF pixel);
    void moveTo(QPointF pixel);
    void clear();
    // Shown once the pointer has left the press point, until clear().
    bool isShown() const { return m_active && m_to != m_from; }
    bool isActive() const { return m_active; }
    QPointF from() const { return m_from; }
    QPointF to() const { return m_to; }

    // Length in map units between the two ends.
    double distance() const;
    // "123.4" on the first line, "1200 1100 to 1320 1130" (the ends' whole parts, as the
    // caption shows positions) on the second.
    QString label() const;

    void paint(QPainter &painter) const override;

private:
    ToMap m_toMap;
    bool m_active = false;
    QPointF m_from;
    QPointF m_to;
};

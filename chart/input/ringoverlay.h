// A ring around one point of a chart picture: the planet a list or a search picked, the
// explorer's selection. Painted over the picture, never into it, so saving and copying the
// chart never hold it.
#pragma once

#include "chartoverlay.h"

#include <QPointF>

#include <optional>

class RingOverlay : public ChartOverlay {
public:
    static constexpr int kRadius = 10;

    explicit RingOverlay(int radius = kRadius) : m_radius(radius) {}
    int radius() const { return m_radius; }

    // The ring's centre in picture pixels; unset takes it away. True when it changed, so
    // the widget showing it must repaint.
    bool setCentre(std::optional<QPointF> pixel);
    std::optional<QPointF> centre() const { return m_centre; }

    void paint(QPainter &painter) const override;

private:
    int m_radius;
    std::optional<QPointF> m_centre;
};

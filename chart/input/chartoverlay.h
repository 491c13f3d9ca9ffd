// What a chart widget paints over its picture for a moment: a ruler, a marker. Overlays
// paint onto the widget, never into the chart picture, so saving and copying see the chart
// alone.
#pragma once

class QPainter;

class ChartOverlay {
public:
    virtual ~ChartOverlay() = default;
    // Paints onto the widget, whose pixels are the picture's pixels.
    virtual void paint(QPainter &painter) const = 0;
};

// The part of the universe the chart explorer shows: a picture of its own size with one
// scale for both axes, so distances read the same across and down. Pure arithmetic, shared
// by the explorer window, the command line and the tests.
#pragma once

#include "chartview.h"

#include <QPointF>
#include <QRectF>
#include <QSize>

// The map's extent in map units, as the chart window shows it at zoom 0.
struct MapExtent {
    double left, bottom, right, top;
    QPointF middle() const { return {(left + right) / 2, (bottom + top) / 2}; }
    double width() const { return right - left; }
    double height() const { return top - bottom; }
};

MapExtent mapExtent(int maxX, double maxY);

struct ExplorerView {
    // Closest zoom: this many pixels per map unit.
    static constexpr double kMaxPixelsPerUnit = 16;
    // Farthest zoom: this many times the map units per pixel of the fit.
    static constexpr double kFarthestOut = 4;
    // One wheel notch, one `+` or `-`.
    static constexpr double kZoomStep = 1.25;
    // The largest side of a planet's dot, in pixels.
    static constexpr int kLargestDot = 5;

    QSize picture{1, 1};
    QPointF centre;              // map units, at the picture's middle
    double unitsPerPixel = 1;    // on both axes

    // Picture pixels (0 at the top-left edge, y down) of a map point, and back.
    QPointF toPixel(QPointF map) const;
    QPointF toMap(QPointF pixel) const;
    // The picture's corners as the chart's renderer takes them, with the map's middle for
    // the "+".
    ChartView chartView(const MapExtent &extent) const;
    // The map units the picture covers.
    QRectF mapRect() const;

    // The whole extent fitted into `picture`, centred.
    static ExplorerView fitted(QSize picture, const MapExtent &extent);
    // The scale limits for a picture of this size.
    static double minUnitsPerPixel() { return 1 / kMaxPixelsPerUnit; }
    double maxUnitsPerPixel(const MapExtent &extent) const;

    // Zoomed by `factor` (above 1 is closer) keeping the map point under `pixel` still, the
    // scale held between the limits.
    ExplorerView zoomedAbout(QPointF pixel, double factor, const MapExtent &extent) const;
    // Moved so that the map follows the pointer by `pixels`.
    ExplorerView dragged(QPointF pixels) const;
    // Same centre and scale on a picture of another size.
    ExplorerView resized(QSize size) const;
    // Centred on a map point.
    ExplorerView centredOn(QPointF map) const;

    // How many times closer than the fit for its picture the view is (below 1: farther).
    double closenessToFit(const MapExtent &extent) const;
    // The side of a planet's dot in pixels: 1 at the fit and farther out, one more each time
    // the view is twice as close, up to kLargestDot, so the dots read at any zoom.
    int dotSize(const MapExtent &extent) const;

    bool operator==(const ExplorerView &) const = default;
};

// The explorer's view from the command line's zoom and centre: the fit for `picture`, then
// the fraction 1 - zoom of it (0 the fit, 0.5 twice as close), centred on `centre` where an
// axis is not 0, as the chart window reads a centre.
ExplorerView explorerViewFor(QSize picture, const MapExtent &extent, double zoom, double centreX,
                             double centreY);

#include "explorerview.h"

#include <algorithm>
#include <cmath>

MapExtent mapExtent(int maxX, double maxY)
{
    const ChartView whole = viewFor(0, 0, 0, maxX, maxY);
    return {whole.left, whole.bottom, whole.right, whole.top};
}

QPointF ExplorerView::toPixel(QPointF map) const
{
    return {picture.width() / 2.0 + (map.x() - centre.x()) / unitsPerPixel,
            picture.height() / 2.0 - (map.y() - centre.y()) / unitsPerPixel};
}

QPointF ExplorerView::toMap(QPointF pixel) const
{
    return {centre.x() + (pixel.x() - picture.width() / 2.0) * unitsPerPixel,
            centre.y() - (pixel.y() - picture.height() / 2.0) * unitsPerPixel};
}

QRectF ExplorerView::mapRect() const
{
    const double halfW = picture.width() / 2.0 * unitsPerPixel;
    const double halfH = picture.height() / 2.0 * unitsPerPixel;
    return {centre.x() - halfW, centre.y() - halfH, 2 * halfW, 2 * halfH};
}

ChartView ExplorerView::chartView(const MapExtent &extent) const
{
    const QRectF r = mapRect();
    const QPointF middle = extent.middle();
    return {r.left(), r.bottom(), r.right(), r.top(), middle.x(), middle.y(), centre.x(),
            centre.y()};
}

ExplorerView ExplorerView::fitted(QSize picture, const MapExtent &extent)
{
    ExplorerView view;
    view.picture = picture.expandedTo(QSize(1, 1));
    view.centre = extent.middle();
    view.unitsPerPixel = std::max(extent.width() / view.picture.width(),
                                  extent.height() / view.picture.height());
    // A map of one point still gets a scale.
    if (!(view.unitsPerPixel > 0))
        view.unitsPerPixel = 1;
    return view;
}

double ExplorerView::maxUnitsPerPixel(const MapExtent &extent) const
{
    return std::max(fitted(picture, extent).unitsPerPixel * kFarthestOut, minUnitsPerPixel());
}

ExplorerView ExplorerView::zoomedAbout(QPointF pixel, double factor,
                                       const MapExtent &extent) const
{
    if (!(factor > 0) || !std::isfinite(factor))
        return *this;
    const QPointF fixed = toMap(pixel);
    ExplorerView view = *this;
    view.unitsPerPixel =
        std::clamp(unitsPerPixel / factor, minUnitsPerPixel(), maxUnitsPerPixel(extent));
    // The point under the pointer stays where it is.
    view.centre = fixed - QPointF((pixel.x() - picture.width() / 2.0) * view.unitsPerPixel,
                                  -(pixel.y() - picture.height() / 2.0) * view.unitsPerPixel);
    return view;
}

ExplorerView ExplorerView::dragged(QPointF pixels) const
{
    ExplorerView view = *this;
    view.centre -= QPointF(pixels.x() * unitsPerPixel, -pixels.y() * unitsPerPixel);
    return view;
}

ExplorerView ExplorerView::resized(QSize size) const
{
    ExplorerView view = *this;
    view.picture = size.expandedTo(QSize(1, 1));
    return view;
}

ExplorerView ExplorerView::centredOn(QPointF map) const
{
    ExplorerView view = *this;
    view.centre = map;
    return view;
}

double ExplorerView::closenessToFit(const MapExtent &extent) const
{
    return fitted(picture, extent).unitsPerPixel / unitsPerPixel;
}

int ExplorerView::dotSize(const MapExtent &extent) const
{
    const double closeness = closenessToFit(extent);
    if (!(closeness > 1) || !std::isfinite(closeness))
        return 1;
    // A hair of slack, so that exactly twice as close is 2 despite rounding on the way.
    const int steps = static_cast<int>(std::floor(std::log2(closeness) + 1e-9));
    return std::clamp(1 + steps, 1, kLargestDot);
}

ExplorerView explorerViewFor(QSize picture, const MapExtent &extent, double zoom, double centreX,
                             double centreY)
{
    ExplorerView view = ExplorerView::fitted(picture, extent);
    view.unitsPerPixel *= 1 - zoom;
    view.unitsPerPixel = std::max(view.unitsPerPixel, ExplorerView::minUnitsPerPixel());
    if (centreX != 0)
        view.centre.setX(centreX);
    if (centreY != 0)
        view.centre.setY(centreY);
    return view;
}

#include "chartview.h"

#include "conversions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kLowBound = 950;    // left and lower edge of every map
constexpr double kRightMargin = 150; // room for the labels that run right of planets
constexpr double kTopMargin = 50;

} // namespace

QPointF ChartView::toPixel(QPointF map, QSize picture) const
{
    return {userToDevice(map.x(), left, right, picture.width()),
            userToDevice(map.y(), top, bottom, picture.height())};
}

QPointF ChartView::toMap(QPointF pixel, QSize picture) const
{
    return {deviceToUser(pixel.x(), left, right, picture.width()),
            deviceToUser(pixel.y(), top, bottom, picture.height())};
}

ChartView viewFor(double zoom, double centreX, double centreY, int maxX, double maxY)
{
    // In double precision: the largest X the map reader accepts, 32767, still gets its
    // margin instead of overflowing a 16-bit sum.
    // A map whose largest X is 800 (or largest Y 900) has no extent on that axis; one map
    // unit gives the chart a window to draw in.
    double rightBound = maxX + kRightMargin;
    double upperBound = maxY + kTopMargin;
    if (rightBound == kLowBound)
        rightBound += 1;
    if (upperBound == kLowBound)
        upperBound += 1;
    const double x0 = kLowBound + (rightBound - kLowBound) / 2;
    const double y0 = upperBound + (kLowBound - upperBound) / 2;
    const double dx = centreX != 0 ? centreX - x0 : 0;
    const double dy = centreY != 0 ? centreY - y0 : 0;

    ChartView view;
    view.left = kLowBound + (x0 - kLowBound) * zoom + dx;
    view.top = upperBound + (y0 - upperBound) * zoom + dy;
    view.right = rightBound - (rightBound - x0) * zoom + dx;
    view.bottom = kLowBound - (kLowBound - y0) * zoom + dy;
    view.defaultX = x0;
    view.defaultY = y0;
    view.centreX = centreX != 0 ? centreX : x0;
    view.centreY = centreY != 0 ? centreY : y0;
    return view;
}

StoredView StoredView::of(std::optional<double> zoom, const ChartView &view)
{
    // As Globals::setViewCenterY stores it.
    return {zoom, view.centreX, conv::toInt16(view.centreY)};
}

void StoredView::storeIn(Globals &globals) const
{
    globals.View_Zoom = zoom;
    globals.View_Center_X = centreX;
    globals.View_Center_Y = centreY;
}

double zoomForStep(qint16 step, qint16 steps)
{
    return static_cast<double>(static_cast<float>(step) / static_cast<float>(steps));
}

QPointF gestureCentre(QPointF centre)
{
    auto axis = [](double value) {
        constexpr double low = std::numeric_limits<qint16>::min();
        constexpr double high = std::numeric_limits<qint16>::max();
        value = std::clamp(value, low, high);
        // Less than one unit from 0 would round to the stored 0; one unit off is unseen.
        return std::abs(value) < 1 ? std::copysign(1.0, value) : value;
    };
    return {axis(centre.x()), axis(centre.y())};
}

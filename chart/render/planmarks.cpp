#include "planmarks.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace {

struct Run {
    int x, y, w, h;
};

// Each symbol on a 7 by 7 grid, as runs of pixels.
std::span<const Run> shape(Marker marker)
{
    static constexpr Run kTarget[] = {{0, 0, 1, 1}, {6, 0, 1, 1}, {1, 1, 1, 1}, {5, 1, 1, 1},
                                      {2, 2, 1, 1}, {4, 2, 1, 1}, {3, 3, 1, 1}, {2, 4, 1, 1},
                                      {4, 4, 1, 1}, {1, 5, 1, 1}, {5, 5, 1, 1}, {0, 6, 1, 1},
                                      {6, 6, 1, 1}};                          // an X
    static constexpr Run kAlly[] = {{3, 0, 1, 7}, {0, 3, 7, 1}, {2, 2, 3, 3}}; // a plus
    static constexpr Run kEnemy[] = {{0, 1, 7, 1}, {1, 2, 5, 1}, {2, 3, 3, 1},
                                     {3, 4, 1, 2}};                            // a wedge down
    static constexpr Run kHome[] = {{3, 0, 1, 1}, {2, 1, 3, 1}, {1, 2, 5, 1}, {0, 3, 7, 1},
                                    {1, 4, 5, 3}};                             // a house
    static constexpr Run kWatch[] = {{0, 0, 7, 1}, {0, 6, 7, 1}, {0, 1, 1, 5}, {6, 1, 1, 5},
                                     {3, 3, 1, 1}};                            // an eye, boxed
    auto list = [](const auto &runs) { return std::span<const Run>(runs); };
    switch (marker) {
    case Marker::None: break;
    case Marker::Target: return list(kTarget);
    case Marker::Ally: return list(kAlly);
    case Marker::Enemy: return list(kEnemy);
    case Marker::Home: return list(kHome);
    case Marker::Watch: return list(kWatch);
    }
    return {};
}

} // namespace

PackedColor markerColor(Marker marker)
{
    switch (marker) {
    case Marker::None: break;
    case Marker::Target: return 0x004040FF; // red
    case Marker::Ally: return 0x0040FF40;   // green
    case Marker::Enemy: return 0x000090FF;  // orange
    case Marker::Home: return 0x00FFA040;   // light blue
    case Marker::Watch: return 0x00FF60FF;  // violet
    }
    return kWhite;
}

void appendMarkerBoxes(std::vector<FilledBox> &boxes, Marker marker, QPoint topLeft)
{
    const PackedColor color = markerColor(marker);
    const std::span<const Run> runs = shape(marker);
    // A black edge a pixel wide keeps the small shape readable on hatched zones and dots.
    for (const Run &run : runs)
        boxes.push_back({double(topLeft.x() + run.x - 1), double(topLeft.y() + run.y - 1),
                         double(run.w + 2), double(run.h + 2), 0, FillSolid});
    for (const Run &run : runs)
        boxes.push_back({double(topLeft.x() + run.x), double(topLeft.y() + run.y), double(run.w),
                         double(run.h), color, FillSolid});
}

void drawMarkerSymbol(Surface &surface, Marker marker, QPoint topLeft)
{
    std::vector<FilledBox> boxes;
    appendMarkerBoxes(boxes, marker, topLeft);
    surface.FillBoxes(boxes);
}

int drawCircle(Surface &surface, QPointF centre, double radius, QSize picture, PackedColor color)
{
    if (!(radius > 0) || !std::isfinite(radius) || !std::isfinite(centre.x()) ||
        !std::isfinite(centre.y()))
        return 0;
    surface.DrawWidth(1);
    int set = 0;
    const double diagonal = radius / std::sqrt(2.0);
    auto plot = [&](double x, double y) {
        const double px = std::floor(x);
        const double py = std::floor(y);
        if (px < 0 || py < 0 || px >= picture.width() || py >= picture.height())
            return;
        surface.PSet(px + 0.5, py + 0.5, color);
        ++set;
    };
    // Along the top and bottom the circle is flatter than a diagonal: one pixel a column.
    const double first = std::max(-1.0, std::floor(centre.x() - diagonal));
    const double last = std::min(double(picture.width()), std::ceil(centre.x() + diagonal));
    for (double column = first; column <= last; ++column) {
        const double dx = column + 0.5 - centre.x();
        if (std::abs(dx) > diagonal)
            continue;
        const double dy = std::sqrt(radius * radius - dx * dx);
        plot(column + 0.5, centre.y() - dy);
        plot(column + 0.5, centre.y() + dy);
    }
    // Along the sides it is steeper: one pixel a row.
    const double top = std::max(-1.0, std::floor(centre.y() - diagonal));
    const double bottom = std::min(double(picture.height()), std::ceil(centre.y() + diagonal));
    for (double row = top; row <= bottom; ++row) {
        const double dy = row + 0.5 - centre.y();
        if (std::abs(dy) > diagonal)
            continue;
        const double dx = std::sqrt(radius * radius - dy * dy);
        plot(centre.x() - dx, row + 0.5);
        plot(centre.x() + dx, row + 0.5);
    }
    return set;
}

QRect ringLabelBox(QPointF centre, double radius, QSize text, QSize picture)
{
    const QRect inside(QPoint(0, 0), picture);
    const int cx = int(std::floor(centre.x()));
    const int cy = int(std::floor(centre.y()));
    const int r = int(std::lround(std::min(radius, 1e6)));
    const QPoint corners[] = {
        {cx + 2, cy - r - text.height()},      // above the top
        {cx + r + 3, cy - text.height() / 2}, // right of it
        {cx + 2, cy + r + 2},                 // below the bottom
        {cx - r - 3 - text.width(), cy - text.height() / 2},
    };
    for (const QPoint &corner : corners) {
        const QRect box(corner, text);
        if (inside.contains(box))
            return box;
    }
    return {};
}

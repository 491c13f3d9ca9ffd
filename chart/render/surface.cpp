#include "surface.h"

#include "runerror.h"

#include <QCoreApplication>

#include <cmath>

void checkScaleWindow(double x1, double y1, double x2, double y2)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) ||
        x1 == x2 || y1 == y2)
        throw RunError(RunError::InvalidCall,
                       QCoreApplication::translate("Surface", "the chart window has no extent"));
}

void Surface::FillBoxes(std::span<const FilledBox> boxes)
{
    if (boxes.empty())
        return;
    DrawStyle(DrawInvisible);
    for (const FilledBox &box : boxes) {
        FillColor(box.color);
        FillStyle(box.style);
        Line(box.x, box.y, box.w, box.h);
    }
}

#include "search.h"

#include "conversions.h"

int findStar(const Globals &globals, QStringView name)
{
    const int last = globals.lastPlanet();
    for (int i = 0; i <= last; ++i) {
        if (globals.Star_Table[i].Star_Name == name)
            return i;
    }
    return -1;
}

QPointF wholeMapPosition(const ChartView &view, QPointF pixel, QSize picture)
{
    // Mouse positions arrive in single precision, as the chart's units are.
    const QPointF at = view.toMap(pixel, picture);
    return {conv::floorWhole(static_cast<float>(at.x())),
            conv::floorWhole(static_cast<float>(at.y()))};
}

QString pointerReadout(const ChartView &view, QPointF pixel, QSize picture)
{
    const QPointF at = wholeMapPosition(view, pixel, picture);
    return conv::plainNumber(at.x()) + u' ' + conv::plainNumber(at.y());
}

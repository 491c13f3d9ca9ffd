#include "search.h"

#include "conversions.h"

int findStar(const Globals &globals, QStringView name)
{
    const Star_Table_Type &table = globals.Star_Table;
    const int last = std::min<int>(globals.Last_Star_Index, int(table.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        if (table[i].Star_Name == name)
            return i;
    }
    return -1;
}

QString pointerReadout(const ChartView &view, QPointF pixel, QSize picture)
{
    // Mouse positions arrive in single precision, as the chart's units are.
    const QPointF at = view.toMap(pixel, picture);
    return conv::plainNumber(conv::floorWhole(static_cast<float>(at.x()))) + u' ' +
           conv::plainNumber(conv::floorWhole(static_cast<float>(at.y())));
}

// The two small aids of the chart window that need no window: finding a planet by name
// and the pointer readout. The window and the benchmarks share them.
#pragma once

#include "chartview.h"
#include "records.h"

#include <QString>

// The first planet in table order whose name is exactly `name` (whole text,
// case-sensitive, no trimming), or -1.
int findStar(const Globals &globals, QStringView name);

// The map position under a pointer at `pixel`, each axis reduced to its whole part
// towards negative infinity in single precision, as a click or a move reports it.
QPointF wholeMapPosition(const ChartView &view, QPointF pixel, QSize picture);

// The chart window's caption for a pointer at `pixel`: the map position's whole parts,
// towards negative infinity, as "X Y" (-3.2, 0.4 gives "-4 0").
QString pointerReadout(const ChartView &view, QPointF pixel, QSize picture);

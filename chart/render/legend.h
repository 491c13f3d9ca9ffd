// The chart's legend: for each race in slot order a swatch in its zone colour and hatch,
// its name and, if asked, its population total and starbases. Laid out in picture pixels
// and drawn through the Surface, so it scales with the chart and any view can draw it.
#pragma once

#include "records.h"
#include "surface.h"

#include <QSize>

// The legend's own size in picture pixels: as wide as its columns need, as tall as its
// rows need. `scale` is the surface scale it will be drawn at (text widths depend on it).
QSize legendSize(const Globals &globals, bool totals, int scale = 1);

// Draws the legend onto `surface`, a black picture of `picture` pixels (at least
// legendSize()) drawn at `scale`, with a header line "Race Population Starbases" when
// `totals`. Sets the surface's scale to picture pixels, y down.
void drawLegend(Surface &surface, QSize picture, const Globals &globals, bool totals,
                int scale = 1);

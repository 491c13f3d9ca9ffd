// The chart picture with the race legend as a strip to its right, for a picture to share.
#pragma once

#include "records.h"

#include <QImage>

// `chart` (drawn at `scale`) with the legend, totals included, as a strip to its right:
// the chart stays at the top left exactly as it was, the strip is as tall as the chart or
// as its rows need, and whatever neither covers is black.
QImage chartWithLegend(const QImage &chart, const Globals &globals, int scale = 1);

// The pictures of the splash screen and the about box, drawn by Kavora itself: a patch of
// sky with a few race zones, in the chart's own manner.
#pragma once

#include <QPixmap>

// The same seed always gives the same sky. The zones stay inside `zoneArea`, away from
// the window's text.
QPixmap starfield(QSize size, QRect zoneArea, quint32 seed);

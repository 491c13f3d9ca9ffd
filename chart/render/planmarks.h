// What the explorer draws for planning, through Surface in picture pixels: the marker
// symbols beside planet dots (also the legend's), circles such as the range rings round the
// selected planet, and where a ring's distance label goes. Saved and copied with the picture.
#pragma once

#include "notes.h"
#include "surface.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <vector>

// A symbol is this many picture pixels each way.
inline constexpr int kMarkerSymbolSide = 7;
// Where a planet's symbol goes relative to its dot: up and to the right, clear of the dot.
inline constexpr QPoint kMarkerOffset{3, -9};

// Bright on black and distinct from the race colours' hatches by shape as well.
PackedColor markerColor(Marker marker);
// The boxes (picture pixels, solid) of `marker`'s symbol with its top-left corner at
// `topLeft`, inside a black edge one pixel beyond it, appended to `boxes`; nothing for
// Marker::None.
void appendMarkerBoxes(std::vector<FilledBox> &boxes, Marker marker, QPoint topLeft);
// Draws one symbol; the surface's user units must be picture pixels.
void drawMarkerSymbol(Surface &surface, Marker marker, QPoint topLeft);

inline constexpr PackedColor kRingColor = 0x00FFFF00;      // cyan
inline constexpr PackedColor kSelectionColor = 0x0000FFFF; // yellow

// The outline of a circle of `radius` pixels round `centre` (picture pixels, a pixel's
// centre at + 0.5), one pixel per column along its top and bottom and one per row along its
// sides, so it is closed; only the part inside `picture` is drawn, so a ring far larger
// than the picture costs no more than the picture's edges. Returns the pixels set.
int drawCircle(Surface &surface, QPointF centre, double radius, QSize picture, PackedColor color);

// Where the label of a ring goes: just above its top, else right of it, below it or left of
// it, whichever first lies wholly inside `picture`; an empty rectangle when none does.
QRect ringLabelBox(QPointF centre, double radius, QSize text, QSize picture);

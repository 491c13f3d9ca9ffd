// Draws the explorer's change marks through the Surface: a small shape up and to the right
// of a planet's dot, clear of its label (which starts at the dot) and of a dot a few pixels
// wide, on a one-pixel black edge so that it shows on any zone. The legend draws the same
// shapes to explain them.
#pragma once

#include "changemark.h"
#include "chartview.h"
#include "records.h"
#include "surface.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <span>
#include <vector>

// The shape's centre from its planet's dot pixel.
inline constexpr QPoint kChangeMarkOffset{5, -5};
// No shape reaches farther than this from its centre, black edge included.
inline constexpr int kChangeMarkReach = 6;

// The marks of planets whose dot is close enough to `picture` for a shape to show, in the
// order given, so a later mark lies over an earlier one. Planets outside Star_Table are
// skipped. The surface's user units must be picture pixels, y down; its pen is left
// invisible. Throws TypeMismatch for a coordinate that is not a number.
void drawChangeMarks(Surface &surface, const Globals &globals, const ChartView &view,
                     QSize picture, std::span<const ChangeMark> marks);
// One shape centred on picture pixel `centre`, as drawChangeMarks draws it.
void drawChangeMark(Surface &surface, QPoint centre, ChangeMarkKind kind, PackedColor color);

// The kinds among `marks`.
ChangeMarkKinds changeMarkKinds(std::span<const ChangeMark> marks);
// "new owner", "captured", ...: the words of the changes window.
QString changeMarkText(ChangeMarkKind kind);

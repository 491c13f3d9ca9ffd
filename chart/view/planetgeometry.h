// The rules that place a planet on a chart and say what it shows: where its dot goes,
// how large its zone is and what its label reads under the label check boxes. Pure
// arithmetic on the planet record, shared by the drawing, the picker and the label placer.
#pragma once

#include "chartview.h"
#include "distances.h"
#include "records.h"

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>

// The chart window's three display check boxes; they combine by union.
struct LabelOptions {
    bool all = false;       // "All Planets": every planet
    bool populated = false; // "Populated Planets": every owned planet
    bool starbases = false; // "Planets with Starbases": every owned planet with a starbase

    bool any() const { return all || populated || starbases; }
    bool operator==(const LabelOptions &) const = default;
};

// The explorer's label choice: the same rules as the chart window's check boxes, one at a time.
enum class LabelChoice { None, Starbases, Populated, All };
LabelOptions labelOptionsFor(LabelChoice choice);

// Where a planet's dot goes: its coordinates in single precision. Throws TypeMismatch for
// a coordinate that is not a number.
QPointF planetPosition(const Star_Object &planet);

// The pixel a map point's dot falls in on a picture of `picture` pixels showing `view`, as
// the surface finds it; far-off points are held far outside the picture instead of
// overflowing.
QPoint dotPixel(const ChartView &view, QSize picture, QPointF map);

// The population figure as the zone size reads it; 0 where there is none.
double planetPopulation(const Star_Object &planet);

// The side of a planet's square in map units: ln(population) times 15, or 25.5 with a
// starbase. A population that is empty, "0" or whose leading number is not positive counts
// as missing: 700000 for an owned planet, 1 for another.
double zoneSize(const Star_Object &planet);

// The label the ticked boxes give a planet, written into `text`; false for none.
//   owned, no starbase: "Name Owner"       when All or Populated is ticked
//   owned, starbase:    "Name Owner (s)"   when any box is ticked
//   no owner:           "Name"             when All is ticked
bool planetLabel(const Star_Object &planet, const LabelOptions &labels, QString &text);

// How far planets lie from one another in map units, and the fleet figures read against
// those distances: range rings and a speed in units per turn. One rule for the planet
// list's Distance column and "within" box, `kavora --planets --near`, the ruler and the
// explorer's rings. No drawing, no widgets.
#pragma once

#include "conversions.h"
#include "records.h"

#include <QPointF>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// A planet's coordinate text as a number; TypeMismatch when it is not one. Inline for the
// plain digits nearly every coordinate is: a redraw reads each planet's several times.
inline double planetCoordinate(const QString &text)
{
    const double plain = conv::plainDigits(text, 9);
    return plain >= 0 ? plain : conv::strictNumber(text);
}

// A planet's place in map units, its coordinate texts read strictly; nullopt when either is
// not a number (such a planet has no distance to anything).
std::optional<QPointF> planetPlace(const Star_Object &planet);
std::optional<QPointF> placeOf(const QString &x, const QString &y);

// The straight line between two map points.
double mapDistance(QPointF a, QPointF b);

// Each planet's distance from `from`, by table index up to lastPlanet(); NaN for a planet
// without a place.
std::vector<double> distancesFrom(const Globals &globals, QPointF from);

struct NearPlanet {
    int index; // in Star_Table
    double distance;
    bool operator==(const NearPlanet &) const = default;
};

// The planets at most `within` map units from `from` (every planet with a place when unset),
// nearest first; equally near ones by name ignoring case, then by exact name, then in table
// order.
std::vector<NearPlanet> planetsNear(const Globals &globals, QPointF from,
                                    std::optional<double> within);

// "58.5": a distance as every list and reading shows it, one decimal.
QString distanceText(double distance);

// The largest ring or speed taken, in map units: far beyond any map, small enough that a
// ring's arithmetic stays exact in pixels.
constexpr double kLongestRange = 100000;
constexpr int kMostRings = 12;

// "81, 162" or "81 162": the distances of the range rings, each above 0 and at most
// kLongestRange, at most kMostRings of them, in the order given; an empty text is no rings.
// nullopt for anything else.
std::optional<std::vector<double>> parseRings(QStringView text);
// The rings as the field shows them again: "81, 162".
QString ringsText(const std::vector<double> &rings);

// A fleet speed in map units per turn: a number above 0 up to kLongestRange, or an empty
// text for none (0). nullopt for anything else.
std::optional<double> parseSpeed(QStringView text);

// The turns a fleet at `speed` units per turn needs for `distance`, rounded up; a distance
// that is a whole number of turns (to a millionth of a unit) takes just that many. 0 for no
// speed or no distance.
long long turnsFor(double distance, double speed);
// "3 turns at 81", "1 turn at 40.5"; empty for no speed.
QString turnsText(double distance, double speed);

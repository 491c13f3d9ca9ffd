#include "distances.h"

#include "conversions.h"
#include "runerror.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>

std::optional<QPointF> placeOf(const QString &x, const QString &y)
{
    try {
        return QPointF(planetCoordinate(x), planetCoordinate(y));
    } catch (const RunError &) {
        return std::nullopt;
    }
}

std::optional<QPointF> planetPlace(const Star_Object &planet)
{
    return placeOf(planet.Star_X, planet.Star_Y);
}

double mapDistance(QPointF a, QPointF b)
{
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

std::vector<double> distancesFrom(const Globals &globals, QPointF from)
{
    const int last = globals.lastPlanet();
    std::vector<double> distances(size_t(last + 1));
    for (int i = 0; i <= last; ++i) {
        const std::optional<QPointF> place = planetPlace(globals.Star_Table[size_t(i)]);
        distances[size_t(i)] = place ? mapDistance(from, *place) : std::nan("");
    }
    return distances;
}

std::vector<NearPlanet> planetsNear(const Globals &globals, QPointF from,
                                    std::optional<double> within)
{
    const std::vector<double> distances = distancesFrom(globals, from);
    std::vector<NearPlanet> near;
    for (size_t i = 0; i < distances.size(); ++i) {
        const double d = distances[i];
        if (!std::isnan(d) && (!within || d <= *within))
            near.push_back({int(i), d});
    }
    std::sort(near.begin(), near.end(), [&globals](const NearPlanet &a, const NearPlanet &b) {
        if (a.distance != b.distance)
            return a.distance < b.distance;
        const QString &left = globals.Star_Table[size_t(a.index)].Star_Name;
        const QString &right = globals.Star_Table[size_t(b.index)].Star_Name;
        if (const int folded = left.compare(right, Qt::CaseInsensitive); folded != 0)
            return folded < 0;
        if (left != right)
            return left < right;
        return a.index < b.index;
    });
    return near;
}

QString distanceText(double distance)
{
    return QString::number(distance, 'f', 1);
}

namespace {

std::optional<double> range(QStringView text)
{
    try {
        const double value = conv::strictNumber(text);
        if (value > 0 && value <= kLongestRange)
            return value;
    } catch (const RunError &) {
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<double>> parseRings(QStringView text)
{
    std::vector<double> rings;
    QString spaced = text.toString();
    spaced.replace(u',', u' ');
    for (const QString &part : spaced.split(u' ', Qt::SkipEmptyParts)) {
        const std::optional<double> ring = range(part);
        if (!ring || int(rings.size()) == kMostRings)
            return std::nullopt;
        rings.push_back(*ring);
    }
    return rings;
}

QString ringsText(const std::vector<double> &rings)
{
    QStringList parts;
    for (double ring : rings)
        parts << conv::plainNumber(ring);
    return parts.join(QStringLiteral(", "));
}

std::optional<double> parseSpeed(QStringView text)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    return range(text);
}

long long turnsFor(double distance, double speed)
{
    if (!(speed > 0) || !(distance > 0) || !std::isfinite(distance))
        return 0;
    // 162 units at 81 are two turns, though the length of a line between two planets may
    // come out a hair above 162.
    const double turns = std::ceil((distance - 1e-6) / speed);
    return static_cast<long long>(std::min(turns, 1e15));
}

QString turnsText(double distance, double speed)
{
    if (!(speed > 0))
        return {};
    const long long turns = turnsFor(distance, speed);
    // Two whole texts, so that a language may word one turn and many its own way.
    return (turns == 1 ? QCoreApplication::translate("Distances", "%1 turn at %2")
                       : QCoreApplication::translate("Distances", "%1 turns at %2"))
        .arg(turns)
        .arg(conv::plainNumber(speed));
}

#include "planetgeometry.h"

#include "conversions.h"
#include "population.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kMissingPopulation = 700000; // an owned planet the report gives no figure
constexpr double kZoneFactor = 15;
constexpr double kStarbaseZoneFactor = 25.5;

// GCC 12 at -O2 drops the rounding of two doubles to float when both are widened back into
// one pair (its SLP vectorizer folds the conversions away), so the dot of 1234.1 would be
// placed at 1234.1 instead of 1234.0999755859. The empty asm keeps each rounding.
double singlePrecision(double value)
{
    float single = static_cast<float>(value);
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    asm("" : "+x"(single));
#endif
    return single;
}

} // namespace

LabelOptions labelOptionsFor(LabelChoice choice)
{
    return {choice == LabelChoice::All, choice == LabelChoice::Populated,
            choice == LabelChoice::Starbases};
}

QPointF planetPosition(const Star_Object &planet)
{
    return {singlePrecision(planetCoordinate(planet.Star_X)),
            singlePrecision(planetCoordinate(planet.Star_Y))};
}

QPoint dotPixel(const ChartView &view, QSize picture, QPointF map)
{
    static constexpr double kFar = 1 << 30;
    auto index = [](double position) {
        if (std::isnan(position))
            return -(1 << 30);
        return static_cast<int>(std::floor(std::clamp(position, -kFar, kFar)));
    };
    const QPointF at = view.toPixel(map, picture);
    return {index(at.x()), index(at.y())};
}

double planetPopulation(const Star_Object &planet)
{
    // A figure beyond a double's range is as large as can be, or as missing as any other
    // negative figure.
    const double value = populationValue(planet.population);
    return std::isinf(value) ? (value > 0 ? std::numeric_limits<double>::max() : 0) : value;
}

double zoneSize(const Star_Object &planet)
{
    double people = planetPopulation(planet);
    if (!(people > 0))
        people = planet.Owner.isEmpty() ? 1 : kMissingPopulation;
    return std::log(people) * (planet.Starbase.isEmpty() ? kZoneFactor : kStarbaseZoneFactor);
}

bool planetLabel(const Star_Object &planet, const LabelOptions &labels, QString &text)
{
    const bool owned = !planet.Owner.isEmpty();
    const bool starbase = owned && !planet.Starbase.isEmpty();
    const bool wanted = labels.all || (owned && labels.populated) || (starbase && labels.starbases);
    if (!wanted)
        return false;
    // resize(0) keeps the buffer's capacity, so a redraw reuses one allocation.
    text.resize(0);
    text += planet.Star_Name;
    if (owned) {
        text += u' ';
        text += planet.Owner;
        if (starbase)
            text += QLatin1String(" (s)");
    }
    return true;
}

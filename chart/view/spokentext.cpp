#include "spokentext.h"

#include "conversions.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>

namespace {

QString whole(double value)
{
    return conv::plainNumber(std::round(value));
}

QString spokenRect(double left, double right, double bottom, double top)
{
    return QCoreApplication::translate("SpokenText", "Map from %1 to %2 across and %3 to %4 up")
        .arg(whole(left), whole(right), whole(bottom), whole(top));
}

} // namespace

QString spokenPlanet(const Star_Object &planet)
{
    QStringList parts{planet.Star_Name};
    parts << (planet.Owner.isEmpty() ? QCoreApplication::translate("SpokenText", "unowned")
                                     : QCoreApplication::translate("SpokenText", "owner %1").arg(planet.Owner));
    parts << QCoreApplication::translate("SpokenText", "population %1")
                 .arg(planet.population.trimmed().isEmpty() ? QCoreApplication::translate("SpokenText", "unknown")
                                                            : conv::groupedText(planet.population));
    parts << (planet.Starbase.isEmpty() ? QCoreApplication::translate("SpokenText", "no starbase")
                                        : QCoreApplication::translate("SpokenText", "starbase %1").arg(planet.Starbase));
    return parts.join(QStringLiteral(", "));
}

QString spokenExplorerView(const ExplorerView &view, const MapExtent &extent)
{
    const QRectF shown = view.mapRect();
    const double closer = view.closenessToFit(extent);
    QString how;
    if (std::abs(closer - 1) < 0.005)
        how = QCoreApplication::translate("SpokenText", "the whole map");
    else if (closer > 1)
        how = QCoreApplication::translate("SpokenText", "%1 times closer than the whole map").arg(closer, 0, 'g', 2);
    else
        how = QCoreApplication::translate("SpokenText", "%1 times farther out than the whole map").arg(1 / closer, 0, 'g', 2);
    return spokenRect(shown.left(), shown.right(), shown.top(), shown.bottom()) +
           QStringLiteral(", ") + how;
}

QString spokenChartView(const ChartView &view, double zoom)
{
    return spokenRect(view.left, view.right, view.bottom, view.top) +
           QCoreApplication::translate("SpokenText", ", zoom factor %1").arg(zoom, 0, 'g', 3);
}

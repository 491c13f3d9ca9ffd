#include "universe.h"

#include <QRandomGenerator>

#include <cmath>

SyntheticUniverse syntheticUniverse(int planets, quint32 seed)
{
    QRandomGenerator random(seed);
    SyntheticUniverse universe;
    for (int r = 0; r < 16; ++r)
        universe.races << QStringLiteral("Race %1").arg(QChar(u'A' + r));
    universe.planets.reserve(planets);
    for (int k = 0; k < planets; ++k) {
        QString name = k >= 25 && random.bounded(25) == 0 ? universe.planets[random.bounded(k)].name
                                                          : QStringLiteral("Planet %1").arg(k);
        universe.planets.append({QString::number(random.bounded(1000, 4000)),
                                 QString::number(random.bounded(1000, 4000)), std::move(name)});
    }
    return universe;
}

QList<ReportLine> SyntheticUniverse::report(quint32 seed) const
{
    QRandomGenerator random(seed);
    QList<ReportLine> lines;
    for (int k = 0; k < planets.size(); ++k) {
        if (random.bounded(100) == 0)
            lines.append(
                {QStringLiteral("Lost %1").arg(k), races[random.bounded(16)], {}, "1", "500"});
        if (random.bounded(10) >= 7)
            continue;
        ReportLine line{planets[k].name, {}, {}, QString::number(random.bounded(30)), {}};
        if (random.bounded(2)) {
            line.owner = races[random.bounded(16)];
            if (random.bounded(8) == 0)
                line.starbase = QStringLiteral("SB");
            line.population = QString::number(qint64(std::pow(10.0, 7 * random.generateDouble())));
        } else {
            line.population = random.bounded(2) ? QStringLiteral("0") : QString();
        }
        lines.append(line);
    }
    return lines;
}

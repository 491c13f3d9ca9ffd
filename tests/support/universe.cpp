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

QList<ReportLine> SyntheticUniverse::laterTurn(const QList<ReportLine> &lines, quint32 seed,
                                               int percent) const
{
    QRandomGenerator random(seed);
    QList<ReportLine> later = lines;
    // Of the lines, this many in 10,000 change, so that `percent` of the planets do.
    const qint64 perTenThousand =
        later.isEmpty() ? 0 : std::min<qint64>(10000, qint64(percent) * planets.size() * 100 / later.size());
    for (ReportLine &line : later) {
        if (random.bounded(10000) >= perTenThousand)
            continue;
        if (line.owner.isEmpty()) {
            line.owner = races[random.bounded(16)];
            line.population = QString::number(random.bounded(100, 5000));
            continue;
        }
        const qint64 people = line.population.toLongLong();
        switch (random.bounded(4)) {
        case 0: {
            QString taker = races[random.bounded(16)];
            while (taker == line.owner)
                taker = races[random.bounded(16)];
            line.owner = taker;
            line.starbase.clear();
            line.population = QString::number(people / 3 + 1);
            break;
        }
        case 1:
            line.starbase = line.starbase.isEmpty() ? QStringLiteral("SB") : QString();
            break;
        case 2:
            line.population = QString::number(people + people / 20 + 1);
            break;
        default:
            line.population = QString::number(std::max<qint64>(0, people - people / 10 - 1));
            break;
        }
    }
    return later;
}

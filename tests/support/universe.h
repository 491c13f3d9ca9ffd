// A seeded synthetic universe for tests and benchmarks: the same seed always gives the same
// planets and the same reports, on every machine.
#pragma once

#include "testfiles.h"

#include <QStringList>

struct SyntheticUniverse {
    QList<MapLine> planets; // about one name in 25 repeats an earlier planet's name
    QStringList races;      // 16 race names

    QByteArray mapText() const { return ::mapText(planets); }

    // One player's report over these planets, in map order: about seven planets in ten are
    // known, half of those owned by one of the races, one owned planet in eight with a
    // starbase; owned planets hold 1 to 10,000,000 people, the others "" or "0". About one
    // line in a hundred names a planet the map lacks. Another seed gives another player's
    // view of the same universe, with other populations for the same planets.
    QList<ReportLine> report(quint32 seed) const;
    QByteArray reportText(quint32 seed) const { return ::reportText(report(seed)); }

    // The same player's report a turn later: about `percent` in a hundred of the universe's
    // planets change. An owned one changes hands, gets or loses its starbase, or grows or
    // shrinks; an unowned one is settled. Every other line stays as it was.
    QList<ReportLine> laterTurn(const QList<ReportLine> &lines, quint32 seed,
                                int percent = 10) const;
};

SyntheticUniverse syntheticUniverse(int planets, quint32 seed);

// The universes the benchmarks run on: seeded synthetic maps and reports written to a
// temporary folder once per size, and the tables a program would hold after reading them.
#pragma once

#include "records.h"

#include <QString>
#include <QStringList>

// The sizes every case runs at: a small game, a large one, and the largest map accepted.
constexpr int kSmallUniverse = 500;
constexpr int kSamplePlanets = 800; // the sample universe under examples/
constexpr int kMediumUniverse = 5000;
constexpr int kLargestUniverse = kMaxPlanets;

// Reports merged before a chart is drawn: four players' views of the same universe leave
// about four planets in five owned, as in a game late on.
constexpr int kChartReports = 4;

struct BenchUniverse {
    int planets = 0;
    QString mapPath;
    QStringList reportPaths; // kChartReports of them; the first is the one merged alone
    // The first player's report a turn later, about one planet in ten changed.
    QString laterReportPath;
    Globals afterFirst;      // after reading the map and the first report
    Globals started;         // after start-up: palette set, no map
    Globals mapped;          // after reading the map
    Globals charted;         // after reading the map and every report
    // Centre of the zoom 0.9 view that shows the most zones: the worst overdraw.
    double denseX = 0;
    double denseY = 0;
    // The last planet in table order whose name no other planet has, so the search has to
    // walk the whole table.
    QString lastName;
};

// Built on first use and kept for the run.
const BenchUniverse &benchUniverse(int planets);

// Writes the largest universe's map and reports into `folder`, for measuring the program
// itself; returns the paths, the map first.
QStringList writeLargestUniverse(const QString &folder);

// The first player's reports of `turns` turns of the universe, each changing about one
// planet in ten of the turn before: the texts of turns 2 onwards.
QList<QByteArray> laterTurns(int planets, int turns);

// A map and its reports read the way the program reads them, for the in-process run.
Globals loadedUniverse(const QStringList &files);

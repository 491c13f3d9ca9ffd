// What has been read since the last map was opened: that map and each report merged since,
// in order, with how well each report matched it and what it changed. The main window keeps
// it up to date, the race overview and the changes window show it, and undo takes its last
// report back out of the tables.
#pragma once

#include "reportreader.h"
#include "reportstep.h"

#include <QList>
#include <QString>

#include <vector>

struct LoadedReport {
    QString path;
    ReportTally tally;
    ReportStep step; // its planets numbered by their place in the map file (0 first)
    bool operator==(const LoadedReport &) const = default;
};

struct LoadHistory {
    QString mapPath; // empty: no map yet
    int planets = 0;
    QList<LoadedReport> reports;
    // For each position of Star_Table, the place of its planet in the map file: the one
    // thing about a planet that no sort changes. Empty until the first report.
    std::vector<qint16> mapPlaces;

    // Adds a report just merged; its step numbers planets by their position in Star_Table
    // before that merge.
    void add(const QString &path, const ReportTally &tally, ReportStep step);
    // Takes the last report back out of `globals` and off the list: the tables are as they
    // were before it. False when there is none.
    bool undoLast(Globals &globals);
    // Where the planet of each place in the map file sits in Star_Table now.
    std::vector<int> positions() const;
};

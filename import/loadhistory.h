// What has been read since the last map was opened: that map and each report merged since,
// in order, with how well each report matched it. The main window keeps it up to date;
// the race overview shows it.
#pragma once

#include "reportreader.h"

#include <QList>
#include <QString>

struct LoadedReport {
    QString path;
    ReportTally tally;
    bool operator==(const LoadedReport &) const = default;
};

struct LoadHistory {
    QString mapPath; // empty: no map yet
    int planets = 0;
    QList<LoadedReport> reports;
};

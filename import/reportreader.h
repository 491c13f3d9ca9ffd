// Merges a player's planet report dump into the planet and race tables, then orders the
// planets by population.
//
//   Planet<TAB>Owner<TAB>Starbase<TAB>Age<TAB>Population<TAB>...   <- header, skipped
//   Alpha Centauri<TAB>Zorn<TAB>SB<TAB>3<TAB>1200<TAB>
//
// Reports accumulate turn by turn: a later line tells the planet's present, so it replaces
// the planet's owner, starbase and report age, and its population unless it leaves that
// empty. A line without an owner changes nothing. Each race's totals are then the sums over
// the planets it owns, so a planet counts once, for its present owner. The whole file is
// read before anything is stored: a report that fails changes nothing.
#pragma once

#include "records.h"
#include "reportstep.h"
#include "status.h"

#include <optional>

// How well a report fitted the map: its planet lines (header and blank lines aside) that
// named a planet of the map and those that did not, and the same for the lines with an
// owner. A report of another universe shows as mostly unmatched.
struct ReportTally {
    int matched = 0;
    int unmatched = 0;
    int ownedMatched = 0;
    int ownedUnmatched = 0;
    bool operator==(const ReportTally &) const = default;
};

// Fewer than half of the report's owned lines named a planet of the map.
bool looksForeign(const ReportTally &tally);
// "turn42.pla: 520 of 540 lines matched planets of universe.map", the files by name.
QString tallyText(const ReportTally &tally, const QString &report, const QString &map);
// "turn.pla: only 0 of 1584 lines name a planet of universe.map; is it from another
// universe?", counting the owned lines.
QString foreignWarning(const ReportTally &tally, const QString &report, const QString &map);

// Reads `globals.Player_File_Name`, merges it and sorts the planets; returns what it
// changed. Reports "Processing number n" per line, then "Sorting..." and "Done!". Throws
// RunError naming the file and line, and then the tables are as they were before.
// `tally`, when given, receives the counts of a report that merged.
ReportStep readPlayerFile(Globals &globals, const StatusFn &status = {},
                          ReportTally *tally = nullptr);

// The merge and sort of readPlayerFile on text already read; `fileName` names the file
// in errors.
ReportStep mergeReportText(Globals &globals, QStringView text, const QString &fileName,
                           const StatusFn &status = {}, ReportTally *tally = nullptr);

// The same as readPlayerFile, but no failure escapes: the status becomes "Not merged:
// <file name>", the failure is reported through `message` as "Error!!! <number>
// <description>", and the reader returns nothing.
std::optional<ReportStep> Open_Player_File(Globals &globals, const StatusFn &status,
                                           const MessageFn &message, ReportTally *tally = nullptr);

// Merges a player's planet report dump into the planet and race tables, then orders the
// planets by population.
//
//   Planet<TAB>Owner<TAB>Starbase<TAB>Age<TAB>Population<TAB>...   <- header, skipped
//   Alpha Centauri<TAB>Zorn<TAB>SB<TAB>3<TAB>1200<TAB>
//
// Reports accumulate: races keep their slots and totals, planets their report fields.
// Lines are applied as they are read, so a failure keeps what came before it.
#pragma once

#include "records.h"
#include "status.h"

// How well a report fitted the map: its planet lines (header and blank lines aside) that
// named a planet of the map and those that did not. A report of another universe shows
// as mostly unmatched. A failure keeps the counts of the lines before it.
struct ReportTally {
    int matched = 0;
    int unmatched = 0;
    bool operator==(const ReportTally &) const = default;
};

// Reads `globals.Player_File_Name` and sorts the planets. Reports "Processing number n"
// per line, then "Sorting..." and "Done!". Throws RunError naming the file and line; the
// table is not sorted after a failure.
void readPlayerFile(Globals &globals, const StatusFn &status = {}, ReportTally *tally = nullptr);

// The merge and sort of readPlayerFile on text already read; `fileName` names the file
// in errors.
void mergeReportText(Globals &globals, QStringView text, const QString &fileName,
                     const StatusFn &status = {}, ReportTally *tally = nullptr);

// The same as readPlayerFile, but no failure escapes: it is reported through `message` as
// "Error!!! <number> <description>" and the reader returns normally.
void Open_Player_File(Globals &globals, const StatusFn &status, const MessageFn &message,
                      ReportTally *tally = nullptr);

#include "loaduniverse.h"

#include "mapreader.h"
#include "palette.h"
#include "reportreader.h"

LoadHistory loadUniverse(Globals &globals, const QString &map, const QStringList &reports,
                         const StatusFn &status)
{
    Initialize_Colors(globals);
    globals.applyStartupValues();
    globals.Map_File_Name = map;
    Open_Map_File(globals, status);
    Initialize_Colors(globals);

    LoadHistory history{map, int(globals.Star_Table.size()), {}};
    for (const QString &report : reports) {
        globals.Player_File_Name = report;
        ReportTally tally;
        readPlayerFile(globals, status, &tally);
        history.reports.append({report, tally});
    }
    return history;
}

#include "loaduniverse.h"

#include "mapreader.h"
#include "palette.h"
#include "reportreader.h"

void openUniverse(Globals &globals, const StatusFn &status)
{
    Open_Map_File(globals, status);
    globals.clearRaces();
    Initialize_Colors(globals);
}

LoadHistory loadUniverse(Globals &globals, const QString &map, const QStringList &reports,
                         const StatusFn &status)
{
    Initialize_Colors(globals);
    globals.applyStartupValues();
    globals.Map_File_Name = map;
    openUniverse(globals, status);

    LoadHistory history{map, int(globals.Star_Table.size()), {}, {}};
    for (const QString &report : reports) {
        globals.Player_File_Name = report;
        ReportTally tally;
        ReportStep step = readPlayerFile(globals, status, &tally);
        history.add(report, tally, std::move(step));
    }
    return history;
}

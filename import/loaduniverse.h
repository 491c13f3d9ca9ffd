// Kavora as started with files: the start-up values and palette, the map, then each report
// merged in the order given, as the two open commands do once their files are chosen. The
// command line, the benchmarks and the tests load a universe through it.
#pragma once

#include "loadhistory.h"
#include "records.h"
#include "status.h"

#include <QString>
#include <QStringList>

// Opens `globals.Map_File_Name` as a new universe: reads the map, forgets the races of the
// one before and puts the default palette on every slot. A map that cannot be read throws
// RunError and changes nothing.
void openUniverse(Globals &globals, const StatusFn &status = {});

// Throws RunError from the first file that fails, naming it and the line; the globals then
// hold what the files before it built.
// `status` hears the readers' progress texts, as the main window's caption does.
LoadHistory loadUniverse(Globals &globals, const QString &map, const QStringList &reports = {},
                         const StatusFn &status = {});

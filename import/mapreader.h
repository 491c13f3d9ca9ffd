// Reads a universe map dump into the planet table.
//
//   Planet number<TAB>X<TAB>Y<TAB>Name        <- header, skipped
//   7<TAB>1050<TAB>1203<TAB>Alpha Centauri
//
// The whole file is read before anything is stored, so a failure leaves the previous
// map exactly as it was.
#pragma once

#include "records.h"
#include "status.h"

// A map as read, before it replaces the loaded one.
struct MapData {
    Star_Table_Type stars;
    qint16 maxX = 0;
    double maxY = 0;
};

// Parses the text of a map dump; `fileName` only names the file in errors. The planets'
// names keep the text's buffer.
MapData parseMapText(QString text, const QString &fileName, const StatusFn &status = {});

// Reads `globals.Map_File_Name`. Replaces Star_Table with fresh records (white, no
// report data), sets Last_Star_Index, Map_Max_X, Map_Max_Y and Map_Loaded. Reports
// "k:name" per planet and the file's path at the end. Throws RunError naming the line.
void Open_Map_File(Globals &globals, const StatusFn &status = {});

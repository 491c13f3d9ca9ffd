// Kavora without a window: print the planet or race table, or draw the chart into an
// image file, through the same readers and renderer that the windows use.
//
//   kavora --planets [--format tsv|csv|json] [--near NAME [--within R]] [--notes FILE]
//          MAP [REPORT ...]
//   kavora --races [--format tsv|csv|json] MAP [REPORT ...]
//   kavora --render OUT [--zoom F] [--center X,Y] [--labels all,populated,starbases]
//          [--race-color NAME=#RRGGBB ...] [--scale N] [--legend] [--size WxH]
//          [--select NAME [--rings D,D...]] [--notes FILE] MAP [REPORT ...]
//   kavora --help | --version
#pragma once

#include "records.h"
#include "tables.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct CommandLineOptions {
    enum class Mode { Gui, Planets, Races, Render, Help, Version };
    Mode mode = Mode::Gui;
    QString output;                    // --render OUT
    std::optional<double> zoom;
    double centerX = 0, centerY = 0;   // 0: that axis's default centre
    bool centerGiven = false;
    bool labelAll = false, labelPopulated = false, labelStarbases = false;
    QList<QPair<QString, PackedColor>> raceColors;
    int scale = 1;                     // --scale N: the chart N times larger, 1 to 8
    bool legend = false;               // --legend: the race legend to the right
    std::optional<QSize> size;         // --size: the explorer's square view at that size
    TableFormat format = TableFormat::Tsv; // --format for --planets and --races
    std::optional<QString> near;       // --near NAME: distances from that planet
    std::optional<double> within;      // --within R: only planets that near
    QString notes;                     // --notes FILE instead of the one beside the map
    std::optional<QString> select;     // --select NAME: selected as a click in the explorer
    std::vector<double> rings;         // --rings: range rings around the selection
    QStringList files;                 // the map, then the reports in order
};

// A usage mistake: the hint is one line for standard error.
struct UsageError {
    QString hint;
};

// Reads the arguments after the program name, for every mode: options may stand before
// or after the files, "--" ends the options. Arguments that start no command-line mode
// (none, or file names only) give Mode::Gui with the files to open. Files come back as
// absolute paths. Throws UsageError.
CommandLineOptions parseCommandLine(const QStringList &arguments);

// The arguments without the toolkit's own options ("-platform offscreen", "-style=Fusion",
// "--reverse", ...) and their values, which the application object takes for itself; up to
// a "--", after which everything is a file.
QStringList withoutToolkitOptions(const QStringList &arguments);

// True when the arguments ask for a mode that opens no window, or hold a usage mistake
// (which runCommandLine reports).
bool isCommandLineMode(const QStringList &arguments);

// Runs a command-line mode; returns the exit status: 0 done, 1 a file could not be read
// or written, 2 a usage error. Writes UTF-8 to the two streams.
int runCommandLine(const QStringList &arguments, FILE *out, FILE *err);

// The tables as --planets and --races print them, tab-separated with a header line unless
// another format is asked for.
QString planetTableText(const Globals &globals, TableFormat format = TableFormat::Tsv);
QString raceTableText(const Globals &globals, TableFormat format = TableFormat::Tsv);

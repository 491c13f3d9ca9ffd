// Kavora without a window: print the planet or race table, or draw the chart into an
// image file, through the same readers and renderer that the windows use.
//
//   kavora --planets [--format tsv|csv|json] [--near NAME [--within R]] [--notes FILE]
//          [--kept-colours] MAP [REPORT ...]
//   kavora --races [--format tsv|csv|json] [--kept-colours] MAP [REPORT ...]
//   kavora --changes [--format tsv|csv|json] MAP [REPORT ...]
//   kavora --render OUT [--zoom F] [--center X,Y] [--labels all,populated,starbases]
//          [--race-color NAME=#RRGGBB ...] [--scale N] [--legend] [--size WxH [--changes]]
//          [--select NAME [--rings D,D...]] [--notes FILE] [--title TEXT] [--kept-colours]
//          MAP [REPORT ...]
//   kavora ... --palette classic|distinct    (any mode, the windows too)
//   kavora --help | --version
// Nothing here reads the user's settings unless --kept-colours asks for the colours kept
// there, so a script gives the same output on every machine.
#pragma once

#include "records.h"
#include "tables.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct CommandLineOptions {
    enum class Mode { Gui, Planets, Races, Changes, Render, Help, Version };
    Mode mode = Mode::Gui;
    QString output;                    // --render OUT
    std::optional<double> zoom;
    double centerX = 0, centerY = 0;   // 0: that axis's default centre
    bool centerGiven = false;
    bool labelAll = false, labelPopulated = false, labelStarbases = false;
    QList<QPair<QString, PackedColor>> raceColors;
    int scale = 1;                     // --scale N: the picture N times larger, 1 to 8
    bool legend = false;               // --legend: the race legend to the right
    std::optional<QSize> size;         // --size: the explorer's square view at that size
    QString title;                     // --title: a caption strip above the picture
    bool changes = false;              // --changes with --render: the last report's marks
    TableFormat format = TableFormat::Tsv; // --format for --planets, --races and --changes
    bool keptColours = false;          // --kept-colours: the races' colours kept in the settings
    std::optional<ColourScheme> palette; // --palette, in every mode; unset: the remembered one
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

// The program's arguments, decoded as file names are. Throws UsageError for one that is not
// UTF-8, which could be neither opened nor written under its own name.
QStringList decodedArguments(int argc, const char *const *argv);

// The arguments the toolkit may read its own options from ("-platform xcb", "-style
// Fusion"): those before a "--", after which every argument is a file.
QStringList toolkitArguments(const QStringList &arguments);

// True when the windows cannot open: neither DISPLAY nor WAYLAND_DISPLAY is set and every
// platform asked for (by "-platform" among `toolkitArguments`, else by QT_QPA_PLATFORM,
// else the default) needs one of them.
bool missingDisplay(const QStringList &toolkitArguments, const QString &platformVariable,
                    const QString &display, const QString &waylandDisplay);
extern const char kNoDisplayMessage[];

// The arguments without the toolkit's own options ("-platform offscreen", "-style=Fusion",
// "--reverse", ...) and their values, which the application object takes for itself; up to
// a "--", after which everything is a file.
QStringList withoutToolkitOptions(const QStringList &arguments);

// True when the arguments ask for a mode that opens no window, or hold a usage mistake
// (which runCommandLine reports).
bool isCommandLineMode(const QStringList &arguments);
// Only --render draws, and so needs the fonts of a GUI platform; the tables, help, version
// and usage mistakes need none.
bool commandLineDraws(const QStringList &arguments);

// Runs a command-line mode; returns the exit status: 0 done, 1 a file could not be read
// or written, 2 a usage error. Writes UTF-8 to the two streams. A report that hardly fits
// the map earns a warning on `err`, whatever the mode; the exit status stays.
int runCommandLine(const QStringList &arguments, FILE *out, FILE *err);

// Several files handed over at once, by a drop on the main window, on the command line or
// from a file manager: which of them are opened, in what order, and which are refused.
// The rule is the same everywhere: the map first (the last one, if there are several),
// then the reports in the order given.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

enum class FileKind { Map, Report, Other };

// By the name's extension, *.map or *.pla in any case.
FileKind fileKind(const QString &path);

struct OpenOrder {
    QString map; // empty: none was given, the reports go into the map loaded now
    QStringList reports;
    bool operator==(const OpenOrder &) const = default;
};

// Files on the command line: a file named neither *.map nor *.pla is read by its place,
// a map when it comes first and a report after, so "kavora MAP REPORT..." keeps its meaning
// whatever the files are called.
OpenOrder openOrder(const QStringList &paths);

struct DroppedFiles {
    OpenOrder order;
    QStringList refused; // each one named, with the reason, for the one message
};

// Files dropped on the window: only existing local *.map and *.pla files are taken, under
// names that are UTF-8.
DroppedFiles droppedFiles(const QList<QUrl> &urls);

// The one message that names the refused files (the first few, as namedFew); empty when
// nothing was refused.
QString refusalMessage(const QStringList &refused);

// The lines one per line, but only the first `shown` of a longer list, then "and 395 more",
// so that a message box stays on the screen.
QString namedFew(const QStringList &lines, qsizetype shown = 5);

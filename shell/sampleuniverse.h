// The sample universe that ships with Kavora: a map and the reports of two turns, installed
// under share/kavora/examples and kept in the source tree's examples/ for a build that was
// never installed.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct SampleUniverse {
    QString map;
    QStringList reports; // in the order they are opened
};

// Where to look, first match wins: beside an installed program (its bin/ folder's
// ../share/kavora/examples), then the source tree the program was built from.
QStringList sampleFolders(const QString &programFolder);

// The sample's files in the first folder that holds all of them.
std::optional<SampleUniverse> findSampleUniverse(const QStringList &folders);

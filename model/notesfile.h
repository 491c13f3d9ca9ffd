// The notes file beside a map (universe.map -> universe.notes.json): JSON with a version and
// one entry per planet that carries a marker or a note,
//
//   {"version": 1, "planets": [
//     {"name": "Grabial", "x": 1590, "y": 1414, "marker": "target", "note": "Fleet turn 44"}]}
//
// "marker" is one of markerName()'s words or empty, "note" any text; either may be left out.
// Reading never throws: what could be read comes back with the problem, so a damaged file is
// reported and kept rather than lost.
#pragma once

#include "notes.h"
#include "runerror.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

inline constexpr int kNotesVersion = 1;

// "/games/universe.map" -> "/games/universe.notes.json"; a name without a suffix gains one.
QString notesPathFor(const QString &mapPath);

struct NotesRead {
    NotesStore notes;
    // Set when the file is not one this version writes in full: not JSON, another version,
    // entries that could not be read (those are left out of `notes`). Such a file must not be
    // overwritten without a copy.
    std::optional<RunError> problem;
};

// The notes in `bytes`, read as the file `fileName`; a JSON error names its line.
NotesRead parseNotes(QByteArrayView bytes, const QString &fileName);
// The file's text: one planet a line, in the store's order, UTF-8.
QByteArray notesJson(const NotesStore &notes);

// Reads the file at `path`. No file there is no notes and no problem; a file that cannot be
// read is a problem.
NotesRead readNotesFile(const QString &path);
// Replaces the file at `path` at once or not at all (a temporary file renamed over it);
// throws RunError naming the file when it cannot.
void writeNotesFile(const QString &path, const NotesStore &notes);
// Keeps the file at `path` as `path` + ".bak", replacing an older copy, before it is
// overwritten; nothing when there is no file. Throws RunError naming the copy when it cannot.
void backUpNotesFile(const QString &path);

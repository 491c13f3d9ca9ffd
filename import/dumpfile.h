// Loads a game dump from disk as text. The game and the editors players use write
// UTF-8, Windows-1252 or UTF-16 with a byte-order mark; all of them come out as text.
#pragma once

#include <QByteArray>
#include <QString>

// The largest dump read; far beyond any universe of 32,767 planets.
constexpr qint64 kMaxDumpBytes = 256 * 1024 * 1024;

// Reads the whole file. Fails with FileNotFound, PathFileAccess (a folder, a pipe or a
// device), PermissionDenied or OutOfMemory (past kMaxDumpBytes), naming the file.
QString readDumpFile(const QString &path);

// Decodes bytes: a UTF-8 or UTF-16 byte-order mark wins; UTF-16 without a mark is
// recognised by its NUL bytes; otherwise valid UTF-8 is UTF-8 and anything else is read as
// Windows-1252.
QString decodeDump(const QByteArray &bytes);

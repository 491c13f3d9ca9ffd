// Any bytes as a notes file: either notes that survive being written and read again
// unchanged, or a problem that names the file; never a crash or a hang.
#include "notesfile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const NotesRead read = parseNotes(bytes, QStringLiteral("fuzz.notes.json"));
    if (read.problem && (read.problem->file().isEmpty() || read.problem->message().isEmpty()))
        std::abort();
    // What was read, written and read back, is the same; a note of no text and no marker is
    // never kept.
    const NotesRead again = parseNotes(notesJson(read.notes), QStringLiteral("again.notes.json"));
    if (again.problem || !(again.notes == read.notes))
        std::abort();
    for (const auto &[key, note] : read.notes.entries())
        if (note.isEmpty())
            std::abort();
    return 0;
}

// Any bytes: decoding and splitting into items must end, and never report an item that
// spans a line end or a line number that goes backwards.
#include "dumpfile.h"
#include "itemreader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = decodeDump(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    ItemReader reader(text);
    int lastLine = 0;
    qsizetype items = 0;
    while (!reader.atEnd()) {
        const QStringView item = reader.next();
        if (item.contains(u'\n') || item.contains(u'\r') || reader.line() < lastLine)
            std::abort();
        lastLine = reader.line();
        if (++items > text.size() + 1)
            std::abort(); // each item consumes at least one character
    }
    return 0;
}

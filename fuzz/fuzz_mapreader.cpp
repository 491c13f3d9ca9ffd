// Any bytes as a map: either a clear RunError naming a line, or a table whose every
// coordinate the chart can draw and whose every name ends where a C interface reads it.
#include "conversions.h"
#include "dumpfile.h"
#include "mapreader.h"
#include "runerror.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text = decodeDump(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    try {
        const MapData map = parseMapText(std::move(text), QStringLiteral("fuzz.map"));
        if (map.stars.size() > size_t(kMaxPlanets))
            std::abort();
        for (const Star_Object &star : map.stars) {
            const double x = conv::strictNumber(star.Star_X);
            const double y = conv::strictNumber(star.Star_Y);
            conv::toInt16(x);
            conv::toInt16(y);
            if (conv::toInt16(x) > map.maxX || y > map.maxY)
                std::abort();
            const auto *name = reinterpret_cast<const char16_t *>(star.Star_Name.utf16());
            if (star.Star_Name.indexOf(QChar(0)) < 0 &&
                qsizetype(std::char_traits<char16_t>::length(name)) != star.Star_Name.size())
                std::abort();
        }
    } catch (const RunError &error) {
        if (error.file().isEmpty() || error.message().isEmpty())
            std::abort();
    }
    return 0;
}

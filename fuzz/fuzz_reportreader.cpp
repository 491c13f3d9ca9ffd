// Any bytes as a planet report merged into a small map: either a clear RunError, or tables
// that stay consistent — the planets kept, no race past slot 15, every owned planet's
// owner a known race, populations in ascending order after the sort.
#include "conversions.h"
#include "dumpfile.h"
#include "mapreader.h"
#include "palette.h"
#include "reportreader.h"
#include "runerror.h"

#include <cstdlib>

namespace {

Globals loadedMap()
{
    Globals globals;
    Initialize_Colors(globals);
    const QString map = QStringLiteral("Planet\tX\tY\tName\n"
                                       "1\t1000\t1000\tAlpha\n2\t1200\t1100\tBeta\n"
                                       "3\t1400\t900\tGamma\n4\t1100\t1300\tAlpha\n"
                                       "5\t1300\t1250\t\n6\t1500\t1500\tDelta Prime\n");
    MapData data = parseMapText(map, QStringLiteral("fuzz.map"));
    globals.Star_Table = std::move(data.stars);
    globals.Last_Star_Index = qint16(globals.Star_Table.size() - 1);
    globals.Map_Loaded = true;
    return globals;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Globals base = loadedMap();
    Globals globals = base;
    const QString text = decodeDump(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    bool failed = false;
    ReportStep step;
    try {
        step = mergeReportText(globals, text, QStringLiteral("fuzz.pla"));
    } catch (const RunError &error) {
        failed = true;
        if (error.file().isEmpty())
            std::abort();
    }
    // A report that fails changes nothing.
    if (failed && (globals.Star_Table != base.Star_Table ||
                   globals.Player_Table != base.Player_Table ||
                   globals.Last_Player_Index != base.Last_Player_Index))
        std::abort();
    if (globals.Star_Table.size() != base.Star_Table.size() ||
        globals.Last_Star_Index != base.Last_Star_Index || globals.Last_Player_Index > 15)
        std::abort();
    for (const Star_Object &star : globals.Star_Table) {
        if (!star.Owner.isEmpty()) {
            bool known = false;
            for (int slot = 0; slot <= globals.Last_Player_Index; ++slot)
                known = known || globals.Player_Table[slot].Player_Name == star.Owner;
            if (!known || !star.Style)
                std::abort();
        }
    }
    if (!failed) {
        for (size_t i = 1; i < globals.Star_Table.size(); ++i) {
            if (conv::leadingNumber(globals.Star_Table[i - 1].population) >
                conv::leadingNumber(globals.Star_Table[i].population))
                std::abort();
        }
        // Taking the report back gives the tables as they were.
        step.revert(globals);
        if (globals.Star_Table != base.Star_Table || globals.Player_Table != base.Player_Table ||
            globals.Last_Player_Index != base.Last_Player_Index)
            std::abort();
    }
    return 0;
}

#include "mapreader.h"

#include "conversions.h"
#include "dumpfile.h"
#include "itemreader.h"
#include "runerror.h"

namespace {

// A coordinate must read as a number that fits the chart's 16-bit positions.
double coordinate(QStringView field, const char *axis)
{
    try {
        const double value = conv::strictNumber(field);
        conv::toInt16(value);
        return value;
    } catch (RunError &error) {
        const QString what = error.number() == RunError::TypeMismatch
                                 ? QStringLiteral("%1 \"%2\" is not a number")
                                 : QStringLiteral("%1 %2 is outside -32768 to 32767");
        throw RunError(error.number(), what.arg(QLatin1String(axis), field.toString()));
    }
}

} // namespace

void Open_Map_File(Globals &globals, const StatusFn &status)
{
    const QString path = globals.Map_File_Name;
    const QString text = readDumpFile(path);
    ItemReader reader(text);

    Star_Table_Type table;
    table.reserve(std::min<qsizetype>(text.count(u'\n') + 1, kMaxPlanets));
    qint16 maxX = 0;
    double maxY = 0;
    QString caption;

    try {
        reader.next(); // the header; an empty file fails here
        while (!reader.atEnd()) {
            const QStringView item = reader.next();
            if (table.size() == kMaxPlanets)
                throw RunError(RunError::Overflow,
                               QStringLiteral("a map holds at most 32767 planets"));
            qsizetype tabs[3];
            if (findTabs(item, tabs, 3) < 3)
                throw RunError(RunError::InvalidCall,
                               QStringLiteral("a planet line needs number, X, Y and name "
                                              "separated by tabs"));
            const QStringView x = item.sliced(tabs[0] + 1, tabs[1] - tabs[0] - 1);
            const QStringView y = item.sliced(tabs[1] + 1, tabs[2] - tabs[1] - 1);
            const QStringView name = item.sliced(tabs[2] + 1);
            const double xValue = coordinate(x, "X");
            const double yValue = coordinate(y, "Y");

            const auto k = static_cast<qint16>(table.size());
            Star_Object &star = table.emplace_back();
            star.Star_Name = name.toString();
            star.Star_X = x.toString();
            star.Star_Y = y.toString();
            star.color = kWhite;

            if (k == 0 || yValue > maxY)
                maxY = yValue;
            if (k == 0 || xValue > maxX)
                maxX = conv::toInt16(xValue);

            if (status) {
                caption.setNum(k);
                caption += u':';
                caption += name;
                status(caption);
            }
        }
    } catch (RunError &error) {
        throw error.at(path, reader.line());
    }

    globals.Star_Table = std::move(table);
    globals.Last_Star_Index = static_cast<qint16>(globals.Star_Table.size() - 1);
    globals.Map_Max_X = maxX;
    globals.Map_Max_Y = maxY;
    if (status)
        status(path);
    globals.Map_Loaded = true;
}

#include "mapreader.h"

#include "conversions.h"
#include "dumpfile.h"
#include "itemreader.h"
#include "runerror.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace {

// Control characters (a NUL from a damaged file) would vanish from a message.
QString visible(QStringView text)
{
    QString shown;
    for (QChar c : text)
        shown += c.unicode() < 0x20 ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                    : QString(c);
    return shown;
}

// A coordinate must read as a number that fits the chart's 16-bit positions.
double readCoordinate(QStringView field, const char *axis)
{
    try {
        const double value = conv::strictNumber(field);
        conv::toInt16(value);
        return value;
    } catch (RunError &error) {
        const QString what =
            error.number() == RunError::TypeMismatch
                ? QCoreApplication::translate("MapReader", "%1 \"%2\" is not a number")
                : QCoreApplication::translate("MapReader", "%1 %2 is outside -32768 to 32767");
        throw RunError(error.number(), what.arg(QLatin1String(axis), visible(field)));
    }
}

// Nearly all coordinates are a few plain digits ("1050"), whose value needs no general
// number reading.
inline double coordinate(QStringView field, const char *axis)
{
    const double plain = conv::plainDigits(field, 5);
    return plain >= 0 && plain <= 32767 ? plain : readCoordinate(field, axis);
}

// Planets share one string per distinct coordinate: a map a few thousand units wide has
// a few thousand of them per axis, so this saves an allocation per planet and axis. The
// strings are kept by value in a small direct-mapped table; a text that spells its value
// differently ("01050"), or meets another value in its place, simply gets its own.
class CoordinateTexts {
public:
    QString take(QStringView text, double value)
    {
        if (!(value >= 0 && value == int(value)))
            return text.toString();
        QString &kept = m_kept[size_t(value) % m_kept.size()];
        // Spelled out rather than operator!=, which is a call for a few characters.
        if (kept.size() != text.size() || !std::equal(text.begin(), text.end(), kept.cbegin()))
            kept = text.toString();
        return kept;
    }

private:
    std::vector<QString> m_kept = std::vector<QString>(4096);
};

// "1234:Grabial", written into the caption's own buffer. The caption changes for every
// planet and its receivers copy it, so it is built in place rather than from new strings.
void writeCaption(QString &caption, qint16 index, QStringView name)
{
    char16_t digits[5];
    int first = 5;
    unsigned rest = unsigned(std::max<int>(index, 0));
    do {
        digits[--first] = char16_t(u'0' + rest % 10);
        rest /= 10;
    } while (rest > 0);
    caption.resize(5 - first + 1 + name.size()); // within its buffer once it is big enough
    char16_t *out = reinterpret_cast<char16_t *>(caption.data());
    out = std::copy(digits + first, digits + 5, out);
    *out++ = u':';
    std::copy(name.utf16(), name.utf16() + name.size(), out);
}

// Lines in the text, to size the table: a plain loop, which the compiler vectorises, where
// the library's count goes a character at a time.
qsizetype lineCount(QStringView text)
{
    qsizetype lines = 1;
    for (QChar c : text)
        lines += c == u'\n';
    return lines;
}

} // namespace

MapData parseMapText(QStringView text, const QString &fileName, const StatusFn &status)
{
    ItemReader reader(text);
    MapData map;
    Star_Table_Type &table = map.stars;
    table.reserve(std::min<qsizetype>(lineCount(text), kMaxPlanets));
    QString caption;
    CoordinateTexts coordinates;

    try {
        reader.next(); // the header; an empty file fails here
        while (!reader.atEnd()) {
            ItemTabs found;
            const QStringView item = reader.next(found);
            if (table.size() == kMaxPlanets)
                throw RunError(
                    RunError::Overflow,
                    QCoreApplication::translate("MapReader", "a map holds at most 32767 planets"));
            const qsizetype *tabs = found.at;
            if (found.count < 3)
                throw RunError(RunError::InvalidCall,
                               QCoreApplication::translate(
                                   "MapReader", "a planet line needs number, X, Y and name "
                                                "separated by tabs"));
            const QStringView x = item.sliced(tabs[0] + 1, tabs[1] - tabs[0] - 1);
            const QStringView y = item.sliced(tabs[1] + 1, tabs[2] - tabs[1] - 1);
            const QStringView name = item.sliced(tabs[2] + 1);
            const auto k = static_cast<qint16>(table.size());
            // The caption names the planet before its coordinates are read, so a bad X or Y
            // leaves the failing planet on show, not the one before it.
            if (status) {
                writeCaption(caption, k, name);
                status(caption);
            }
            const double xValue = coordinate(x, "X");
            const double yValue = coordinate(y, "Y");

            // Copied from a blank record: clearing one compiles to a string store that is
            // slow on many processors for a record this size, and this runs per planet.
            static const Star_Object blank;
            Star_Object &star = table.emplace_back(blank);
            star.Star_Name = name.toString();
            star.Star_X = coordinates.take(x, xValue);
            star.Star_Y = coordinates.take(y, yValue);
            star.color = kWhite;

            if (k == 0 || yValue > map.maxY)
                map.maxY = yValue;
            if (k == 0 || xValue > map.maxX)
                map.maxX = conv::toInt16(xValue);
        }
    } catch (RunError &error) {
        throw error.at(fileName, reader.line());
    }
    return map;
}

void Open_Map_File(Globals &globals, const StatusFn &status)
{
    const QString path = globals.Map_File_Name;
    MapData map = parseMapText(readDumpFile(path), path, status);
    globals.Star_Table = std::move(map.stars);
    globals.Last_Star_Index = static_cast<qint16>(globals.Star_Table.size() - 1);
    globals.Map_Max_X = map.maxX;
    globals.Map_Max_Y = map.maxY;
    if (status)
        status(path);
    globals.Map_Loaded = true;
}

#include "mapreader.h"

#include "conversions.h"
#include "dumpfile.h"
#include "itemreader.h"
#include "runerror.h"
#include "sharedtext.h"

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
struct Coordinate {
    double value;
    int digits; // the value when the text is plain digits, otherwise -1
};

inline Coordinate coordinate(QStringView field, const char *axis)
{
    const double plain = conv::plainDigits(field, 5);
    if (plain >= 0 && plain <= 32767)
        return {plain, int(plain)};
    return {readCoordinate(field, axis), -1};
}

// "1234:Grabial", kept in one buffer. The caption changes for every planet and its
// receivers copy it, so it is rewritten in place, and the planet's number is counted up in
// its own digits rather than formatted anew.
class PlanetCaption {
public:
    // The caption of the next planet; the first is number 0.
    const QString &next(QStringView name)
    {
        m_text.resize(m_width + 1 + name.size()); // within its buffer once it is big enough
        char16_t *out = reinterpret_cast<char16_t *>(m_text.data());
        out = std::copy(m_digits, m_digits + m_width, out);
        *out++ = u':';
        std::copy(name.utf16(), name.utf16() + name.size(), out);
        countOn();
        return m_text;
    }

private:
    void countOn()
    {
        int at = m_width - 1;
        while (at >= 0 && m_digits[at] == u'9')
            m_digits[at--] = u'0';
        if (at >= 0) {
            ++m_digits[at];
        } else { // 99 becomes 100
            std::copy_backward(m_digits, m_digits + m_width, m_digits + m_width + 1);
            m_digits[0] = u'1';
            ++m_width;
        }
    }

    QString m_text;
    char16_t m_digits[6] = {u'0'}; // a map holds at most 32767 planets
    int m_width = 1;
};

// Lines in the text, to size the table. Counted in blocks short enough for a 16-bit count,
// so that the compiler's vector loop compares and adds eight characters at a time rather
// than widening each comparison to a 64-bit lane.
qsizetype lineCount(QStringView text)
{
    qsizetype lines = 1;
    const char16_t *chars = text.utf16();
    for (qsizetype start = 0, n = text.size(); start < n; start += 0xFFFF) {
        const qsizetype end = std::min<qsizetype>(n, start + 0xFFFF);
        quint16 inBlock = 0;
        for (qsizetype i = start; i < end; ++i)
            inBlock += chars[i] == u'\n';
        lines += inBlock;
    }
    return lines;
}

} // namespace

MapData parseMapText(QString text, const QString &fileName, const StatusFn &status)
{
    SharedText shared(std::move(text)); // the names are pieces of it
    ItemReader reader(shared.view());
    MapData map;
    Star_Table_Type &table = map.stars;
    table.reserve(std::min<qsizetype>(lineCount(shared.view()), kMaxPlanets));
    PlanetCaption caption;

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
            if (status)
                status(caption.next(name));
            const Coordinate xAt = coordinate(x, "X");
            const Coordinate yAt = coordinate(y, "Y");
            const double xValue = xAt.value, yValue = yAt.value;

            // Copied from a blank record: clearing one compiles to a string store that is
            // slow on many processors for a record this size, and this runs per planet.
            static const Star_Object blank;
            Star_Object &star = table.emplace_back(blank);
            star.Star_Name = shared.take(name); // the reader has passed the line's end
            star.Star_X = conv::decimalText(x, xAt.digits);
            star.Star_Y = conv::decimalText(y, yAt.digits);
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

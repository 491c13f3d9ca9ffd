#include "reportreader.h"

#include "dumpfile.h"
#include "itemreader.h"
#include "population.h"
#include "quicksort.h"
#include "runerror.h"

#include <QHash>

#include <cmath>

namespace {

// The first planet of each name in table order. A report line reaches only that one, so
// two planets of the same name are told apart by where the last sort left them. The keys
// view the planets' names, which nothing changes while a report is read.
QHash<QStringView, int> firstPlanetByName(const Star_Table_Type &table)
{
    QHash<QStringView, int> index;
    index.reserve(qsizetype(table.size()));
    for (int k = int(table.size()) - 1; k >= 0; --k)
        index.insert(table[k].Star_Name, k);
    return index;
}

// Every slot is searched, not only those up to Last_Player_Index: a name stays known
// wherever it sits.
int slotOf(const Player_Table_Type &players, QStringView name)
{
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        if (players[slot].Player_Name == name)
            return slot;
    }
    return -1;
}

// Populations compare by value, so "1000" after "900" is growth. A planet without a
// stored population takes any reported text.
bool grows(const QString &stored, QStringView reported, double reportedValue)
{
    if (stored.isEmpty())
        return !reported.isEmpty();
    return populationValue(stored) < reportedValue;
}

double plus(const std::optional<double> &total, double amount)
{
    const double sum = total.value_or(0) + amount;
    if (!std::isfinite(sum))
        throw RunError(RunError::Overflow, QStringLiteral("a race's total no longer fits"));
    return sum;
}

struct ReportFields {
    QStringView planet, owner, starbase, age, population;
};

// "Alpha<TAB>Zorn<TAB>SB<TAB>3<TAB>1200<TAB>anything": the five fields in front of the
// fifth tab, as they stand. What follows the fifth tab is not ours to read.
ReportFields split(QStringView item)
{
    qsizetype tabs[5];
    if (findTabs(item, tabs, 5) < 5)
        throw RunError(RunError::InvalidCall,
                       QStringLiteral("a report line needs planet, owner, starbase, report age "
                                      "and population, each followed by a tab"));
    auto between = [&](int k) { return item.sliced(tabs[k] + 1, tabs[k + 1] - tabs[k] - 1); };
    return {item.first(tabs[0]), between(0), between(1), between(2), between(3)};
}

void apply(Globals &globals, Star_Object &planet, const ReportFields &line)
{
    const double reported = populationValue(line.population);
    if (std::isinf(reported))
        throw RunError(RunError::Overflow);
    const bool grown = grows(planet.population, line.population, reported);

    int slot = slotOf(globals.Player_Table, line.owner);
    if (slot >= 0) {
        // A known race counts a planet's growth and its first starbase only, so reading
        // the same report again leaves its totals as they were.
        Player_Object &race = globals.Player_Table[slot];
        planet.color = race.Player_Color;
        planet.Style = race.Player_Style;
        if (grown)
            race.Player_Population = plus(race.Player_Population, reported);
        if (!line.starbase.isEmpty() && planet.Starbase.isEmpty())
            race.Player_Starbases = plus(race.Player_Starbases, 1);
    } else {
        // A new race takes the slot after the last used one, with the colour and style that
        // slot has now, and counts its first planet in full.
        slot = globals.Last_Player_Index + 1;
        if (slot >= kPlayerSlots)
            throw RunError(
                RunError::SubscriptOutOfRange,
                QStringLiteral("\"%1\" would be race 17; there are 16 race slots").arg(line.owner));
        globals.Last_Player_Index = qint16(slot);
        Player_Object &race = globals.Player_Table[slot];
        race.Player_Name = line.owner.toString();
        planet.color = race.Player_Color;
        planet.Style = race.Player_Style;
        race.Player_Population = plus(race.Player_Population, reported);
        if (!line.starbase.isEmpty())
            race.Player_Starbases = plus(race.Player_Starbases, 1);
    }

    planet.Owner = line.owner.toString();
    if (grown)
        planet.population = line.population.toString();
    planet.report_age = line.age.toString();
    planet.Starbase = line.starbase.toString();
}

} // namespace

void readPlayerFile(Globals &globals, const StatusFn &status, ReportTally *tally)
{
    const QString path = globals.Player_File_Name;
    mergeReportText(globals, readDumpFile(path), path, status, tally);
}

void mergeReportText(Globals &globals, QStringView text, const QString &fileName,
                     const StatusFn &status, ReportTally *tally)
{
    ItemReader reader(text);
    const QHash<QStringView, int> planets = firstPlanetByName(globals.Star_Table);

    const QString prefix = QStringLiteral("Processing number ");
    QString caption = prefix;
    try {
        // n counts every item, the header and blank lines too.
        for (int n = 0; !reader.atEnd(); ++n) {
            const QStringView item = reader.next();
            if (item.isEmpty() || n == 0)
                continue;
            const ReportFields line = split(item);
            // An unowned line changes nothing, so only a tally asks where it belongs.
            if (!line.owner.isEmpty() || tally) {
                const int k = planets.value(line.planet, -1);
                if (tally)
                    ++(k >= 0 ? tally->matched : tally->unmatched);
                if (k >= 0 && !line.owner.isEmpty())
                    apply(globals, globals.Star_Table[k], line);
            }
            if (status) {
                caption.truncate(prefix.size());
                caption += QString::number(n);
                status(caption);
            }
        }
    } catch (RunError &error) {
        throw error.at(fileName, reader.line());
    }

    if (status)
        status(QStringLiteral("Sorting..."));
    QuickSort(globals.Star_Table);
    if (status)
        status(QStringLiteral("Done!"));
}

void Open_Player_File(Globals &globals, const StatusFn &status, const MessageFn &message,
                      ReportTally *tally)
{
    auto tell = [&](const RunError &error) {
        if (message)
            message(error.message());
    };
    try {
        readPlayerFile(globals, status, tally);
    } catch (const RunError &error) {
        tell(error);
    } catch (const std::bad_alloc &) {
        tell(RunError(RunError::OutOfMemory).at(globals.Player_File_Name, 0));
    }
}

#include "reportreader.h"

#include "conversions.h"
#include "dumpfile.h"
#include "itemreader.h"
#include "population.h"
#include "quicksort.h"
#include "runerror.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

#include <cmath>

namespace {

// The first planet of each name in table order. A report line reaches only that one, so
// two planets of the same name are told apart by where the last sort left them. The index
// views the planets' names, which nothing changes while a report is read. It is open
// addressing over twice as many slots as planets, each slot keeping its name's hash: a
// probe reads a planet's name, far off in memory, only when the hashes agree. The hash is
// Qt's, seeded per process, so no map can be made to collide on purpose.
class PlanetIndex {
public:
    explicit PlanetIndex(const Star_Table_Type &table) : m_table(table)
    {
        size_t size = 64;
        while (size < table.size() * 2)
            size *= 2;
        m_slots.assign(size, Slot{0, -1});
        m_mask = size - 1;
        for (int k = 0; k < int(table.size()); ++k) {
            const QStringView name = table[size_t(k)].Star_Name;
            const size_t hash = qHash(name, m_seed);
            Slot &slot = m_slots[probe(name, hash)];
            if (slot.planet < 0)
                slot = Slot{quint32(hash), k};
        }
    }

    // The planet's index, -1 when the map has no planet of that name.
    int find(QStringView name) const
    {
        return m_slots[probe(name, qHash(name, m_seed))].planet;
    }

private:
    struct Slot {
        quint32 hash;
        int planet; // -1: empty
    };

    // The slot of `name`, or the empty slot where it would go.
    size_t probe(QStringView name, size_t hash) const
    {
        for (size_t at = hash & m_mask;; at = (at + 1) & m_mask) {
            const Slot &slot = m_slots[at];
            if (slot.planet < 0
                || (slot.hash == quint32(hash) && m_table[size_t(slot.planet)].Star_Name == name))
                return at;
        }
    }

    const Star_Table_Type &m_table;
    const size_t m_seed = QHashSeed::globalSeed();
    std::vector<Slot> m_slots;
    size_t m_mask = 0;
};

// The slot of a race's name, for every owned line of a report and every owned planet.
// Every slot is searched, not only those up to Last_Player_Index: a name stays known
// wherever it sits. Comparing each owner with up to sixteen names was a tenth of a large
// merge: a planet's owner shares its race's text, so the same characters in the same place
// are the same name (both are alive while compared), and other names are compared by hash
// first.
class RaceSlots {
public:
    explicit RaceSlots(const Player_Table_Type &races) : m_races(races)
    {
        for (int slot = 0; slot < kPlayerSlots; ++slot)
            named(slot);
    }

    int find(QStringView name) const
    {
        std::optional<size_t> hash;
        for (int slot = 0; slot < kPlayerSlots; ++slot) {
            const QString &race = m_races[slot].Player_Name;
            if (race.size() != name.size())
                continue;
            if (race.constData() == name.data())
                return slot;
            if (!hash)
                hash = qHash(name, m_seed);
            if (m_hashes[size_t(slot)] == *hash && race == name)
                return slot;
        }
        return -1;
    }

    // The slot's name has changed.
    void named(int slot) { m_hashes[size_t(slot)] = qHash(m_races[slot].Player_Name, m_seed); }

private:
    const Player_Table_Type &m_races;
    const size_t m_seed = QHashSeed::globalSeed();
    std::array<size_t, kPlayerSlots> m_hashes{};
};

struct ReportFields {
    QStringView planet, owner, starbase, age, population;
};

// "Alpha<TAB>Zorn<TAB>SB<TAB>3<TAB>1200<TAB>anything": the five fields in front of the
// fifth tab, as they stand. What follows the fifth tab is not ours to read.
ReportFields split(QStringView item, const ItemTabs &found)
{
    const qsizetype *tabs = found.at;
    if (found.count < 5)
        throw RunError(
            RunError::InvalidCall,
            QCoreApplication::translate("ReportReader",
                                        "a report line needs planet, owner, starbase, report age "
                                        "and population, each followed by a tab"));
    auto between = [&](int k) { return item.sliced(tabs[k] + 1, tabs[k + 1] - tabs[k] - 1); };
    return {item.first(tabs[0]), between(0), between(1), between(2), between(3)};
}

// What the report says of one planet once all its lines are read: the last line's owner,
// starbase and report age, and the last population that was not empty.
struct PlanetNews {
    int planet;
    int slot;
    QStringView starbase, age, population;
};

// The lines of a report as they will be stored, and the races they bring, worked out
// without touching the tables.
struct ReadReport {
    std::vector<PlanetNews> news;
    Player_Table_Type races;
    qint16 lastRace;
    ReportTally tally;
};

ReadReport readLines(const Globals &globals, QStringView text, const QString &fileName,
                     const StatusFn &status, bool countAll)
{
    ItemReader reader(text);
    const PlanetIndex planets(globals.Star_Table);
    ReadReport read{{}, globals.Player_Table, globals.Last_Player_Index, {}};
    RaceSlots races(read.races);
    std::vector<int> newsOf(globals.Star_Table.size(), -1);

    const QString prefix = QCoreApplication::translate("ReportReader", "Processing number ");
    QString caption = prefix;
    try {
        // n counts every item, the header and blank lines too.
        for (int n = 0; !reader.atEnd(); ++n) {
            ItemTabs tabs;
            const QStringView item = reader.next(tabs);
            if (item.isEmpty() || n == 0)
                continue;
            const ReportFields line = split(item, tabs);
            const bool owned = !line.owner.isEmpty();
            // An unowned line changes nothing, so only a full count asks where it belongs.
            if (owned || countAll) {
                const int k = planets.find(line.planet);
                ReportTally &t = read.tally;
                ++(k >= 0 ? t.matched : t.unmatched);
                if (owned)
                    ++(k >= 0 ? t.ownedMatched : t.ownedUnmatched);
                if (k >= 0 && owned) {
                    if (std::isinf(populationValue(line.population)))
                        throw RunError(RunError::Overflow);
                    int slot = races.find(line.owner);
                    if (slot < 0) {
                        // A new race takes the slot after the last used one, with the colour
                        // and style that slot has now.
                        slot = read.lastRace + 1;
                        if (slot >= kPlayerSlots)
                            throw RunError(
                                RunError::SubscriptOutOfRange,
                                QCoreApplication::translate("ReportReader",
                                                            "\"%1\" would be race 17; there are 16 "
                                                            "race slots")
                                    .arg(line.owner));
                        read.lastRace = qint16(slot);
                        read.races[slot].Player_Name = line.owner.toString();
                        races.named(slot);
                    }
                    int &at = newsOf[size_t(k)];
                    if (at < 0) {
                        at = int(read.news.size());
                        read.news.push_back({k, slot, {}, {}, {}});
                    }
                    PlanetNews &news = read.news[size_t(at)];
                    news.slot = slot;
                    news.starbase = line.starbase;
                    news.age = line.age;
                    if (!line.population.isEmpty())
                        news.population = line.population;
                }
            }
            if (status) {
                caption.truncate(prefix.size());
                appendDecimal(caption, n);
                status(caption);
            }
        }
    } catch (RunError &error) {
        throw error.at(fileName, reader.line());
    }
    return read;
}

// Stores the news in the planets, recording in `step` each planet it changes. Texts that
// stay the same are not replaced, and a planet's owner shares its race's name.
void store(Globals &globals, const ReadReport &read, ReportStep &step)
{
    for (const PlanetNews &news : read.news) {
        Star_Object &s = globals.Star_Table[size_t(news.planet)];
        const Player_Object &race = globals.Player_Table[news.slot];
        const QStringView population =
            news.population.isNull() ? QStringView(s.population) : news.population;
        quint8 fields = 0;
        if (s.Owner != race.Player_Name)
            fields |= ReportStep::OwnerField;
        if (s.Starbase != news.starbase)
            fields |= ReportStep::StarbaseField;
        if (s.report_age != news.age)
            fields |= ReportStep::AgeField;
        if (s.population != population)
            fields |= ReportStep::PopulationField;
        if (s.color != race.Player_Color || s.Style != race.Player_Style)
            fields |= ReportStep::LookField;
        if (!fields)
            continue;
        step.record(news.planet, s, fields, race.Player_Name, news.starbase, population);
        if (fields & ReportStep::OwnerField)
            s.Owner = race.Player_Name;
        if (fields & ReportStep::StarbaseField)
            s.Starbase = news.starbase.toString();
        if (fields & ReportStep::AgeField)
            s.report_age = conv::decimalText(news.age);
        if (fields & ReportStep::PopulationField)
            s.population = conv::decimalText(population);
        s.color = race.Player_Color;
        s.Style = race.Player_Style;
    }
}

// Each race's totals from the planets it owns, in table order: the population figures
// summed, the planets with a starbase counted (unset when there are none). A race is any
// named slot, as the report reader finds races in every slot. Returns how many planets each
// race owns.
std::array<int, kPlayerSlots> sumRaces(Globals &globals)
{
    std::array<double, kPlayerSlots> population{};
    std::array<int, kPlayerSlots> starbases{}, planets{};
    const RaceSlots races(globals.Player_Table);
    for (const Star_Object &s : globals.Star_Table) {
        if (s.Owner.isEmpty())
            continue;
        const int slot = races.find(s.Owner);
        if (slot < 0)
            continue;
        ++planets[size_t(slot)];
        population[size_t(slot)] += populationValue(s.population);
        if (!s.Starbase.isEmpty())
            ++starbases[size_t(slot)];
    }
    for (double total : population) {
        if (!std::isfinite(total))
            throw RunError(
                RunError::Overflow,
                QCoreApplication::translate("ReportReader", "a race's total no longer fits"));
    }
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        Player_Object &race = globals.Player_Table[slot];
        if (race.Player_Name.isEmpty())
            continue;
        race.Player_Population = population[size_t(slot)];
        race.Player_Starbases =
            starbases[size_t(slot)] ? std::optional<double>(starbases[size_t(slot)]) : std::nullopt;
    }
    return planets;
}

} // namespace

bool looksForeign(const ReportTally &tally)
{
    return tally.ownedMatched * 2 < tally.ownedMatched + tally.ownedUnmatched;
}

QString tallyText(const ReportTally &tally, const QString &report, const QString &map)
{
    return QCoreApplication::translate("ReportReader", "%1: %2 of %3 lines matched planets of %4")
        .arg(QFileInfo(report).fileName())
        .arg(tally.matched)
        .arg(tally.matched + tally.unmatched)
        .arg(QFileInfo(map).fileName());
}

QString foreignWarning(const ReportTally &tally, const QString &report, const QString &map)
{
    return QCoreApplication::translate(
               "ReportReader", "%1: only %2 of %3 lines name a planet of %4; is it from another "
                               "universe?")
        .arg(QFileInfo(report).fileName())
        .arg(tally.ownedMatched)
        .arg(tally.ownedMatched + tally.ownedUnmatched)
        .arg(QFileInfo(map).fileName());
}

ReportStep readPlayerFile(Globals &globals, const StatusFn &status, ReportTally *tally)
{
    const QString path = globals.Player_File_Name;
    return mergeReportText(globals, readDumpFile(path), path, status, tally);
}

ReportStep mergeReportText(Globals &globals, QStringView text, const QString &fileName,
                           const StatusFn &status, ReportTally *tally)
{
    const ReadReport read = readLines(globals, text, fileName, status, tally != nullptr);

    // From here on nothing in the file can fail; what still can (a total or a figure too
    // large, memory) takes the step back, so the tables are as before.
    ReportStep step(globals);
    try {
        globals.Player_Table = read.races;
        globals.Last_Player_Index = read.lastRace;
        store(globals, read, step);
        if (status)
            status(QCoreApplication::translate("ReportReader", "Sorting..."));
        step.setOrder(QuickSort(globals.Star_Table));
        step.finish(globals, sumRaces(globals));
    } catch (RunError &error) {
        step.revert(globals);
        throw error.at(fileName, 0);
    } catch (...) {
        step.revert(globals);
        throw;
    }
    if (tally)
        *tally = read.tally;
    if (status)
        status(QCoreApplication::translate("ReportReader", "Done!"));
    return step;
}

std::optional<ReportStep> Open_Player_File(Globals &globals, const StatusFn &status,
                                           const MessageFn &message, ReportTally *tally)
{
    auto tell = [&](const RunError &error) {
        if (status)
            status(QCoreApplication::translate("ReportReader", "Not merged: ") +
                   QFileInfo(globals.Player_File_Name).fileName());
        if (message)
            message(error.message());
    };
    try {
        return readPlayerFile(globals, status, tally);
    } catch (const RunError &error) {
        tell(error);
    } catch (const std::bad_alloc &) {
        tell(RunError(RunError::OutOfMemory).at(globals.Player_File_Name, 0));
    }
    return std::nullopt;
}

#include "reportstep.h"

#include "population.h"

#include <QHashFunctions>

ChangeKinds changeKinds(QStringView ownerBefore, QStringView ownerAfter, QStringView starbaseBefore,
                        QStringView starbaseAfter, QStringView populationBefore,
                        QStringView populationAfter)
{
    if (ownerAfter.isEmpty())
        return {};
    if (ownerBefore.isEmpty())
        return ChangeKind::FirstSeen;
    ChangeKinds kinds;
    const bool newOwner = ownerBefore != ownerAfter;
    if (newOwner)
        kinds |= ChangeKind::NewOwner;
    if (starbaseBefore.isEmpty() && !starbaseAfter.isEmpty())
        kinds |= ChangeKind::StarbaseBuilt;
    else if (!starbaseBefore.isEmpty() && starbaseAfter.isEmpty())
        kinds |= ChangeKind::StarbaseLost;
    if (!newOwner) {
        const double before = populationValue(populationBefore);
        const double after = populationValue(populationAfter);
        if (after > before)
            kinds |= ChangeKind::PopulationUp;
        else if (after < before)
            kinds |= ChangeKind::PopulationDown;
    }
    return kinds;
}

ReportStep::ReportStep(const Globals &before)
    : m_racesBefore(before.Player_Table), m_lastBefore(before.Last_Player_Index)
{
}

ReportStep::Text ReportStep::keep(QStringView text)
{
    const Text kept{quint32(m_texts.size()), quint32(text.size())};
    m_texts.append(text);
    return kept;
}

ReportStep::Text ReportStep::keepRepeated(QStringView wanted)
{
    constexpr size_t kMostRepeated = 40;
    const size_t hash = qHash(wanted); // unseeded will do: at most 40 are kept
    for (const Repeated &r : m_repeated)
        if (r.hash == hash && text(r.text) == wanted)
            return r.text;
    const Text kept = keep(wanted);
    if (m_repeated.size() < kMostRepeated)
        m_repeated.push_back({kept, hash});
    return kept;
}

void ReportStep::record(int planet, const Star_Object &before, quint8 fields, QStringView owner,
                        QStringView starbase, QStringView population)
{
    Entry e{};
    e.planet = planet;
    e.fields = fields;
    e.kinds =
        changeKinds(before.Owner, owner, before.Starbase, starbase, before.population, population)
            .toInt();
    if (before.color) {
        e.fields |= kHadColor;
        e.colorBefore = *before.color;
    }
    if (before.Style) {
        e.fields |= kHadStyle;
        e.styleBefore = *before.Style;
    }
    e.ownerBefore = keepRepeated(before.Owner);
    e.ownerAfter = (fields & OwnerField) ? keepRepeated(owner) : e.ownerBefore;
    e.starbaseBefore = keepRepeated(before.Starbase);
    e.starbaseAfter = (fields & StarbaseField) ? keepRepeated(starbase) : e.starbaseBefore;
    e.populationBefore = keep(before.population);
    e.populationAfter = (fields & PopulationField) ? keep(population) : e.populationBefore;
    if (fields & AgeField)
        e.ageBefore = keep(before.report_age);
    m_entries.push_back(e);
}

void ReportStep::setOrder(const TableOrder &order)
{
    m_order.clear();
    m_orderSize = int(order.size());
    for (size_t p = 0; p < order.size(); ++p) {
        if (p == 0 || order[p] != order[p - 1] + 1)
            m_order.push_back({quint16(p), quint16(order[p])});
    }
}

TableOrder ReportStep::order() const
{
    TableOrder order(static_cast<size_t>(m_orderSize));
    for (size_t r = 0; r < m_order.size(); ++r) {
        const int end = r + 1 < m_order.size() ? m_order[r + 1].start : m_orderSize;
        for (int p = m_order[r].start, source = m_order[r].source; p < end; ++p, ++source)
            order[size_t(p)] = source;
    }
    return order;
}

void ReportStep::finish(const Globals &after, const std::array<int, kPlayerSlots> &planetsOwned)
{
    m_racesAfter = after.Player_Table;
    m_lastAfter = after.Last_Player_Index;
    m_planetsAfter = planetsOwned;
    m_entries.shrink_to_fit();
    m_texts.squeeze();
    m_repeated = {};
    m_order.shrink_to_fit();
}

ReportStep::PlanetChange ReportStep::change(int k) const
{
    const Entry &e = m_entries[size_t(k)];
    return {e.planet,
            text(e.ownerBefore),
            text(e.ownerAfter),
            text(e.starbaseBefore),
            text(e.starbaseAfter),
            text(e.populationBefore),
            text(e.populationAfter),
            ChangeKinds::fromInt(e.kinds)};
}

QList<int> ReportStep::listed() const
{
    QList<int> rows;
    for (size_t k = 0; k < m_entries.size(); ++k)
        if (m_entries[k].kinds)
            rows.append(int(k));
    return rows;
}

void ReportStep::revert(Globals &globals) const
{
    Star_Table_Type &table = globals.Star_Table;
    if (m_orderSize == int(table.size()) && !m_order.empty()) {
        // The record now at p goes back to where it came from, sorted[p].
        const TableOrder sorted = order();
        TableOrder back(sorted.size());
        for (size_t p = 0; p < sorted.size(); ++p)
            back[size_t(sorted[p])] = int(p);
        reorderTable(table, back);
    }

    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        Player_Object &race = globals.Player_Table[slot];
        const Player_Object &before = m_racesBefore[slot];
        race.Player_Name = before.Player_Name;
        race.Player_Population = before.Player_Population;
        race.Player_Starbases = before.Player_Starbases;
        if (slot > m_lastBefore) {
            race.Player_Color = before.Player_Color;
            race.Player_Style = before.Player_Style;
        }
    }
    globals.Last_Player_Index = m_lastBefore;

    auto raceNamed = [&](QStringView name) -> const Player_Object * {
        if (name.isEmpty())
            return nullptr;
        for (int slot = 0; slot <= globals.Last_Player_Index; ++slot)
            if (globals.Player_Table[slot].Player_Name == name)
                return &globals.Player_Table[slot];
        return nullptr;
    };
    for (const Entry &e : m_entries) {
        Star_Object &s = table[size_t(e.planet)];
        const Player_Object *owner = nullptr;
        if (e.fields & OwnerField) {
            owner = raceNamed(text(e.ownerBefore));
            // The race's own name, so the planets of one race share one text.
            s.Owner = owner ? owner->Player_Name : text(e.ownerBefore).toString();
        }
        if (e.fields & StarbaseField)
            s.Starbase = text(e.starbaseBefore).toString();
        if (e.fields & AgeField)
            s.report_age = text(e.ageBefore).toString();
        if (e.fields & PopulationField)
            s.population = text(e.populationBefore).toString();
        if (e.fields & LookField) {
            if (owner) {
                s.color = owner->Player_Color;
                s.Style = owner->Player_Style;
            } else {
                s.color = (e.fields & kHadColor) ? std::optional(e.colorBefore) : std::nullopt;
                s.Style = (e.fields & kHadStyle) ? std::optional(e.styleBefore) : std::nullopt;
            }
        }
    }
}

void ReportStep::renumber(const std::vector<qint16> &number)
{
    for (Entry &e : m_entries)
        e.planet = number[size_t(e.planet)];
}

qsizetype ReportStep::bytes() const
{
    return qsizetype(sizeof(*this) + m_entries.capacity() * sizeof(Entry) +
                     size_t(m_texts.capacity()) * sizeof(QChar) + m_order.capacity() * sizeof(Run) +
                     m_repeated.capacity() * sizeof(Repeated));
}

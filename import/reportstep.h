// What one merged report changed: every planet whose record it changed, as the planet was
// before and after, how the sort then reordered the table, and the races before and after.
// That is enough to list the changes and to take the report back. A long game keeps one
// step per report, so a step is compact: its texts share one buffer, and a planet that the
// report left as it was costs nothing.
#pragma once

#include "quicksort.h"
#include "records.h"

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <vector>

// What a change means to a player. A planet owned for the first time is first seen and
// nothing else. One that changed hands has a new owner: a capture for the race that took
// it, a loss for the race that held it. Its people grew or shrank only while it kept its
// owner; a starbase can be built or lost either way.
enum class ChangeKind : quint8 {
    FirstSeen = 1,
    NewOwner = 2,
    StarbaseBuilt = 4,
    StarbaseLost = 8,
    PopulationUp = 16,
    PopulationDown = 32,
};
Q_DECLARE_FLAGS(ChangeKinds, ChangeKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(ChangeKinds)

// The kinds from `before` to `after` for a planet's owner, starbase and population texts.
ChangeKinds changeKinds(QStringView ownerBefore, QStringView ownerAfter, QStringView starbaseBefore,
                        QStringView starbaseAfter, QStringView populationBefore,
                        QStringView populationAfter);

class ReportStep {
public:
    // Which of a planet's values the step changed.
    enum Field : quint8 {
        OwnerField = 1,
        StarbaseField = 2,
        AgeField = 4,
        PopulationField = 8,
        LookField = 16, // the zone's colour or style
    };

    // One planet as the step changed it. The texts view the step's own buffer.
    struct PlanetChange {
        int planet;
        QStringView ownerBefore, ownerAfter;
        QStringView starbaseBefore, starbaseAfter;
        QStringView populationBefore, populationAfter;
        ChangeKinds kinds; // none: only a report age, the zone, or the spelling of a figure
    };

    ReportStep() = default;
    // A step that starts from the races as they are before the merge.
    explicit ReportStep(const Globals &before);

    // `planet` is a position in Star_Table before the merge; LoadHistory renumbers the
    // planets to their lines in the map once the step is part of the universe's history.
    // Records the planet as it stands, before the merge gives it the values that follow;
    // `fields` says which of them differ from the planet's.
    void record(int planet, const Star_Object &before, quint8 fields, QStringView owner,
                QStringView starbase, QStringView population);
    // How the sort reordered the table after the planets were changed.
    void setOrder(const TableOrder &order);
    // The races as the merge left them, with the planets each owns.
    void finish(const Globals &after, const std::array<int, kPlayerSlots> &planetsOwned);

    int changeCount() const { return int(m_entries.size()); }
    PlanetChange change(int k) const;
    // Changes with a kind, in the order recorded (table order before the merge).
    QList<int> listed() const;

    // Puts the table and the races back as they were before the step: the records and
    // their order, the race names, totals and the last used slot. A planet given back to a
    // race takes that race's colour and style as they are now, so a colour chosen after the
    // report stays; slots the step filled get back the colour they had before it.
    void revert(Globals &globals) const;

    // Renumbers every planet: planet k becomes number[k].
    void renumber(const std::vector<qint16> &number);
    // The sort's order: the record at position p after the merge was at order[p] before.
    TableOrder order() const;

    const Player_Table_Type &racesBefore() const { return m_racesBefore; }
    const Player_Table_Type &racesAfter() const { return m_racesAfter; }
    qint16 lastRaceBefore() const { return m_lastBefore; }
    qint16 lastRaceAfter() const { return m_lastAfter; }
    int planetsOwnedAfter(int slot) const { return m_planetsAfter[size_t(slot)]; }

    // Bytes held, for the benchmarks.
    qsizetype bytes() const;

    bool operator==(const ReportStep &) const = default;

private:
    struct Text {
        quint32 start = 0;
        quint32 size = 0;
        bool operator==(const Text &) const = default;
    };
    struct Entry {
        qint32 planet;
        quint8 fields;
        ChangeKinds::Int kinds;
        qint16 styleBefore;
        PackedColor colorBefore;
        Text ownerBefore, ownerAfter, starbaseBefore, starbaseAfter, populationBefore,
            populationAfter, ageBefore;
        bool operator==(const Entry &) const = default;
    };
    // Flags kept in Entry::fields beside the Field bits.
    static constexpr quint8 kHadColor = 32, kHadStyle = 64;
    // A stretch of the new order that came from consecutive old positions.
    struct Run {
        quint16 start, source;
        bool operator==(const Run &) const = default;
    };

    QStringView text(Text t) const { return QStringView(m_texts).sliced(t.start, t.size); }
    Text keep(QStringView text);
    // Owners and starbases repeat a few texts over and over: each is kept once.
    Text keepRepeated(QStringView text);

    // A text kept once, with its hash: a name is compared with those whose hash agrees.
    struct Repeated {
        Text text;
        size_t hash;
        bool operator==(const Repeated &) const = default;
    };

    std::vector<Entry> m_entries;
    QString m_texts;
    std::vector<Repeated> m_repeated;
    std::vector<Run> m_order;
    int m_orderSize = 0;
    Player_Table_Type m_racesBefore{}, m_racesAfter{};
    qint16 m_lastBefore = -1, m_lastAfter = -1;
    std::array<int, kPlayerSlots> m_planetsAfter{};
};

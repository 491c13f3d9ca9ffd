#include "stepmarks.h"

std::optional<ChangeMarkKind> markKindFor(const ReportStep::PlanetChange &change,
                                          const QString &race, KindFilter filter)
{
    const ChangeKinds kinds = change.kinds;
    auto hands = [&] {
        if (!race.isEmpty() && change.ownerAfter == race)
            return ChangeMarkKind::Captured;
        if (!race.isEmpty() && change.ownerBefore == race)
            return ChangeMarkKind::Lost;
        return ChangeMarkKind::NewOwner;
    };
    switch (filter) {
    case KindFilter::Any:
        break;
    case KindFilter::Captured:
        return ChangeMarkKind::Captured;
    case KindFilter::Lost:
        return ChangeMarkKind::Lost;
    case KindFilter::NewOwner:
        return hands();
    case KindFilter::StarbaseBuilt:
        return ChangeMarkKind::StarbaseBuilt;
    case KindFilter::StarbaseLost:
        return ChangeMarkKind::StarbaseLost;
    case KindFilter::PopulationUp:
        return ChangeMarkKind::PopulationUp;
    case KindFilter::PopulationDown:
        return ChangeMarkKind::PopulationDown;
    case KindFilter::FirstSeen:
        return ChangeMarkKind::FirstSeen;
    }
    if (kinds & ChangeKind::NewOwner)
        return hands();
    if (kinds & ChangeKind::StarbaseBuilt)
        return ChangeMarkKind::StarbaseBuilt;
    if (kinds & ChangeKind::StarbaseLost)
        return ChangeMarkKind::StarbaseLost;
    if (kinds & ChangeKind::FirstSeen)
        return ChangeMarkKind::FirstSeen;
    if (kinds & ChangeKind::PopulationUp)
        return ChangeMarkKind::PopulationUp;
    if (kinds & ChangeKind::PopulationDown)
        return ChangeMarkKind::PopulationDown;
    return std::nullopt;
}

std::vector<ChangeMark> stepMarks(const Globals &globals, std::span<const ListedChange> rows,
                                  const QString &race, KindFilter filter)
{
    // A step touches thousands of planets and a handful of races: the colour of the last
    // owner looked up serves the next planet of the same race.
    QStringView lastOwner;
    PackedColor lastColor = kWhite;
    auto colorOf = [&](QStringView owner) {
        if (owner == lastOwner && !lastOwner.isNull())
            return lastColor;
        lastOwner = owner;
        lastColor = kWhite;
        for (int slot = 0; slot <= globals.Last_Player_Index && slot < kPlayerSlots; ++slot) {
            const Player_Object &p = globals.Player_Table[size_t(slot)];
            if (!owner.isEmpty() && p.Player_Name == owner) {
                lastColor = p.Player_Color;
                break;
            }
        }
        return lastColor;
    };
    std::vector<ChangeMark> marks;
    marks.reserve(rows.size());
    for (const ListedChange &row : rows) {
        if (const auto kind = markKindFor(row.change, race, filter))
            marks.push_back({row.position, *kind, colorOf(row.change.ownerAfter)});
    }
    return marks;
}

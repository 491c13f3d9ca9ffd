// What the explorer marks on a planet that a report changed: which planet, what kind of
// change and in which colour. A plain value, built by whoever knows the reports, so the chart
// knows nothing of them.
#pragma once

#include "records.h"

#include <QFlags>

enum class ChangeMarkKind : quint8 {
    NewOwner = 1,       // filled triangle in the new owner's colour
    Captured = 2,       // the same, for the race the changes are seen from
    Lost = 4,           // hollow triangle
    FirstSeen = 8,      // filled diamond in the owner's colour
    StarbaseBuilt = 16, // filled square
    StarbaseLost = 32,  // hollow square
    PopulationUp = 64,  // plus
    PopulationDown = 128, // minus
};
Q_DECLARE_FLAGS(ChangeMarkKinds, ChangeMarkKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(ChangeMarkKinds)

// Every kind, in the order the legend explains them.
inline constexpr ChangeMarkKind kChangeMarkKinds[] = {
    ChangeMarkKind::NewOwner,      ChangeMarkKind::Captured,     ChangeMarkKind::Lost,
    ChangeMarkKind::FirstSeen,     ChangeMarkKind::StarbaseBuilt, ChangeMarkKind::StarbaseLost,
    ChangeMarkKind::PopulationUp,  ChangeMarkKind::PopulationDown};

struct ChangeMark {
    int planet; // index in Star_Table
    ChangeMarkKind kind;
    PackedColor color; // the inside of a filled triangle or diamond; other kinds are white
    bool operator==(const ChangeMark &) const = default;
};

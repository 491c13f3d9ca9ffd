// The context menu of planets, the same in the planet list and the chart explorer: "Mark as"
// with every marker and "None", "Note..." and "Distances from Here". What the items do is
// the caller's; the menu only says which was chosen.
#pragma once

#include "notes.h"

#include <functional>
#include <optional>

class QMenu;
class QWidget;

struct PlanetMenuActions {
    std::function<void(Marker)> mark;
    std::function<void()> note;           // unset: no "Note..." (several planets chosen)
    std::function<void()> distancesFrom;  // unset: no "Distances from Here"
};

// A new menu owned by `parent`, which deletes it (an item may open a dialog, so the menu
// must outlive the item's work: the next menu replaces it). `current` is the marker the
// planets carry, checked in the menu; nullopt when they carry different ones.
QMenu *planetMenu(QWidget *parent, std::optional<Marker> current, const PlanetMenuActions &actions);

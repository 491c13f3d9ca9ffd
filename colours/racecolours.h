// Giving a race another zone colour: the slot and every planet the race owns take it.
// Shared by the race colours dialog and the command line.
#pragma once

#include "records.h"

// Stores `color` in `slot` and recolours every planet whose owner is exactly the slot's
// race name (case-sensitive, whole text). Styles stay. `slot` must be 0..15.
void setRaceColor(Globals &globals, int slot, PackedColor color);

// The slot of the race with exactly this name among the known races, or -1.
int findRace(const Globals &globals, const QString &name);

// "#RRGGBB" for a packed 0x00BBGGRR colour, and back (nullopt when malformed).
QString colorText(PackedColor color);
std::optional<PackedColor> parseColorText(const QString &text);

// Race colours the user asked Kavora to remember, by race name, in the settings: a later
// report that brings a race of that name gives it the kept colour and style instead of its
// slot's default. Nothing is kept until the user asks.
#pragma once

#include "records.h"
#include "settings.h"

#include <QHash>

struct KeptColour {
    PackedColor color = 0;
    qint16 style = 0;
    bool operator==(const KeptColour &) const = default;
};
using KeptColours = QHash<QString, KeptColour>;

// The kept colours as the settings file holds them now (another copy of Kavora may have
// kept some since); an entry that is damaged in any way is left out on its own.
KeptColours keptColours(const Settings &settings);
// Remembers every known race's colour and style, adding to those kept before, also by
// another copy of Kavora running meanwhile.
void keepColours(Settings &settings, const Globals &globals);
// Forgets every kept colour.
void forgetColours(Settings &settings);

// Gives each race in slots `fromSlot` to Last_Player_Index whose name is kept its colour
// and style, and its planets with them. Returns whether any race was given one.
bool applyKeptColours(Globals &globals, const KeptColours &kept, int fromSlot = 0);
// The default palette on every slot, and every owned planet takes its race's colour and
// style again.
void restoreDefaultColours(Globals &globals);

// The default zone colour and hatch pattern of each of the 16 race slots. The palette
// belongs to the slot, not to the race that happens to sit in it.
#pragma once

#include "records.h"

// Fill-style codes of a zone square.
enum FillStyle : qint16 {
    FillSolid = 0,
    FillTransparent = 1,
    FillHorizontal = 2,
    FillVertical = 3,
    FillUpwardDiagonal = 4,
    FillDownwardDiagonal = 5,
    FillCross = 6,
    FillDiagonalCross = 7,
};

struct SlotDefault {
    PackedColor color;
    qint16 style;
};

// Slots 0..6 take the bright colours, 7..14 the dark ones, slot 15 a salmon of its own
// with the opposite hatch.
extern const std::array<SlotDefault, kPlayerSlots> kDefaultPalette;

// Puts the default colour and style into every slot; names and totals stay.
void Initialize_Colors(Globals &globals);

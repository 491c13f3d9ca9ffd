// The default zone colour and hatch pattern of each of the 16 race slots. The palette
// belongs to the slot, not to the race that happens to sit in it.
#pragma once

#include "records.h"

#include <QImage>
#include <QRgb>
#include <QString>

#include <array>
#include <optional>

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

using Palette = std::array<SlotDefault, kPlayerSlots>;

// The classic palette. Slots 0..6 take the bright colours, 7..14 the dark ones, slot 15 a
// salmon of its own with the opposite hatch.
extern const Palette kDefaultPalette;
// Colours that all stand out against black (a contrast of at least 3:1) and none white;
// two slots of one hatch differ by at least 20 in CIEDE2000 for normal vision and for
// protanopia, deuteranopia and tritanopia. The first slots, which small universes use,
// differ most in colour alone.
extern const Palette kDistinctPalette;

const Palette &paletteOf(ColourScheme scheme);
// "classic" and "distinct", as the settings and the command line spell them.
QString colourSchemeKey(ColourScheme scheme);
std::optional<ColourScheme> colourSchemeForKey(QStringView key);

// 0x00BBGGRR to Qt's 0xAARRGGBB, opaque.
constexpr QRgb rgbFromPacked(PackedColor color)
{
    return 0xFF000000u | ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

constexpr PackedColor packedFromRgb(QRgb rgb)
{
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

// Whether a fill style paints device pixel (x, y). Hatches repeat every 8 pixels and are
// anchored to the picture, not to the box, so neighbouring boxes continue one pattern and
// a box paints the same pixels whatever order it is drawn in:
//   2 horizontal   rows y = 0, 8, 16 ...        3 vertical     columns x = 0, 8, 16 ...
//   4 upward "/"   x + y a multiple of 8        5 downward "\" x - y a multiple of 8
//   6 cross        2 or 3                       7 diagonal     4 or 5
// Solid paints everything, transparent (and any unknown code) nothing.
constexpr bool hatchSets(qint16 style, int x, int y)
{
    switch (style) {
    case FillSolid:
        return true;
    case FillHorizontal:
        return (y & 7) == 0;
    case FillVertical:
        return (x & 7) == 0;
    case FillUpwardDiagonal:
        return ((x + y) & 7) == 0;
    case FillDownwardDiagonal:
        return ((x - y) & 7) == 0;
    case FillCross:
        return (x & 7) == 0 || (y & 7) == 0;
    case FillDiagonalCross:
        return ((x + y) & 7) == 0 || ((x - y) & 7) == 0;
    default:
        return false;
    }
}

// A zone's look as a swatch: `fill` in the hatch of `style` over `background`, the hatch
// anchored to the swatch's corner as the chart anchors it to the picture's.
QImage zoneSwatch(QSize size, PackedColor fill, qint16 style, PackedColor background = 0);

// Puts the default colour and style of the chosen scheme (globals.colourScheme) into every
// slot; names and totals stay.
void Initialize_Colors(Globals &globals);

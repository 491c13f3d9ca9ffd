#include "palette.h"

#include <utility>

const Palette kDefaultPalette = {{
    {0xFF0000, FillUpwardDiagonal}, // light blue
    {0x00FF00, FillUpwardDiagonal}, // light green
    {0xFFFF00, FillUpwardDiagonal}, // light cyan
    {0x0000FF, FillUpwardDiagonal}, // light red
    {0xFF00FF, FillUpwardDiagonal}, // light magenta
    {0x00FFFF, FillUpwardDiagonal}, // yellow
    {0xFFFFFF, FillUpwardDiagonal}, // bright white
    {0x800000, FillUpwardDiagonal}, // blue
    {0x008000, FillUpwardDiagonal}, // green
    {0x808000, FillUpwardDiagonal}, // cyan
    {0x000080, FillUpwardDiagonal}, // red
    {0x800080, FillUpwardDiagonal}, // magenta
    {0x008080, FillUpwardDiagonal}, // brown
    {0xC0C0C0, FillUpwardDiagonal}, // light grey
    {0x808080, FillUpwardDiagonal}, // dark grey
    {0x8080FF, FillDownwardDiagonal}, // salmon
}};

// Found by a search over the sRGB cube in steps of 17: farthest-point picking under the
// smallest CIEDE2000 difference of the four kinds of vision, then the hatches given so that
// colours closer than 22 never share one. Written as 0xRRGGBB.
constexpr std::pair<QRgb, qint16> kDistinctRgb[kPlayerSlots] = {
    {0x77FF66, FillUpwardDiagonal},   // light green
    {0xCC11BB, FillUpwardDiagonal},   // magenta
    {0x668866, FillUpwardDiagonal},   // grey green
    {0xCC0000, FillDownwardDiagonal}, // red
    {0xCC99DD, FillDownwardDiagonal}, // lilac
    {0xDD66AA, FillCross},            // pink
    {0xAA8800, FillDiagonalCross},    // ochre
    {0x66CC77, FillCross},            // green
    {0x556688, FillDownwardDiagonal}, // slate
    {0x666644, FillCross},            // olive
    {0xDDAA00, FillHorizontal},       // gold
    {0x338888, FillDiagonalCross},    // teal
    {0xFF0066, FillVertical},         // rose
    {0x4455FF, FillHorizontal},       // blue
    {0x6688FF, FillVertical},         // sky blue
    {0x77AA88, FillDownwardDiagonal}, // sage
};

constexpr Palette distinctPalette()
{
    Palette palette{};
    for (int slot = 0; slot < kPlayerSlots; ++slot)
        palette[slot] = {packedFromRgb(kDistinctRgb[slot].first), kDistinctRgb[slot].second};
    return palette;
}

const Palette kDistinctPalette = distinctPalette();

const Palette &paletteOf(ColourScheme scheme)
{
    return scheme == ColourScheme::Distinct ? kDistinctPalette : kDefaultPalette;
}

QString colourSchemeKey(ColourScheme scheme)
{
    return scheme == ColourScheme::Distinct ? QStringLiteral("distinct")
                                            : QStringLiteral("classic");
}

std::optional<ColourScheme> colourSchemeForKey(QStringView key)
{
    if (key == u"classic")
        return ColourScheme::Classic;
    if (key == u"distinct")
        return ColourScheme::Distinct;
    return std::nullopt;
}

void Initialize_Colors(Globals &globals)
{
    const Palette &palette = paletteOf(globals.colourScheme);
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        globals.Player_Table[slot].Player_Color = palette[slot].color;
        globals.Player_Table[slot].Player_Style = palette[slot].style;
    }
}

QImage zoneSwatch(QSize size, PackedColor fill, qint16 style, PackedColor background)
{
    QImage image(size, QImage::Format_RGB32);
    const QRgb back = rgbFromPacked(background);
    const QRgb front = rgbFromPacked(fill);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = hatchSets(style, x, y) ? front : back;
    }
    return image;
}

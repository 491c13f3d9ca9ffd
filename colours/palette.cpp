#include "palette.h"

const std::array<SlotDefault, kPlayerSlots> kDefaultPalette = {{
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

void Initialize_Colors(Globals &globals)
{
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        globals.Player_Table[slot].Player_Color = kDefaultPalette[slot].color;
        globals.Player_Table[slot].Player_Style = kDefaultPalette[slot].style;
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

#include "racecolours.h"

#include "palette.h"

void setRaceColor(Globals &globals, int slot, PackedColor color)
{
    Player_Object &race = globals.Player_Table.at(slot);
    race.Player_Color = color;
    for (Star_Object &star : globals.Star_Table) {
        if (star.Owner == race.Player_Name)
            star.color = color;
    }
}

int findRace(const Globals &globals, const QString &name)
{
    if (name.isEmpty())
        return -1;
    for (int slot = 0; slot <= globals.Last_Player_Index; ++slot) {
        if (globals.Player_Table[slot].Player_Name == name)
            return slot;
    }
    return -1;
}

QString colorText(PackedColor color)
{
    return QStringLiteral("#%1")
        .arg(rgbFromPacked(color) & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
        .toUpper();
}

std::optional<PackedColor> parseColorText(const QString &text)
{
    if (text.size() != 7 || !text.startsWith(u'#'))
        return std::nullopt;
    // Six hex digits and nothing else: a number reading would also take "0x12", "+FFFFF"
    // and "  FF00".
    for (QChar c : QStringView(text).mid(1)) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            return std::nullopt;
    }
    bool ok = false;
    const uint rgb = text.mid(1).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return packedFromRgb(rgb);
}

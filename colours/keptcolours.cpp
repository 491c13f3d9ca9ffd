#include "keptcolours.h"

#include "palette.h"
#include "racecolours.h"

namespace {

// Entries are numbered, each holding its name: a race name may hold any character,
// also those that separate the settings' keys.
const QString kGroup = QStringLiteral("keptColours");

QString key(const QString &entry, const char *field)
{
    return kGroup + u'/' + entry + u'/' + QLatin1String(field);
}

// Every planet the race owns (exact owner text) takes its slot's colour and style.
void recolourPlanets(Globals &globals, int slot)
{
    const Player_Object &race = globals.Player_Table[slot];
    for (Star_Object &planet : globals.Star_Table) {
        if (planet.Owner == race.Player_Name) {
            planet.color = race.Player_Color;
            planet.Style = race.Player_Style;
        }
    }
}

} // namespace

KeptColours keptColours(const Settings &settings)
{
    settings.reload(); // another copy of Kavora may have kept colours since
    KeptColours kept;
    for (const QString &entry : settings.childGroups(kGroup)) {
        const QString name = settings.text(key(entry, "name"));
        const std::optional<PackedColor> color = parseColorText(settings.text(key(entry, "colour")));
        const int style = settings.integer(key(entry, "style"), -1);
        if (name.isEmpty() || !color || style < FillSolid || style > FillDiagonalCross)
            continue;
        kept.insert(name, {*color, qint16(style)});
    }
    return kept;
}

void keepColours(Settings &settings, const Globals &globals)
{
    KeptColours kept = keptColours(settings);
    for (int slot = 0; slot <= globals.Last_Player_Index; ++slot) {
        const Player_Object &race = globals.Player_Table[slot];
        if (!race.Player_Name.isEmpty())
            kept.insert(race.Player_Name, {race.Player_Color, race.Player_Style});
    }
    forgetColours(settings);
    int entry = 0;
    for (auto it = kept.cbegin(); it != kept.cend(); ++it, ++entry) {
        const QString number = QString::number(entry);
        settings.setText(key(number, "name"), it.key());
        settings.setText(key(number, "colour"), colorText(it->color));
        settings.setInteger(key(number, "style"), it->style);
    }
    settings.sync();
}

void forgetColours(Settings &settings)
{
    settings.remove(kGroup);
    settings.sync();
}

bool applyKeptColours(Globals &globals, const KeptColours &kept, int fromSlot)
{
    bool any = false;
    for (int slot = std::max(fromSlot, 0); slot <= globals.Last_Player_Index; ++slot) {
        Player_Object &race = globals.Player_Table[slot];
        const auto found = kept.constFind(race.Player_Name);
        if (race.Player_Name.isEmpty() || found == kept.cend())
            continue;
        race.Player_Color = found->color;
        race.Player_Style = found->style;
        recolourPlanets(globals, slot);
        any = true;
    }
    return any;
}

void restoreDefaultColours(Globals &globals)
{
    Initialize_Colors(globals);
    QHash<QStringView, int> slotOfName;
    for (int slot = globals.Last_Player_Index; slot >= 0; --slot)
        slotOfName.insert(globals.Player_Table[slot].Player_Name, slot);
    for (Star_Object &planet : globals.Star_Table) {
        const int slot = planet.Owner.isEmpty() ? -1 : slotOfName.value(planet.Owner, -1);
        if (slot >= 0) {
            planet.color = globals.Player_Table[slot].Player_Color;
            planet.Style = globals.Player_Table[slot].Player_Style;
        }
    }
}

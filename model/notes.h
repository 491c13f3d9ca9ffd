// What the player writes down about planets: a marker (target, ally, ...) and a short note,
// kept apart by name and place so that two planets of one name keep their own. Plain data:
// the notes file reads and writes it, the lists, tooltips and the explorer show it.
#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <map>
#include <optional>
#include <utility>
#include <vector>

struct Star_Object;

enum class Marker { None, Target, Ally, Enemy, Home, Watch };

// The markers a planet can carry, in the order menus and the legend show them.
inline constexpr Marker kMarkers[] = {Marker::Target, Marker::Ally, Marker::Enemy, Marker::Home,
                                      Marker::Watch};

// "target", "ally", "enemy", "home", "watch"; "" for None. The notes file and the tables
// write these.
QString markerName(Marker marker);
// "Target", ..., "None": what menus and the legend show, in the user's language.
QString markerTitle(Marker marker);
// The marker a name stands for; "" is None, anything unknown nullopt.
std::optional<Marker> markerNamed(QStringView name);

// A planet as the notes know it: its name and its place on the map.
struct NoteKey {
    QString name;
    double x = 0;
    double y = 0;
    std::strong_ordering operator<=>(const NoteKey &other) const;
    bool operator==(const NoteKey &) const = default;
};

struct PlanetNote {
    Marker marker = Marker::None;
    QString text;
    bool isEmpty() const { return marker == Marker::None && text.isEmpty(); }
    bool operator==(const PlanetNote &) const = default;
};

class NotesStore {
public:
    // The key of a planet of the table; nullopt for one whose coordinates are not numbers.
    static std::optional<NoteKey> keyOf(const Star_Object &planet);
    static std::optional<NoteKey> keyOf(const QString &name, const QString &x, const QString &y);

    // The planet's note, or nullptr when it has none.
    const PlanetNote *find(const NoteKey &key) const;
    const PlanetNote *find(const Star_Object &planet) const;

    // Gives the planet `note`; an empty one takes the entry away. True when anything changed.
    bool set(const NoteKey &key, const PlanetNote &note);
    // Replaces every entry: of equal keys the later one counts, empty notes are left out.
    // Entries already in order (as a notes file holds them) cost no search each.
    void assign(std::vector<std::pair<NoteKey, PlanetNote>> entries);

    // Ordered by name, then place, so files and pictures come out the same every time.
    const std::map<NoteKey, PlanetNote> &entries() const { return m_entries; }
    bool empty() const { return m_entries.empty(); }
    int size() const { return int(m_entries.size()); }
    void clear() { m_entries.clear(); }
    // The markers some planet carries, in kMarkers order.
    std::vector<Marker> markersInUse() const;

    bool operator==(const NotesStore &) const = default;

private:
    std::map<NoteKey, PlanetNote> m_entries;
};

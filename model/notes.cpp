#include "notes.h"

#include "distances.h"
#include "records.h"

#include <QCoreApplication>

#include <algorithm>

QString markerName(Marker marker)
{
    switch (marker) {
    case Marker::None: break;
    case Marker::Target: return QStringLiteral("target");
    case Marker::Ally: return QStringLiteral("ally");
    case Marker::Enemy: return QStringLiteral("enemy");
    case Marker::Home: return QStringLiteral("home");
    case Marker::Watch: return QStringLiteral("watch");
    }
    return {};
}

QString markerTitle(Marker marker)
{
    switch (marker) {
    case Marker::None: break;
    case Marker::Target: return QCoreApplication::translate("Marker", "Target");
    case Marker::Ally: return QCoreApplication::translate("Marker", "Ally");
    case Marker::Enemy: return QCoreApplication::translate("Marker", "Enemy");
    case Marker::Home: return QCoreApplication::translate("Marker", "Home");
    case Marker::Watch: return QCoreApplication::translate("Marker", "Watch");
    }
    return QCoreApplication::translate("Marker", "None");
}

std::optional<Marker> markerNamed(QStringView name)
{
    if (name.isEmpty())
        return Marker::None;
    for (Marker marker : kMarkers)
        if (name == markerName(marker))
            return marker;
    return std::nullopt;
}

std::strong_ordering NoteKey::operator<=>(const NoteKey &other) const
{
    if (const int c = name.compare(other.name); c != 0)
        return c < 0 ? std::strong_ordering::less : std::strong_ordering::greater;
    // Places are finite numbers read from a map or a notes file.
    if (x != other.x)
        return x < other.x ? std::strong_ordering::less : std::strong_ordering::greater;
    if (y != other.y)
        return y < other.y ? std::strong_ordering::less : std::strong_ordering::greater;
    return std::strong_ordering::equal;
}

std::optional<NoteKey> NotesStore::keyOf(const QString &name, const QString &x, const QString &y)
{
    const std::optional<QPointF> place = placeOf(x, y);
    if (!place)
        return std::nullopt;
    return NoteKey{name, place->x(), place->y()};
}

std::optional<NoteKey> NotesStore::keyOf(const Star_Object &planet)
{
    return keyOf(planet.Star_Name, planet.Star_X, planet.Star_Y);
}

const PlanetNote *NotesStore::find(const NoteKey &key) const
{
    const auto found = m_entries.find(key);
    return found == m_entries.end() ? nullptr : &found->second;
}

const PlanetNote *NotesStore::find(const Star_Object &planet) const
{
    if (m_entries.empty())
        return nullptr;
    const std::optional<NoteKey> key = keyOf(planet);
    return key ? find(*key) : nullptr;
}

bool NotesStore::set(const NoteKey &key, const PlanetNote &note)
{
    const auto found = m_entries.find(key);
    if (note.isEmpty()) {
        if (found == m_entries.end())
            return false;
        m_entries.erase(found);
        return true;
    }
    if (found != m_entries.end()) {
        if (found->second == note)
            return false;
        found->second = note;
        return true;
    }
    m_entries.emplace(key, note);
    return true;
}

void NotesStore::assign(std::vector<std::pair<NoteKey, PlanetNote>> entries)
{
    const auto byKey = [](const auto &a, const auto &b) { return a.first < b.first; };
    if (!std::is_sorted(entries.begin(), entries.end(), byKey))
        std::stable_sort(entries.begin(), entries.end(), byKey);
    m_entries.clear();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i + 1 < entries.size() && entries[i + 1].first == entries[i].first)
            continue; // the later one counts
        if (!entries[i].second.isEmpty())
            m_entries.emplace_hint(m_entries.end(), std::move(entries[i].first),
                                   std::move(entries[i].second));
    }
}

std::vector<Marker> NotesStore::markersInUse() const
{
    bool used[std::size(kMarkers) + 1] = {};
    for (const auto &[key, note] : m_entries)
        used[size_t(note.marker)] = true;
    std::vector<Marker> markers;
    for (Marker marker : kMarkers)
        if (used[size_t(marker)])
            markers.push_back(marker);
    return markers;
}

#include "planetnames.h"

#include <algorithm>

void PlanetNames::rebuild(const Globals &globals)
{
    QStringList names;
    const int last = globals.lastPlanet();
    names.reserve(last + 1);
    for (int i = 0; i <= last; ++i)
        names << globals.Star_Table[size_t(i)].Star_Name;
    // Alphabetical ignoring case; names that differ only in case keep a fixed order.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());

    m_names.clear();
    m_names.reserve(size_t(names.size()));
    for (const QString &name : names)
        m_names.push_back({name, name.toCaseFolded()});
}

QStringList PlanetNames::matching(QStringView typed, int limit) const
{
    QStringList starting;
    QStringList containing;
    if (typed.isEmpty() || limit <= 0)
        return starting;
    const QString needle = typed.toString().toCaseFolded();
    for (const Name &name : m_names) {
        if (starting.size() >= limit)
            break;
        const qsizetype at = name.folded.indexOf(needle);
        if (at == 0)
            starting << name.text;
        else if (at > 0 && containing.size() < limit)
            containing << name.text;
    }
    starting += containing.mid(0, limit - starting.size());
    return starting;
}

QString PlanetNames::bestMatch(QStringView typed) const
{
    const QStringView needle = typed.trimmed();
    if (needle.isEmpty())
        return {};
    const QString folded = needle.toString().toCaseFolded();
    // Names that differ only in case sit side by side in the sorted list.
    const auto first = std::lower_bound(
        m_names.begin(), m_names.end(), needle, [](const Name &name, QStringView text) {
            return QStringView(name.text).compare(text, Qt::CaseInsensitive) < 0;
        });
    const QString *equal = nullptr;
    for (auto it = first; it != m_names.end() && it->folded == folded; ++it) {
        if (it->text == needle)
            return it->text;
        if (!equal)
            equal = &it->text;
    }
    if (equal)
        return *equal;
    return matching(needle, 1).value(0);
}

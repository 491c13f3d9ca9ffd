// The File menu's list of recent files: the last eight maps, each with the reports opened
// after it, newest first. Kept in the settings file as one list of paths per entry
// ("recentFiles/1=/home/u/universe.map, /home/u/turn41.pla"); a damaged entry is skipped.
#pragma once

#include "settings.h"

#include <QList>
#include <QString>
#include <QStringList>

struct RecentEntry {
    QString map;
    QStringList reports; // in the order they were opened
    bool operator==(const RecentEntry &) const = default;
};

class RecentFiles {
public:
    static constexpr int kMaxEntries = 8;

    // Starts from what `settings` holds; every change is written back at once, so a run
    // that ends badly keeps the list. Each change starts from the list as the settings file
    // holds it then, so a second copy of Kavora running meanwhile loses nothing.
    explicit RecentFiles(Settings *settings = nullptr);

    const QList<RecentEntry> &entries() const { return m_entries; }

    // `entry` becomes the first one, replacing an older entry of the same map; the ninth
    // falls off the end.
    void put(const RecentEntry &entry);
    // Takes off the entry at `index` in entries() as they are now, found again by its map.
    void remove(qsizetype index);

private:
    void load();
    void save();

    Settings *m_settings;
    QList<RecentEntry> m_entries;
};

// "&1 universe.map" for the first entry: the number is the access key. Maps of the same name
// also show as much of their folder as tells them apart: "&2 universe.map (campaign-b)".
QStringList recentCaptions(const QList<RecentEntry> &entries);
// The full paths, map first, for the status line.
QString recentStatusTip(const RecentEntry &entry);

// Planning fleet moves across the windows. It keeps the notes of the map open (read when the
// map opens, written on every change; a damaged file is reported once and kept as ".bak"
// before it is first overwritten; a file that cannot be written is reported once and the
// notes stay in memory), the explorer's range rings and the fleet speed (both remembered in
// the settings), and ties the windows together: the explorer's selection to the planet
// list's distances, the menus' "Mark as" and "Note..." to the notes.
#pragma once

#include "commondialog.h"
#include "notes.h"
#include "records.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class ChartExplorer;
class PlanetList;
class Settings;
class starmap;

class Planning : public QObject {
    Q_OBJECT
public:
    Planning(Globals &globals, CommonDialog &dialog, QObject *parent = nullptr);

    // From now on the rings and the speed are read from and kept in `settings`.
    void useSettings(Settings &settings);

    const std::vector<double> &rings() const { return m_rings; }
    void setRings(const std::vector<double> &rings);
    double speed() const { return m_speed; }
    void setSpeed(double speed);

    // The map at `mapPath` was opened: its notes file is read. Reopening the map whose notes
    // could not be written keeps the notes in memory instead.
    void mapOpened(const QString &mapPath);
    // The notes file of the map open; empty before the first map.
    QString notesPath() const { return m_path; }

    // Gives planets (Star_Table indexes) a marker, keeping their notes.
    void mark(const QList<int> &planets, Marker marker);
    // Asks for the note of planet `index`, starting from the one it has.
    void editNote(int index);
    void setNote(int index, const QString &text);

    // Each window, as it is made: they follow the notes, the rings and the speed.
    void attach(starmap *chart);
    void attach(ChartExplorer *explorer);
    void attach(PlanetList *list);

signals:
    void notesChanged();
    void speedChanged(double speed);
    // The explorer's "Distances from Here": the planet list is to show them.
    void distancesFromRequested(int index);

private:
    void changeNote(const QList<int> &planets, const std::function<void(PlanetNote &)> &change);
    void save();

    Globals &m_globals;
    CommonDialog &m_dialog;
    Settings *m_settings = nullptr;
    std::vector<double> m_rings;
    double m_speed = 0;
    QString m_path;
    bool m_fileDamaged = false;   // the file there is not ours in full: copied before writing
    bool m_unsaved = false;       // the last write failed; reported once until one succeeds
    QPointer<ChartExplorer> m_explorer;
    QPointer<PlanetList> m_list;
};

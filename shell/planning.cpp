#include "planning.h"

#include "chartexplorer.h"
#include "conversions.h"
#include "distances.h"
#include "hourglass.h"
#include "notesfile.h"
#include "planetlist.h"
#include "settings.h"
#include "starmap.h"

#include <QFileInfo>

namespace {

const QString kRingsKey = QStringLiteral("planning/rings");
const QString kSpeedKey = QStringLiteral("planning/speed");

} // namespace

Planning::Planning(Globals &globals, CommonDialog &dialog, QObject *parent)
    : QObject(parent), m_globals(globals), m_dialog(dialog)
{
}

void Planning::useSettings(Settings &settings)
{
    // A damaged entry is no rings or no speed, as before they were ever set; nothing is
    // written back until the user changes one.
    m_settings = nullptr;
    setRings(parseRings(settings.text(kRingsKey)).value_or(std::vector<double>()));
    setSpeed(parseSpeed(settings.text(kSpeedKey)).value_or(0));
    m_settings = &settings;
}

void Planning::setRings(const std::vector<double> &rings)
{
    m_rings = rings;
    if (m_settings)
        m_settings->setText(kRingsKey, ringsText(rings));
    if (m_explorer && m_explorer->rings() != rings)
        m_explorer->setRings(rings);
}

void Planning::setSpeed(double speed)
{
    const bool changed = speed != m_speed;
    m_speed = speed;
    if (m_settings)
        m_settings->setText(kSpeedKey, speed > 0 ? conv::plainNumber(speed) : QString());
    if (m_explorer && m_explorer->speed() != speed)
        m_explorer->setSpeed(speed);
    if (changed)
        emit speedChanged(speed);
}

void Planning::mapOpened(const QString &mapPath)
{
    const QString path = notesPathFor(mapPath);
    // Notes that could not be written are still only here: reading the file would lose them.
    if (!(m_unsaved && path == m_path)) {
        NotesRead read = readNotesFile(path);
        m_globals.notes = std::move(read.notes);
        m_fileDamaged = read.problem.has_value();
        m_unsaved = false;
        if (read.problem) {
            // The map is read under the hourglass; the message waits with the normal pointer.
            const NormalPointer normal;
            m_dialog.message(read.problem->message() + u'\n' +
                             tr("The file is left as it is until a note changes; it is then "
                                "kept as %1.bak.")
                                 .arg(QFileInfo(path).fileName()));
        }
    }
    m_path = path;
    emit notesChanged();
}

void Planning::mark(const QList<int> &planets, Marker marker)
{
    changeNote(planets, [marker](PlanetNote &note) { note.marker = marker; });
}

void Planning::editNote(int index)
{
    if (index < 0 || index > m_globals.lastPlanet())
        return;
    const Star_Object &planet = m_globals.Star_Table[size_t(index)];
    const PlanetNote *note = m_globals.notes.find(planet);
    const std::optional<QString> text = m_dialog.askText(
        tr("Note"), tr("Note on %1:").arg(planet.Star_Name), note ? note->text : QString());
    if (text)
        setNote(index, *text);
}

void Planning::setNote(int index, const QString &text)
{
    changeNote({index}, [&text](PlanetNote &note) { note.text = text; });
}

void Planning::changeNote(const QList<int> &planets,
                          const std::function<void(PlanetNote &)> &change)
{
    bool changed = false;
    for (int index : planets) {
        if (index < 0 || index > m_globals.lastPlanet())
            continue;
        const std::optional<NoteKey> key = NotesStore::keyOf(m_globals.Star_Table[size_t(index)]);
        if (!key)
            continue;
        const PlanetNote *old = m_globals.notes.find(*key);
        PlanetNote note = old ? *old : PlanetNote{};
        change(note);
        changed = m_globals.notes.set(*key, note) || changed;
    }
    if (!changed)
        return;
    save();
    emit notesChanged();
}

// Every change is written at once, so nothing is lost when Kavora ends badly.
void Planning::save()
{
    if (m_path.isEmpty())
        return;
    try {
        if (m_fileDamaged) {
            backUpNotesFile(m_path);
            m_fileDamaged = false;
        }
        writeNotesFile(m_path, m_globals.notes);
        m_unsaved = false;
    } catch (const RunError &error) {
        if (!m_unsaved)
            m_dialog.message(error.message() + u'\n' +
                             tr("The notes are kept while Kavora runs; each change tries again "
                                "to save them."));
        m_unsaved = true;
    }
}

void Planning::attach(starmap *chart)
{
    chart->setRulerSpeed(m_speed);
    connect(this, &Planning::speedChanged, chart, &starmap::setRulerSpeed);
}

void Planning::attach(ChartExplorer *explorer)
{
    m_explorer = explorer;
    explorer->setRings(m_rings);
    explorer->setSpeed(m_speed);
    connect(explorer, &ChartExplorer::ringsEdited, this, &Planning::setRings);
    connect(explorer, &ChartExplorer::speedEdited, this, &Planning::setSpeed);
    connect(explorer, &ChartExplorer::markRequested, this,
            [this](int index, Marker marker) { mark({index}, marker); });
    connect(explorer, &ChartExplorer::noteRequested, this, &Planning::editNote);
    connect(explorer, &ChartExplorer::distancesFromRequested, this,
            &Planning::distancesFromRequested);
    connect(this, &Planning::notesChanged, explorer, &ChartExplorer::notesChanged);
    connect(explorer, &ChartExplorer::selectionChanged, this, [this](int index) {
        if (m_list)
            m_list->explorerSelectionChanged(index);
    });
    connect(explorer, &QObject::destroyed, this, [this] {
        if (m_list)
            m_list->explorerSelectionChanged(-1);
    });
    if (m_list)
        m_list->explorerSelectionChanged(explorer->selected());
}

void Planning::attach(PlanetList *list)
{
    m_list = list;
    connect(list, &PlanetList::markRequested, this, &Planning::mark);
    connect(list, &PlanetList::noteRequested, this, &Planning::editNote);
    connect(this, &Planning::notesChanged, list, &PlanetList::notesChanged);
    list->explorerSelectionChanged(m_explorer ? m_explorer->selected() : -1);
}

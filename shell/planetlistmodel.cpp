#include "planetlistmodel.h"

#include "conversions.h"
#include "palette.h"
#include "population.h"
#include "tables.h"

#include <QHash>
#include <QSignalBlocker>

#include <cmath>
#include <limits>

namespace {

constexpr double kEmpty = -std::numeric_limits<double>::infinity();

// Numbers as the program reads a population: the number at the start of the text, an empty
// text before every number.
double sortValue(const QString &text)
{
    return text.isEmpty() ? kEmpty : populationValue(text);
}

const char *const kHeaders[] = {QT_TRANSLATE_NOOP("PlanetListModel", "Name"),
                                QT_TRANSLATE_NOOP("PlanetListModel", "X"),
                                QT_TRANSLATE_NOOP("PlanetListModel", "Y"),
                                QT_TRANSLATE_NOOP("PlanetListModel", "Owner"),
                                QT_TRANSLATE_NOOP("PlanetListModel", "Starbase"),
                                QT_TRANSLATE_NOOP("PlanetListModel", "Report Age"),
                                QT_TRANSLATE_NOOP("PlanetListModel", "Population")};
// The planning columns: shown in the window, not copied with the planet's own figures.
const char *const kPlanningHeaders[] = {QT_TRANSLATE_NOOP("PlanetListModel", "Distance"),
                                        QT_TRANSLATE_NOOP("PlanetListModel", "Marker"),
                                        QT_TRANSLATE_NOOP("PlanetListModel", "Note")};

// A note in one line of a cell: its line ends shown as a visible mark.
QString oneLine(const QString &note)
{
    constexpr qsizetype kShown = 200;
    QString line = note.left(kShown);
    line.replace(QLatin1String("\r\n"), QStringLiteral(" \u21b5 "));
    line.replace(u'\n', QStringLiteral(" \u21b5 "));
    line.replace(u'\r', u' ');
    line.replace(u'\t', u' ');
    return note.size() > kShown ? line + QChar(0x2026) : line;
}

} // namespace

PlanetListModel::PlanetListModel(const Globals &globals, QObject *parent)
    : QAbstractTableModel(parent), m_globals(globals)
{
    reload();
}

void PlanetListModel::reload()
{
    beginResetModel();
    QHash<QString, int> races;
    for (int slot = 0; slot <= m_globals.Last_Player_Index; ++slot) {
        races.insert(m_globals.Player_Table[slot].Player_Name, slot);
        m_foldedRaces[size_t(slot)] = m_globals.Player_Table[slot].Player_Name.toCaseFolded();
    }

    const int count = m_globals.lastPlanet() + 1;
    m_rows.clear();
    m_rows.reserve(size_t(count));
    m_foldedNames.clear();
    m_foldedStarbases.clear();
    m_foldedUnknownOwners.clear();
    // Neighbouring planets often share an owner: the last lookup is reused.
    const QString *lastOwner = nullptr;
    int lastRace = kUnowned;
    for (int i = 0; i < count; ++i) {
        const Star_Object &s = m_globals.Star_Table[size_t(i)];
        int race = kUnowned;
        if (!s.Owner.isEmpty()) {
            if (!lastOwner || *lastOwner != s.Owner) {
                lastOwner = &s.Owner;
                lastRace = races.value(s.Owner, kUnknownRace);
            }
            race = lastRace;
        }
        m_rows.push_back({{s.Star_Name, s.Star_X, s.Star_Y},
                          {sortValue(s.Star_X), sortValue(s.Star_Y), sortValue(s.report_age),
                           sortValue(s.population)},
                          race});
    }
    m_swatches = {};
    measureDistances();
    readNotes();
    endResetModel();
}

void PlanetListModel::readNotes()
{
    m_markers.clear();
    m_notes.clear();
    m_foldedNotes.clear();
    if (m_globals.notes.empty())
        return;
    m_markers.assign(m_rows.size(), Marker::None);
    m_notes.assign(m_rows.size(), QString());
    for (Marker marker : kMarkers)
        m_foldedMarkerTitles[size_t(marker)] = markerTitle(marker).toCaseFolded();
    // From the rows as they were read: the table may have changed under the model already.
    for (int row = 0; row < rowCount(); ++row) {
        const Place &place = m_rows[size_t(row)].place;
        const std::optional<NoteKey> key = NotesStore::keyOf(place.name, place.x, place.y);
        if (const PlanetNote *note = key ? m_globals.notes.find(*key) : nullptr) {
            m_markers[size_t(row)] = note->marker;
            m_notes[size_t(row)] = note->text;
        }
    }
}

void PlanetListModel::notesChanged()
{
    readNotes();
    if (!m_rows.empty())
        emit dataChanged(index(0, MarkerColumn), index(rowCount() - 1, Note),
                         {kPlanningRole});
}

// From the rows as they were read, like the notes.
void PlanetListModel::measureDistances()
{
    m_distances.clear();
    if (!m_origin)
        return;
    m_distances.reserve(m_rows.size());
    for (const RowKeys &row : m_rows) {
        const std::optional<QPointF> place = ::placeOf(row.place.x, row.place.y);
        m_distances.push_back(place ? mapDistance(*m_origin, *place) : std::nan(""));
    }
}

void PlanetListModel::setOrigin(std::optional<QPointF> origin)
{
    m_origin = origin;
    measureDistances();
    if (!m_rows.empty())
        emit dataChanged(index(0, Distance), index(rowCount() - 1, Distance),
                         {kPlanningRole});
}

double PlanetListModel::distance(int row) const
{
    return m_distances.empty() ? std::nan("") : m_distances[size_t(row)];
}

const std::vector<QString> &PlanetListModel::foldedNotes() const
{
    if (m_foldedNotes.size() != m_notes.size()) {
        m_foldedNotes.clear();
        m_foldedNotes.reserve(m_notes.size());
        for (const QString &note : m_notes)
            m_foldedNotes.push_back(note.toCaseFolded());
    }
    return m_foldedNotes;
}

const std::vector<QString> &PlanetListModel::foldedNames() const
{
    if (m_foldedNames.size() != m_rows.size()) {
        m_foldedNames.clear();
        m_foldedNames.reserve(m_rows.size());
        for (const RowKeys &row : m_rows)
            m_foldedNames.push_back(row.place.name.toCaseFolded());
    }
    return m_foldedNames;
}

const std::vector<QString> &PlanetListModel::foldedStarbases() const
{
    if (m_foldedStarbases.size() != m_rows.size()) {
        m_foldedStarbases.clear();
        m_foldedStarbases.reserve(m_rows.size());
        for (int row = 0; row < rowCount(); ++row)
            m_foldedStarbases.push_back(planet(row).Starbase.toCaseFolded());
    }
    return m_foldedStarbases;
}

const QString &PlanetListModel::foldedOwner(int row) const
{
    static const QString kNone;
    const int race = m_rows[size_t(row)].race;
    if (race >= 0)
        return m_foldedRaces[size_t(race)];
    if (race == kUnowned)
        return kNone;
    if (m_foldedUnknownOwners.size() != m_rows.size()) {
        m_foldedUnknownOwners.assign(m_rows.size(), QString());
        for (int k = 0; k < rowCount(); ++k)
            if (m_rows[size_t(k)].race == kUnknownRace)
                m_foldedUnknownOwners[size_t(k)] = planet(k).Owner.toCaseFolded();
    }
    return m_foldedUnknownOwners[size_t(row)];
}

void PlanetListModel::coloursChanged()
{
    m_swatches = {};
    if (!m_rows.empty())
        emit dataChanged(index(0, Owner), index(rowCount() - 1, Owner), {Qt::DecorationRole});
}

int PlanetListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PlanetListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PlanetListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const Star_Object &s = planet(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case Name: return s.Star_Name;
        case X: return s.Star_X;
        case Y: return s.Star_Y;
        case Owner: return s.Owner;
        case Starbase: return s.Starbase;
        case ReportAge: return s.report_age;
        // Shown grouped for reading; copied rows keep the text as typed.
        case Population: return role == Qt::DisplayRole ? conv::groupedText(s.population)
                                                        : QVariant(s.population);
        case Distance: {
            const double d = distance(index.row());
            return std::isnan(d) ? QString() : distanceText(d);
        }
        case MarkerColumn: {
            const Marker m = marker(index.row());
            return m == Marker::None ? QString() : markerTitle(m);
        }
        case Note: return m_notes.empty() ? QString() : oneLine(m_notes[size_t(index.row())]);
        }
        break;
    case Qt::ToolTipRole:
        if (index.column() == Note && !m_notes.empty() && !m_notes[size_t(index.row())].isEmpty())
            return m_notes[size_t(index.row())].left(2000);
        break;
    case Qt::DecorationRole: {
        const int race = raceOf(index.row());
        if (index.column() != Owner || race < 0)
            break;
        QPixmap &swatch = m_swatches[size_t(race)];
        if (swatch.isNull()) {
            const Player_Object &p = m_globals.Player_Table[size_t(race)];
            swatch = QPixmap::fromImage(zoneSwatch(kSwatchSize, p.Player_Color, p.Player_Style));
        }
        return swatch;
    }
    case Qt::TextAlignmentRole:
        if (index.column() == X || index.column() == Y ||
            (index.column() >= ReportAge && index.column() <= Distance))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    }
    return {};
}

QVariant PlanetListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return tr(section < Distance ? kHeaders[section] : kPlanningHeaders[section - Distance]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool PlanetListModel::lessThan(int leftRow, int rightRow, int column) const
{
    const RowKeys &l = m_rows[size_t(leftRow)];
    const RowKeys &r = m_rows[size_t(rightRow)];
    switch (column) {
    case Name: return foldedNames()[size_t(leftRow)] < foldedNames()[size_t(rightRow)];
    case Owner: return foldedOwner(leftRow) < foldedOwner(rightRow);
    case Starbase:
        return foldedStarbases()[size_t(leftRow)] < foldedStarbases()[size_t(rightRow)];
    case X: return l.numbers[0] < r.numbers[0];
    case Y: return l.numbers[1] < r.numbers[1];
    case ReportAge: return l.numbers[2] < r.numbers[2];
    case Population: return l.numbers[3] < r.numbers[3];
    case Distance: {
        // No distance sorts first, as an empty number does.
        const double a = distance(leftRow);
        const double b = distance(rightRow);
        return std::isnan(a) ? !std::isnan(b) : !std::isnan(b) && a < b;
    }
    case MarkerColumn: return marker(leftRow) < marker(rightRow);
    case Note:
        return !m_notes.empty() && foldedNotes()[size_t(leftRow)] < foldedNotes()[size_t(rightRow)];
    }
    return false;
}

bool PlanetListModel::contains(int row, QStringView foldedText) const
{
    if (foldedNames()[size_t(row)].contains(foldedText) || foldedOwner(row).contains(foldedText))
        return true;
    if (m_notes.empty())
        return false;
    const Marker m = marker(row);
    return markerName(m).contains(foldedText) ||
           (m != Marker::None && m_foldedMarkerTitles[size_t(m)].contains(foldedText)) ||
           foldedNotes()[size_t(row)].contains(foldedText);
}

int PlanetListModel::rowOf(const Place &place) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (m_rows[size_t(row)].place == place)
            return row;
    }
    return -1;
}

QString PlanetListModel::copyText(const QList<int> &rows) const
{
    Table table;
    for (const char *header : kHeaders)
        table.columns.append({tr(header), TableColumn::Text});
    for (int row : rows) {
        const Star_Object &s = planet(row);
        table.addRow({s.Star_Name, s.Star_X, s.Star_Y, s.Owner, s.Starbase, s.report_age,
                      s.population});
    }
    return clipboardText(table);
}

PlanetListProxy::PlanetListProxy(PlanetListModel &source, QObject *parent)
    : QSortFilterProxyModel(parent), m_source(source)
{
    setSourceModel(&source);
}

void PlanetListProxy::setFilterText(const QString &text)
{
    const QString folded = text.toCaseFolded();
    if (folded == m_foldedText)
        return;
    m_foldedText = folded;
    invalidateFilter();
}

void PlanetListProxy::setRace(int race)
{
    if (race == m_race)
        return;
    m_race = race;
    invalidateFilter();
}

void PlanetListProxy::setMarkerFilter(int marker)
{
    if (marker == m_marker)
        return;
    m_marker = marker;
    invalidateFilter();
}

void PlanetListProxy::setWithin(std::optional<double> within)
{
    if (within == m_within)
        return;
    m_within = within;
    invalidateFilter();
}

// Every row's distance changes: the proxy sorts and filters all rows once, and does not
// first move each changed row on its own as the model reports it (which cost as much
// again). Its views repaint on the new layout.
void PlanetListProxy::setOrigin(std::optional<QPointF> origin)
{
    {
        const QSignalBlocker quiet(m_source);
        m_source.setOrigin(origin);
    }
    invalidate();
}

void PlanetListProxy::notesChanged()
{
    m_source.notesChanged();
    invalidate();
}

QString PlanetListProxy::countText() const
{
    return tr("%1 of %2 planets")
        .arg(conv::groupedNumber(rowCount()), conv::groupedNumber(m_source.rowCount()));
}

bool PlanetListProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return m_source.lessThan(left.row(), right.row(), left.column());
}

bool PlanetListProxy::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_race != kAllRaces && m_source.raceOf(sourceRow) != m_race)
        return false;
    if (m_marker != kAnyMarker) {
        const Marker marker = m_source.marker(sourceRow);
        if (m_marker == kMarked ? marker == Marker::None : int(marker) != m_marker)
            return false;
    }
    if (m_within && m_source.origin() && !(m_source.distance(sourceRow) <= *m_within))
        return false;
    return m_foldedText.isEmpty() || m_source.contains(sourceRow, m_foldedText);
}

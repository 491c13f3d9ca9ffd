#include "planetlistmodel.h"

#include "conversions.h"
#include "palette.h"
#include "population.h"
#include "tables.h"

#include <QHash>

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
    endResetModel();
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
        }
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
        if (index.column() == X || index.column() == Y || index.column() >= ReportAge)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    }
    return {};
}

QVariant PlanetListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return tr(kHeaders[section]);
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
    }
    return false;
}

bool PlanetListModel::contains(int row, QStringView foldedText) const
{
    return foldedNames()[size_t(row)].contains(foldedText) ||
           foldedOwner(row).contains(foldedText);
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
    return m_foldedText.isEmpty() || m_source.contains(sourceRow, m_foldedText);
}

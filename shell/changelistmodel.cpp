#include "changelistmodel.h"

#include "conversions.h"
#include "palette.h"
#include "population.h"
#include "tables.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

#include <limits>

namespace {

const char *const kHeaders[] = {QT_TRANSLATE_NOOP("ChangeListModel", "Planet"),
                                QT_TRANSLATE_NOOP("ChangeListModel", "X"),
                                QT_TRANSLATE_NOOP("ChangeListModel", "Y"),
                                QT_TRANSLATE_NOOP("ChangeListModel", "Kind"),
                                QT_TRANSLATE_NOOP("ChangeListModel", "Race Before"),
                                QT_TRANSLATE_NOOP("ChangeListModel", "Race After"),
                                QT_TRANSLATE_NOOP("ChangeListModel", "Population Before"),
                                QT_TRANSLATE_NOOP("ChangeListModel", "Population After"),
                                QT_TRANSLATE_NOOP("ChangeListModel", "Difference")};

double sortValue(QStringView text)
{
    return text.isEmpty() ? -std::numeric_limits<double>::infinity() : populationValue(text);
}

QString counted(int count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(ChangeListModel::tr(count == 1 ? one : many));
}

// The race's total in a table of races, by name; all races' together for an empty name.
double populationOf(const Player_Table_Type &races, const QString &race)
{
    double sum = 0;
    for (const Player_Object &p : races) {
        if (p.Player_Name.isEmpty())
            continue;
        if (race.isEmpty() || p.Player_Name == race)
            sum += p.Player_Population.value_or(0);
    }
    return sum;
}

bool involves(const ReportStep::PlanetChange &c, const QString &race)
{
    return race.isEmpty() || c.ownerBefore == race || c.ownerAfter == race;
}

} // namespace

std::vector<ListedChange> listedChanges(const LoadHistory &history, int step)
{
    std::vector<ListedChange> rows;
    if (step < 0 || step >= history.reports.size())
        return rows;
    const ReportStep &s = history.reports[step].step;
    const std::vector<int> positions = history.positions();
    for (int k : s.listed()) {
        const ReportStep::PlanetChange c = s.change(k);
        if (size_t(c.planet) < positions.size())
            rows.push_back({positions[size_t(c.planet)], c});
    }
    return rows;
}

QString changeKindText(const ReportStep::PlanetChange &c, const QString &race, Wording wording)
{
    QStringList kinds;
    auto word = [wording](const char *text) {
        return wording == Wording::English ? QString::fromLatin1(text) : ChangeListModel::tr(text);
    };
    if (c.kinds & ChangeKind::FirstSeen)
        kinds << word(QT_TRANSLATE_NOOP("ChangeListModel", "first seen"));
    if (c.kinds & ChangeKind::NewOwner) {
        if (!race.isEmpty() && c.ownerAfter == race)
            kinds << word(QT_TRANSLATE_NOOP("ChangeListModel", "captured"));
        else if (!race.isEmpty() && c.ownerBefore == race)
            kinds << word(QT_TRANSLATE_NOOP("ChangeListModel", "lost"));
        else
            kinds << word(QT_TRANSLATE_NOOP("ChangeListModel", "new owner"));
    }
    if (c.kinds & ChangeKind::StarbaseBuilt)
        kinds << word(QT_TRANSLATE_NOOP("ChangeListModel", "starbase built"));
    if (c.kinds & ChangeKind::StarbaseLost)
        kinds << word(QT_TRANSLATE_NOOP("ChangeListModel", "starbase lost"));
    if (c.kinds & ChangeKind::PopulationUp)
        kinds << word(QT_TRANSLATE_NOOP("ChangeListModel", "population up"));
    if (c.kinds & ChangeKind::PopulationDown)
        kinds << word(QT_TRANSLATE_NOOP("ChangeListModel", "population down"));
    return kinds.join(QLatin1String(", "));
}

bool hasKind(const ReportStep::PlanetChange &c, KindFilter kind, const QString &race)
{
    switch (kind) {
    case KindFilter::Any:
        return true;
    case KindFilter::Captured:
        return (c.kinds & ChangeKind::NewOwner) && c.ownerAfter == race;
    case KindFilter::Lost:
        return (c.kinds & ChangeKind::NewOwner) && c.ownerBefore == race;
    case KindFilter::NewOwner:
        return bool(c.kinds & ChangeKind::NewOwner);
    case KindFilter::StarbaseBuilt:
        return bool(c.kinds & ChangeKind::StarbaseBuilt);
    case KindFilter::StarbaseLost:
        return bool(c.kinds & ChangeKind::StarbaseLost);
    case KindFilter::PopulationUp:
        return bool(c.kinds & ChangeKind::PopulationUp);
    case KindFilter::PopulationDown:
        return bool(c.kinds & ChangeKind::PopulationDown);
    case KindFilter::FirstSeen:
        return bool(c.kinds & ChangeKind::FirstSeen);
    }
    return false;
}

QString kindFilterText(KindFilter kind)
{
    switch (kind) {
    case KindFilter::Any:
        return QCoreApplication::translate("ChangeListModel", "All kinds");
    case KindFilter::Captured:
        return QCoreApplication::translate("ChangeListModel", "captured");
    case KindFilter::Lost:
        return QCoreApplication::translate("ChangeListModel", "lost");
    case KindFilter::NewOwner:
        return QCoreApplication::translate("ChangeListModel", "new owner");
    case KindFilter::StarbaseBuilt:
        return QCoreApplication::translate("ChangeListModel", "starbase built");
    case KindFilter::StarbaseLost:
        return QCoreApplication::translate("ChangeListModel", "starbase lost");
    case KindFilter::PopulationUp:
        return QCoreApplication::translate("ChangeListModel", "population up");
    case KindFilter::PopulationDown:
        return QCoreApplication::translate("ChangeListModel", "population down");
    case KindFilter::FirstSeen:
        return QCoreApplication::translate("ChangeListModel", "first seen");
    }
    return {};
}

QString stepTitle(const LoadHistory &history, int step)
{
    if (step < 0 || step >= history.reports.size())
        return {};
    const QString since = step == 0 ? history.mapPath : history.reports[step - 1].path;
    return QCoreApplication::translate("ChangeListModel", "%1: changes since %2")
        .arg(QFileInfo(history.reports[step].path).fileName(), QFileInfo(since).fileName());
}

QString changeSummary(const LoadHistory &history, int step, const QString &race)
{
    if (step < 0 || step >= history.reports.size())
        return {};
    int changedHands = 0, captured = 0, lost = 0, firstSeen = 0, built = 0, destroyed = 0;
    for (const ListedChange &row : listedChanges(history, step)) {
        const ReportStep::PlanetChange &c = row.change;
        if (!involves(c, race))
            continue;
        if (c.kinds & ChangeKind::NewOwner) {
            ++changedHands;
            captured += c.ownerAfter == race;
            lost += c.ownerBefore == race;
        }
        firstSeen += (c.kinds & ChangeKind::FirstSeen) && (race.isEmpty() || c.ownerAfter == race);
        built += (c.kinds & ChangeKind::StarbaseBuilt) && (race.isEmpty() || c.ownerAfter == race);
        destroyed +=
            (c.kinds & ChangeKind::StarbaseLost) && (race.isEmpty() || c.ownerBefore == race);
    }

    QStringList parts;
    if (race.isEmpty()) {
        if (changedHands)
            parts << counted(changedHands,
                             QT_TRANSLATE_NOOP("ChangeListModel", "planet changed hands"),
                             QT_TRANSLATE_NOOP("ChangeListModel", "planets changed hands"));
    } else {
        if (captured)
            parts << counted(captured, QT_TRANSLATE_NOOP("ChangeListModel", "planet captured"),
                             QT_TRANSLATE_NOOP("ChangeListModel", "planets captured"));
        if (lost)
            parts << counted(lost, QT_TRANSLATE_NOOP("ChangeListModel", "planet lost"),
                             QT_TRANSLATE_NOOP("ChangeListModel", "planets lost"));
    }
    if (firstSeen)
        parts << counted(firstSeen, QT_TRANSLATE_NOOP("ChangeListModel", "planet first seen"),
                         QT_TRANSLATE_NOOP("ChangeListModel", "planets first seen"));
    if (built)
        parts << counted(built, QT_TRANSLATE_NOOP("ChangeListModel", "starbase built"),
                         QT_TRANSLATE_NOOP("ChangeListModel", "starbases built"));
    if (destroyed)
        parts << counted(destroyed, QT_TRANSLATE_NOOP("ChangeListModel", "starbase lost"),
                         QT_TRANSLATE_NOOP("ChangeListModel", "starbases lost"));

    const ReportStep &s = history.reports[step].step;
    const double before = populationOf(s.racesBefore(), race);
    const double after = populationOf(s.racesAfter(), race);
    const double change = after - before;
    const QString sign = change < 0 ? QString() : QStringLiteral("+");
    if (before > 0)
        parts << QCoreApplication::translate("ChangeListModel", "population %1%2%")
                     .arg(sign, QLocale().toString(change / before * 100, 'f', 1));
    else
        parts << QCoreApplication::translate("ChangeListModel", "population %1%2")
                     .arg(sign, conv::groupedNumber(change));
    return parts.join(QLatin1String(", "));
}

QString differenceText(const ReportStep::PlanetChange &c, bool grouped)
{
    if (c.populationBefore.isEmpty() || c.populationAfter.isEmpty())
        return {};
    const double difference =
        populationValue(c.populationAfter) - populationValue(c.populationBefore);
    return (difference > 0 ? QStringLiteral("+") : QString()) +
           (grouped ? conv::groupedNumber(difference) : conv::plainNumber(difference));
}

ChangeListModel::ChangeListModel(const Globals &globals, const LoadHistory &history,
                                 QObject *parent)
    : QAbstractTableModel(parent), m_globals(globals), m_history(history)
{
    reload();
}

void ChangeListModel::reload()
{
    beginResetModel();
    const int steps = int(m_history.reports.size());
    if (m_step < 0 || m_step >= steps || m_step == m_steps - 1)
        m_step = steps - 1;
    m_steps = steps;
    m_rows = listedChanges(m_history, m_step);
    m_swatches = {};
    endResetModel();
}

void ChangeListModel::setStep(int step)
{
    if (step == m_step || step < 0 || step >= m_history.reports.size())
        return;
    beginResetModel();
    m_step = step;
    m_rows = listedChanges(m_history, m_step);
    endResetModel();
}

void ChangeListModel::setRace(const QString &race)
{
    if (race == m_race)
        return;
    m_race = race;
    if (!m_rows.empty())
        emit dataChanged(index(0, Kind), index(rowCount() - 1, Kind));
}

void ChangeListModel::coloursChanged()
{
    m_swatches = {};
    if (!m_rows.empty())
        emit dataChanged(index(0, RaceBefore), index(rowCount() - 1, RaceAfter),
                         {Qt::DecorationRole});
}

int ChangeListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ChangeListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QPixmap ChangeListModel::swatch(QStringView race) const
{
    for (int slot = 0; slot <= m_globals.Last_Player_Index; ++slot) {
        const Player_Object &p = m_globals.Player_Table[slot];
        if (p.Player_Name != race || race.isEmpty())
            continue;
        QPixmap &kept = m_swatches[size_t(slot)];
        if (kept.isNull())
            kept = QPixmap::fromImage(zoneSwatch(kSwatchSize, p.Player_Color, p.Player_Style));
        return kept;
    }
    return {};
}

QVariant ChangeListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ListedChange &r = m_rows[size_t(index.row())];
    const ReportStep::PlanetChange &c = r.change;
    const Star_Object &s = m_globals.Star_Table[size_t(r.position)];
    // Shown grouped for reading; copied as read.
    const bool shown = role == Qt::DisplayRole;
    switch (role) {
    case Qt::DisplayRole:
    case kCopyRole:
        switch (index.column()) {
        case Planet:
            return s.Star_Name;
        case X:
            return s.Star_X;
        case Y:
            return s.Star_Y;
        case Kind:
            return changeKindText(c, m_race);
        case RaceBefore:
            return c.ownerBefore.toString();
        case RaceAfter:
            return c.ownerAfter.toString();
        case PopulationBefore:
            return shown ? conv::groupedText(c.populationBefore.toString())
                         : c.populationBefore.toString();
        case PopulationAfter:
            return shown ? conv::groupedText(c.populationAfter.toString())
                         : c.populationAfter.toString();
        case Difference:
            return differenceText(c, shown);
        }
        break;
    case kSortRole:
        switch (index.column()) {
        case Planet:
            return s.Star_Name.toCaseFolded();
        case X:
            return sortValue(s.Star_X);
        case Y:
            return sortValue(s.Star_Y);
        case Kind:
            return changeKindText(c, m_race);
        case RaceBefore:
            return c.ownerBefore.toString().toCaseFolded();
        case RaceAfter:
            return c.ownerAfter.toString().toCaseFolded();
        case PopulationBefore:
            return sortValue(c.populationBefore);
        case PopulationAfter:
            return sortValue(c.populationAfter);
        case Difference:
            if (c.populationBefore.isEmpty() || c.populationAfter.isEmpty())
                return -std::numeric_limits<double>::infinity();
            return populationValue(c.populationAfter) - populationValue(c.populationBefore);
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == RaceBefore)
            return swatch(c.ownerBefore);
        if (index.column() == RaceAfter)
            return swatch(c.ownerAfter);
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == X || index.column() == Y || index.column() >= PopulationBefore)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    }
    return {};
}

QVariant ChangeListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return tr(kHeaders[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString ChangeListModel::copyText(const QList<int> &rows) const
{
    Table table;
    for (const char *header : kHeaders)
        table.columns.append({tr(header), TableColumn::Text});
    for (int r : rows) {
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column)
            cells << data(index(r, column), kCopyRole).toString();
        table.cells.insert(table.cells.end(), cells.begin(), cells.end());
    }
    return formatTable(table, TableFormat::Tsv);
}

ChangeListProxy::ChangeListProxy(ChangeListModel &source, QObject *parent)
    : QSortFilterProxyModel(parent), m_source(source)
{
    setSourceModel(&source);
    setSortRole(ChangeListModel::kSortRole);
}

void ChangeListProxy::setRace(const QString &race)
{
    if (race == m_source.race())
        return;
    m_source.setRace(race);
    invalidate();
}

void ChangeListProxy::setKind(KindFilter kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    invalidateFilter();
}

QString ChangeListProxy::countText() const
{
    return ChangeListModel::tr("%1 of %2 changes")
        .arg(conv::groupedNumber(rowCount()), conv::groupedNumber(m_source.rowCount()));
}

bool ChangeListProxy::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    const ReportStep::PlanetChange &c = m_source.row(sourceRow).change;
    return involves(c, m_source.race()) && hasKind(c, m_kind, m_source.race());
}

#include "raceoverviewmodel.h"

#include "conversions.h"
#include "palette.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QLocale>

namespace {

const char *const kHeaders[] = {QT_TRANSLATE_NOOP("RaceOverviewModel", "Slot"),
                                QT_TRANSLATE_NOOP("RaceOverviewModel", "Colour"),
                                QT_TRANSLATE_NOOP("RaceOverviewModel", "Name"),
                                QT_TRANSLATE_NOOP("RaceOverviewModel", "Planets"),
                                QT_TRANSLATE_NOOP("RaceOverviewModel", "Population"),
                                QT_TRANSLATE_NOOP("RaceOverviewModel", "Starbases"),
                                QT_TRANSLATE_NOOP("RaceOverviewModel", "Share %")};

QString total(const std::optional<double> &value)
{
    return value ? conv::groupedNumber(*value) : QString();
}

} // namespace

RaceOverviewModel::RaceOverviewModel(const Globals &globals, const LoadHistory *history,
                                     QObject *parent)
    : QAbstractTableModel(parent), m_globals(globals), m_history(history)
{
    reload();
}

void RaceOverviewModel::reload()
{
    beginResetModel();
    const int races = m_globals.Last_Player_Index + 1;
    QHash<QStringView, int> slotOfName;
    for (int slot = races - 1; slot >= 0; --slot)
        slotOfName.insert(m_globals.Player_Table[slot].Player_Name, slot);
    m_planets.assign(size_t(races), 0);
    // Neighbouring planets often share an owner: the last lookup is reused.
    const QString *lastOwner = nullptr;
    int lastSlot = -1;
    for (int i = 0; i <= m_globals.lastPlanet(); ++i) {
        const QString &owner = m_globals.Star_Table[size_t(i)].Owner;
        if (owner.isEmpty())
            continue;
        if (!lastOwner || *lastOwner != owner) {
            lastOwner = &owner;
            lastSlot = slotOfName.value(owner, -1);
        }
        if (lastSlot >= 0)
            ++m_planets[size_t(lastSlot)];
    }
    m_totalPopulation = 0;
    for (int slot = 0; slot < races; ++slot)
        m_totalPopulation += m_globals.Player_Table[slot].Player_Population.value_or(0);
    m_swatches = {};
    endResetModel();
}

void RaceOverviewModel::coloursChanged()
{
    m_swatches = {};
    if (rowCount() > 0)
        emit dataChanged(index(0, Colour), index(rowCount() - 1, Colour), {Qt::DecorationRole});
}

int RaceOverviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_planets.size());
}

int RaceOverviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString RaceOverviewModel::shareText(int slot) const
{
    if (m_totalPopulation <= 0)
        return {};
    const double share = m_globals.Player_Table[slot].Player_Population.value_or(0) /
                         m_totalPopulation * 100;
    return QLocale().toString(share, 'f', 1);
}

QVariant RaceOverviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int slot = index.row();
    const Player_Object &race = m_globals.Player_Table[slot];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Slot: return QString::number(slot);
        case Name: return race.Player_Name;
        case Planets: return conv::groupedNumber(planetsOwned(slot));
        case Population: return total(race.Player_Population);
        case Starbases: return total(race.Player_Starbases);
        case Share: return shareText(slot);
        }
        return {};
    }
    if (role == kSortRole) {
        switch (index.column()) {
        case Slot:
        case Colour: return slot;
        case Name: return race.Player_Name.toCaseFolded();
        case Planets: return planetsOwned(slot);
        case Population: return race.Player_Population.value_or(-1);
        case Starbases: return race.Player_Starbases.value_or(-1);
        case Share: return race.Player_Population.value_or(0);
        }
        return {};
    }
    if (role == Qt::ToolTipRole && m_history &&
        (index.column() == Planets || index.column() == Population)) {
        const std::vector<std::optional<RaceAtStep>> steps = raceHistory(*m_history, race.Player_Name);
        QStringList lines;
        for (size_t k = 0; k < steps.size(); ++k) {
            if (steps[k])
                lines << tr("%1: %2 planets, population %3")
                             .arg(QFileInfo(m_history->reports[qsizetype(k)].path).fileName())
                             .arg(steps[k]->planets)
                             .arg(conv::plainNumber(steps[k]->population));
        }
        return lines.isEmpty() ? QVariant() : QVariant(lines.join(u'\n'));
    }
    if (role == Qt::DecorationRole && index.column() == Colour) {
        QPixmap &swatch = m_swatches[size_t(slot)];
        if (swatch.isNull())
            swatch =
                QPixmap::fromImage(zoneSwatch(kSwatchSize, race.Player_Color, race.Player_Style));
        return swatch;
    }
    if (role == Qt::TextAlignmentRole && index.column() != Name)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant RaceOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return tr(kHeaders[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

std::vector<std::optional<RaceAtStep>> raceHistory(const LoadHistory &history, const QString &race)
{
    std::vector<std::optional<RaceAtStep>> steps;
    for (const LoadedReport &report : history.reports) {
        std::optional<RaceAtStep> at;
        const Player_Table_Type &races = report.step.racesAfter();
        for (int slot = 0; slot < kPlayerSlots; ++slot) {
            if (!race.isEmpty() && races[slot].Player_Name == race) {
                at = RaceAtStep{races[slot].Player_Population.value_or(0),
                                report.step.planetsOwnedAfter(slot)};
                break;
            }
        }
        steps.push_back(at);
    }
    return steps;
}

QString loadHistoryText(const LoadHistory &history)
{
    if (history.mapPath.isEmpty())
        return QCoreApplication::translate("RaceOverviewModel", "No map is open.");
    QString text = QCoreApplication::translate("RaceOverviewModel", "Map: %1 (%2 planets)")
                       .arg(history.mapPath, conv::groupedNumber(history.planets));
    for (const LoadedReport &report : history.reports)
        text += QCoreApplication::translate("RaceOverviewModel",
                                            "\nReport: %1: %2 lines matched a planet, %3 did not")
                    .arg(report.path, conv::groupedNumber(report.tally.matched),
                         conv::groupedNumber(report.tally.unmatched));
    return text;
}

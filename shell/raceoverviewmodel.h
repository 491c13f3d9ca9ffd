// The race overview's data: one row per race in slot order with its planets, totals and
// share of all race population, and what has been loaded. No widgets; the window sorts the
// rows through a proxy on kSortRole and draws the bar chart from the same values.
#pragma once

#include "loadhistory.h"
#include "records.h"

#include <QAbstractTableModel>
#include <QPixmap>

#include <array>
#include <optional>
#include <vector>

class RaceOverviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Slot, Colour, Name, Planets, Population, Starbases, Share, ColumnCount };
    // Numbers for the numeric columns, the case-folded name for the name.
    static constexpr int kSortRole = Qt::UserRole;
    static constexpr QSize kSwatchSize{24, 14};

    // With `history`, the planets' tooltips tell each report's figures.
    explicit RaceOverviewModel(const Globals &globals, const LoadHistory *history = nullptr,
                               QObject *parent = nullptr);

    // The races or the planet table changed.
    void reload();
    // Only colours or styles changed.
    void coloursChanged();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Rows are slots. The planets a race owns: those whose owner is exactly its name.
    int planetsOwned(int slot) const { return m_planets[size_t(slot)]; }
    // The race's population in percent of all races' population, one decimal ("12.5");
    // empty while no race has any population.
    QString shareText(int slot) const;

private:
    const Globals &m_globals;
    const LoadHistory *m_history;
    std::vector<int> m_planets;
    double m_totalPopulation = 0;
    mutable std::array<QPixmap, kPlayerSlots> m_swatches;
};

// A race as each merged report left it, in order; nullopt for a report before the race was
// met.
struct RaceAtStep {
    double population;
    int planets;
};
std::vector<std::optional<RaceAtStep>> raceHistory(const LoadHistory &history, const QString &race);

// What is loaded, one line each: the map with its full path and planet count, then each
// report merged since, in order, with how many of its lines named a planet of the map.
QString loadHistoryText(const LoadHistory &history);

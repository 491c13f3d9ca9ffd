// The changes window's data: the planets one merged report changed, one row each, and a
// proxy that filters them by race and by kind and sorts them. No widgets, so the window,
// the command line, the benchmarks and the tests share it.
#pragma once

#include "loadhistory.h"
#include "records.h"

#include <QAbstractTableModel>
#include <QPixmap>
#include <QSortFilterProxyModel>

#include <array>
#include <optional>
#include <vector>

// A listed change of a step, with where its planet sits in Star_Table now.
struct ListedChange {
    int position;
    ReportStep::PlanetChange change;
};
// The changes of step `step` (0 for the first report) that have a kind, as recorded.
std::vector<ListedChange> listedChanges(const LoadHistory &history, int step);

// The kinds as a player reads them, joined by ", ": "new owner, starbase lost". With a race
// in view, a change of hands is its capture or its loss. The windows show them in the
// program's language; the command line's tables keep the English words for scripts.
enum class Wording { Translated, English };
QString changeKindText(const ReportStep::PlanetChange &change, const QString &race = {},
                       Wording wording = Wording::Translated);
// What a kind filter can ask for. Captured and Lost need a race.
enum class KindFilter {
    Any,
    Captured,
    Lost,
    NewOwner,
    StarbaseBuilt,
    StarbaseLost,
    PopulationUp,
    PopulationDown,
    FirstSeen
};
bool hasKind(const ReportStep::PlanetChange &change, KindFilter kind, const QString &race);
QString kindFilterText(KindFilter kind);
// "turn42.pla: changes since turn41.pla"; the first report's changes are since the map.
QString stepTitle(const LoadHistory &history, int step);
// "37 planets changed hands, 5 starbases built, population +3.2%": the step as a whole, or
// as it touched one race ("3 planets captured, 1 lost, ...").
QString changeSummary(const LoadHistory &history, int step, const QString &race = {});
// The population after less before, "+1200" or "-35"; empty when either figure is.
QString differenceText(const ReportStep::PlanetChange &change, bool grouped = false);

class ChangeListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Planet,
        X,
        Y,
        Kind,
        RaceBefore,
        RaceAfter,
        PopulationBefore,
        PopulationAfter,
        Difference,
        ColumnCount
    };
    // Numbers for the numeric columns (an empty figure before every number), case-folded
    // text for the others.
    static constexpr int kSortRole = Qt::UserRole;
    // The cell as copied: numbers as read, not grouped for reading.
    static constexpr int kCopyRole = Qt::UserRole + 1;
    static constexpr QSize kSwatchSize{12, 12};

    ChangeListModel(const Globals &globals, const LoadHistory &history, QObject *parent = nullptr);

    // The history changed (a map, a report, an undo): the rows are read again. The step
    // stays chosen where it still exists, unless it was the last one: then the new last one
    // is; -1 when there is none.
    void reload();
    void setStep(int step);
    int step() const { return m_step; }
    // The race whose captures and losses the kinds tell; empty for none.
    void setRace(const QString &race);
    const QString &race() const { return m_race; }
    // Race colours changed: the swatches follow.
    void coloursChanged();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const ListedChange &row(int r) const { return m_rows[size_t(r)]; }
    // The rows as tab-separated text with a header line, in the order given.
    QString copyText(const QList<int> &rows) const;

private:
    QPixmap swatch(QStringView race) const;

    const Globals &m_globals;
    const LoadHistory &m_history;
    int m_step = -1;
    int m_steps = 0; // how many there were at the last reload
    QString m_race;
    std::vector<ListedChange> m_rows;
    mutable std::array<QPixmap, kPlayerSlots> m_swatches;
};

// Keeps the rows of one race (before or after) and one kind.
class ChangeListProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ChangeListProxy(ChangeListModel &source, QObject *parent = nullptr);

    // Empty: every race. The model tells the kinds from this race's side.
    void setRace(const QString &race);
    void setKind(KindFilter kind);
    KindFilter kind() const { return m_kind; }
    // "12 of 37 changes".
    QString countText() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    ChangeListModel &m_source;
    KindFilter m_kind = KindFilter::Any;
};

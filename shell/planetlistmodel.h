// The planet list's data: one row per planet of the table, in table order, and a proxy that
// sorts and filters them. No widgets, so the window, the benchmarks and the tests share it.
// The model reads the planet table it was given; whoever changes the table calls reload().
#pragma once

#include "records.h"

#include <QAbstractTableModel>
#include <QPixmap>
#include <QSortFilterProxyModel>

#include <array>
#include <vector>

class PlanetListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, X, Y, Owner, Starbase, ReportAge, Population, ColumnCount };
    static constexpr QSize kSwatchSize{12, 12};

    explicit PlanetListModel(const Globals &globals, QObject *parent = nullptr);

    // The planet table changed (a map, a report): every row is read again.
    void reload();
    // Only race colours or styles changed: the owners' swatches are redrawn.
    void coloursChanged();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Rows are planet indexes of Star_Table as it stood at the last reload.
    const Star_Object &planet(int row) const { return m_globals.Star_Table[size_t(row)]; }
    // The race slot of the row's owner; kUnowned for an empty owner, kUnknownRace for an
    // owner no slot carries.
    static constexpr int kUnowned = -1;
    static constexpr int kUnknownRace = -2;
    int raceOf(int row) const { return m_rows[size_t(row)].race; }

    // Numbers by value with an empty value before every number; texts ignoring case.
    bool lessThan(int leftRow, int rightRow, int column) const;
    // Whether the row's name or owner contains `foldedText` (already case-folded).
    bool contains(int row, QStringView foldedText) const;

    // A planet's name and place as the row held it at the last reload, also once the table
    // has changed under the model; rowOf finds the first row holding that planet again.
    struct Place {
        QString name, x, y;
        bool operator==(const Place &) const = default;
    };
    Place placeOf(int row) const { return m_rows[size_t(row)].place; }
    int rowOf(const Place &place) const;
    // The rows as tab-separated text with a header line, in the order given.
    QString copyText(const QList<int> &rows) const;

private:
    struct RowKeys {
        Place place;
        std::array<double, 4> numbers; // X, Y, report age, population; -inf when empty
        int race;
    };
    // Case-folded texts are made on first use: a list that is never sorted or filtered by
    // a text column never pays for them.
    const std::vector<QString> &foldedNames() const;
    const std::vector<QString> &foldedStarbases() const;
    const QString &foldedOwner(int row) const;

    const Globals &m_globals;
    std::vector<RowKeys> m_rows;
    mutable std::vector<QString> m_foldedNames, m_foldedStarbases;
    // Owners are race names, so they are folded once per race; an owner without a race
    // (kUnknownRace) is folded on its own.
    std::array<QString, kPlayerSlots> m_foldedRaces;
    mutable std::vector<QString> m_foldedUnknownOwners;
    mutable std::array<QPixmap, kPlayerSlots> m_swatches;
};

// Sorts by the model's keys and keeps the rows that pass the text filter and the race choice.
class PlanetListProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    static constexpr int kAllRaces = -3;

    explicit PlanetListProxy(PlanetListModel &source, QObject *parent = nullptr);

    // Keeps rows whose name or owner contains `text`, ignoring case; empty keeps all.
    void setFilterText(const QString &text);
    // kAllRaces, PlanetListModel::kUnowned, or a race slot.
    void setRace(int race);
    int race() const { return m_race; }

    // "N of M planets".
    QString countText() const;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    PlanetListModel &m_source;
    QString m_foldedText;
    int m_race = kAllRaces;
};

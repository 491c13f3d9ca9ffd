// The planet list's data: one row per planet of the table, in table order, with its distance
// from a chosen place and its marker and note, and a proxy that sorts and filters them. No
// widgets, so the window, the benchmarks and the tests share it. The model reads the planet
// table it was given; whoever changes the table calls reload(), the notes notesChanged().
#pragma once

#include "distances.h"
#include "notes.h"
#include "records.h"

#include <QAbstractTableModel>
#include <QPixmap>
#include <QSortFilterProxyModel>

#include <array>
#include <iterator>
#include <optional>
#include <vector>

class PlanetListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Name, X, Y, Owner, Starbase, ReportAge, Population, Distance, MarkerColumn, Note,
        ColumnCount
    };
    // What dataChanged names when only the distances or the notes changed, so that a proxy
    // sorted by the text columns is not re-sorted row by row; the proxy then sorts once.
    static constexpr int kPlanningRole = Qt::UserRole + 1;
    static constexpr QSize kSwatchSize{12, 12};

    explicit PlanetListModel(const Globals &globals, QObject *parent = nullptr);

    // The planet table changed (a map, a report): every row is read again.
    void reload();
    // Only race colours or styles changed: the owners' swatches are redrawn.
    void coloursChanged();
    // Markers or notes changed: the two columns are read again.
    void notesChanged();
    // Distances are measured from `origin` (map units); unset: none, the column is empty.
    void setOrigin(std::optional<QPointF> origin);
    std::optional<QPointF> origin() const { return m_origin; }
    // The row's distance from the origin; NaN without an origin or a place.
    double distance(int row) const;
    Marker marker(int row) const { return m_markers.empty() ? Marker::None : m_markers[size_t(row)]; }

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
    // Whether the row's name, owner, marker or note contains `foldedText` (already
    // case-folded).
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
    const std::vector<QString> &foldedNotes() const;
    void readNotes();
    void measureDistances();

    const Globals &m_globals;
    std::vector<RowKeys> m_rows;
    mutable std::vector<QString> m_foldedNames, m_foldedStarbases;
    // Owners are race names, so they are folded once per race; an owner without a race
    // (kUnknownRace) is folded on its own.
    std::array<QString, kPlayerSlots> m_foldedRaces;
    mutable std::vector<QString> m_foldedUnknownOwners;
    mutable std::array<QPixmap, kPlayerSlots> m_swatches;
    std::optional<QPointF> m_origin;
    std::vector<double> m_distances; // by row, while there is an origin
    // By row, while any planet has a note; empty vectors mean none has.
    std::vector<Marker> m_markers;
    // By int(Marker): the titles the Marker column shows, folded, so that the filter finds
    // a marker by the word on the screen as well as by the notes file's.
    std::array<QString, std::size(kMarkers) + 1> m_foldedMarkerTitles;
    std::vector<QString> m_notes;
    mutable std::vector<QString> m_foldedNotes;
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
    // kAnyMarker (no filter), kMarked (any marker), or int(Marker) for that one (None: the
    // unmarked).
    static constexpr int kAnyMarker = -1;
    static constexpr int kMarked = -2;
    void setMarkerFilter(int marker);
    // Keeps only the planets at most `within` units from the origin; unset, or no origin,
    // keeps all.
    void setWithin(std::optional<double> within);
    std::optional<double> within() const { return m_within; }
    // The model's origin, then one re-sort and re-filter for all rows.
    void setOrigin(std::optional<QPointF> origin);
    // The notes changed: the model reads them, then one re-sort and re-filter.
    void notesChanged();

    // "N of M planets".
    QString countText() const;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    PlanetListModel &m_source;
    QString m_foldedText;
    int m_race = kAllRaces;
    int m_marker = kAnyMarker;
    std::optional<double> m_within;
};

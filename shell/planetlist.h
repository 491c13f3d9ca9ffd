// The planet list window: every planet in a sortable table with a filter box, a race and a
// marker choice, and distances from a planet ("Distance from", "within"). It shows the
// model's rows and hands a chosen planet, and what its menu asks, to whoever listens; what
// choosing and marking do is the main window's business.
#pragma once

#include "planetlistmodel.h"
#include "planetnames.h"

#include <QPointer>
#include <QWidget>

class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QMenu;
class QStringListModel;
class QTableView;

class PlanetList : public QWidget {
    Q_OBJECT
public:
    explicit PlanetList(const Globals &globals, QWidget *parent = nullptr);

    // The planet table changed: the rows are read again. With `keepCurrent` (a report was
    // merged) the current row stays on its planet, same name and place, where it still
    // exists; a new map starts without one.
    void reload(bool keepCurrent);
    // Race colours changed: the swatches follow.
    void coloursChanged();
    // Markers or notes changed.
    void notesChanged();

    // Where distances are measured from: nowhere, a planet (its name and place, kept through
    // report merges), or whatever the explorer has selected.
    enum class Origin { None, Planet, Explorer };
    Origin originKind() const { return m_originKind; }
    // Distances from planet `index` of Star_Table, as "Distances from Here" does.
    void setDistanceFrom(int index);
    // Distances from the first planet of that exact name; false when there is none.
    bool setDistanceFrom(const QString &name);
    // Distances follow the explorer's selection from now on.
    void followExplorer();
    void clearDistances();
    // The explorer selected planet `index` (-1: none).
    void explorerSelectionChanged(int index);
    // The menu of the rows `planets` (Star_Table indexes), as a right click opens it.
    QMenu *menuFor(const QList<int> &planets);

    QTableView *view() const { return m_view; }
    PlanetListProxy &proxy() { return m_proxy; }
    // The selected rows, in the order shown, as tab-separated text with a header line.
    QString selectionText() const;

signals:
    // Double-click or Enter on a row: the planet's index in Star_Table.
    void planetChosen(int index);
    // The menu's items, for planets by their index in Star_Table.
    void markRequested(const QList<int> &planets, Marker marker);
    void noteRequested(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPlanning(class QHBoxLayout *row);
    // What column `column` needs to show its header whole, also in bold.
    int headerWidth(int column) const;
    void fillRaces();
    void showCount();
    void chooseCurrent();
    void showMenu(QPoint at);
    void originFromText();
    void withinEdited(const QString &text);
    void showOrigin(std::optional<QPointF> place, const QString &text);

    const Globals &m_globals;
    PlanetListModel m_model;
    PlanetListProxy m_proxy;
    QLineEdit *m_filter;
    QComboBox *m_race;
    QComboBox *m_marker;
    QComboBox *m_from;
    QLineEdit *m_within;
    QLabel *m_count;
    QTableView *m_view;
    PlanetNames m_names;
    QCompleter *m_completer;
    QStringListModel *m_completions;
    QPointer<QMenu> m_menu;
    Origin m_originKind = Origin::None;
    int m_explorerSelected = -1;
};

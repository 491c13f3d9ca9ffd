// The planet list window: every planet in a sortable table with a filter box and a race
// choice. It shows the model's rows and hands a chosen planet to whoever listens; what
// choosing does (centring the chart) is the main window's business.
#pragma once

#include "planetlistmodel.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
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

    QTableView *view() const { return m_view; }
    PlanetListProxy &proxy() { return m_proxy; }
    // The selected rows, in the order shown, as tab-separated text with a header line.
    QString selectionText() const;

signals:
    // Double-click or Enter on a row: the planet's index in Star_Table.
    void planetChosen(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What column `column` needs to show its header whole, also in bold.
    int headerWidth(int column) const;
    void fillRaces();
    void showCount();
    void chooseCurrent();

    const Globals &m_globals;
    PlanetListModel m_model;
    PlanetListProxy m_proxy;
    QLineEdit *m_filter;
    QComboBox *m_race;
    QLabel *m_count;
    QTableView *m_view;
};

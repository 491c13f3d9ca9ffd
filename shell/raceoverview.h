// The race overview window: what is loaded and how well each report matched, the races in
// a sortable table, a bar chart of their populations in their own colours and hatches, and
// beside it each race's population after each report as a line in its colour.
// Keeping or resetting colours is asked of whoever listens; this window changes no data.
#pragma once

#include "loadhistory.h"
#include "raceoverviewmodel.h"

#include <QSortFilterProxyModel>
#include <QWidget>

class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QTableView;

class RaceOverview : public QWidget {
    Q_OBJECT
public:
    RaceOverview(const Globals &globals, const LoadHistory &loaded, QWidget *parent = nullptr);

    // The races, their planets or what is loaded changed.
    void reload();
    // Only colours or styles changed.
    void coloursChanged();

    QTableView *view() const { return m_view; }
    QChart *chart() const { return m_chart; }
    QChart *historyChart() const { return m_historyChart; }

signals:
    void keepColoursClicked();
    void defaultColoursClicked();

private:
    void rebuildChart();
    void rebuildHistory();

    const Globals &m_globals;
    const LoadHistory &m_loaded;
    RaceOverviewModel m_model;
    QSortFilterProxyModel m_proxy;
    QLabel *m_loadedText;
    QTableView *m_view;
    QChart *m_chart;
    QChartView *m_chartView;
    QChart *m_historyChart;
    QChartView *m_historyView;
};

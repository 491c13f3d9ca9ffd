#include "raceoverview.h"

#include "palette.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTableView>
#include <QValueAxis>
#include <QVBoxLayout>

namespace {

// The zone's own hatch as a tile: hatches repeat every 8 pixels.
QBrush zoneBrush(const Player_Object &race)
{
    return QBrush(zoneSwatch(QSize(8, 8), race.Player_Color, race.Player_Style));
}

} // namespace

RaceOverview::RaceOverview(const Globals &globals, const LoadHistory &loaded, QWidget *parent)
    : QWidget(parent), m_globals(globals), m_loaded(loaded), m_model(globals)
{
    setObjectName(QStringLiteral("raceOverview"));
    setWindowTitle(QStringLiteral("Race Overview"));

    m_loadedText = new QLabel(this);
    m_loadedText->setObjectName(QStringLiteral("loaded"));
    m_loadedText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_loadedText->setTextFormat(Qt::PlainText);
    m_loadedText->setWordWrap(true);

    m_proxy.setSourceModel(&m_model);
    m_proxy.setSortRole(RaceOverviewModel::kSortRole);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("races"));
    m_view->setModel(&m_proxy);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(RaceOverviewModel::Slot, Qt::AscendingOrder);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_chart = new QChart;
    m_chart->setTheme(QChart::ChartThemeDark); // the zones' colours as on the black chart
    m_chart->legend()->hide();
    m_chart->setTitle(QStringLiteral("Population"));
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("chart"));
    m_chartView->setMinimumSize(320, 240);

    auto *keep = new QPushButton(QStringLiteral("Keep These Colours"), this);
    keep->setObjectName(QStringLiteral("keepColours"));
    auto *reset = new QPushButton(QStringLiteral("Default Colours"), this);
    reset->setObjectName(QStringLiteral("defaultColours"));
    connect(keep, &QPushButton::clicked, this, &RaceOverview::keepColoursClicked);
    connect(reset, &QPushButton::clicked, this, &RaceOverview::defaultColoursClicked);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(keep);
    buttons->addWidget(reset);
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(m_loadedText);
    left->addWidget(m_view, 1);
    left->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addWidget(m_chartView, 2);

    reload();
    resize(900, 420);
}

void RaceOverview::reload()
{
    m_loadedText->setText(loadHistoryText(m_loaded));
    m_model.reload();
    rebuildChart();
}

void RaceOverview::coloursChanged()
{
    m_model.coloursChanged();
    rebuildChart();
}

// One bar per race at its own category, each a bar set of its own so it takes its race's
// brush; stacking puts each race's single value in the middle of its category.
void RaceOverview::rebuildChart()
{
    m_chart->removeAllSeries();
    // Removing an axis hands it back to the caller; removing series deletes them.
    for (QAbstractAxis *axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }

    const int races = m_model.rowCount();
    auto *series = new QStackedBarSeries;
    QStringList names;
    double largest = 0;
    for (int slot = 0; slot < races; ++slot) {
        const Player_Object &race = m_globals.Player_Table[slot];
        names.append(race.Player_Name.isEmpty() ? QStringLiteral("(%1)").arg(slot)
                                                : race.Player_Name);
        auto *bars = new QBarSet(race.Player_Name);
        for (int k = 0; k < races; ++k)
            bars->append(k == slot ? race.Player_Population.value_or(0) : 0);
        bars->setBrush(zoneBrush(race));
        bars->setBorderColor(QColor(rgbFromPacked(race.Player_Color)));
        series->append(bars);
        largest = std::max(largest, race.Player_Population.value_or(0));
    }
    m_chart->addSeries(series);
    auto *categories = new QBarCategoryAxis;
    categories->append(names);
    m_chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    auto *values = new QValueAxis;
    values->setRange(0, largest > 0 ? largest * 1.05 : 1);
    values->setLabelFormat(QStringLiteral("%.3g"));
    m_chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
}

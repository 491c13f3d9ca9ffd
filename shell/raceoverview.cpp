#include "raceoverview.h"

#include "palette.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

constexpr int kNamesAcross = 6; // race names the bar chart writes horizontally

// Populations in a unit that keeps the axis figures short: "1.5" millions, not "1.5e+06".
struct Unit {
    double size = 1;
    QString name;
};

Unit unitFor(double largest)
{
    const struct {
        double size;
        const char *name;
    } units[] = {{1e12, QT_TRANSLATE_NOOP("RaceOverview", "trillions")},
                 {1e9, QT_TRANSLATE_NOOP("RaceOverview", "billions")},
                 {1e6, QT_TRANSLATE_NOOP("RaceOverview", "millions")},
                 {1e3, QT_TRANSLATE_NOOP("RaceOverview", "thousands")}};
    for (const auto &u : units) {
        if (largest >= u.size)
            return {u.size, RaceOverview::tr(u.name)};
    }
    return {};
}

QValueAxis *populationAxis(double largest, const Unit &unit)
{
    auto *values = new QValueAxis;
    values->setRange(0, largest > 0 ? largest / unit.size * 1.05 : 1);
    values->applyNiceNumbers();
    values->setLabelFormat(QStringLiteral("%.3g"));
    values->setTitleText(unit.name);
    return values;
}

void clearChart(QChart *chart)
{
    chart->removeAllSeries();
    // Removing an axis hands it back to the caller; removing series deletes them.
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

// The zone's own hatch as a tile: hatches repeat every 8 pixels.
QBrush zoneBrush(const Player_Object &race)
{
    return QBrush(zoneSwatch(QSize(8, 8), race.Player_Color, race.Player_Style));
}

} // namespace

RaceOverview::RaceOverview(const Globals &globals, const LoadHistory &loaded, QWidget *parent)
    : QWidget(parent), m_globals(globals), m_loaded(loaded), m_model(globals, &loaded)
{
    setObjectName(QStringLiteral("raceOverview"));
    setWindowTitle(tr("Race Overview"));

    m_loadedText = new QLabel(this);
    m_loadedText->setObjectName(QStringLiteral("loaded"));
    m_loadedText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_loadedText->setTextFormat(Qt::PlainText);
    m_loadedText->setWordWrap(true);
    m_loadedText->setAccessibleName(tr("Loaded files"));

    m_proxy.setSourceModel(&m_model);
    m_proxy.setSortRole(RaceOverviewModel::kSortRole);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("races"));
    m_view->setAccessibleName(tr("Races"));
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
    m_chart->setTitle(tr("Population"));
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("chart"));
    m_chartView->setAccessibleName(tr("Population by race"));
    m_chartView->setAccessibleDescription(
        tr("A bar per race in its colour; the table holds the same figures"));
    m_chartView->setMinimumSize(320, 240);

    m_historyChart = new QChart;
    m_historyChart->setTheme(QChart::ChartThemeDark);
    m_historyChart->legend()->hide();
    m_historyChart->setTitle(tr("Population by report"));
    m_historyView = new QChartView(m_historyChart, this);
    m_historyView->setObjectName(QStringLiteral("historyChart"));
    m_historyView->setMinimumSize(320, 240);
    m_historyView->setRenderHint(QPainter::Antialiasing);

    auto *keep = new QPushButton(tr("Keep These Colours"), this);
    keep->setObjectName(QStringLiteral("keepColours"));
    auto *reset = new QPushButton(tr("Default Colours"), this);
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
    auto *charts = new QVBoxLayout;
    charts->addWidget(m_chartView, 1);
    charts->addWidget(m_historyView, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(charts, 2);

    reload();
    resize(900, 600);
}

void RaceOverview::reload()
{
    m_loadedText->setText(loadHistoryText(m_loaded));
    m_model.reload();
    rebuildChart();
    rebuildHistory();
}

void RaceOverview::coloursChanged()
{
    m_model.coloursChanged();
    rebuildChart();
    rebuildHistory();
}

// One bar per race at its own category, each a bar set of its own so it takes its race's
// brush; stacking puts each race's single value in the middle of its category.
void RaceOverview::rebuildChart()
{
    clearChart(m_chart);

    const int races = m_model.rowCount();
    double largest = 0;
    for (int slot = 0; slot < races; ++slot)
        largest = std::max(largest, m_globals.Player_Table[slot].Player_Population.value_or(0));
    const Unit unit = unitFor(largest);

    // More than a few names no longer fit across their bars, and names cut to "..." say
    // nothing: the bars then go by the slot, the table's first column beside them.
    const bool bySlot = races > kNamesAcross;
    auto *series = new QStackedBarSeries;
    QStringList names;
    for (int slot = 0; slot < races; ++slot) {
        const Player_Object &race = m_globals.Player_Table[slot];
        if (bySlot)
            names.append(QString::number(slot));
        else
            names.append(race.Player_Name.isEmpty() ? QStringLiteral("(%1)").arg(slot)
                                                    : race.Player_Name);
        auto *bars = new QBarSet(race.Player_Name);
        for (int k = 0; k < races; ++k)
            bars->append(k == slot ? race.Player_Population.value_or(0) / unit.size : 0);
        bars->setBrush(zoneBrush(race));
        bars->setBorderColor(QColor(rgbFromPacked(race.Player_Color)));
        series->append(bars);
    }
    m_chart->addSeries(series);
    auto *categories = new QBarCategoryAxis;
    if (bySlot) {
        categories->setTitleText(tr("Slot"));
        // Two digits in the chart's label font are a little wider than a bar of 16.
        QFont small = categories->labelsFont();
        small.setPixelSize(9);
        categories->setLabelsFont(small);
        categories->setTruncateLabels(false);
    }
    categories->append(names);
    m_chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    QValueAxis *values = populationAxis(largest, unit);
    m_chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
}

// A line per race through its population after each report, numbered from 1 as the
// reports were merged; a race met late starts at the report that brought it.
void RaceOverview::rebuildHistory()
{
    clearChart(m_historyChart);
    const int steps = int(m_loaded.reports.size());
    if (steps == 0)
        return;
    const int races = m_model.rowCount();
    std::vector<std::vector<std::optional<RaceAtStep>>> lines;
    double largest = 0;
    for (int slot = 0; slot < races; ++slot) {
        lines.push_back(raceHistory(m_loaded, m_globals.Player_Table[slot].Player_Name));
        for (const std::optional<RaceAtStep> &at : lines.back())
            if (at)
                largest = std::max(largest, at->population);
    }
    const Unit unit = unitFor(largest);

    auto *reports = new QValueAxis;
    reports->setRange(steps == 1 ? 0.5 : 1, steps == 1 ? 1.5 : steps);
    reports->setTickType(QValueAxis::TicksDynamic);
    reports->setTickAnchor(1);
    reports->setTickInterval(std::max(1, (steps + 9) / 10));
    reports->setLabelFormat(QStringLiteral("%d"));
    reports->setTitleText(tr("report"));
    m_historyChart->addAxis(reports, Qt::AlignBottom);
    QValueAxis *values = populationAxis(largest, unit);
    m_historyChart->addAxis(values, Qt::AlignLeft);

    for (int slot = 0; slot < races; ++slot) {
        const Player_Object &race = m_globals.Player_Table[slot];
        auto *line = new QLineSeries;
        line->setName(race.Player_Name);
        for (int k = 0; k < steps; ++k)
            if (const std::optional<RaceAtStep> &at = lines[size_t(slot)][size_t(k)])
                line->append(k + 1, at->population / unit.size);
        QPen pen(QColor(rgbFromPacked(race.Player_Color)));
        pen.setWidth(2);
        line->setPen(pen);
        line->setPointsVisible(true);
        m_historyChart->addSeries(line);
        line->attachAxis(reports);
        line->attachAxis(values);
    }
}

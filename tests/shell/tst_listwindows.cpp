// The planet list and the race overview as a user meets them in the main window: opened
// from the Map menu, following every change of the data, choosing a planet on the chart,
// copying rows, and keeping colours between two runs.
#include "changelist.h"
#include "chartpicture.h"
#include "keptcolours.h"
#include "mainform.h"
#include "mainwindowfixture.h"
#include "palette.h"
#include "planetlist.h"
#include "racecolours.h"
#include "raceoverview.h"
#include "scripteddialog.h"
#include "settings.h"
#include "starmap.h"
#include "testfiles.h"

#include <QAccessible>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedBarSeries>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

class TestListWindows : public QObject {
    Q_OBJECT
private slots:
    void menuEntries();
    void planetListFollowsTheData();
    void keepsTheCurrentPlanetAcrossAReport();
    void sortFilterAndCount();
    void doubleClickAndEnterCentreTheChart();
    void copySelectedRows();
    void raceOverviewFollowsTheData();
    void keptColoursAcrossTwoRuns();
    void defaultColours();
    void changesWindow();
    void screenReaderNamesAndTabOrder();
    void windowsInViewAtFirstRunSize();
};

namespace {

struct Session : MainWindowFixture {
    explicit Session(Settings *settings = nullptr)
        : MainWindowFixture({{"Gamma", "zorn", "", "1", "500"}, {"Atlantis", "Vell", "", "1", "5"}},
                            settings, QSize(1200, 900))
    {
    }

    PlanetList *list()
    {
        trigger("mnuPlanetList");
        return form.planetList();
    }
    RaceOverview *overview()
    {
        trigger("mnuRaceOverview");
        return form.raceOverview();
    }
    ChangeList *changes()
    {
        trigger("mnuChanges");
        return form.changeList();
    }
};

template <typename T> T *child(QWidget *window, const char *name)
{
    auto *widget = window->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QStringList shownColumn(QTableView *view, int column)
{
    QStringList values;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        values.append(view->model()->index(row, column).data().toString());
    return values;
}

// The names in the list, as a set, against the planet table's.
void checkRowsMatchTable(PlanetList *list, const Globals &g)
{
    QStringList shown = shownColumn(list->view(), PlanetListModel::Name);
    QStringList table;
    for (const Star_Object &s : g.Star_Table)
        table.append(s.Star_Name);
    shown.sort();
    table.sort();
    QCOMPARE(shown, table);
}

QPoint rowCentre(QTableView *view, int row)
{
    return view->visualRect(view->model()->index(row, 0)).center();
}

int rowNamed(QTableView *view, const QString &name)
{
    return int(shownColumn(view, PlanetListModel::Name).indexOf(name));
}

} // namespace

void TestListWindows::menuEntries()
{
    Session s;
    auto *map = s.form.findChild<QMenu *>("mnu_Map");
    QStringList captions;
    for (QAction *action : map->actions())
        captions.append(action->text());
    QCOMPARE(captions.mid(0, 4),
             (QStringList{"&Center", "&Player Colors", "Planet &List", "&Race Overview"}));

    // Both open without a map, in the workspace, once each.
    PlanetList *list = s.list();
    QVERIFY(list);
    QCOMPARE(child<QLabel>(list, "count")->text(), QStringLiteral("0 of 0 planets"));
    QCOMPARE(s.list(), list);
    RaceOverview *overview = s.overview();
    QCOMPARE(child<QLabel>(overview, "loaded")->text(), QStringLiteral("No map is open."));
    QCOMPARE(s.form.workspace()->subWindowList().size(), 2);
    QVERIFY(s.dialog.asked().isEmpty());

    // Closed, they are made anew by the menu.
    list->parentWidget()->close();
    QTRY_VERIFY(!s.form.planetList());
    QVERIFY(s.list());
}

void TestListWindows::planetListFollowsTheData()
{
    Session s;
    PlanetList *list = s.list();
    s.openMap(s.mapPath);
    checkRowsMatchTable(list, s.g);
    auto *count = child<QLabel>(list, "count");
    auto *race = child<QComboBox>(list, "race");
    QCOMPARE(count->text(), QStringLiteral("5 of 5 planets"));
    QCOMPARE(race->count(), 2);

    s.openReport(s.reportPath);
    checkRowsMatchTable(list, s.g);
    QCOMPARE(race->count(), 5);
    QCOMPARE(race->itemText(4), QStringLiteral("zorn"));
    const int alpha = rowNamed(list->view(), "Alpha");
    QCOMPARE(list->view()->model()->index(alpha, PlanetListModel::Owner).data().toString(),
             QStringLiteral("Zorn"));

    // A race chosen stays chosen while it exists; a new map empties the list first.
    race->setCurrentIndex(3); // Vell
    QCOMPARE(count->text(), QStringLiteral("1 of 5 planets"));
    s.openReport(s.reportPath);
    QCOMPARE(race->currentText(), QStringLiteral("Vell"));
    s.openMap(s.files.write("small.map", mapText({{"1000", "1000", "Solo"}})));
    // A new map starts a new universe: its races are gone, and with them the choice.
    QCOMPARE(race->count(), 2);
    QCOMPARE(count->text(), QStringLiteral("1 of 1 planets"));
    checkRowsMatchTable(list, s.g);

    // Recolouring through the race colours window redraws the swatches at once.
    const QModelIndex owner = list->view()->model()->index(0, PlanetListModel::Owner);
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    const int row = rowNamed(list->view(), "Alpha");
    const QModelIndex zorn = list->view()->model()->index(row, PlanetListModel::Owner);
    const QImage before = zorn.data(Qt::DecorationRole).value<QPixmap>().toImage();
    s.dialog.answerColor(0x00FFFF);
    s.form.showRaceColours();
    auto *colours = s.form.findChild<QWidget *>("frmColor");
    QVERIFY(colours);
    auto *names = child<QComboBox>(colours, "RaceName");
    names->setCurrentIndex(0);
    emit names->activated(0);
    QTest::mouseClick(child<QPushButton>(colours, "Player_Color_Selection"), Qt::LeftButton);
    const QImage after = zorn.data(Qt::DecorationRole).value<QPixmap>().toImage();
    QVERIFY(after != before);
    QCOMPARE(after,
             zoneSwatch(PlanetListModel::kSwatchSize, 0x00FFFF, 4).convertToFormat(after.format()));
    Q_UNUSED(owner);

    // Closing the chart window leaves the list as full as before.
    s.form.chartWindow()->close();
    checkRowsMatchTable(list, s.g);
}

void TestListWindows::keepsTheCurrentPlanetAcrossAReport()
{
    Session s;
    PlanetList *list = s.list();
    s.openMap(s.mapPath);
    list->view()->sortByColumn(PlanetListModel::Name, Qt::AscendingOrder);
    const int delta = rowNamed(list->view(), "Delta");
    list->view()->setCurrentIndex(list->view()->model()->index(delta, 0));

    // The report re-sorts the planet table; the list stays on Delta, sorted as before.
    s.openReport(s.reportPath);
    QCOMPARE(list->view()->currentIndex().data().toString(), QStringLiteral("Delta"));
    QCOMPARE(shownColumn(list->view(), PlanetListModel::Name),
             (QStringList{"Alpha", "Beta", "Delta", "Gamma", "North"}));
    // A new map has no current planet.
    s.openMap(s.mapPath);
    QVERIFY(!list->view()->currentIndex().isValid());
}

void TestListWindows::sortFilterAndCount()
{
    Session s;
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    PlanetList *list = s.list();
    QTableView *view = list->view();

    // A click on a header sorts by it; a second click turns the order round.
    QHeaderView *header = view->horizontalHeader();
    const int x = header->sectionViewportPosition(PlanetListModel::Population) + 5;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    QCOMPARE(shownColumn(view, PlanetListModel::Population),
             (QStringList{"", "", "500", "25000", "1000000"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    QCOMPARE(shownColumn(view, PlanetListModel::Population).first(), QStringLiteral("1000000"));

    auto *filter = child<QLineEdit>(list, "filter");
    QTest::keyClicks(filter, "ZOR");
    QCOMPARE(child<QLabel>(list, "count")->text(), QStringLiteral("2 of 5 planets"));
    QCOMPARE(shownColumn(view, PlanetListModel::Name), (QStringList{"Alpha", "Gamma"}));
    child<QComboBox>(list, "race")->setCurrentIndex(4); // zorn only
    QCOMPARE(shownColumn(view, PlanetListModel::Name), QStringList{"Gamma"});
    QCOMPARE(child<QLabel>(list, "count")->text(), QStringLiteral("1 of 5 planets"));
    child<QComboBox>(list, "race")->setCurrentIndex(1); // unowned
    QCOMPARE(child<QLabel>(list, "count")->text(), QStringLiteral("0 of 5 planets"));
    filter->clear();
    QCOMPARE(shownColumn(view, PlanetListModel::Name).size(), 2); // North, Delta
}

void TestListWindows::doubleClickAndEnterCentreTheChart()
{
    Session s;
    s.openMap(s.mapPath);
    PlanetList *list = s.list();
    QSignalSpy chosen(&s.form, &mainform::planetChosen);
    QTableView *view = list->view();

    const int beta = rowNamed(view, "Beta");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, beta));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, beta));
    QCOMPARE(s.g.View_Center_X, std::optional<double>(1500));
    QCOMPARE(s.g.View_Center_Y, qint16(1300));
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(s.g.Star_Table[chosen[0][0].toInt()].Star_Name, QStringLiteral("Beta"));
    QVERIFY(s.form.chartWindow()->ring().centre());

    // Enter on another row, with the chart window closed: it opens again, centred there.
    s.form.chartWindow()->close();
    QTRY_VERIFY(!s.form.chartWindow());
    const int delta = rowNamed(view, "Delta");
    view->setCurrentIndex(view->model()->index(delta, 2));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);
    QVERIFY(s.form.chartWindow());
    QCOMPARE(s.g.View_Center_X, std::optional<double>(1000));
    QCOMPARE(s.g.View_Center_Y, qint16(1600));
    QCOMPARE(chosen.size(), 2);
    QVERIFY(s.dialog.messages().isEmpty());
}

void TestListWindows::copySelectedRows()
{
    Session s;
    s.openMap(s.files.write("odd.map", mapText({{"1000", "1000", "Back\\slash"},
                                                {"1100", "1100", "Middle"},
                                                {"1200", "1200", "Plain"}})));
    QVERIFY(s.dialog.messages().isEmpty());
    PlanetList *list = s.list();
    QTableView *view = list->view();
    view->sortByColumn(PlanetListModel::X, Qt::DescendingOrder);
    view->selectRow(2);
    view->selectionModel()->select(view->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(view->selectionModel()->selectedRows().size(), 2);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("Name\tX\tY\tOwner\tStarbase\tReport Age\tPopulation\n"
                            "Plain\t1200\t1200\t\t\t\t\n"
                            "Back\\slash\t1000\t1000\t\t\t\t\n"));
}

void TestListWindows::raceOverviewFollowsTheData()
{
    Session s;
    RaceOverview *overview = s.overview();
    auto *loaded = child<QLabel>(overview, "loaded");
    s.openMap(s.mapPath);
    QCOMPARE(loaded->text(), QStringLiteral("Map: %1 (5 planets)").arg(s.mapPath));
    QCOMPARE(overview->view()->model()->rowCount(), 0);

    s.openReport(s.reportPath);
    const QString other =
        s.files.write("other.pla", reportText({{"Elsewhere", "Vell", "", "1", "9"}}));
    s.openReport(other);
    QCOMPARE(loaded->text(), QStringLiteral("Map: %1 (5 planets)\n"
                                            "Report: %2: 3 lines matched a planet, 1 did not\n"
                                            "Report: %3: 0 lines matched a planet, 1 did not")
                                 .arg(s.mapPath, s.reportPath, other));
    QTableView *view = overview->view();
    QCOMPARE(shownColumn(view, RaceOverviewModel::Name), (QStringList{"Zorn", "Vell", "zorn"}));
    QCOMPARE(shownColumn(view, RaceOverviewModel::Share), (QStringList{"2.4", "97.5", "0.0"}));

    // The chart: one bar set per race, each in its race's colour.
    auto *series = qobject_cast<QStackedBarSeries *>(overview->chart()->series().value(0));
    QVERIFY(series);
    QCOMPARE(series->count(), 3);
    // Vell's million people as 1 on an axis in millions, not as 1e+06.
    QCOMPARE(series->barSets()[1]->at(1), 1.0);
    QCOMPARE(series->barSets()[1]->at(0), 0.0);
    auto *values = qobject_cast<QValueAxis *>(overview->chart()->axes(Qt::Vertical).value(0));
    QVERIFY(values);
    QCOMPARE(values->titleText(), QStringLiteral("millions"));
    QVERIFY(values->max() >= 1.0);
    auto brushColourAt = [&](int slot, QPoint pixel) {
        return QColor(series->barSets()[slot]->brush().textureImage().pixel(pixel));
    };
    QCOMPARE(brushColourAt(0, {0, 0}), QColor(rgbFromPacked(kDefaultPalette[0].color)));

    // Beside it, a line per race through its population after each report, in its colour.
    const QList<QAbstractSeries *> lines = overview->historyChart()->series();
    QCOMPARE(lines.size(), 3);
    auto *vell = qobject_cast<QLineSeries *>(lines[1]);
    QVERIFY(vell);
    QCOMPARE(vell->points(), (QList<QPointF>{{1, 1.0}, {2, 1.0}})); // a million both times
    QCOMPARE(vell->pen().color(), QColor(rgbFromPacked(kDefaultPalette[1].color)));

    // Recolouring follows at once, in the table's swatch and the chart.
    s.g.Player_Table[0].Player_Color = 0x00FFFF;
    s.form.raceColoursChanged();
    series = qobject_cast<QStackedBarSeries *>(overview->chart()->series().value(0));
    QCOMPARE(brushColourAt(0, {0, 0}), QColor(Qt::yellow));
    const QImage swatch = view->model()
                              ->index(0, RaceOverviewModel::Colour)
                              .data(Qt::DecorationRole)
                              .value<QPixmap>()
                              .toImage();
    QCOMPARE(QColor(swatch.pixel(0, 0)), QColor(Qt::yellow));

    // Sorting by a header keeps the rows' values together.
    view->sortByColumn(RaceOverviewModel::Population, Qt::DescendingOrder);
    QCOMPARE(shownColumn(view, RaceOverviewModel::Name), (QStringList{"Vell", "Zorn", "zorn"}));

    // A bar's category is its race's name while the names fit across, its slot after that.
    auto categories = [&] {
        const auto axes = overview->chart()->axes(Qt::Horizontal);
        auto *axis = qobject_cast<QBarCategoryAxis *>(axes.value(0));
        return axis ? axis->categories() : QStringList{"no category axis"};
    };
    QCOMPARE(categories(), (QStringList{"Zorn", "Vell", "zorn"}));
    const QList<ReportLine> many = {{"Alpha", "R3", "", "1", "9"},
                                    {"North", "R4", "", "1", "9"},
                                    {"Gamma", "R5", "", "1", "9"},
                                    {"Delta", "R6", "", "1", "9"}};
    s.openReport(s.files.write("many.pla", reportText(many)));
    QCOMPARE(categories(), (QStringList{"0", "1", "2", "3", "4", "5", "6"}));

    // A new map empties the report lines, and starts a universe without races.
    s.openMap(s.mapPath);
    QCOMPARE(loaded->text(), QStringLiteral("Map: %1 (5 planets)").arg(s.mapPath));
    QCOMPARE(view->model()->rowCount(), 0);
}

// Keep in one run; in the next run, with the same settings file, the first report that
// brings the race gives it the kept colour and style.
void TestListWindows::keptColoursAcrossTwoRuns()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kavora.ini");
    {
        Settings settings(file);
        Session s(&settings);
        s.openMap(s.mapPath);
        s.openReport(s.reportPath);
        s.g.Player_Table[1].Player_Color = 0x123456; // Vell
        s.g.Player_Table[1].Player_Style = 7;
        QTest::mouseClick(child<QPushButton>(s.overview(), "keepColours"), Qt::LeftButton);
    }
    Settings settings(file);
    Session s(&settings);
    s.openMap(s.mapPath);
    // Before a report nothing differs from a run without kept colours.
    for (int slot = 0; slot < kPlayerSlots; ++slot)
        QCOMPARE(s.g.Player_Table[slot].Player_Color, kDefaultPalette[slot].color);
    s.openReport(s.files.write("vell.pla", reportText({{"Beta", "Vell", "", "2", "10"},
                                                       {"Delta", "Other", "", "2", "10"}})));
    QCOMPARE(s.g.Player_Table[0].Player_Name, QStringLiteral("Vell"));
    QCOMPARE(s.g.Player_Table[0].Player_Color, PackedColor(0x123456));
    QCOMPARE(s.g.Player_Table[0].Player_Style, qint16(7));
    QCOMPARE(s.g.Player_Table[1].Player_Color, kDefaultPalette[1].color);
    for (const Star_Object &planet : s.g.Star_Table) {
        if (planet.Star_Name == "Beta") {
            QCOMPARE(planet.color, std::optional<PackedColor>(0x123456));
            QCOMPARE(planet.Style, std::optional<qint16>(7));
        }
    }
    // A map opened later starts without races: the slot has its default colour again until
    // a report brings Vell back.
    s.openMap(s.mapPath);
    QCOMPARE(s.g.Player_Table[0].Player_Color, kDefaultPalette[0].color);
    s.openReport(s.files.write("vell2.pla", reportText({{"Delta", "Vell", "", "3", "10"}})));
    QCOMPARE(s.g.Player_Table[0].Player_Color, PackedColor(0x123456));
}

void TestListWindows::defaultColours()
{
    QTemporaryDir dir;
    Settings settings(dir.filePath("kavora.ini"));
    Session s(&settings);
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    RaceOverview *overview = s.overview();
    setRaceColor(s.g, 0, 0x123456);
    s.form.raceColoursChanged();
    QTest::mouseClick(child<QPushButton>(overview, "keepColours"), Qt::LeftButton);
    QCOMPARE(keptColours(settings).size(), 3);
    const QImage recoloured = s.form.chartWindow()->picture();

    QSignalSpy changed(&s.form, &mainform::coloursChanged);
    QTest::mouseClick(child<QPushButton>(overview, "defaultColours"), Qt::LeftButton);
    QCOMPARE(changed.size(), 1);
    QVERIFY(keptColours(settings).isEmpty());
    QCOMPARE(s.g.Player_Table[0].Player_Color, kDefaultPalette[0].color);
    for (const Star_Object &planet : s.g.Star_Table)
        if (planet.Owner == "Zorn")
            QCOMPARE(planet.color, std::optional(kDefaultPalette[0].color));
    QVERIFY(s.form.chartWindow()->picture() != recoloured);
}

// The changes window follows every merge, undo and map; a double-click centres the chart on
// the planet, as the planet list does.
void TestListWindows::changesWindow()
{
    Session s;
    auto *map = s.form.findChild<QMenu *>("mnu_Map");
    QVERIFY(s.item("mnuChanges")->associatedObjects().contains(map));
    ChangeList *changes = s.changes();
    QVERIFY(changes);
    QCOMPARE(s.changes(), changes);
    auto *summary = child<QLabel>(changes, "summary");
    auto *count = child<QLabel>(changes, "count");
    auto *step = child<QComboBox>(changes, "step");
    QCOMPARE(summary->text(), QStringLiteral("No report has been merged."));

    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    QCOMPARE(step->count(), 1);
    QCOMPARE(step->currentText(), QStringLiteral("player.pla: changes since universe.map"));
    QCOMPARE(count->text(), QStringLiteral("3 of 3 changes"));
    s.openReport(s.files.write("later.pla", reportText({{"Beta", "Zorn", "", "3", "900"}})));
    QCOMPARE(step->count(), 2);
    QCOMPARE(step->currentIndex(), 1);
    QCOMPARE(summary->text(), QStringLiteral("1 planet changed hands, population -97.4%"));
    QCOMPARE(shownColumn(changes->view(), ChangeListModel::Kind), QStringList{"new owner"});

    QSignalSpy chosen(&s.form, &mainform::planetChosen);
    QTableView *view = changes->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 0));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 0));
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(s.g.Star_Table[chosen[0][0].toInt()].Star_Name, QStringLiteral("Beta"));
    QCOMPARE(s.g.View_Center_X, std::optional<double>(1500));
    QCOMPARE(s.g.View_Center_Y, qint16(1300));

    view->selectRow(0);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QApplication::clipboard()->text().endsWith(
        QStringLiteral("Beta\t1500\t1300\tnew owner\tVell\tZorn\t1000000\t900\t-999100\n")));

    s.trigger("mnuUndoReport");
    QCOMPARE(step->count(), 1);
    QCOMPARE(count->text(), QStringLiteral("3 of 3 changes"));
    s.openMap(s.mapPath);
    QCOMPARE(step->count(), 0);
    QCOMPARE(count->text(), QStringLiteral("0 of 0 changes"));
    QVERIFY(s.dialog.messages().isEmpty());
}

// At the first run's 1024 by 768 every window opens wholly in view; a maximised list does
// not maximise the chart window when it opens again.
void TestListWindows::windowsInViewAtFirstRunSize()
{
    MainWindowFixture s({}, nullptr, QSize(1024, 768));
    s.openMap(s.mapPath);
    s.trigger("mnuPlanetList");
    s.trigger("mnuRaceOverview");
    s.trigger("mnuChartExplorer");
    const QRect area = s.form.workspace()->viewport()->rect();
    QCOMPARE(s.form.workspace()->subWindowList().size(), 4);
    for (const QMdiSubWindow *window : s.form.workspace()->subWindowList())
        QVERIFY2(area.contains(window->geometry()), qPrintable(window->windowTitle()));
    // And the list shows every column whole, the population too.
    QTableView *view = s.form.planetList()->view();
    QTRY_COMPARE(view->horizontalScrollBar()->maximum(), 0);
    QVERIFY(view->horizontalHeader()->sectionSize(PlanetListModel::Population) >=
            view->horizontalHeader()->sectionSizeHint(PlanetListModel::Population));

    auto *list = qobject_cast<QMdiSubWindow *>(s.form.planetList()->parentWidget());
    list->showMaximized();
    s.form.chartWindow()->close();
    s.trigger("mnu_Center");
    QVERIFY(s.form.chartWindow());
    QVERIFY(!s.form.chartWindow()->isMaximized());
    QCOMPARE(s.form.workspace()->activeSubWindow(), s.form.chartWindow());
}

// What a screen reader says of each list window's views and filters, and Tab going through
// them in the order they are read.
void TestListWindows::screenReaderNamesAndTabOrder()
{
    Session s;
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    struct Expected {
        QWidget *widget;
        QAccessible::Role role;
        const char *name;
    };
    PlanetList *list = s.list();
    RaceOverview *overview = s.overview();
    ChangeList *changes = s.changes();
    const QList<QList<Expected>> windows = {
        {{child<QLineEdit>(list, "filter"), QAccessible::EditableText, "Filter by name or owner"},
         {child<QComboBox>(list, "race"), QAccessible::ComboBox, "Race:"},
         {list->view(), QAccessible::Table, "Planets"}},
        {{child<QTableView>(overview, "races"), QAccessible::Table, "Races"}},
        {{child<QComboBox>(changes, "step"), QAccessible::ComboBox, "Report:"},
         {child<QComboBox>(changes, "race"), QAccessible::ComboBox, "Race:"},
         {child<QComboBox>(changes, "kind"), QAccessible::ComboBox, "Kind:"},
         {changes->view(), QAccessible::Table, "Changes"}},
    };
    for (const QList<Expected> &window : windows) {
        for (const Expected &e : window) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(e.widget);
            QVERIFY(face);
            QCOMPARE(face->role(), e.role);
            // A list is named by its caption: Linux reads a list box's name as its text.
            if (e.role == QAccessible::ComboBox) {
                const auto labels = face->relations(QAccessible::Label);
                QCOMPARE(labels.size(), 1);
                QCOMPARE(labels.first().first->text(QAccessible::Name), QLatin1String(e.name));
            } else {
                QCOMPARE(face->text(QAccessible::Name), QLatin1String(e.name));
            }
        }
        for (qsizetype i = 0; i + 1 < window.size(); ++i) {
            QWidget *next = window[i].widget->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus) ||
                   !next->isVisibleTo(window[i].widget->window()))
                next = next->nextInFocusChain();
            QCOMPARE(next, window[i + 1].widget);
        }
    }
    // The tables' descriptions carry the count, as the labels under them show it.
    QCOMPARE(QAccessible::queryAccessibleInterface(list->view())->text(QAccessible::Description),
             child<QLabel>(list, "count")->text() +
                 QStringLiteral(". Enter or a double click centres the chart on the planet"));
    QVERIFY(QAccessible::queryAccessibleInterface(changes->view())
                ->text(QAccessible::Description)
                .endsWith(QStringLiteral(". 3 of 3 changes")));
    QCOMPARE(QAccessible::queryAccessibleInterface(child<QWidget>(overview, "chart"))
                 ->text(QAccessible::Name),
             QStringLiteral("Population by race"));
}

QTEST_MAIN(TestListWindows)
#include "tst_listwindows.moc"

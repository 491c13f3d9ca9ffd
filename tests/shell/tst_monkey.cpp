// A user who tries everything: thousands of random actions on the main window, the chart
// window and the race colours window, with good files, damaged files and cancelled
// dialogs, and after every action the checks that must hold whatever the user did.
// The seed is printed; KAVORA_MONKEY_SEED replays a run, KAVORA_MONKEY_ACTIONS sets its
// length and KAVORA_MONKEY_TRACE lists the actions.
#include "chartexplorer.h"
#include "chartpicture.h"
#include "frmcolor.h"
#include "mainform.h"
#include "planetlist.h"
#include "raceoverview.h"
#include "modalcloser.h"
#include "racecolours.h"
#include "scripteddialog.h"
#include "starmap.h"
#include "testfiles.h"
#include "universe.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QLineEdit>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <limits>

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void randomActions();
};

namespace {

constexpr quint32 kDefaultSeed = 8;
constexpr int kDefaultActions = 3000;

// The offscreen platform says so for every window raised and every list opened.
QtMessageHandler g_testMessages = nullptr;
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.startsWith(QLatin1String("This plugin does not support")))
        g_testMessages(type, context, text);
}

// Where the run was, for a failure that bypasses the test and ends the program.
char g_current[64] = "start-up";

quint32 environmentNumber(const char *name, quint32 fallback)
{
    bool ok = false;
    const quint32 value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

class Monkey {
public:
    explicit Monkey(quint32 seed) : m_seed(seed), m_random(seed), m_form(m_g, m_dialog, {})
    {
        const SyntheticUniverse small = syntheticUniverse(50, seed);
        const SyntheticUniverse large = syntheticUniverse(300, seed + 1);
        // Planets near the 16-bit corners, so pans and clicks reach the limits quickly.
        const QList<MapLine> edge = {{"32700", "32700", "Far North"},
                                     {"-32700", "-32700", "Far South"},
                                     {"32767", "-32768", "Corner"},
                                     {"1000", "1000", "Home"}};
        m_maps = {m_files.write("small.map", small.mapText()),
                  m_files.write("large.map", large.mapText()),
                  m_files.write("edge.map", mapText(edge))};
        m_reports = {m_files.write("small.pla", small.reportText(seed)),
                     m_files.write("large.pla", large.reportText(seed)),
                     m_files.write("large2.pla", large.reportText(seed + 2)),
                     m_files.write("edge.pla", reportText({{"Far North", "Edge", "SB", "1", "9e6"},
                                                           {"Corner", "Rim", "", "1", "5"}}))};
        const QDir bad(testDataPath(QStringLiteral("bad")));
        for (const QString &name : bad.entryList({"*.map", "*.pla"}, QDir::Files))
            m_badFiles << bad.filePath(name);
        m_badFiles << m_files.path(QStringLiteral("missing.map")) << m_files.path({});
        for (const MapLine &planet : small.planets + large.planets)
            m_names << planet.name;
        m_names += QStringList{"Far North", "Corner",   "",        "Planet 99999",
                               " Planet 1", "planet 1", "*?[]%1 ~"};

        m_form.show();
        if (!QTest::qWaitForWindowExposed(&m_form))
            qFatal("the main window did not show");
    }

    void run(int actions)
    {
        int lowestY = 0;
        int highestY = 0;
        for (int n = 1; n <= actions; ++n) {
            std::snprintf(g_current, sizeof g_current, "action %d of seed %u", n, m_seed);
            QString done;
            const bool xWasInRange = xInRange();
            m_unboundedX = false;
            try {
                done = act();
            } catch (const std::exception &error) {
                QFAIL(qPrintable(QStringLiteral("%1 threw %2").arg(g_current, error.what())));
            } catch (...) {
                QFAIL(qPrintable(QStringLiteral("%1 threw").arg(g_current)));
            }
            settle();
            m_gestureLeftRange = xWasInRange && !xInRange() && !m_unboundedX;
            if (qEnvironmentVariableIsSet("KAVORA_MONKEY_TRACE"))
                qInfo("%d: %s", n, qPrintable(done));
            const char *wrong = problem();
            QVERIFY2(!wrong, qPrintable(QStringLiteral("after %1 (%2): %3; %4 planets, "
                                                       "Last_Star_Index %5, Last_Player_Index %6")
                                            .arg(g_current, done, QLatin1String(wrong))
                                            .arg(m_g.Star_Table.size())
                                            .arg(m_g.Last_Star_Index)
                                            .arg(m_g.Last_Player_Index)));
            lowestY = std::min<int>(lowestY, m_g.View_Center_Y);
            highestY = std::max<int>(highestY, m_g.View_Center_Y);
        }
        qInfo("monkey: %lld messages shown, centre Y from %d to %d", qint64(m_messages), lowestY,
              highestY);

        // "E&xit" comes last: it closes the chart window with the main window.
        trigger("mnu_Exit");
        settle();
        QVERIFY(!m_form.isVisible());
        QVERIFY(!m_g.Chart_Shown);
        QVERIFY(!m_form.chartWindow());
    }

private:
    using Action = QString (Monkey::*)();

    // One random action among those the windows on screen offer; returns what it did.
    QString act()
    {
        if (m_burstLeft > 0 && m_form.chartWindow()) {
            --m_burstLeft;
            return click(m_form.chartWindow(), m_burstButton) + QStringLiteral(" again");
        }
        m_burstLeft = 0;
        QList<std::pair<int, Action>> offered = {
            {4, &Monkey::openMap},   {4, &Monkey::openReport}, {1, &Monkey::save},
            {4, &Monkey::plainItem}, {1, &Monkey::about},     {2, &Monkey::openExplorer},
        };
        if (m_form.explorerWindow())
            offered << std::pair{14, &Monkey::explore};
        if (m_form.chartWindow())
            offered << std::pair{10, &Monkey::pan} << std::pair{4, &Monkey::chartButton}
                    << std::pair{4, &Monkey::pickZoom} << std::pair{5, &Monkey::search}
                    << std::pair{4, &Monkey::tickBox} << std::pair{16, &Monkey::mouse}
                    << std::pair{12, &Monkey::gesture} << std::pair{3, &Monkey::typeSearch}
                    << std::pair{1, &Monkey::closeChart};
        if (raceColours())
            offered << std::pair{6, &Monkey::raceControl};
        offered << std::pair{m_form.planetList() ? 8 : 1, &Monkey::planetListAction}
                << std::pair{m_form.raceOverview() ? 3 : 1, &Monkey::raceOverviewAction};
        int total = 0;
        for (const auto &[weight, action] : offered)
            total += weight;
        int pick = m_random.bounded(total);
        for (const auto &[weight, action] : offered) {
            if (pick < weight)
                return (this->*action)();
            pick -= weight;
        }
        Q_UNREACHABLE();
    }

    // What is wrong after an action, or nullptr.
    const char *problem() const
    {
        const starmap *chart = m_form.chartWindow();
        const bool ownersKnown = std::all_of(
            m_g.Star_Table.cbegin(), m_g.Star_Table.cend(), [this](const Star_Object &planet) {
                return planet.Owner.isEmpty() || findRace(m_g, planet.Owner) >= 0;
            });
        const std::pair<bool, const char *> checks[] = {
            {m_form.isVisible(), "the main window is gone"},
            {m_g.Last_Star_Index == qsizetype(m_g.Star_Table.size()) - 1,
             "Last_Star_Index does not match the planet table"},
            {m_g.Last_Player_Index >= -1 && m_g.Last_Player_Index <= 15,
             "Last_Player_Index is out of range"},
            {ownersKnown, "a planet is owned by an unknown race"},
            {!QGuiApplication::overrideCursor(), "the pointer is left as an hourglass"},
            {!QApplication::activeModalWidget(), "a modal window is left open"},
            {!m_aboutMissed, "the about box never became the active modal window"},
            {m_dialog.pendingAnswers() == 0, "an expected question was not asked"},
            {m_g.Chart_Shown == (chart != nullptr), "Chart_Shown does not match the chart window"},
            {!chart || chart->picture().size() == QSize(537, 441), "the chart is not 537x441"},
            {explorerHolds(), "the explorer's picture, scale or selection is out of bounds"},
            {!m_gestureProblem, m_gestureProblem},
            {!m_gestureLeftRange, "a gesture took the centre X out of the 16-bit range"},
            {m_g.Zoom_Step >= 0 && m_g.Zoom_Step < m_g.Zoom_Steps, "the zoom step left its range"},
            {!chart || !chart->input().ruler().isShown(), "the ruler outlived its drag"},
            {listMatchesTable(), "a planet list row does not match the planet table"},
            {overviewMatchesTable(), "the race overview does not match the race table"},
        };
        for (const auto &[holds, what] : checks)
            if (!holds)
                return what;
        return nullptr;
    }

    // The explorer needs a map; once drawn, its picture is the canvas's size (up to the
    // largest picture), its scale within the limits and its selection a planet or none.
    bool explorerHolds() const
    {
        const ChartExplorer *e = m_form.explorerWindow();
        if (!e)
            return true;
        if (!m_g.Map_Loaded)
            return false;
        const ExplorerView &view = e->view();
        const QSize canvas = e->canvas()->size().boundedTo(
            QSize(ChartExplorer::kMaxPicture, ChartExplorer::kMaxPicture));
        const bool drawn = e->picture().isNull() || e->picture().size() == canvas.expandedTo({1, 1});
        const double most = view.maxUnitsPerPixel(mapExtent(m_g.Map_Max_X, m_g.Map_Max_Y));
        return drawn && std::isfinite(view.centre.x()) && std::isfinite(view.centre.y()) &&
               view.unitsPerPixel >= ExplorerView::minUnitsPerPixel() &&
               view.unitsPerPixel <= most * (1 + 1e-9) && e->selected() >= -1 &&
               e->selected() <= m_g.lastPlanet();
    }

    QString openExplorer()
    {
        trigger("mnuChartExplorer");
        return QStringLiteral("chart explorer");
    }

    // Resize, zoom, drag, click, keys, label choice, legend, now and then close.
    QString explore()
    {
        ChartExplorer *e = m_form.explorerWindow();
        ChartPicture *canvas = e->canvas();
        const QPoint at(m_random.bounded(-20, canvas->width() + 20),
                        m_random.bounded(-20, canvas->height() + 20));
        switch (m_random.bounded(10)) {
        case 0: {
            const QSize size = any<QSize>({{1, 1}, {2, 300}, {640, 480}, {1600, 1200}, {3000, 90}});
            if (chance(20))
                e->showMaximized();
            else
                e->showNormal(), e->resize(size);
            return QStringLiteral("explorer %1x%2").arg(e->width()).arg(e->height());
        }
        case 1: {
            const int delta = any<int>({120, -120, 40, -600, 2400});
            QWheelEvent wheel(at, canvas->mapToGlobal(at), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(canvas, &wheel);
            return QStringLiteral("explorer wheel %1 at %2,%3").arg(delta).arg(at.x()).arg(at.y());
        }
        case 2: {
            const Qt::MouseButton button =
                any<Qt::MouseButton>({Qt::LeftButton, Qt::MiddleButton, Qt::RightButton});
            const QPoint to = at + QPoint(m_random.bounded(-400, 400), m_random.bounded(-400, 400));
            QTest::mousePress(canvas, button, {}, at);
            QTest::mouseMove(canvas, (at + to) / 2);
            QTest::mouseMove(canvas, to);
            QTest::mouseRelease(canvas, button, {}, to);
            return QStringLiteral("explorer drag %1").arg(int(button));
        }
        case 3:
            QTest::mouseClick(canvas, Qt::LeftButton, {}, at);
            return QStringLiteral("explorer click %1,%2").arg(at.x()).arg(at.y());
        case 4: {
            const Qt::Key key = any<Qt::Key>({Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                                               Qt::Key_Down, Qt::Key_Plus, Qt::Key_Minus,
                                               Qt::Key_Home});
            // Keys reach the widget with the focus, as a click on the explorer gives it; the
            // chart window's keys act where the focus is in the chart window.
            canvas->setFocus();
            QTest::keyClick(canvas, key);
            return QStringLiteral("explorer key %1").arg(int(key));
        }
        case 5:
        case 6: {
            auto *labels = control<QComboBox>(e, QStringLiteral("Labels"));
            labels->setCurrentIndex(m_random.bounded(labels->count()));
            return QStringLiteral("explorer labels %1").arg(labels->currentIndex());
        }
        case 7:
            return click(e, QStringLiteral("Legend"));
        case 8:
            if (!m_g.Star_Table.empty()) {
                const int planet = m_random.bounded(int(m_g.Star_Table.size()));
                m_form.choosePlanet(planet);
                return QStringLiteral("choose planet %1").arg(planet);
            }
            return QStringLiteral("choose no planet");
        default:
            if (chance(30)) {
                e->close();
                return QStringLiteral("close explorer");
            }
            QTest::mouseMove(canvas, at);
            return QStringLiteral("explorer move %1,%2").arg(at.x()).arg(at.y());
        }
    }


    // Every row the planet list shows is the planet of the table at its source row, and the
    // list holds the whole table.
    bool listMatchesTable() const
    {
        PlanetList *list = m_form.planetList();
        if (!list)
            return true;
        const QSortFilterProxyModel &proxy = list->proxy();
        if (proxy.sourceModel()->rowCount() != int(m_g.Star_Table.size()))
            return false;
        for (int row = 0; row < proxy.rowCount(); ++row) {
            const int source = proxy.mapToSource(proxy.index(row, 0)).row();
            const Star_Object &planet = m_g.Star_Table[size_t(source)];
            if (proxy.index(row, PlanetListModel::Name).data().toString() != planet.Star_Name ||
                proxy.index(row, PlanetListModel::Owner).data().toString() != planet.Owner ||
                // The text as read; the shown one is grouped for reading.
                proxy.index(row, PlanetListModel::Population).data(Qt::EditRole).toString() !=
                    planet.population)
                return false;
        }
        return true;
    }

    bool overviewMatchesTable() const
    {
        RaceOverview *overview = m_form.raceOverview();
        if (!overview)
            return true;
        const QAbstractItemModel *model = overview->view()->model();
        if (model->rowCount() != m_g.Last_Player_Index + 1)
            return false;
        for (int row = 0; row < model->rowCount(); ++row) {
            const int slot = model->index(row, RaceOverviewModel::Slot).data().toInt();
            if (model->index(row, RaceOverviewModel::Name).data().toString() !=
                m_g.Player_Table[slot].Player_Name)
                return false;
        }
        return true;
    }

    QString planetListAction()
    {
        PlanetList *list = m_form.planetList();
        if (!list || chance(10)) {
            trigger("mnuPlanetList");
            return QStringLiteral("Planet List");
        }
        QTableView *view = list->view();
        switch (m_random.bounded(5)) {
        case 0: {
            const int column = m_random.bounded(PlanetListModel::ColumnCount);
            view->sortByColumn(column, chance(50) ? Qt::AscendingOrder : Qt::DescendingOrder);
            return QStringLiteral("sort the planet list by column %1").arg(column);
        }
        case 1: {
            auto *filter = list->findChild<QLineEdit *>(QStringLiteral("filter"));
            const QString text = any<QString>({"", "a", "Z", "orn", "planet 1", "\t", "x"});
            filter->setText(text);
            return QStringLiteral("filter the planet list by \"%1\"").arg(text);
        }
        case 2: {
            auto *race = list->findChild<QComboBox *>(QStringLiteral("race"));
            race->setCurrentIndex(m_random.bounded(race->count()));
            return QStringLiteral("choose race entry %1").arg(race->currentIndex());
        }
        case 3:
            if (chance(20))
                list->parentWidget()->close();
            return QStringLiteral("maybe close the planet list");
        default: {
            const int rows = view->model()->rowCount();
            if (rows == 0)
                return QStringLiteral("double-click an empty planet list");
            const int row = m_random.bounded(rows);
            view->scrollTo(view->model()->index(row, 0));
            const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
            return QStringLiteral("double-click planet list row %1").arg(row);
        }
        }
    }

    QString raceOverviewAction()
    {
        RaceOverview *overview = m_form.raceOverview();
        if (!overview || chance(20)) {
            trigger("mnuRaceOverview");
            return QStringLiteral("Race Overview");
        }
        const int column = m_random.bounded(RaceOverviewModel::ColumnCount);
        overview->view()->sortByColumn(column, chance(50) ? Qt::AscendingOrder : Qt::DescendingOrder);
        if (chance(15)) {
            overview->parentWidget()->close();
            return QStringLiteral("close the race overview");
        }
        return QStringLiteral("sort the race overview by column %1").arg(column);
    }

    // Lets queued events run, deferred deletes of closed windows included.
    void settle()
    {
        QCoreApplication::processEvents();
        if (ChartExplorer *e = m_form.explorerWindow())
            e->flush();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_messages += m_dialog.messages().size();
        m_dialog.clearAsked();
    }

    template <typename T> T any(const QList<T> &list)
    {
        return list[m_random.bounded(list.size())];
    }
    bool chance(int percent) { return m_random.bounded(100) < percent; }

    void trigger(const char *name)
    {
        auto *item = m_form.findChild<QAction *>(QLatin1String(name));
        if (!item)
            qFatal("no menu item %s", name);
        item->trigger();
    }

    // Queues the answer to an open question: a good file, a bad one, or cancel.
    QString answerFile(const QStringList &good)
    {
        if (chance(10)) {
            m_dialog.cancelNext();
            return QStringLiteral("cancel");
        }
        const QString path = chance(50) ? any(good) : any(m_badFiles);
        m_dialog.answerFile(path);
        return path;
    }

    QString openMap()
    {
        const QString answer = answerFile(m_maps + m_reports);
        trigger("mnu_Open");
        return QStringLiteral("open map ") + answer;
    }

    // Only asks for a file once a map is loaded.
    QString openReport()
    {
        const QString answer = m_g.Map_Loaded ? answerFile(m_reports + m_maps) : QString();
        trigger("mnuOpenPlayerFile");
        return QStringLiteral("open report ") + answer;
    }

    // Only asks for a file while a chart is shown.
    QString save()
    {
        QString answer;
        if (m_g.Map_Loaded && m_form.chartWindow()) {
            answer = any<QString>({"chart.bmp", "nowhere/chart.bmp", {}});
            if (chance(20))
                m_dialog.cancelNext();
            else
                m_dialog.answerFile(m_files.path(answer));
        }
        trigger("mnuSaveBmp");
        return QStringLiteral("save ") + answer;
    }

    QString plainItem()
    {
        const char *name = chance(50) ? "mnu_Center" : "mnuPlayerColors";
        trigger(name);
        return QLatin1String(name);
    }

    // The about box is modal; the user closes it as soon as it shows.
    QString about()
    {
        const ModalCloser closer;
        trigger("mnuAbout");
        m_aboutMissed = m_aboutMissed || !closer.seen();
        return QStringLiteral("about");
    }

    template <typename T = QWidget> T *control(QWidget *window, const QString &name) const
    {
        auto *widget = window->findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }

    // The pan buttons, the arrow keys and a left click move X without bound, as specified
    // for the buttons; only the gestures must keep it within 16 bits.
    bool xInRange() const
    {
        return !m_g.View_Center_X ||
               (*m_g.View_Center_X >= -32768 && *m_g.View_Center_X <= 32767);
    }

    QString click(QWidget *window, const QString &name)
    {
        m_unboundedX = true;
        QTest::mouseClick(control(window, name), Qt::LeftButton);
        return name;
    }

    QString pan()
    {
        const QString button =
            any<QString>({"Up_Button", "Down_Button", "Left_Button", "Right_Button"});
        // Now and then the user keeps clicking, far out towards the 16-bit limits.
        if (chance(3)) {
            m_burstButton = button;
            m_burstLeft = m_random.bounded(20, 200);
        }
        return click(m_form.chartWindow(), button);
    }

    QString chartButton()
    {
        return click(m_form.chartWindow(), any<QString>({"Center_Button", "Zoom_In_Button",
                                                         "Zoom_Out_Button", "Race_Color_Button"}));
    }

    QString tickBox()
    {
        return click(m_form.chartWindow(),
                     any<QString>({"Starbases_Option", "Populated_Option", "All_Option"}));
    }

    // Picks an entry of an open list with the mouse, or types into its text field.
    QString pickFrom(QComboBox *list)
    {
        if (list->count() == 0 || chance(15)) {
            const QString text = any<QString>({"7", "x", "", "-3", "99", "Race A"});
            list->lineEdit()->selectAll();
            QTest::keyClicks(list->lineEdit(), text);
            QTest::keyClick(list->lineEdit(), Qt::Key_Return);
            return QStringLiteral("typed \"%1\" into %2").arg(text, list->objectName());
        }
        const int entry = m_random.bounded(list->count());
        list->showPopup();
        QAbstractItemView *view = list->view();
        if (!QTest::qWaitFor([view] { return view->isVisible(); }))
            qFatal("the list %s did not open", qPrintable(list->objectName()));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(list->model()->index(entry, 0)).center());
        return QStringLiteral("picked %1 from %2").arg(entry).arg(list->objectName());
    }

    QString pickZoom() { return pickFrom(control<QComboBox>(m_form.chartWindow(), "ZoomList")); }

    QString search()
    {
        QString name = any(m_names);
        if (!m_g.Star_Table.empty() && chance(50))
            name = m_g.Star_Table[m_random.bounded(int(m_g.Star_Table.size()))].Star_Name;
        auto *box = control<QLineEdit>(m_form.chartWindow(), "Star_Search");
        box->clear();
        // Names that cannot be typed (tabs, letters beyond ASCII) are pasted.
        if (std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c >= u' ' && c <= u'~'; }))
            QTest::keyClicks(box, name);
        else
            box->insert(name);
        click(m_form.chartWindow(), QStringLiteral("Search_Button"));
        return QStringLiteral("search \"%1\"").arg(name);
    }

    // Clicks and moves on the picture, mostly on it, sometimes a long way off.
    QString mouse()
    {
        const int reach = any<int>({0, 0, 0, 600, 100000});
        const QPoint at(m_random.bounded(-reach, 537 + reach),
                        m_random.bounded(-reach, 441 + reach));
        QWidget *picture = control(m_form.chartWindow(), "Starchart");
        if (chance(50)) {
            QTest::mouseMove(picture, at);
            return QStringLiteral("move to %1,%2").arg(at.x()).arg(at.y());
        }
        const Qt::MouseButton button = any<Qt::MouseButton>(
            {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton});
        m_unboundedX = true;
        QTest::mouseClick(picture, button, {}, at);
        return QStringLiteral("button %1 at %2,%3").arg(int(button)).arg(at.x()).arg(at.y());
    }

    // A point on the picture, or now and then a long way off it.
    QPoint somewhere()
    {
        const int reach = any<int>({0, 0, 0, 600, 100000});
        return {m_random.bounded(-reach, 537 + reach), m_random.bounded(-reach, 441 + reach)};
    }

    // The ways players move around a map: wheel, touchpad, pinch, drags, keys.
    QString gesture()
    {
        starmap *chart = m_form.chartWindow();
        QWidget *picture = control(chart, "Starchart");
        auto send = [picture](QEvent &&event) { QApplication::sendEvent(picture, &event); };
        const QPoint at = somewhere();
        const QPointF global = picture->mapToGlobal(QPointF(at));
        switch (m_random.bounded(6)) {
        case 0: {
            const int angle = any<int>({120, -120, 60, -60, 1, 240, -1200,
                                        std::numeric_limits<int>::max(),
                                        std::numeric_limits<int>::min()});
            send(QWheelEvent(at, global, {}, {0, angle}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false));
            return QStringLiteral("wheel %1 at %2,%3").arg(angle).arg(at.x()).arg(at.y());
        }
        case 1: {
            const int reach = any<int>({5, 300, 1000000});
            const QPoint pixels(m_random.bounded(-reach, reach), m_random.bounded(-reach, reach));
            send(QWheelEvent(at, global, pixels, {}, Qt::NoButton, Qt::NoModifier,
                             Qt::ScrollUpdate, false));
            return QStringLiteral("scroll %1,%2").arg(pixels.x()).arg(pixels.y());
        }
        case 2: {
            auto pinch = [&](Qt::NativeGestureType type, double value) {
                send(QNativeGestureEvent(type, QPointingDevice::primaryPointingDevice(), 2, at,
                                         at, global, value, {}));
            };
            pinch(Qt::BeginNativeGesture, 0);
            const double value = any<double>({0.3, -0.3, 2, -5, 1e300, qQNaN()});
            pinch(Qt::ZoomNativeGesture, value);
            pinch(Qt::EndNativeGesture, 0);
            return QStringLiteral("pinch %1").arg(value);
        }
        case 3:
        case 4: {
            const Qt::MouseButton button = chance(50) ? Qt::MiddleButton : Qt::RightButton;
            const qint64 key = chart->picture().cacheKey();
            QTest::mousePress(picture, button, {}, at);
            const int moves = m_random.bounded(4);
            for (int i = 0; i < moves; ++i)
                QTest::mouseMove(picture, somewhere());
            if (button == Qt::RightButton && chart->picture().cacheKey() != key)
                m_gestureProblem = "measuring changed the chart picture";
            const QPoint end = somewhere();
            QTest::mouseRelease(picture, button, {}, end);
            return QStringLiteral("drag %1 from %2,%3 to %4,%5, %6 moves")
                .arg(int(button))
                .arg(at.x())
                .arg(at.y())
                .arg(end.x())
                .arg(end.y())
                .arg(moves);
        }
        default: {
            const Qt::Key key = any<Qt::Key>({Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
                                              Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Equal,
                                              Qt::Key_Home});
            picture->setFocus();
            m_unboundedX = true;
            QTest::keyClick(picture, key);
            return QStringLiteral("key %1").arg(int(key));
        }
        }
    }

    // Types the start of a name and picks from the completion list, or presses Enter.
    QString typeSearch()
    {
        starmap *chart = m_form.chartWindow();
        auto *box = control<QLineEdit>(chart, "Star_Search");
        QString text = any(m_names).left(m_random.bounded(1, 6));
        if (!std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u' ' && c <= u'~'; }))
            text = QStringLiteral("Pla");
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
        QAbstractItemView *popup = box->completer()->popup();
        const int rows = popup->model()->rowCount();
        if (rows > 20)
            m_gestureProblem = "the completion list shows more than 20 names";
        QString done = QStringLiteral("typed \"%1\"").arg(text);
        if (popup->isVisible() && rows > 0 && chance(70)) {
            const int row = m_random.bounded(rows);
            if (chance(50)) {
                QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                                  popup->visualRect(popup->model()->index(row, 0)).center());
            } else {
                for (int i = 0; i <= row; ++i)
                    QTest::keyClick(popup, Qt::Key_Down);
                QTest::keyClick(popup, Qt::Key_Return);
            }
            done += QStringLiteral(", picked %1").arg(row);
        } else {
            QTest::keyClick(box, Qt::Key_Return);
            done += QStringLiteral(", Enter");
        }
        popup->hide();
        return done;
    }

    QString closeChart()
    {
        m_form.chartWindow()->close();
        return QStringLiteral("close chart");
    }

    frmColor *raceColours() const
    {
        for (frmColor *window : m_form.findChildren<frmColor *>())
            if (window->isVisible())
                return window;
        return nullptr;
    }

    QString raceControl()
    {
        frmColor *window = raceColours();
        const int which = m_random.bounded(10);
        if (which < 4)
            return pickFrom(control<QComboBox>(window, "RaceName"));
        if (which == 9)
            return click(window, QStringLiteral("Close_Me"));
        if (chance(75))
            m_dialog.answerColor(m_random.bounded(0x1000000));
        else
            m_dialog.cancelNext();
        return click(window, QStringLiteral("Player_Color_Selection"));
    }

    const quint32 m_seed;
    QRandomGenerator m_random;
    TestFiles m_files;
    Globals m_g;
    ScriptedDialog m_dialog;
    mainform m_form;
    QStringList m_maps;
    QStringList m_reports;
    QStringList m_badFiles;
    QStringList m_names;
    qsizetype m_messages = 0;
    bool m_aboutMissed = false;
    const char *m_gestureProblem = nullptr; // what a gesture saw go wrong, if anything
    bool m_unboundedX = false;       // the action may move X past 16 bits
    bool m_gestureLeftRange = false;
    QString m_burstButton; // a pan button to be clicked m_burstLeft more times
    int m_burstLeft = 0;
};

} // namespace

void TestMonkey::randomActions()
{
    const quint32 seed = environmentNumber("KAVORA_MONKEY_SEED", kDefaultSeed);
    const int actions = int(environmentNumber("KAVORA_MONKEY_ACTIONS", kDefaultActions));
    qInfo("monkey: seed %u, %d actions; KAVORA_MONKEY_SEED=%u replays this run", seed, actions,
          seed);
    // A failure that reaches the event loop ends the program; say where it happened.
    std::set_terminate([] {
        std::fprintf(stderr, "monkey: terminated at %s\n", g_current);
        std::abort();
    });
    g_testMessages = qInstallMessageHandler(quietPlatform);
    const auto restore = qScopeGuard([] { qInstallMessageHandler(g_testMessages); });

    Monkey(seed).run(actions);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"

#include "mainform.h"

#include "changelist.h"
#include "chartexplorer.h"
#include "colourschememenu.h"
#include "frmabout.h"
#include "frmcolor.h"
#include "hourglass.h"
#include "keptcolours.h"
#include "loaduniverse.h"
#include "menukeys.h"
#include "openfiles.h"
#include "palette.h"
#include "planetlist.h"
#include "planning.h"
#include "raceoverview.h"
#include "recentmenu.h"
#include "reportreader.h"
#include "runreported.h"
#include "sampleuniverse.h"
#include "savepictureas.h"
#include "settings.h"
#include "starmap.h"
#include "startpanel.h"
#include "stepmarks.h"
#include "windowplacement.h"
#include "workspace.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

const char *const kOpenMapFirst = QT_TRANSLATE_NOOP("mainform", "Please open a map first.");
const char *const kDisplayMapFirst = QT_TRANSLATE_NOOP("mainform", "Please display map first.");
const char *const kOpenMapTitle = QT_TRANSLATE_NOOP("mainform", "Open Quelmar Map File");
const char *const kMapFilter = QT_TRANSLATE_NOOP("mainform", "Quelmar Map File (*.map)|*.map");
const char *const kOpenReportTitle = QT_TRANSLATE_NOOP("mainform", "Open Quelmar Player File");
const char *const kReportFilter =
    QT_TRANSLATE_NOOP("mainform", "Quelmar Player File (*.pla)|*.pla");
const QString kWindowPlaceKey = QStringLiteral("window/geometry");
const QString kWindowMaximizedKey = QStringLiteral("window/maximized");
const QString kColourSchemeKey = QStringLiteral("palette/scheme");
// Below this only the menu bar would show; a size saved below it is not restored.
constexpr QSize kMinimumSize(320, 240);

} // namespace

mainform::mainform(Globals &globals, CommonDialog &dialog, const std::function<void()> &showSplash,
                   QWidget *parent)
    : QMainWindow(parent), m_globals(globals), m_dialog(dialog)
{
    setObjectName(QStringLiteral("mainform"));
    m_planning = new Planning(m_globals, m_dialog, this);
    connect(m_planning, &Planning::distancesFromRequested, this, [this](int index) {
        showPlanetList();
        m_planetList->setDistanceFrom(index);
    });
    m_workspace = new Workspace(this);
    m_workspace->setObjectName(QStringLiteral("workspace"));
    setCentralWidget(m_workspace);
    buildMenus();
    new MenuKeys(this);
    m_reportFit = new QLabel(this);
    m_reportFit->setObjectName(QStringLiteral("reportFit"));
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->addWidget(m_reportFit, 1);
    resize(1024, 768);
    setMinimumSize(kMinimumSize);
    setAcceptDrops(true);
    m_sampleFolders = sampleFolders(QCoreApplication::applicationDirPath());

    m_startPanel = new StartPanel(*m_recentMenu, m_workspace->viewport());
    connect(m_startPanel, &StartPanel::openMapClicked, this, &mainform::mnu_Open_Click);
    connect(m_startPanel, &StartPanel::sampleClicked, this, &mainform::openSampleUniverse);
    connect(m_startPanel, &StartPanel::recentClicked, m_recentMenu, &RecentMenu::choose);
    connect(m_recentMenu, &RecentMenu::changed, m_startPanel, &StartPanel::recentChanged);
    connect(this, &mainform::mapOpened, this, [this] {
        if (!m_startPanel)
            return;
        m_startPanel->hide();
        m_startPanel->deleteLater();
        m_startPanel = nullptr;
    });
    // Enter opens a map at once; Tab goes on to the recent maps and the sample.
    m_startPanel->openButton()->setFocus();

    m_statusFlush.setSingleShot(true);
    m_statusFlush.setInterval(0);
    connect(&m_statusFlush, &QTimer::timeout, this, &mainform::showStatus);
    setStatus(QStringLiteral("Quelmar Kavora"));

    MDIForm_Load(showSplash);
}

void mainform::MDIForm_Load(const std::function<void()> &showSplash)
{
    Initialize_Colors(m_globals);
    m_globals.applyStartupValues();
    if (showSplash)
        showSplash();
}

void mainform::buildMenus()
{
    auto addMenu = [this](const char *name, const QString &caption) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        menu->menuAction()->setObjectName(QLatin1String(name));
        return menu;
    };
    auto addItem = [this](QMenu *menu, const char *name, const QString &caption,
                          void (mainform::*handler)(), const QKeySequence &keys = {}) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        item->setShortcut(keys);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };

    // Shortcuts are set as key combinations: the platform's standard Quit key may be none.
    QMenu *file = addMenu("mnu_File", tr("&File"));
    addItem(file, "mnu_Open", tr("&Open Map File"), &mainform::mnu_Open_Click,
            Qt::CTRL | Qt::Key_O);
    addItem(file, "mnuOpenPlayerFile", tr("Open &Player File"), &mainform::mnuOpenPlayerFile_Click,
            Qt::CTRL | Qt::SHIFT | Qt::Key_O);
    m_undoReport = addItem(file, "mnuUndoReport", tr("&Undo Last Report"),
                           &mainform::undoLastReport, Qt::CTRL | Qt::Key_Z);
    m_undoReport->setEnabled(false);
    addItem(file, "mnuSaveBmp", tr("&Save Map as Bitmap"), &mainform::mnuSaveBmp_Click,
            Qt::CTRL | Qt::Key_S);
    QAction *bar = file->addSeparator();
    bar->setObjectName(QStringLiteral("mnu_bar"));
    addItem(file, "mnu_Exit", tr("E&xit"), &mainform::mnu_Exit_Click, Qt::CTRL | Qt::Key_Q);
    m_recentMenu = new RecentMenu(
        file, bar, m_dialog,
        [this](const QString &map, const QStringList &reports) { openMapAndReports(map, reports); },
        this);

    QMenu *map = addMenu("mnu_Map", tr("&Map"));
    addItem(map, "mnu_Center", tr("&Center"), &mainform::mnu_Center_Click);
    addItem(map, "mnuPlayerColors", tr("&Player Colors"), &mainform::mnuPlayerColors_Click);
    addItem(map, "mnuPlanetList", tr("Planet &List"), &mainform::showPlanetList);
    addItem(map, "mnuRaceOverview", tr("&Race Overview"), &mainform::showRaceOverview);
    addItem(map, "mnuChartExplorer", tr("Chart &Explorer"), &mainform::showChartExplorer,
            Qt::CTRL | Qt::Key_E);
    addItem(map, "mnuChanges", tr("C&hanges"), &mainform::showChanges);
    m_schemeMenu = new ColourSchemeMenu(map, this);
    connect(m_schemeMenu, &ColourSchemeMenu::chosen, this,
            [this](ColourScheme scheme) { setColourScheme(scheme); });

    QMenu *help = addMenu("mnuHelp", tr("&Help"));
    addItem(help, "mnuAbout", tr("&About"), &mainform::mnuAbout_Click, Qt::Key_F1);
    addItem(help, "mnuSampleUniverse", tr("Open &Sample Universe"),
            &mainform::openSampleUniverse);
}

void mainform::setStatus(const QString &text)
{
    keepStatus(m_status, text);
    if (m_statusShown.isValid() && !m_statusShown.hasExpired(kStatusRepaintMs)) {
        // The pending flush shows whatever text is latest when it fires; restarting it for
        // every planet of a large map would cost more than the reading itself.
        if (!m_statusFlush.isActive())
            m_statusFlush.start();
        return;
    }
    showStatus();
}

void mainform::showStatus()
{
    m_statusFlush.stop();
    // Qt reads "[*]" in a title as the modified mark; a planet may be called that.
    QString caption = m_status;
    setWindowTitle(caption.replace(QLatin1String("[*]"), QLatin1String("[*][*]")));
    m_statusShown.start();
}

StatusFn mainform::statusFn()
{
    return [this](const QString &text) { setStatus(text); };
}

void mainform::useSettings(Settings &settings)
{
    m_settings = &settings;
    m_recentMenu->useSettings(settings);
    m_planning->useSettings(settings);
    connect(this, &mainform::mapOpened, m_recentMenu, [this] { m_recentMenu->record(m_loaded); });
    connect(this, &mainform::reportMerged, m_recentMenu, [this] { m_recentMenu->record(m_loaded); });
    connect(this, &mainform::reportUndone, m_recentMenu, [this] { m_recentMenu->record(m_loaded); });

    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    if (const std::optional<QRect> place =
            restorablePlace(settings.rect(kWindowPlaceKey), screens, minimumSize()))
        setGeometry(*place);
    if (settings.flag(kWindowMaximizedKey, false))
        setWindowState(windowState() | Qt::WindowMaximized);
    if (const auto scheme = colourSchemeForKey(settings.text(kColourSchemeKey)))
        setColourScheme(*scheme, false);
}

void mainform::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void mainform::dropEvent(QDropEvent *event)
{
    const DroppedFiles dropped = droppedFiles(event->mimeData()->urls());
    event->acceptProposedAction();
    if (!dropped.refused.isEmpty())
        m_dialog.message(refusalMessage(dropped.refused));
    if (!dropped.order.map.isEmpty() || !dropped.order.reports.isEmpty())
        openMapAndReports(dropped.order.map, dropped.order.reports);
}

void mainform::closeEvent(QCloseEvent *event)
{
    if (m_settings) {
        m_settings->setRect(kWindowPlaceKey, normalGeometry());
        m_settings->setFlag(kWindowMaximizedKey, isMaximized());
        m_settings->sync();
    }
    // The chart window goes first, so that its own closing clears Chart_Shown.
    m_workspace->closeAllSubWindows();
    QMainWindow::closeEvent(event);
}

QMdiArea *mainform::workspace() const
{
    return m_workspace;
}

starmap *mainform::chartWindow() const
{
    return m_chart;
}

starmap *mainform::chart()
{
    if (!m_chart) {
        auto *window = new starmap(m_globals, m_dialog, [this] { showRaceColours(); });
        connect(window, &starmap::planetFound, this, [this](int index) {
            if (m_explorer)
                m_explorer->showPlanet(index);
        });
        connect(window, &starmap::unloaded, this, [this, window] {
            if (m_chart == window)
                m_chart = nullptr;
            emit chartClosed();
        });
        // The search box offers the names of the table it now holds.
        connect(this, &mainform::mapOpened, window, &starmap::planetsChanged);
        connect(this, &mainform::reportMerged, window, &starmap::planetsChanged);
        connect(this, &mainform::mapOpened, window, &starmap::clearRuler);
        m_planning->attach(window);
        connect(this, &mainform::reportUndone, window, &starmap::planetsChanged);
        m_chart = window;
        m_workspace->addWindow(window);
    }
    return m_chart;
}

bool mainform::requireMap()
{
    if (!m_globals.Map_Loaded)
        m_dialog.message(tr(kOpenMapFirst));
    return m_globals.Map_Loaded;
}

// Opening a map has no guard: it also replaces a map that is already loaded.
void mainform::mnu_Open_Click()
{
    if (const std::optional<QString> path = m_dialog.ShowOpen(tr(kOpenMapTitle), tr(kMapFilter)))
        openMap(*path);
}

// A map that cannot be read changes nothing: the reader stores nothing before the whole
// file has been read, and the file name and the caption go back to the loaded map's. A map
// that can starts a new universe, without the races of the one before.
bool mainform::openMap(const QString &path)
{
    return runReported(m_dialog, [&] {
        const Hourglass wait;
        const QString previousName = m_globals.Map_File_Name;
        const QString previousStatus = m_status;
        m_globals.Map_File_Name = path;
        try {
            openUniverse(m_globals, statusFn());
        } catch (...) {
            m_globals.Map_File_Name = previousName;
            setStatus(previousStatus);
            throw;
        }
        applyKeptColours(0);
        m_loaded = LoadHistory{path, int(m_globals.Star_Table.size()), {}, {}};
        // The notes follow the map: they are read with it, before anything shows it.
        m_planning->mapOpened(path);
        m_reportFolder = QFileInfo(path).absolutePath();
        updateUndo();
        showReportFit({});
        emit mapOpened();
        updateChangeMarks();
        chart()->display_map(m_globals.View_Zoom, 0, 0);
    });
}

// Reports are matched to the map's planets, so they need a map first.
void mainform::mnuOpenPlayerFile_Click()
{
    if (!requireMap())
        return;
    if (const std::optional<QString> path =
            m_dialog.ShowOpen(tr(kOpenReportTitle), tr(kReportFilter), m_reportFolder))
        openReport(*path);
}

// The reader reports its own failures, and a report that fails changes nothing; the chart
// is redrawn in any case, at the current view.
void mainform::openReport(const QString &path)
{
    if (!requireMap())
        return;
    runReported(m_dialog, [&] {
        const Hourglass wait;
        const QString previousFile = m_globals.Player_File_Name;
        m_globals.Player_File_Name = path;
        ReportTally tally;
        const int firstNewSlot = m_globals.Last_Player_Index + 1;
        // Nothing is read while the reader's message waits, so it waits with the normal
        // pointer.
        std::optional<ReportStep> step = Open_Player_File(
            m_globals, statusFn(),
            [this](const QString &text) {
                const NormalPointer normal;
                m_dialog.message(text);
            },
            &tally);
        if (step) {
            m_loaded.add(path, tally, std::move(*step));
            m_reportFolder.clear();
            applyKeptColours(firstNewSlot);
            updateUndo();
            if (looksForeign(tally))
                showReportFit(foreignWarning(tally, path, m_loaded.mapPath), true);
            else
                showReportFit(tallyText(tally, path, m_loaded.mapPath));
            emit reportMerged();
            updateChangeMarks();
        } else {
            m_globals.Player_File_Name = previousFile;
            showReportFit(m_status);
        }
        chart()->display_map(m_globals.View_Zoom, m_globals.View_Center_X, m_globals.View_Center_Y);
    });
}

void mainform::undoLastReport()
{
    if (m_loaded.reports.isEmpty())
        return;
    runReported(m_dialog, [this] {
        const Hourglass wait;
        const QString name = QFileInfo(m_loaded.reports.last().path).fileName();
        m_loaded.undoLast(m_globals);
        updateUndo();
        showReportFit(tr("Undone: %1").arg(name));
        emit reportUndone();
        updateChangeMarks();
        chart()->display_map(m_globals.View_Zoom, m_globals.View_Center_X, m_globals.View_Center_Y);
    });
}

void mainform::updateUndo()
{
    m_undoReport->setEnabled(!m_loaded.reports.isEmpty());
}

// A report of another universe loads without a single error, so its warning must stand out.
void mainform::showReportFit(const QString &text, bool warning)
{
    m_reportFit->setText(text);
    m_reportFit->setProperty("warning", warning);
    m_reportFit->setStyleSheet(warning ? QStringLiteral("QLabel { color: #ffffff; background: "
                                                        "#b3261e; font-weight: bold; padding: "
                                                        "1px 6px; }")
                                       : QString());
}

// A file manager passes a double-clicked report alone; it is no map, and reports without a
// map are refused once, not once each. A map that fails has said so; its reports are not
// tried against no map.
void mainform::openFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const OpenOrder order = openOrder(paths);
    openMapAndReports(order.map, order.reports);
}

// Without a map the user hears once that a map comes first, not once per report.
void mainform::openMapAndReports(const QString &map, const QStringList &reports)
{
    if (map.isEmpty() ? !requireMap() : !openMap(map))
        return;
    for (const QString &report : reports)
        openReport(report);
}

// The map test comes first: without a map there is no chart to display. The file holds
// the chart window's picture exactly as drawn at its specified size, whichever window is
// active; the explorer saves its own view with its own command.
void mainform::mnuSaveBmp_Click()
{
    if (!requireMap())
        return;
    if (!m_globals.Chart_Shown || !m_chart) {
        m_dialog.message(tr(kDisplayMapFirst));
        return;
    }
    // On a sharp screen the picture at its own size is drawn now, which may fail.
    const QImage *picture = nullptr;
    if (runReported(m_dialog, [&] { picture = &m_chart->picture(); })) {
        const PictureLayout vectors = m_chart->pictureLayout();
        savePictureAs(m_dialog, *picture, tr("Save Map as Bitmap"), vectors);
    }
}

void mainform::mnu_Exit_Click()
{
    close();
}

// Back to the middle of the map at the same zoom, reopening a closed chart window.
void mainform::mnu_Center_Click()
{
    if (!requireMap())
        return;
    runReported(m_dialog, [this] { chart()->display_map(m_globals.View_Zoom, 0, 0); });
}

void mainform::redrawChart()
{
    if (!m_globals.Map_Loaded)
        return;
    runReported(m_dialog, [this] {
        chart()->display_map(m_globals.View_Zoom, m_globals.View_Center_X, m_globals.View_Center_Y);
    });
}

// The race colours dialog needs no map: before any report its list is empty.
void mainform::mnuPlayerColors_Click()
{
    showRaceColours();
}

ChartExplorer *mainform::explorerWindow() const
{
    return m_explorer;
}

// One explorer at a time: the command brings an open one forward.
void mainform::showChartExplorer()
{
    if (!requireMap())
        return;
    if (!m_explorer) {
        m_explorer = new ChartExplorer(m_globals, m_dialog);
        connect(this, &mainform::mapOpened, m_explorer, &ChartExplorer::mapOpened);
        connect(this, &mainform::reportMerged, m_explorer, &ChartExplorer::planetsChanged);
        connect(this, &mainform::reportUndone, m_explorer, &ChartExplorer::planetsChanged);
        connect(this, &mainform::coloursChanged, m_explorer, &ChartExplorer::coloursChanged);
        connect(this, &mainform::planetChosen, m_explorer, &ChartExplorer::showPlanet);
        m_planning->attach(m_explorer);
        connect(m_explorer, &ChartExplorer::saveViewRequested, this, [this] {
            m_explorer->flush();
            const PictureLayout vectors = m_explorer->pictureLayout();
            savePictureAs(m_dialog, m_explorer->picture(), tr("Save View As"), vectors);
        });
        m_workspace->addWindow(m_explorer);
        m_explorer->mapOpened();
        updateChangeMarks();
    }
    m_workspace->setActiveSubWindow(m_explorer);
    m_explorer->setFocus();
}

void mainform::showRaceColours()
{
    if (!m_raceColours)
        m_raceColours = new frmColor(
            m_globals, m_dialog, [this] { raceColoursChanged(); }, this);
    m_raceColours->show();
    m_raceColours->raise();
    m_raceColours->activateWindow();
}

void mainform::raceColoursChanged()
{
    redrawChart();
    emit coloursChanged();
    updateChangeMarks();
}

void mainform::choosePlanet(int index)
{
    if (!m_globals.Map_Loaded || index < 0 || index > m_globals.lastPlanet())
        return;
    chart()->centreOnPlanet(index);
    emit planetChosen(index);
}

// Both windows live in the workspace like the chart window and follow every change of the
// data; closing one deletes it, and the menu makes a new one.
void mainform::showPlanetList()
{
    if (!m_planetList) {
        auto *list = new PlanetList(m_globals);
        m_planetList = list;
        connect(this, &mainform::mapOpened, list, [list] { list->reload(false); });
        connect(this, &mainform::reportMerged, list, [list] { list->reload(true); });
        connect(this, &mainform::reportUndone, list, [list] { list->reload(true); });
        connect(this, &mainform::chartClosed, list, [list] { list->reload(true); });
        connect(this, &mainform::coloursChanged, list, &PlanetList::coloursChanged);
        connect(list, &PlanetList::planetChosen, this, &mainform::choosePlanet);
        m_planning->attach(list);
        m_workspace->addWindow(list);
    }
    m_planetList->show();
    m_workspace->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(m_planetList->parentWidget()));
}

PlanetList *mainform::planetList() const
{
    return m_planetList;
}

RaceOverview *mainform::raceOverview() const
{
    return m_raceOverview;
}

void mainform::showRaceOverview()
{
    if (!m_raceOverview) {
        auto *overview = new RaceOverview(m_globals, m_loaded);
        m_raceOverview = overview;
        for (auto change : {&mainform::mapOpened, &mainform::reportMerged, &mainform::reportUndone,
                            &mainform::chartClosed})
            connect(this, change, overview, &RaceOverview::reload);
        connect(this, &mainform::coloursChanged, overview, &RaceOverview::coloursChanged);
        connect(overview, &RaceOverview::keepColoursClicked, this, &mainform::keepRaceColours);
        connect(overview, &RaceOverview::defaultColoursClicked, this,
                &mainform::defaultRaceColours);
        m_workspace->addWindow(overview);
    }
    m_raceOverview->show();
    m_workspace->setActiveSubWindow(
        qobject_cast<QMdiSubWindow *>(m_raceOverview->parentWidget()));
}

// Like the planet list: in the workspace, following every change of the data, choosing a
// planet as the list does.
void mainform::showChanges()
{
    if (!m_changeList) {
        auto *changes = new ChangeList(m_globals, m_loaded);
        m_changeList = changes;
        for (auto change : {&mainform::mapOpened, &mainform::reportMerged, &mainform::reportUndone})
            connect(this, change, changes, &ChangeList::reload);
        connect(this, &mainform::coloursChanged, changes, &ChangeList::coloursChanged);
        connect(changes, &ChangeList::planetChosen, this, &mainform::choosePlanet);
        // The explorer marks what the window lists; closed, the last report's changes.
        connect(changes, &ChangeList::choiceChanged, this, [this] { updateChangeMarks(); });
        connect(changes, &QObject::destroyed, &m_changesClosing,
                [this] { updateChangeMarks(nullptr); });
        m_workspace->addWindow(changes);
        updateChangeMarks();
    }
    m_changeList->show();
    m_workspace->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(m_changeList->parentWidget()));
}

ChangeList *mainform::changeList() const
{
    return m_changeList;
}

void mainform::updateChangeMarks()
{
    updateChangeMarks(m_changeList);
}

void mainform::updateChangeMarks(const ChangeList *list)
{
    if (!m_explorer)
        return;
    const int step = list ? list->step() : int(m_loaded.reports.size()) - 1;
    m_explorer->setChangeMarks(list ? list->shownMarks()
                                    : stepMarks(m_globals, listedChanges(m_loaded, step)),
                               stepTitle(m_loaded, step));
}

bool mainform::applyKeptColours(int fromSlot)
{
    return m_settings && ::applyKeptColours(m_globals, keptColours(*m_settings), fromSlot);
}

void mainform::keepRaceColours()
{
    if (m_settings)
        keepColours(*m_settings, m_globals);
}

void mainform::defaultRaceColours()
{
    if (m_settings)
        forgetColours(*m_settings);
    restoreDefaultColours(m_globals);
    raceColoursChanged();
}

void mainform::setColourScheme(ColourScheme scheme, bool remember)
{
    m_globals.colourScheme = scheme;
    m_schemeMenu->show(scheme);
    if (remember && m_settings) {
        m_settings->setText(kColourSchemeKey, colourSchemeKey(scheme));
        m_settings->sync();
    }
    // Colours picked but not kept go, as when a map is opened.
    restoreDefaultColours(m_globals);
    applyKeptColours(0);
    raceColoursChanged();
}

StartPanel *mainform::startPanel() const
{
    return m_startPanel;
}

void mainform::openSampleUniverse()
{
    const std::optional<SampleUniverse> sample = findSampleUniverse(m_sampleFolders);
    if (!sample) {
        m_dialog.message(tr("The sample universe is not installed: it was looked for in\n") +
                         m_sampleFolders.join(u'\n'));
        return;
    }
    openMapAndReports(sample->map, sample->reports);
}

void mainform::mnuAbout_Click()
{
    frmAbout about(m_dialog, *m_registry, *m_programs, this);
    about.exec();
}

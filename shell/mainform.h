// The main window, the frame of Kavora: its workspace holds the chart window, its menus
// carry the commands, and its caption is the status line of the file readers.
#pragma once

#include "commondialog.h"
#include "loadhistory.h"
#include "records.h"
#include "registry.h"
#include "status.h"
#include "sysinfo.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class ChangeList;
class PlanetList;
class QAction;
class QLabel;
class QMdiArea;
class RaceOverview;
class ChartExplorer;
class ColourSchemeMenu;
class RecentMenu;
class StartPanel;
class Settings;
class starmap;
class Workspace;

class mainform : public QMainWindow {
    Q_OBJECT
public:
    // Constructing the window is its start-up: the default palette, the start-up values,
    // then `showSplash`, which returns once the splash has closed (empty: no splash).
    // The window is shown by the caller afterwards.
    mainform(Globals &globals, CommonDialog &dialog, const std::function<void()> &showSplash,
             QWidget *parent = nullptr);

    // The caption as status line. While a reader reports thousands of texts in a row the
    // window system hears of them at most every kStatusRepaintMs; the caption always ends
    // on the last text, at the latest once control returns to the event loop.
    void setStatus(const QString &text);
    QString status() const { return m_status; }
    StatusFn statusFn();

    // Where the chart window lives, with the other windows; each kept wholly in view.
    QMdiArea *workspace() const;
    // The chart window, or nullptr while there is none (before the first map is drawn and
    // after the user closed it).
    starmap *chartWindow() const;

    // The two open commands once their file is chosen: read, then draw, each failure shown
    // in a message box. Files given on the command line go through them too.
    // openMap returns false when the map could not be read (the message has been shown).
    bool openMap(const QString &path);
    void openReport(const QString &path);
    // Files given at once (command line, file manager): the map first, the last one if
    // there are several, then the reports in the order given (openOrder). A file named
    // neither *.map nor *.pla is a map when it comes first, a report after. Without a map
    // among them the reports need a map already loaded.
    void openFiles(const QStringList &paths);
    // A map, then its reports in order; the reports are not read when the map fails.
    void openMapAndReports(const QString &map, const QStringList &reports);

    // From now on remember the recent files and the window's place in `settings`, and
    // take the window back to where it was last, where that still fits on a screen. Until
    // this is called nothing is remembered. Kept race colours live there too; without
    // settings, keeping colours does nothing and none is applied.
    void useSettings(Settings &settings);
    RecentMenu *recentMenu() const { return m_recentMenu; }

    // The chart explorer, or nullptr while it is not open.
    ChartExplorer *explorerWindow() const;
    // Opens the one chart explorer or brings it forward; needs a map.
    void showChartExplorer();

    // Redraws the chart at the current view, reopening a closed chart window; nothing
    // before a map is loaded. The race colours dialog calls it after a colour change.
    void redrawChart();
    // Shows the one race colours dialog without blocking, or brings it forward.
    void showRaceColours();

    // A planet picked in a list: centres the chart on it as a successful search does and
    // rings it for a moment, reopening a closed chart window; then planetChosen. Nothing
    // before a map is loaded or for an index outside the table.
    void choosePlanet(int index);
    // Redraws the chart after a race's colour or style changed, then coloursChanged.
    void raceColoursChanged();
    // The map open now and the reports merged since.
    const LoadHistory &loaded() const { return m_loaded; }
    // Takes the last merged report back: the tables as they were before it, every window
    // following. Nothing while no report is merged.
    void undoLastReport();
    // The status bar's line about the last report: how many of its lines matched the map,
    // in the warning style when fewer than half of its owned lines did.
    QLabel *reportFit() const { return m_reportFit; }

    // The planet list and the race overview, shown in the workspace or brought forward;
    // nullptr while closed.
    void showPlanetList();
    void showRaceOverview();
    void showChanges();
    PlanetList *planetList() const;
    RaceOverview *raceOverview() const;
    ChangeList *changeList() const;
    // Remembers every race's colour and style by name; from then on a report that brings a
    // race of that name gives it them.
    void keepRaceColours();
    // Forgets the kept colours and puts the default palette back on every slot.
    void defaultRaceColours();

    // Map > Colour Scheme: the scheme's palette on every slot, as opening a map puts it, then
    // the kept colours; remembered in the settings when `remember` (the command line's
    // choice lasts one run).
    void setColourScheme(ColourScheme scheme, bool remember = true);
    ColourSchemeMenu *colourSchemeMenu() const { return m_schemeMenu; }

    // The empty workspace's start panel; nullptr once a map has opened.
    StartPanel *startPanel() const;
    // Help > Open Sample Universe: the sample's map and reports, from the first of `folders`
    // that holds them (by default beside the installed program, then the source tree).
    void openSampleUniverse();
    void setSampleFolders(const QStringList &folders) { m_sampleFolders = folders; }

signals:
    // Where windows that show the data hear of its changes. A new map replaced the planet
    // table (and reset the colours): everything shown before is gone.
    void mapOpened();
    // A report was merged; the planets are in a new order.
    void reportMerged();
    // The last report was taken back; the planets are in their order before it.
    void reportUndone();
    // A race's colour or style changed, and with it its planets'.
    void coloursChanged();
    // The user closed the chart window.
    void chartClosed();
    // choosePlanet centred the chart on planet `index` (Star_Table order at that moment).
    void planetChosen(int index);

public:
    static constexpr int kStatusRepaintMs = 40;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Files dropped on the window open as openFiles does; anything else is refused with one
    // message that names it.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void MDIForm_Load(const std::function<void()> &showSplash);
    void buildMenus();
    void showStatus();
    bool requireMap();
    // The chart window, created and shown on first use.
    starmap *chart();

    void mnu_Open_Click();
    void mnuOpenPlayerFile_Click();
    void mnuSaveBmp_Click();
    void mnu_Exit_Click();
    void mnu_Center_Click();
    void mnuPlayerColors_Click();
    // Kept colours for the races from `fromSlot` on; true when any race took one.
    bool applyKeptColours(int fromSlot);
    // The undo item is there while a report is merged.
    void updateUndo();
    void showReportFit(const QString &text, bool warning = false);
    // The explorer marks what `list` keeps of its report's changes, or without the changes
    // window the last report's changes.
    void updateChangeMarks(const ChangeList *list);
    void updateChangeMarks();
    void mnuAbout_Click();

    Globals &m_globals;
    CommonDialog &m_dialog;
    Workspace *m_workspace;
    QPointer<starmap> m_chart;
    QPointer<ChartExplorer> m_explorer;
    QPointer<QWidget> m_raceColours; // frmColor, which deletes itself when closed
    std::unique_ptr<Registry> m_registry = systemRegistry();
    std::unique_ptr<Programs> m_programs = systemPrograms();
    LoadHistory m_loaded;
    // Where the report dialog starts: the folder of a map just opened, whose reports are
    // likely beside it, until a report is read; empty: where the last report came from.
    QString m_reportFolder;
    RecentMenu *m_recentMenu = nullptr;
    Settings *m_settings = nullptr;
    ColourSchemeMenu *m_schemeMenu = nullptr;
    QPointer<StartPanel> m_startPanel;
    QStringList m_sampleFolders;
    QPointer<PlanetList> m_planetList;
    QPointer<RaceOverview> m_raceOverview;
    QPointer<ChangeList> m_changeList;
    QAction *m_undoReport = nullptr;
    QLabel *m_reportFit = nullptr;
    // Hears of the changes window's closing. A member, so that it is gone before the
    // workspace deletes its windows when the main window itself goes.
    QObject m_changesClosing;

    QString m_status;
    QElapsedTimer m_statusShown;
    QTimer m_statusFlush;
};

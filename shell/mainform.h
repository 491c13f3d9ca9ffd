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

class QMdiArea;
class ChartExplorer;
class starmap;

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

    // Where the chart window lives.
    QMdiArea *workspace() const { return m_workspace; }
    // The chart window, or nullptr while there is none (before the first map is drawn and
    // after the user closed it).
    starmap *chartWindow() const;

    // The two open commands once their file is chosen: read, then draw, each failure shown
    // in a message box. Files given on the command line go through them too.
    // openMap returns false when the map could not be read (the message has been shown).
    bool openMap(const QString &path);
    void openReport(const QString &path);
    // The first file as a map, every further one as a report, in order; a first file
    // named *.pla is a report like the rest, so all of them need a map already loaded.
    void openFiles(const QStringList &paths);

    // The chart explorer, or nullptr while it is not open.
    ChartExplorer *explorerWindow() const;

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

signals:
    // Where windows that show the data hear of its changes. A new map replaced the planet
    // table (and reset the colours): everything shown before is gone.
    void mapOpened();
    // A report was merged, in full or up to a failing line; the planets are in a new order.
    void reportMerged();
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
    void mnuChartExplorer_Click();
    void mnuAbout_Click();

    Globals &m_globals;
    CommonDialog &m_dialog;
    QMdiArea *m_workspace;
    QPointer<starmap> m_chart;
    QPointer<ChartExplorer> m_explorer;
    QPointer<QWidget> m_raceColours; // frmColor, which deletes itself when closed
    std::unique_ptr<Registry> m_registry = systemRegistry();
    std::unique_ptr<Programs> m_programs = systemPrograms();
    LoadHistory m_loaded;

    QString m_status;
    QElapsedTimer m_statusShown;
    QTimer m_statusFlush;
};

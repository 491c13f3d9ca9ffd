#include "mainform.h"

#include "frmabout.h"
#include "palette.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

namespace {

const QString kOpenMapFirst = QStringLiteral("Please open a map first.");
const QString kDisplayMapFirst = QStringLiteral("Please display map first.");

} // namespace

mainform::mainform(Globals &globals, CommonDialog &dialog, const std::function<void()> &showSplash,
                   QWidget *parent)
    : QMainWindow(parent), m_globals(globals), m_dialog(dialog)
{
    setObjectName(QStringLiteral("mainform"));
    m_workspace = new QMdiArea(this);
    m_workspace->setObjectName(QStringLiteral("workspace"));
    setCentralWidget(m_workspace);
    buildMenus();
    resize(1024, 768);

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
                          void (mainform::*handler)()) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, handler);
    };

    QMenu *file = addMenu("mnu_File", QStringLiteral("&File"));
    addItem(file, "mnu_Open", QStringLiteral("&Open Map File"), &mainform::mnu_Open_Click);
    addItem(file, "mnuOpenPlayerFile", QStringLiteral("Open &Player File"),
            &mainform::mnuOpenPlayerFile_Click);
    addItem(file, "mnuSaveBmp", QStringLiteral("&Save Map as Bitmap"), &mainform::mnuSaveBmp_Click);
    file->addSeparator()->setObjectName(QStringLiteral("mnu_bar"));
    addItem(file, "mnu_Exit", QStringLiteral("E&xit"), &mainform::mnu_Exit_Click);

    QMenu *map = addMenu("mnu_Map", QStringLiteral("&Map"));
    addItem(map, "mnu_Center", QStringLiteral("&Center"), &mainform::mnu_Center_Click);
    addItem(map, "mnuPlayerColors", QStringLiteral("&Player Colors"),
            &mainform::mnuPlayerColors_Click);

    QMenu *help = addMenu("mnuHelp", QStringLiteral("&Help"));
    addItem(help, "mnuAbout", QStringLiteral("&About"), &mainform::mnuAbout_Click);
}

void mainform::setStatus(const QString &text)
{
    m_status = text;
    if (m_statusShown.isValid() && !m_statusShown.hasExpired(kStatusRepaintMs)) {
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

void mainform::closeEvent(QCloseEvent *event)
{
    // The chart window goes first, so that its own closing clears Chart_Shown.
    m_workspace->closeAllSubWindows();
    QMainWindow::closeEvent(event);
}

// Opening a map has no guard: it also replaces a map that is already loaded. The command
// itself comes with the chart window, which it draws into.
void mainform::mnu_Open_Click() {}

// Reports are matched to the map's planets, so they need a map first.
void mainform::mnuOpenPlayerFile_Click()
{
    if (!m_globals.Map_Loaded) {
        m_dialog.message(kOpenMapFirst);
        return;
    }
}

// The map test comes first: without a map there is no chart to display.
void mainform::mnuSaveBmp_Click()
{
    if (!m_globals.Map_Loaded) {
        m_dialog.message(kOpenMapFirst);
        return;
    }
    if (!m_globals.Chart_Shown) {
        m_dialog.message(kDisplayMapFirst);
        return;
    }
}

void mainform::mnu_Exit_Click()
{
    close();
}

void mainform::mnu_Center_Click()
{
    if (!m_globals.Map_Loaded) {
        m_dialog.message(kOpenMapFirst);
        return;
    }
}

// The race colours dialog needs no map: before any report it lists the 16 empty slots.
void mainform::mnuPlayerColors_Click() {}

void mainform::mnuAbout_Click()
{
    frmAbout about(m_dialog, *m_registry, *m_programs, this);
    about.exec();
}

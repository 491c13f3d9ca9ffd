#include "mainwindowfixture.h"

#include <QAction>
#include <QTest>

const QList<MapLine> MainWindowFixture::kPlanets = {
    {"1200", "1100", "Alpha"}, {"2000", "1800", "North"}, {"1500", "1300", "Beta"},
    {"1700", "1500", "Gamma"}, {"1000", "1600", "Delta"},
};
const QList<ReportLine> MainWindowFixture::kReport = {
    {"Alpha", "Zorn", "SB", "1", "25000"},
    {"Beta", "Vell", "", "2", "1000000"},
};

MainWindowFixture::MainWindowFixture(const QList<ReportLine> &moreReport, Settings *settings,
                                     QSize size)
    : form(g, dialog, {})
{
    if (settings)
        form.useSettings(*settings);
    if (!size.isEmpty())
        form.resize(size);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        qFatal("the main window did not show");
    mapPath = files.write("universe.map", mapText(kPlanets));
    reportPath = files.write("player.pla", reportText(kReport + moreReport));
}

QAction *MainWindowFixture::item(const char *name) const
{
    auto *action = form.findChild<QAction *>(QLatin1String(name));
    if (!action)
        qFatal("no menu item %s", name);
    return action;
}

void MainWindowFixture::trigger(const char *name) const
{
    item(name)->trigger();
}

void MainWindowFixture::openMap(const QString &path)
{
    dialog.answerFile(path);
    trigger("mnu_Open");
}

void MainWindowFixture::openReport(const QString &path)
{
    dialog.answerFile(path);
    trigger("mnuOpenPlayerFile");
}

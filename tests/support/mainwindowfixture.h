// A main window as a user meets it, without the splash: shown, answering through a scripted
// dialog, with a map and a report file of its own for the Open commands.
#pragma once

#include "mainform.h"
#include "scripteddialog.h"
#include "testfiles.h"

#include <QSize>

class QAction;
class Settings;

struct MainWindowFixture {
    // The map at mapPath: extent 950..2150 by 950..1850, default centre (1550, 1400).
    static const QList<MapLine> kPlanets;
    // The start of the report at reportPath: Zorn owns Alpha, with a starbase, Vell Beta.
    static const QList<ReportLine> kReport;

    // The report goes on with `moreReport`. `settings`, when given, is used instead of the
    // user's; an empty `size` leaves the window at its own size.
    explicit MainWindowFixture(const QList<ReportLine> &moreReport = {},
                               Settings *settings = nullptr, QSize size = {});

    // The menu item called `name`; a missing one ends the run, as no test can go on.
    QAction *item(const char *name) const;
    void trigger(const char *name) const;
    // Opens the file through its menu item, the dialog answering with `path`.
    void openMap(const QString &path);
    void openReport(const QString &path);

    TestFiles files;
    Globals g;
    ScriptedDialog dialog;
    mainform form;
    QString mapPath;
    QString reportPath;
};

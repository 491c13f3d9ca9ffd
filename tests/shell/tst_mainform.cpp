#include "mainform.h"
#include "modalcloser.h"
#include "mapreader.h"
#include "palette.h"
#include "scripteddialog.h"
#include "starmap.h"
#include "testfiles.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWindow>

using Kind = ScriptedDialog::Kind;

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void startUp();
    void menuTree();
    void guards_data();
    void guards();
    void exitClosesChartWindowToo();
    void aboutIsModal();
    void statusEndsOnLastText();
    void statusShowsBracketsLiterally();
};

namespace {

QAction *item(mainform &form, const char *name)
{
    auto *action = form.findChild<QAction *>(QLatin1String(name));
    if (!action)
        qFatal("no menu item %s", name);
    return action;
}

} // namespace

void TestMainForm::startUp()
{
    Globals g;
    // Leftovers that the start-up must overwrite.
    g.Last_Player_Index = 3;
    g.Map_Loaded = true;
    g.Zoom_Step = 5;
    g.Zoom_Steps = 2;
    g.Player_Table[2].Player_Color = 0x123456;

    ScriptedDialog dialog;
    bool splashShown = false;
    mainform *formSeen = nullptr;
    Globals atSplash;
    const auto splash = [&] {
        splashShown = true;
        atSplash = g;
        // Alone on screen: the main window appears only after the splash.
        const auto tops = QApplication::topLevelWidgets();
        for (QWidget *w : tops)
            if (auto *f = qobject_cast<mainform *>(w))
                formSeen = f;
    };
    mainform form(g, dialog, splash);

    QVERIFY(splashShown);
    QVERIFY(formSeen && !formSeen->isVisible());
    // The palette and the start-up values are in place before the splash shows.
    QCOMPARE(atSplash.Last_Player_Index, qint16(-1));
    QVERIFY(!atSplash.Map_Loaded);
    QCOMPARE(atSplash.Zoom_Step, qint16(0));
    QCOMPARE(atSplash.Zoom_Steps, qint16(10));
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        QCOMPARE(atSplash.Player_Table[slot].Player_Color, kDefaultPalette[slot].color);
        QCOMPARE(atSplash.Player_Table[slot].Player_Style, kDefaultPalette[slot].style);
    }

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("Quelmar Kavora"));
    QVERIFY(form.workspace()->subWindowList().isEmpty());
    QVERIFY(!g.Chart_Shown);
    QVERIFY(dialog.asked().isEmpty());

    // Without a splash the start-up still sets everything.
    Globals quiet;
    quiet.Map_Loaded = true;
    mainform noSplash(quiet, dialog, {});
    QVERIFY(!quiet.Map_Loaded);
}

void TestMainForm::menuTree()
{
    Globals g;
    ScriptedDialog dialog;
    mainform form(g, dialog, {});

    struct Item {
        QString name, caption; // a separator has the caption "-"
    };
    struct Menu {
        QString name, caption;
        QList<Item> items;
    };
    const QList<Menu> expected = {
        {"mnu_File",
         "&File",
         {{"mnu_Open", "&Open Map File"},
          {"mnuOpenPlayerFile", "Open &Player File"},
          {"mnuUndoReport", "&Undo Last Report"},
          {"mnuSaveBmp", "&Save Map as Bitmap"},
          {"mnu_bar", "-"},
          {"mnu_Exit", "E&xit"}}},
        {"mnu_Map",
         "&Map",
         {{"mnu_Center", "&Center"},
          {"mnuPlayerColors", "&Player Colors"},
          {"mnuPlanetList", "Planet &List"},
          {"mnuRaceOverview", "&Race Overview"},
          {"mnuChartExplorer", "Chart &Explorer"},
          {"mnuChanges", "C&hanges"},
          {"mnuColourScheme", "Colour &Scheme"}}},
        {"mnuHelp", "&Help", {{"mnuAbout", "&About"}, {"mnuSampleUniverse", "Open &Sample Universe"}}},
    };

    const QList<QAction *> bar = form.menuBar()->actions();
    QCOMPARE(bar.size(), expected.size());
    for (qsizetype m = 0; m < expected.size(); ++m) {
        QMenu *menu = bar[m]->menu();
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), expected[m].name);
        QCOMPARE(bar[m]->text(), expected[m].caption);
        QVERIFY(bar[m]->isEnabled() && bar[m]->isVisible());

        const QList<QAction *> items = menu->actions();
        QCOMPARE(items.size(), expected[m].items.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            const Item &want = expected[m].items[i];
            QCOMPARE(items[i]->objectName(), want.name);
            QCOMPARE(items[i]->isSeparator(), want.caption == QLatin1String("-"));
            if (!items[i]->isSeparator())
                QCOMPARE(items[i]->text(), want.caption);
            // Undo waits for a report to take back.
            QCOMPARE(items[i]->isEnabled(), want.name != QLatin1String("mnuUndoReport"));
            QVERIFY(items[i]->isVisible());
        }
    }
}

void TestMainForm::guards_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("mapLoaded");
    QTest::addColumn<bool>("chartShown");
    QTest::addColumn<QStringList>("messages");

    const QStringList openMap{"Please open a map first."};
    QTest::newRow("report before map") << "mnuOpenPlayerFile" << false << false << openMap;
    QTest::newRow("centre before map") << "mnu_Center" << false << false << openMap;
    QTest::newRow("save before map") << "mnuSaveBmp" << false << false << openMap;
    // The map test comes first, even when a chart window is somehow marked as shown.
    QTest::newRow("save: map test first") << "mnuSaveBmp" << false << true << openMap;
    QTest::newRow("save with chart closed")
        << "mnuSaveBmp" << true << false << QStringList{"Please display map first."};
    // These two need no map.
    QTest::newRow("open map before map") << "mnu_Open" << false << false << QStringList{};
    QTest::newRow("colours before map") << "mnuPlayerColors" << false << false << QStringList{};
}

void TestMainForm::guards()
{
    QFETCH(QString, item);
    QFETCH(bool, mapLoaded);
    QFETCH(bool, chartShown);
    QFETCH(QStringList, messages);

    Globals g;
    ScriptedDialog dialog;
    mainform form(g, dialog, {});
    g.Map_Loaded = mapLoaded;
    g.Chart_Shown = chartShown;
    const Globals before = g;

    ::item(form, qPrintable(item))->trigger();

    QCOMPARE(dialog.messages(), messages);
    if (!messages.isEmpty()) {
        // A refused command asks nothing else and changes nothing.
        QCOMPARE(dialog.asked().size(), messages.size());
        QCOMPARE(g.Map_Loaded, before.Map_Loaded);
        QCOMPARE(g.Player_Table, before.Player_Table);
        QCOMPARE(g.Map_File_Name, before.Map_File_Name);
        QCOMPARE(g.Player_File_Name, before.Player_File_Name);
    }
}

void TestMainForm::exitClosesChartWindowToo()
{
    TestFiles files;
    Globals g;
    ScriptedDialog dialog;
    mainform form(g, dialog, {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.openMap(files.write("one.map", mapText({{"1000", "1000", "One"}})));
    QVERIFY(g.Chart_Shown);
    const QPointer<QWidget> chart = form.chartWindow();

    item(form, "mnu_Exit")->trigger();

    QVERIFY(!form.isVisible());
    QVERIFY(!g.Chart_Shown);
    QVERIFY(!chart || !chart->isVisible());
    QVERIFY(dialog.asked().isEmpty());
}

void TestMainForm::aboutIsModal()
{
    Globals g;
    ScriptedDialog dialog;
    mainform form(g, dialog, {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QString seenTitle;
    bool wasModal = false;
    const ModalCloser closer([&](QWidget *box) {
        seenTitle = box->windowTitle();
        wasModal = box->isModal() && box->isVisible();
    });
    item(form, "mnuAbout")->trigger(); // returns only when the box has closed

    QVERIFY2(closer.seen(), "the about box never became the active modal window");
    QCOMPARE(seenTitle, QStringLiteral("About Kavora for Quelmar"));
    QVERIFY(wasModal);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(form.isVisible());
}

void TestMainForm::statusEndsOnLastText()
{
    TestFiles files;
    Globals g;
    ScriptedDialog dialog;
    mainform form(g, dialog, {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QList<MapLine> planets;
    for (int i = 0; i < 2000; ++i)
        planets << MapLine{QString::number(1000 + i), QString::number(1000 + i % 97),
                           QStringLiteral("P%1").arg(i)};
    g.Map_File_Name = files.write("many.map", mapText(planets));
    Open_Map_File(g, form.statusFn());

    QCOMPARE(form.status(), g.Map_File_Name);
    QTRY_COMPARE(form.windowTitle(), g.Map_File_Name);
    QTRY_COMPARE(form.windowHandle()->title(), g.Map_File_Name);

    // The report reader's last words, one straight after the other.
    form.setStatus(QStringLiteral("Processing number 3"));
    form.setStatus(QStringLiteral("Sorting..."));
    form.setStatus(QStringLiteral("Done!"));
    QCOMPARE(form.status(), QStringLiteral("Done!"));
    QTRY_COMPARE(form.windowTitle(), QStringLiteral("Done!"));
}

void TestMainForm::statusShowsBracketsLiterally()
{
    Globals g;
    ScriptedDialog dialog;
    mainform form(g, dialog, {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // A planet may be named "[*]", which a Qt title would otherwise hide.
    form.setStatus(QStringLiteral("7:[*]"));
    QTRY_COMPARE(form.windowHandle()->title(), QStringLiteral("7:[*]"));
    QCOMPARE(form.status(), QStringLiteral("7:[*]"));
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"

// The main window's additions for a first meeting and for every eye: the start panel of the
// empty workspace, the sample universe, and the colour scheme chosen in the Map menu.
#include "colourschememenu.h"
#include "keptcolours.h"
#include "mainform.h"
#include "mainwindowfixture.h"
#include "palette.h"
#include "racecolours.h"
#include "recentmenu.h"
#include "sampleuniverse.h"
#include "settings.h"
#include "startpanel.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestStartAndScheme : public QObject {
    Q_OBJECT
private slots:
    void startPanelUntilAMapOpens();
    void startPanelListsRecentMaps();
    void sampleFolders();
    void sampleUniverseFromTheHelpMenu();
    void schemeRecoloursKeepingKeptColours();
    void schemeIsRemembered();
};

namespace {

const ColourScheme Distinct = ColourScheme::Distinct;

int slotNamed(const Globals &g, const QString &name)
{
    return findRace(g, name);
}

} // namespace

void TestStartAndScheme::startPanelUntilAMapOpens()
{
    MainWindowFixture f;
    StartPanel *panel = f.form.startPanel();
    QVERIFY(panel && panel->isVisible());
    // It sits in the workspace and gets the keyboard first.
    QVERIFY(f.form.workspace()->isAncestorOf(panel));
    QCOMPARE(QApplication::focusWidget(), panel->openButton());
    QCOMPARE(panel->openButton()->text(), QStringLiteral("Open Map File..."));
    QCOMPARE(panel->sampleButton()->text(), QStringLiteral("Open the Sample Universe"));
    QTest::keyClick(panel->openButton(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), panel->sampleButton());
    panel->openButton()->setFocus();

    // Its button is the menu command: the dialog asks for a map. Cancelled, the panel stays.
    f.dialog.cancelNext();
    panel->openButton()->click();
    QCOMPARE(f.dialog.asked().size(), 1);
    QVERIFY(f.form.startPanel());

    f.dialog.answerFile(f.mapPath);
    panel->openButton()->click();
    QVERIFY(f.g.Map_Loaded);
    QVERIFY(!f.form.startPanel());
    QVERIFY(panel->isHidden());
}

void TestStartAndScheme::startPanelListsRecentMaps()
{
    QTemporaryDir dir;
    Settings settings(dir.filePath("kavora.ini"));
    MainWindowFixture f({}, &settings);
    StartPanel *panel = f.form.startPanel();
    QVERIFY(panel->recentButtons().isEmpty());

    // What the File menu lists, the panel lists; recorded as a map opens. A second window
    // on the same settings starts with it.
    f.form.recentMenu()->record(LoadHistory{f.mapPath, 5, {}, {}});
    QCOMPARE(panel->recentButtons().size(), 1);
    QCOMPARE(panel->recentButtons()[0]->text(), f.form.recentMenu()->items()[0]->text());
    panel->openButton()->setFocus();
    QTest::keyClick(panel->openButton(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), panel->recentButtons()[0]);
    QTest::keyClick(panel->recentButtons()[0], Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), panel->sampleButton());

    panel->recentButtons()[0]->click();
    QCOMPARE(f.g.Map_File_Name, QFileInfo(f.mapPath).absoluteFilePath());
    QVERIFY(!f.form.startPanel());
}

void TestStartAndScheme::sampleFolders()
{
    // Installed: bin/kavora finds share/kavora/examples; the source tree comes after it.
    QTemporaryDir prefix;
    const QStringList folders = ::sampleFolders(prefix.filePath("bin"));
    QCOMPARE(folders.size(), 2);
    QCOMPARE(folders[0], QDir::cleanPath(prefix.filePath("share/kavora/examples")));

    QVERIFY(!findSampleUniverse({prefix.path()}));
    QVERIFY(QDir().mkpath(folders[0]));
    for (const char *name : {"universe.map", "turn41.pla"})
        QVERIFY(QFile::copy(QString::fromUtf8(KAVORA_SAMPLE_DIR "/") + name,
                            folders[0] + u'/' + name));
    // Not all of it: the next folder is tried.
    QCOMPARE(findSampleUniverse(folders)->map, QDir(KAVORA_SAMPLE_DIR).filePath("universe.map"));
    QVERIFY(QFile::copy(QString::fromUtf8(KAVORA_SAMPLE_DIR "/turn42.pla"),
                        folders[0] + QStringLiteral("/turn42.pla")));
    const std::optional<SampleUniverse> sample = findSampleUniverse(folders);
    QCOMPARE(sample->map, folders[0] + QStringLiteral("/universe.map"));
    QCOMPARE(sample->reports,
             (QStringList{folders[0] + QStringLiteral("/turn41.pla"), folders[0] + QStringLiteral("/turn42.pla")}));
}

void TestStartAndScheme::sampleUniverseFromTheHelpMenu()
{
    MainWindowFixture f;
    QTemporaryDir empty;
    f.form.setSampleFolders({empty.path()});
    f.trigger("mnuSampleUniverse");
    QCOMPARE(f.dialog.messages().size(), 1);
    QVERIFY(f.dialog.messages()[0].contains(empty.path()));
    QVERIFY(!f.g.Map_Loaded);

    f.form.setSampleFolders({QStringLiteral(KAVORA_SAMPLE_DIR)});
    f.form.startPanel()->sampleButton()->click();
    QCOMPARE(f.dialog.messages().size(), 1);
    QCOMPARE(f.g.Star_Table.size(), size_t(800));
    QCOMPARE(f.form.loaded().reports.size(), 2);
    QCOMPARE(f.g.Last_Player_Index, qint16(8));
}

void TestStartAndScheme::schemeRecoloursKeepingKeptColours()
{
    QTemporaryDir dir;
    Settings settings(dir.filePath("kavora.ini"));
    MainWindowFixture f({}, &settings);
    ColourSchemeMenu *menu = f.form.colourSchemeMenu();
    QVERIFY(menu->item(ColourScheme::Classic)->isChecked());
    f.openMap(f.mapPath);
    f.openReport(f.reportPath);
    const int zorn = slotNamed(f.g, "Zorn");
    const int vell = slotNamed(f.g, "Vell");

    // Zorn's colour is kept, Vell's only picked: a scheme change resets Vell, as a map does.
    Globals keptOnly;
    keptOnly.Player_Table[0] = {0x123456, QStringLiteral("Zorn"), FillCross, {}, {}};
    keptOnly.Last_Player_Index = 0;
    keepColours(settings, keptOnly);
    setRaceColor(f.g, vell, 0x654321);

    menu->item(Distinct)->trigger();
    QCOMPARE(f.g.colourScheme, Distinct);
    QVERIFY(menu->item(Distinct)->isChecked() && !menu->item(ColourScheme::Classic)->isChecked());
    QCOMPARE(f.g.Player_Table[zorn].Player_Color, PackedColor(0x123456));
    QCOMPARE(f.g.Player_Table[zorn].Player_Style, qint16(FillCross));
    QCOMPARE(f.g.Player_Table[vell].Player_Color, kDistinctPalette[vell].color);
    QCOMPARE(f.g.Player_Table[vell].Player_Style, kDistinctPalette[vell].style);
    for (const Star_Object &planet : f.g.Star_Table) {
        if (planet.Owner == u"Vell")
            QCOMPARE(*planet.Style, kDistinctPalette[vell].style);
    }
    for (int slot = vell + 1; slot < kPlayerSlots; ++slot)
        QCOMPARE(f.g.Player_Table[slot].Player_Color, kDistinctPalette[slot].color);

    // The next map keeps the scheme.
    f.openMap(f.mapPath);
    QCOMPARE(f.g.Player_Table[vell].Player_Color, kDistinctPalette[vell].color);
}

void TestStartAndScheme::schemeIsRemembered()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kavora.ini");
    {
        Settings settings(file);
        MainWindowFixture f({}, &settings);
        f.trigger("mnuSchemeDistinct");
        // The command line's choice holds for its run only.
        f.form.setColourScheme(ColourScheme::Classic, false);
    }
    Settings settings(file);
    MainWindowFixture f({}, &settings);
    QCOMPARE(f.g.colourScheme, Distinct);
    QVERIFY(f.form.colourSchemeMenu()->item(Distinct)->isChecked());
    QCOMPARE(f.g.Player_Table[0].Player_Color, kDistinctPalette[0].color);

    // A damaged entry is the classic scheme.
    settings.setText(QStringLiteral("palette/scheme"), QStringLiteral("plaid"));
    MainWindowFixture again({}, &settings);
    QCOMPARE(again.g.colourScheme, ColourScheme::Classic);
}

QTEST_MAIN(TestStartAndScheme)
#include "tst_startandscheme.moc"

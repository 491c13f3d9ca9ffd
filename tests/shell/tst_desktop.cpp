// The main window as a desktop uses it: files dropped on it, several files at once, the
// recent files and dialog folders remembered across runs, and the window's place.
#include "mainform.h"
#include "openfiles.h"
#include "recentmenu.h"
#include "rememberedfolders.h"
#include "scripteddialog.h"
#include "settings.h"
#include "testfiles.h"
#include "windowplacement.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTest>

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void openOrderRules_data();
    void openOrderRules();
    void dropOpensMapThenReports();
    void dropRefusesWhatIsNotAMapOrReport();
    void dropWithoutMap();
    void dropNameNotUtf8();
    void longRefusalsStayShort();
    void recentFilesAcrossRuns();
    void recentFileGoneOrUnreadable();
    void recentReportThatIsAFolder();
    void dialogFoldersAcrossRuns();
    void damagedSettingsStartClean_data();
    void damagedSettingsStartClean();
    void windowPlace();
};

namespace {

const QList<MapLine> kPlanets = {{"1200", "1100", "Alpha"}, {"2000", "1800", "Beta"}};

QByteArray reportOf(const QString &race)
{
    return reportText({{"Alpha", race, "", "1", "100"}});
}

// One run of Kavora's main window on a settings file that outlives it.
struct Run {
    explicit Run(const QString &settingsFile)
        : settings(settingsFile), dialog(scripted, settings), form(g, dialog, {})
    {
        form.useSettings(settings);
    }

    QAction *item(const QString &name) const { return form.findChild<QAction *>(name); }
    QStringList fileMenu() const
    {
        QStringList captions;
        for (QAction *a : form.findChild<QMenu *>("mnu_File")->actions())
            if (a->isVisible())
                captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return captions;
    }
    QStringList reportsRead() const
    {
        QStringList paths;
        for (const LoadedReport &r : form.loaded().reports)
            paths << r.path;
        return paths;
    }
    void drop(const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &drop);
        QVERIFY(drop.isAccepted());
    }

    Globals g;
    Settings settings;
    ScriptedDialog scripted;
    RememberedFolders dialog;
    mainform form;
};

struct Files {
    Files()
    {
        map = files.write("universe.map", mapText(kPlanets));
        other = files.write("other.map", mapText(kPlanets));
        turn1 = files.write("turn1.pla", reportOf("Zorn"));
        turn2 = files.write("turn2.pla", reportOf("Vell"));
        settings = files.path("kavora.ini");
    }
    TestFiles files;
    QString map, other, turn1, turn2, settings;
};

QUrl local(const QString &path)
{
    return QUrl::fromLocalFile(path);
}

} // namespace

void TestDesktop::openOrderRules_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QString>("map");
    QTest::addColumn<QStringList>("reports");
    QTest::newRow("map then reports") << QStringList{"u.map", "a.pla", "b.pla"} << "u.map"
                                      << QStringList{"a.pla", "b.pla"};
    QTest::newRow("reports before the map") << QStringList{"b.pla", "u.MAP", "a.pla"} << "u.MAP"
                                            << QStringList{"b.pla", "a.pla"};
    QTest::newRow("the last of two maps") << QStringList{"u.map", "a.pla", "v.map"} << "v.map"
                                          << QStringList{"a.pla"};
    QTest::newRow("any names, by place") << QStringList{"u.txt", "a.txt", "b"} << "u.txt"
                                         << QStringList{"a.txt", "b"};
    QTest::newRow("reports alone") << QStringList{"a.pla", "b.txt"} << QString()
                                   << QStringList{"a.pla", "b.txt"};
}

void TestDesktop::openOrderRules()
{
    QFETCH(QStringList, given);
    QFETCH(QString, map);
    QFETCH(QStringList, reports);
    QCOMPARE(openOrder(given), (OpenOrder{map, reports}));
}

void TestDesktop::dropOpensMapThenReports()
{
    Files f;
    Run run(f.settings);
    run.drop({local(f.turn2), local(f.other), local(f.turn1), local(f.map)});
    QCOMPARE(run.scripted.asked().size(), 0);
    QCOMPARE(run.g.Map_File_Name, f.map);
    QCOMPARE(run.reportsRead(), (QStringList{f.turn2, f.turn1}));
    QCOMPARE(run.g.Player_Table[0].Player_Name, QStringLiteral("Vell"));
    QCOMPARE(run.g.Player_Table[1].Player_Name, QStringLiteral("Zorn"));

    // The command line and a file manager's %F follow the same rules.
    Run line(f.settings);
    line.form.openFiles({f.turn1, f.map, f.turn2});
    QCOMPARE(line.g.Map_File_Name, f.map);
    QCOMPARE(line.reportsRead(), (QStringList{f.turn1, f.turn2}));
}

void TestDesktop::dropRefusesWhatIsNotAMapOrReport()
{
    Files f;
    const QString notes = f.files.write("notes.txt", "hello");
    const QString folder = f.files.path("folder.map");
    QVERIFY(QDir().mkpath(folder));
    const QString vanished = f.files.write("vanished.pla", reportOf("Zorn"));
    QVERIFY(QFile::remove(vanished));

    Run run(f.settings);
    run.drop({local(notes), local(f.map), QUrl("https://example.org/u.map"), local(folder),
              local(vanished), local(f.turn1)});
    const QStringList messages = run.scripted.messages();
    QCOMPARE(messages.size(), 1);
    for (const QString &name : {notes, QStringLiteral("https://example.org/u.map"), folder, vanished})
        QVERIFY2(messages[0].contains(name), qPrintable(messages[0]));
    QVERIFY(!messages[0].contains(f.map) && !messages[0].contains(f.turn1));
    // What could be opened was opened all the same.
    QCOMPARE(run.g.Map_File_Name, f.map);
    QCOMPARE(run.reportsRead(), QStringList{f.turn1});

    // Nothing but refused files: the message alone, nothing read.
    Run other(f.settings);
    other.drop({local(notes)});
    QCOMPARE(other.scripted.messages().size(), 1);
    QVERIFY(!other.g.Map_Loaded);

    // A drag without files is not taken.
    QMimeData text;
    text.setText("Alpha");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(&other.form, &enter);
    QVERIFY(!enter.isAccepted());
}

// A name that is not UTF-8 is refused by its bytes, not opened as the file whose name it
// decodes to.
void TestDesktop::dropNameNotUtf8()
{
    TestFiles files;
    const QString decoded = files.write(QStringLiteral("bad\uFFFDout.map"), mapText(kPlanets));
    const QByteArray encoded = QUrl::fromLocalFile(QFileInfo(decoded).absolutePath()).toEncoded();
    const DroppedFiles dropped = droppedFiles({QUrl::fromEncoded(encoded + "/bad%FFout.map")});
    QCOMPARE(dropped.order, OpenOrder());
    QCOMPARE(dropped.refused.size(), 1);
    QVERIFY2(dropped.refused[0].contains(u"bad\\xFFout.map") &&
                 dropped.refused[0].contains(u"not UTF-8"),
             qPrintable(dropped.refused[0]));
}

// However many files are refused, the message names a few and counts the rest, so it fits
// on a screen with its OK button.
void TestDesktop::longRefusalsStayShort()
{
    QStringList refused;
    for (int i = 0; i < 400; ++i)
        refused << QStringLiteral("/home/u/photo%1.jpg (neither a map nor a planet report)").arg(i);
    const QString message = refusalMessage(refused);
    QVERIFY2(message.count(u'\n') <= 7, qPrintable(message));
    QVERIFY(message.contains(refused[0]) && message.contains(refused[4]));
    QVERIFY(!message.contains(refused[5]));
    QVERIFY(message.endsWith(u"and 395 more"));
    QCOMPARE(refusalMessage(refused.first(5)).count(u'\n'), 5); // five are named in full
    QVERIFY(refusalMessage(refused.first(6)).endsWith(u"and 1 more"));
}

void TestDesktop::dropWithoutMap()
{
    Files f;
    Run run(f.settings);
    run.drop({local(f.turn1), local(f.turn2)});
    QCOMPARE(run.scripted.messages(), QStringList{"Please open a map first."});
    QVERIFY(run.reportsRead().isEmpty());
}

void TestDesktop::recentFilesAcrossRuns()
{
    Files f;
    {
        Run first(f.settings);
        const QStringList plain = first.fileMenu();
        QCOMPARE(plain, (QStringList{"&Open Map File", "Open &Player File", "&Undo Last Report",
                                     "&Save Map as Bitmap", "-", "E&xit"}));
        first.form.openFiles({f.map, f.turn1, f.turn2});
        first.form.openFiles({f.other});
        QCOMPARE(first.fileMenu(),
                 (QStringList{"&Open Map File", "Open &Player File", "&Undo Last Report",
                              "&Save Map as Bitmap", "-", "&1 other.map", "&2 universe.map", "-",
                              "E&xit"}));
    }
    Run second(f.settings);
    QCOMPARE(second.fileMenu()[5], QStringLiteral("&1 other.map"));
    QAction *older = second.item("mnuRecent2");
    QVERIFY(older);
    QCOMPARE(older->text(), QStringLiteral("&2 universe.map"));
    QCOMPARE(older->statusTip(), QStringList({f.map, f.turn1, f.turn2}).join("; "));
    // The main window has no status bar: the menu shows the paths as the item's tip.
    QCOMPARE(older->toolTip(), QStringList({f.map, f.turn1, f.turn2}).join("\n"));
    QVERIFY(second.form.findChild<QMenu *>("mnu_File")->toolTipsVisible());

    older->trigger();
    QCOMPARE(second.scripted.asked().size(), 0);
    QCOMPARE(second.g.Map_File_Name, f.map);
    QCOMPARE(second.reportsRead(), (QStringList{f.turn1, f.turn2}));
    QCOMPARE(second.g.Player_Table[0].Player_Name, QStringLiteral("Zorn"));
    QCOMPARE(second.fileMenu().mid(5, 2), (QStringList{"&1 universe.map", "&2 other.map"}));
}

void TestDesktop::recentFileGoneOrUnreadable()
{
    Files f;
    {
        Run first(f.settings);
        first.form.openFiles({f.map, f.turn1, f.turn2});
        first.form.openFiles({f.other});
    }
    QVERIFY(QFile::remove(f.turn1));
    QVERIFY(QFile::remove(f.other));
    Run second(f.settings);

    // A map that has gone: named, and taken off the list.
    second.item("mnuRecent1")->trigger();
    QCOMPARE(second.scripted.messages().size(), 1);
    QVERIFY(second.scripted.messages()[0].contains(f.other));
    QVERIFY(!second.g.Map_Loaded);
    QCOMPARE(second.form.recentMenu()->entries().size(), 1);
    QCOMPARE(second.fileMenu()[5], QStringLiteral("&1 universe.map"));

    // A report that has gone: named; the map and the other report open.
    second.scripted.clearAsked();
    second.item("mnuRecent1")->trigger();
    QCOMPARE(second.scripted.messages().size(), 1);
    QVERIFY(second.scripted.messages()[0].contains(f.turn1));
    QCOMPARE(second.reportsRead(), QStringList{f.turn2});
    QCOMPARE(second.form.recentMenu()->entries().first().reports, QStringList{f.turn2});

    // A map that can no longer be read: the reader's message names it, nothing else happens.
    QVERIFY(QFile::remove(f.map) && QDir().mkpath(f.map));
    second.scripted.clearAsked();
    second.item("mnuRecent1")->trigger();
    QCOMPARE(second.scripted.messages().size(), 1);
    QVERIFY2(second.scripted.messages()[0].startsWith("Error!!! "),
             qPrintable(second.scripted.messages()[0]));
    QCOMPARE(second.g.Map_File_Name, f.map); // the map loaded before stays
}

// A folder is no report: it is not recorded, and one found in an entry is named and
// dropped from it rather than tried on every use. Many gone reports are counted, not listed.
void TestDesktop::recentReportThatIsAFolder()
{
    Files f;
    const QString folder = f.files.path("turns.pla");
    QVERIFY(QDir().mkpath(folder));
    {
        Run first(f.settings);
        first.form.openFiles({f.map, folder, f.turn1});
        QCOMPARE(first.form.recentMenu()->entries().first().reports, QStringList{f.turn1});
    }
    QStringList gone;
    for (int i = 0; i < 40; ++i)
        gone << f.files.path(QStringLiteral("gone%1.pla").arg(i));
    {
        Settings settings(f.settings);
        settings.setTextList("recentFiles/1",
                             QStringList{f.map, folder} + gone + QStringList{f.turn2});
    }
    Run second(f.settings);
    second.item("mnuRecent1")->trigger();
    QCOMPARE(second.scripted.messages().size(), 1);
    const QString message = second.scripted.messages()[0];
    QVERIFY2(message.contains(folder) && message.contains(u"and 36 more") &&
                 message.count(u'\n') <= 7,
             qPrintable(message));
    QCOMPARE(second.reportsRead(), QStringList{f.turn2});
    QCOMPARE(second.form.recentMenu()->entries().first().reports, QStringList{f.turn2});
    second.scripted.clearAsked();
    second.item("mnuRecent1")->trigger();
    QCOMPARE(second.scripted.messages(), QStringList());
}

void TestDesktop::dialogFoldersAcrossRuns()
{
    Files f;
    const QString elsewhere = f.files.path("elsewhere");
    QVERIFY(QDir().mkpath(elsewhere));
    const QString moved = f.files.write("elsewhere/turn3.pla", reportOf("Zorn"));
    {
        Run first(f.settings);
        first.scripted.answerFile(f.map);
        first.item("mnu_Open")->trigger();
        first.scripted.answerFile(moved);
        first.item("mnuOpenPlayerFile")->trigger();
        QCOMPARE(first.reportsRead(), QStringList{moved});
    }
    Run second(f.settings);
    second.item("mnu_Open")->trigger(); // cancelled: the queue is empty
    second.form.openMap(f.map);
    // The map just opened lies in another folder than the last report: its reports are
    // likely beside it.
    second.item("mnuOpenPlayerFile")->trigger();
    second.item("mnuSaveBmp")->trigger();
    second.scripted.answerFile(moved);
    second.item("mnuOpenPlayerFile")->trigger();
    // Once a report is read, the report dialog goes back to where the last one came from.
    second.item("mnuOpenPlayerFile")->trigger();
    const auto &asked = second.scripted.asked();
    QCOMPARE(asked.size(), 5);
    QCOMPARE(asked[0].title, QStringLiteral("Open Quelmar Map File"));
    QCOMPARE(asked[0].folder, QFileInfo(f.map).absolutePath());
    QCOMPARE(asked[1].title, QStringLiteral("Open Quelmar Player File"));
    QCOMPARE(asked[1].folder, QFileInfo(f.map).absolutePath());
    QCOMPARE(asked[2].title, QStringLiteral("Save Map as Bitmap"));
    QCOMPARE(asked[2].folder, QString());
    QCOMPARE(asked[3].folder, QFileInfo(f.map).absolutePath());
    QCOMPARE(asked[4].title, QStringLiteral("Open Quelmar Player File"));
    QCOMPARE(asked[4].folder, elsewhere);
}

void TestDesktop::damagedSettingsStartClean_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::newRow("empty") << QByteArray();
    static const char garbage[] = "\xfe\xff\x00[\x01\n=\n[window]\ngeometry=@Rect(a b)\n"
                                  "maximized=@ByteArray(\xff)\nrecentFiles=@Point(1 2)\n";
    QTest::newRow("garbage") << QByteArray(garbage, sizeof garbage - 1);
    QTest::newRow("wrong kinds") << QByteArray("[window]\ngeometry=12\nmaximized=perhaps\n"
                                               "[recentFiles]\n1=@Rect(1 2 3 4)\n"
                                               "[dialogFolders]\nOpenQuelmarMapFile=@Size(1 1)\n");
}

void TestDesktop::damagedSettingsStartClean()
{
    QFETCH(QByteArray, ini);
    Files f;
    QFile file(f.settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ini);
    file.close();

    Run run(f.settings);
    QCOMPARE(run.form.size(), QSize(1024, 768));
    QVERIFY(!run.form.isMaximized());
    QCOMPARE(run.form.recentMenu()->entries().size(), 0);
    run.item("mnu_Open")->trigger();
    QCOMPARE(run.scripted.asked().first().folder, QString());
    run.form.openFiles({f.map});
    QCOMPARE(run.form.recentMenu()->entries().size(), 1);
}

void TestDesktop::windowPlace()
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
    QCOMPARE(restorablePlace(QRect(100, 80, 800, 600), screens), QRect(100, 80, 800, 600));
    QCOMPARE(restorablePlace(QRect(1400, 100, 1500, 900), screens), QRect(1400, 100, 1500, 900));
    QCOMPARE(restorablePlace(QRect(5000, 5000, 800, 600), screens), std::nullopt); // off all
    QCOMPARE(restorablePlace(QRect(1000, 100, 800, 600), screens), std::nullopt);  // astride
    QCOMPARE(restorablePlace(QRect(-300, 0, 800, 600), screens), std::nullopt);
    QCOMPARE(restorablePlace(std::nullopt, screens), std::nullopt);
    QCOMPARE(restorablePlace(QRect(0, 0, 800, 600), {}), std::nullopt);

    // Across two runs of the window: the place it closed at, or the default off screen.
    Files f;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect place(screen.left() + 20, screen.top() + 30, 400, 300);
    {
        Run first(f.settings);
        first.form.setGeometry(place);
        first.form.close();
    }
    {
        Run second(f.settings);
        QCOMPARE(second.form.geometry(), place);
    }
    Settings(f.settings).setRect("window/geometry", screen.translated(screen.width() * 3, 0));
    Run third(f.settings);
    QCOMPARE(third.form.size(), QSize(1024, 768));
    // A size below the window's minimum (only the menu bar showed) is no place to go back to.
    Settings(f.settings).setRect("window/geometry", QRect(place.topLeft(), QSize(196, 87)));
    Run fourth(f.settings);
    QCOMPARE(fourth.form.size(), QSize(1024, 768));
    QVERIFY(fourth.form.minimumSize().width() > 196 && fourth.form.minimumSize().height() > 87);
    QVERIFY(fourth.form.minimumSize().width() <= 400 && fourth.form.minimumSize().height() <= 300);
    QCOMPARE(restorablePlace(QRect(100, 80, 800, 600), screens, QSize(800, 600)),
             QRect(100, 80, 800, 600));
    QCOMPARE(restorablePlace(QRect(100, 80, 800, 599), screens, QSize(800, 600)), std::nullopt);
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"

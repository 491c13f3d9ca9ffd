// The notes, rings and speed as the windows share them, without the windows: notes saved
// on every change and found again by a new run, a damaged file reported once and kept as
// .bak before its first overwrite, a folder that cannot be written reported once with the
// notes kept, and the rings and speed remembered in the settings.
#include "notesfile.h"
#include "planning.h"
#include "scripteddialog.h"
#include "settings.h"
#include "testfiles.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

class TestPlanning : public QObject {
    Q_OBJECT
private slots:
    void notesAreSavedAndFoundAgain();
    void damagedFileIsKeptUntilAChange();
    void unwritableFolderKeepsTheNotes();
    void ringsAndSpeedAreRemembered();
};

namespace {

Globals twoTwins()
{
    Globals g;
    for (const auto &[name, x, y] : {std::tuple{"Twin", "1000", "2000"}, {"Twin", "1000", "900"},
                                     {"Home", "1500", "1500"}}) {
        Star_Object s;
        s.Star_Name = QString::fromLatin1(name);
        s.Star_X = QString::fromLatin1(x);
        s.Star_Y = QString::fromLatin1(y);
        g.Star_Table.push_back(s);
    }
    g.Last_Star_Index = 2;
    return g;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestPlanning::notesAreSavedAndFoundAgain()
{
    TestFiles files;
    const QString map = files.path("universe.map");
    const QString notesFile = files.path("universe.notes.json");
    Globals g = twoTwins();
    ScriptedDialog dialog;
    Planning planning(g, dialog);
    QSignalSpy changed(&planning, &Planning::notesChanged);
    planning.mapOpened(map);
    QCOMPARE(planning.notesPath(), notesFile);
    QVERIFY(!QFile::exists(notesFile)); // nothing written before a change

    planning.mark({0, 2}, Marker::Enemy);
    QCOMPARE(readNotesFile(notesFile).notes, g.notes);
    dialog.answerText(QStringLiteral("Attack\tturn 44\n\"now\""));
    planning.editNote(1);
    QCOMPARE(dialog.asked().last().kind, ScriptedDialog::Kind::Text);
    QCOMPARE(dialog.asked().last().folder, QStringLiteral("Note on Twin:"));
    dialog.cancelNext();
    planning.editNote(1); // cancelled: unchanged
    QCOMPARE(dialog.asked().last().text, QStringLiteral("Attack\tturn 44\n\"now\""));
    planning.mark({0}, Marker::None); // the first twin loses its only entry
    QCOMPARE(changed.size(), 4);      // the open and three changes
    QVERIFY(dialog.messages().isEmpty());

    // The next run of Kavora opens the same map and finds each twin's own note.
    Globals next = twoTwins();
    Planning again(next, dialog);
    again.mapOpened(map);
    QCOMPARE(next.notes, g.notes);
    QVERIFY(!next.notes.find(next.Star_Table[0]));
    QCOMPARE(next.notes.find(next.Star_Table[1])->text, QStringLiteral("Attack\tturn 44\n\"now\""));
    QCOMPARE(next.notes.find(next.Star_Table[2])->marker, Marker::Enemy);
}

void TestPlanning::damagedFileIsKeptUntilAChange()
{
    TestFiles files;
    const QByteArray damaged = R"({"version": 1, "planets": [
        {"name": "Home", "x": 1500, "y": 1500, "marker": "home"}, {"name": 5}]})";
    const QString notesFile = files.write("u.notes.json", damaged);
    Globals g = twoTwins();
    ScriptedDialog dialog;
    Planning planning(g, dialog);
    planning.mapOpened(files.path("u.map"));
    QCOMPARE(dialog.messages().size(), 1);
    QVERIFY(dialog.messages().first().contains(notesFile));
    QVERIFY(dialog.messages().first().contains(QStringLiteral("u.notes.json.bak")));
    QCOMPARE(g.notes.find(g.Star_Table[2])->marker, Marker::Home); // what could be read
    QCOMPARE(readAll(notesFile), damaged);
    QVERIFY(!QFile::exists(notesFile + ".bak"));

    planning.setNote(0, QStringLiteral("north twin"));
    QCOMPARE(readAll(notesFile + ".bak"), damaged);
    const NotesRead written = readNotesFile(notesFile);
    QVERIFY(!written.problem);
    QCOMPARE(written.notes.size(), 2);
    // Later changes overwrite the file, not the copy.
    planning.setNote(1, QStringLiteral("south twin"));
    QCOMPARE(readAll(notesFile + ".bak"), damaged);
    QCOMPARE(readNotesFile(notesFile).notes.size(), 3);
    QCOMPARE(dialog.messages().size(), 1);

    // A file of a later version is not read and, the same way, not lost.
    const QByteArray later = R"({"version": 7, "planets": []})";
    files.write("later.notes.json", later);
    dialog.clearAsked();
    planning.mapOpened(files.path("later.map"));
    QCOMPARE(dialog.messages().size(), 1);
    QVERIFY(g.notes.empty());
    planning.mark({2}, Marker::Watch);
    QCOMPARE(readAll(files.path("later.notes.json.bak")), later);
}

void TestPlanning::unwritableFolderKeepsTheNotes()
{
    TestFiles files;
    const QString map = files.path("gone/u.map"); // a folder that does not exist
    Globals g = twoTwins();
    ScriptedDialog dialog;
    Planning planning(g, dialog);
    planning.mapOpened(map);
    planning.mark({0}, Marker::Target);
    planning.mark({1}, Marker::Ally);
    planning.setNote(2, QStringLiteral("home"));
    QCOMPARE(dialog.messages().size(), 1);
    QVERIFY(dialog.messages().first().contains(files.path("gone/u.notes.json")));
    QCOMPARE(g.notes.size(), 3);
    // Opening the map again keeps what could not be saved.
    planning.mapOpened(map);
    QCOMPARE(g.notes.size(), 3);
    QCOMPARE(dialog.messages().size(), 1);
}

void TestPlanning::ringsAndSpeedAreRemembered()
{
    TestFiles files;
    const QString ini = files.path("kavora.ini");
    Globals g;
    ScriptedDialog dialog;
    {
        Settings settings(ini);
        Planning planning(g, dialog);
        planning.useSettings(settings);
        QVERIFY(planning.rings().empty());
        QCOMPARE(planning.speed(), 0.0);
        QSignalSpy speed(&planning, &Planning::speedChanged);
        planning.setRings({81, 162});
        planning.setSpeed(40.5);
        QCOMPARE(speed.size(), 1);
    }
    {
        Settings settings(ini);
        Planning planning(g, dialog);
        planning.useSettings(settings);
        QCOMPARE(planning.rings(), (std::vector<double>{81, 162}));
        QCOMPARE(planning.speed(), 40.5);
        settings.setText("planning/rings", "81, far");
        settings.setText("planning/speed", "-3");
    }
    Settings settings(ini);
    Planning planning(g, dialog);
    planning.useSettings(settings); // damaged entries: as if never set
    QVERIFY(planning.rings().empty());
    QCOMPARE(planning.speed(), 0.0);
    // ... and left as they are until the user sets rings or a speed.
    QCOMPARE(settings.text("planning/rings"), QStringLiteral("81, far"));
    QCOMPARE(settings.text("planning/speed"), QStringLiteral("-3"));
    planning.setRings({40});
    QCOMPARE(settings.text("planning/rings"), QStringLiteral("40"));
}

QTEST_MAIN(TestPlanning)
#include "tst_planning.moc"

// The recent files and the remembered dialog folders, as kept in a settings file.
#include "recentfiles.h"
#include "rememberedfolders.h"
#include "scripteddialog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRecentFiles : public QObject {
    Q_OBJECT
private slots:
    void newestFirstAtMostEight();
    void damagedEntriesAreSkippedOneByOne_data();
    void damagedEntriesAreSkippedOneByOne();
    void captions();
    void twoCopiesKeepEachOthersEntries();
    void eachDialogKeepsItsFolder();
};

namespace {

RecentEntry entry(int n, int reports = 0)
{
    RecentEntry e{QStringLiteral("/maps/u%1.map").arg(n), {}};
    for (int r = 0; r < reports; ++r)
        e.reports << QStringLiteral("/maps/u%1-t%2.pla").arg(n).arg(r);
    return e;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

void TestRecentFiles::newestFirstAtMostEight()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kavora.ini");
    {
        Settings settings(file);
        RecentFiles recent(&settings);
        QVERIFY(recent.entries().isEmpty());
        for (int n = 1; n <= 10; ++n)
            recent.put(entry(n, n % 3));
        QCOMPARE(recent.entries().size(), 8);
        QCOMPARE(recent.entries().first(), entry(10, 1));
        QCOMPARE(recent.entries().last(), entry(3, 0));

        // The same map again moves up with the reports opened after it this time.
        recent.put(entry(5, 2));
        QCOMPARE(recent.entries().size(), 8);
        QCOMPARE(recent.entries().first(), entry(5, 2));
        QCOMPARE(recent.entries().count(entry(5, 2)), 1);
        recent.remove(7);
        recent.remove(99); // out of range: nothing
        QCOMPARE(recent.entries().size(), 7);
    }
    Settings settings(file);
    const RecentFiles again(&settings);
    const QList<RecentEntry> expected = {entry(5, 2), entry(10, 1), entry(9, 0), entry(8, 2),
                                         entry(7, 1), entry(6, 0), entry(4, 1)};
    QCOMPARE(again.entries(), expected);

    // Without settings the list lives in memory only.
    RecentFiles memory;
    memory.put(entry(1));
    QCOMPARE(memory.entries().size(), 1);
}

void TestRecentFiles::damagedEntriesAreSkippedOneByOne_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("maps");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    static const char garbage[] = "\x00\xff[[[=\n\x01=\x02\n==\n[recentFiles\n";
    QTest::newRow("garbage") << QByteArray(garbage, sizeof garbage - 1) << QStringList();
    QTest::newRow("wrong kinds among good ones")
        << QByteArray("[recentFiles]\n1=@Rect(1 2 3 4)\n2=/a.map, /a.pla\n3=@Invalid()\n"
                      "4=@Variant(\\0\\0\\0\\x7f\\0\\0\\0)\n5=/b.map\n6=/a.map\n9=/c.map\n")
        << QStringList{"/a.map", "/b.map"};
    QTest::newRow("empty paths") << QByteArray("[recentFiles]\n1=\n2=, /r.pla\n")
                                 << QStringList{"/r.pla"};
}

void TestRecentFiles::damagedEntriesAreSkippedOneByOne()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, maps);
    QTemporaryDir dir;
    const QString file = dir.filePath("kavora.ini");
    writeFile(file, ini);
    Settings settings(file);
    RecentFiles recent(&settings);
    QStringList read;
    for (const RecentEntry &e : recent.entries())
        read << e.map;
    QCOMPARE(read, maps);
    // A damaged list can still be written over.
    recent.put(entry(1));
    QCOMPARE(recent.entries().first(), entry(1));
}

void TestRecentFiles::captions()
{
    const RecentEntry e{"/home/p/games/universe.map", {"/home/p/t41.pla", "/home/p/t42.pla"}};
    QCOMPARE(recentCaptions({e}), QStringList{"&1 universe.map"});
    QCOMPARE(recentCaptions({{"/a.map", {}}, {"/x/Sol & Co.map", {}}}),
             (QStringList{"&1 a.map", "&2 Sol && Co.map"}));
    QList<RecentEntry> eight;
    for (int n = 1; n <= 8; ++n)
        eight << entry(n);
    QCOMPARE(recentCaptions(eight).last(), QStringLiteral("&8 u8.map"));
    QCOMPARE(recentStatusTip(e),
             QStringLiteral("/home/p/games/universe.map; /home/p/t41.pla; /home/p/t42.pla"));

    // Two maps of one name: each with as much of its folder as tells them apart.
    QCOMPARE(
        recentCaptions({{"/home/p/alpha/universe.map", {}},
                        {"/home/p/other.map", {}},
                        {"/home/p/beta/universe.map", {}},
                        {"/srv/beta/universe.map", {}},
                        {"/universe.map", {}},
                        {"/h/R&D/other.map", {}}}),
        (QStringList{"&1 universe.map (alpha)", "&2 other.map (p)", "&3 universe.map (p/beta)",
                     "&4 universe.map (/srv/beta)", "&5 universe.map (/)", "&6 other.map (R&&D)"}));
}

// Two copies of Kavora running at once: each reads the list again before it changes it,
// so neither writes the other's entry away.
void TestRecentFiles::twoCopiesKeepEachOthersEntries()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kavora.ini");
    Settings settings(file);
    RecentFiles recent(&settings);
    recent.put(entry(1));
    // The other copy, a process of its own, puts its map first meanwhile.
    writeFile(file, "[recentFiles]\n1=/maps/u2.map\n2=/maps/u1.map\n");
    recent.put(entry(3));
    QCOMPARE(recent.entries(), (QList<RecentEntry>{entry(3), entry(2), entry(1)}));
    writeFile(file, "[recentFiles]\n1=/maps/u4.map\n2=/maps/u3.map\n3=/maps/u2.map\n"
                    "4=/maps/u1.map\n");
    recent.remove(2); // u1 as this copy lists it
    QCOMPARE(recent.entries(), (QList<RecentEntry>{entry(4), entry(3), entry(2)}));
    Settings again(file);
    QCOMPARE(RecentFiles(&again).entries(), recent.entries());
}

void TestRecentFiles::eachDialogKeepsItsFolder()
{
    QTemporaryDir dir;
    const QString maps = dir.filePath("maps"), reports = dir.filePath("reports");
    QVERIFY(QDir().mkpath(maps) && QDir().mkpath(reports));
    const QString file = dir.filePath("kavora.ini");
    {
        Settings settings(file);
        ScriptedDialog scripted;
        RememberedFolders dialog(scripted, settings);
        scripted.answerFile(maps + "/u.map");
        scripted.answerFile(reports + "/t.pla");
        scripted.cancelNext();
        QCOMPARE(dialog.ShowOpen("Open Map", "f"), std::optional<QString>(maps + "/u.map"));
        QCOMPARE(dialog.ShowOpen("Open Report", "f"), std::optional<QString>(reports + "/t.pla"));
        QCOMPARE(dialog.ShowSave("Save", "f"), std::nullopt); // a cancel remembers nothing
        for (const ScriptedDialog::Question &q : scripted.asked())
            QCOMPARE(q.folder, QString()); // nothing remembered yet
        dialog.message("hello");
        QCOMPARE(scripted.messages(), QStringList{"hello"});
        scripted.answerText("a note");
        QCOMPARE(dialog.askText("Note", "Note on A:", "old"), std::optional<QString>("a note"));
        QCOMPARE(scripted.asked().last().text, QStringLiteral("old")); // handed on as asked
    }
    Settings settings(file);
    ScriptedDialog scripted;
    RememberedFolders dialog(scripted, settings);
    dialog.ShowOpen("Open Map", "f");
    dialog.ShowOpen("Open Report", "f");
    dialog.ShowSave("Save", "f");
    dialog.ShowOpen("Open Map", "f", "/given"); // a folder the caller names wins
    QCOMPARE(scripted.asked()[0].folder, maps);
    QCOMPARE(scripted.asked()[1].folder, reports);
    QCOMPARE(scripted.asked()[2].folder, QString());
    QCOMPARE(scripted.asked()[3].folder, QStringLiteral("/given"));

    // A folder that has gone since is not offered.
    QVERIFY(QDir(maps).removeRecursively());
    QCOMPARE(dialog.folder("Open Map"), QString());
    QCOMPARE(dialog.folder("Open Report"), reports);
}

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"

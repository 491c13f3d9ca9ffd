#include "mapreader.h"
#include "palette.h"
#include "reportreader.h"
#include "runerror.h"
#include "testfiles.h"

#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// Damaged and hostile files: each one is either read as defined or refused with an error
// that names the file and the line, and what was loaded before survives either way.
class TestBadInput : public QObject {
    Q_OBJECT
private slots:
    void maps_data();
    void maps();
    void reports_data();
    void reports();
    void hugeLine();
    void notRegularFiles();
    void unreadableFile();

private:
    Globals loadedUniverse();
    TestFiles m_files;
};

namespace {
QString corpus(const char *name) { return testDataPath(QStringLiteral("bad/") + QLatin1String(name)); }

const QByteArray kBaseMap = "Number\tX\tY\tName\n1\t1000\t1100\tAlpha\n2\t1200\t1300\tBeta\n"
                            "3\t1300\t1200\tB\xC3\xA9ta\n";
const QByteArray kBaseReport = "Planet\tOwner\tStarbase\tAge\tPopulation\t\n"
                               "Beta\tKrell\tSB\t2\t4000\t\n";
} // namespace

Globals TestBadInput::loadedUniverse()
{
    Globals g;
    Initialize_Colors(g);
    g.Map_File_Name = m_files.write("base.map", kBaseMap);
    Open_Map_File(g);
    g.Player_File_Name = m_files.write("base.pla", kBaseReport);
    readPlayerFile(g);
    return g;
}

void TestBadInput::maps_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("error"); // 0: accepted
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("planets");
    QTest::addColumn<QString>("lastName");
    auto row = [](const char *name, int error, int line, int planets = 0, QString last = {}) {
        QTest::newRow(name) << corpus(name) << error << line << planets << last;
    };
    row("empty.map", RunError::InputPastEnd, 1);
    row("header-only.map", 0, 0, 0);
    row("garbage.map", RunError::InvalidCall, 1);
    row("nul-bytes.map", RunError::TypeMismatch, 2);
    row("nul-in-name.map", 0, 0, 1, QString::fromUtf16(u"Nul\u0000Star", 8));
    row("utf16.map", 0, 0, 2, QStringLiteral("Béta"));
    row("utf16-no-bom.map", 0, 0, 1, QStringLiteral("Alpha"));
    row("cp1252.map", 0, 0, 1, QStringLiteral("Café €"));
    row("unbalanced-quote.map", 0, 0, 2, QStringLiteral("Beta")); // the quote ends with its line
    row("quoted-name.map", 0, 0, 2, QStringLiteral("Beta"));
    row("comma-in-name.map", RunError::InvalidCall, 2);
    row("tab-in-name.map", 0, 0, 1, QStringLiteral("Alpha\tMinor"));
    row("x-40000.map", RunError::Overflow, 3);
    row("x-minus-40000.map", RunError::Overflow, 2);
    row("y-40000.map", RunError::Overflow, 2);
    row("x-12comma5.map", RunError::InvalidCall, 2); // the comma splits the line
    row("y-not-number.map", RunError::TypeMismatch, 2);
    row("cr-only.map", 0, 0, 2, QStringLiteral("Beta"));
}

void TestBadInput::maps()
{
    QFETCH(QString, file);
    QFETCH(int, error);
    QFETCH(int, line);
    QFETCH(int, planets);
    QFETCH(QString, lastName);

    Globals g = loadedUniverse();
    const Globals before = g;
    g.Map_File_Name = file;
    try {
        Open_Map_File(g);
        QVERIFY2(error == 0, "a bad map was accepted");
        QCOMPARE(int(g.Star_Table.size()), planets);
        QCOMPARE(int(g.Last_Star_Index), planets - 1);
        if (planets > 0)
            QCOMPARE(g.Star_Table.back().Star_Name, lastName);
    } catch (const RunError &e) {
        QVERIFY2(error != 0, qPrintable(e.message()));
        QCOMPARE(e.number(), error);
        QCOMPARE(e.line(), line);
        QVERIFY(e.message().contains(QStringLiteral("line %1 of %2").arg(line).arg(file)));
        QVERIFY(g.Star_Table == before.Star_Table);
        QCOMPARE(g.Last_Star_Index, before.Last_Star_Index);
        QCOMPARE(g.Map_Max_X, before.Map_Max_X);
        QCOMPARE(g.Map_Max_Y, before.Map_Max_Y);
    }
    QVERIFY(g.Player_Table == before.Player_Table);
}

void TestBadInput::reports_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("newOwnerOfAlpha"); // after a reading that merged
    auto row = [](const char *name, int error, int line, QString owner = {}) {
        QTest::newRow(name) << corpus(name) << error << line << owner;
    };
    row("empty.pla", 0, 0);
    row("header-only.pla", 0, 0);
    row("garbage.pla", RunError::InvalidCall, 1);
    row("utf16.pla", 0, 0);
    row("cr-only.pla", 0, 0, QStringLiteral("Zorn"));
    row("four-tabs.pla", RunError::InvalidCall, 3); // line 2 is not kept either
    row("four-tabs-no-owner.pla", RunError::InvalidCall, 2);
    row("unknown-planet.pla", 0, 0);
    // Krell holds slot 0, so Race15 is the 17th race.
    row("seventeen-races.pla", RunError::SubscriptOutOfRange, 17);
    row("huge-population.pla", RunError::Overflow, 2);
}

void TestBadInput::reports()
{
    QFETCH(QString, file);
    QFETCH(int, error);
    QFETCH(int, line);
    QFETCH(QString, newOwnerOfAlpha);

    Globals g = loadedUniverse();
    const Globals before = g;
    g.Player_File_Name = file;
    QStringList messages;
    Open_Player_File(g, {}, [&](const QString &text) { messages << text; });
    if (error == 0) {
        QCOMPARE(messages, QStringList());
    } else {
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(QStringLiteral("Error!!! %1 ").arg(error)),
                 qPrintable(messages[0]));
        QVERIFY(messages[0].contains(QStringLiteral("line %1 of %2").arg(line).arg(file)));
    }
    // What the earlier report stored survives; planets are neither lost nor added, and a
    // report that fails adds nothing at all.
    QCOMPARE(g.Star_Table.size(), before.Star_Table.size());
    QVERIFY(g.Last_Player_Index >= before.Last_Player_Index && g.Last_Player_Index <= 15);
    if (error != 0) {
        QVERIFY(g.Star_Table == before.Star_Table);
        QVERIFY(g.Player_Table == before.Player_Table);
        QCOMPARE(g.Last_Player_Index, before.Last_Player_Index);
    }
    QCOMPARE(g.Player_Table[0].Player_Name, QStringLiteral("Krell"));
    for (const Star_Object &s : g.Star_Table) {
        if (s.Star_Name == u"Beta")
            QCOMPARE(s.Owner, QStringLiteral("Krell"));
        if (s.Star_Name == u"Alpha")
            QCOMPARE(s.Owner, newOwnerOfAlpha);
    }
}

void TestBadInput::hugeLine()
{
    // A 10 MB name is just a long name; a 10 MB line without tabs is a malformed line.
    const QByteArray longName(10 * 1024 * 1024, 'A');
    Globals g;
    g.Map_File_Name = m_files.write("long.map", "h\n1\t1000\t1100\t" + longName + "\n");
    Open_Map_File(g);
    QCOMPARE(g.Star_Table[0].Star_Name.size(), longName.size());

    g.Map_File_Name = m_files.write("longbad.map", "h\n1\t1000\t1100\tA\n" + longName + "\n");
    try {
        Open_Map_File(g);
        QFAIL("accepted");
    } catch (const RunError &e) {
        QCOMPARE(e.number(), int(RunError::InvalidCall));
        QCOMPARE(e.line(), 3);
    }
    QCOMPARE(g.Star_Table[0].Star_Name.size(), longName.size());
}

void TestBadInput::notRegularFiles()
{
    Globals g = loadedUniverse();
    const Globals before = g;
    const QString fifo = m_files.path("pipe.map");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A pipe nobody writes to would block for ever; a folder is not a dump either.
    for (const QString &path : {fifo, m_files.path("."), QStringLiteral("/dev/zero")}) {
        g.Map_File_Name = path;
        try {
            Open_Map_File(g);
            QFAIL(qPrintable(path + " accepted"));
        } catch (const RunError &e) {
            QCOMPARE(e.number(), int(RunError::PathFileAccess));
            QVERIFY(e.message().contains(path));
        }
        QVERIFY(g.Star_Table == before.Star_Table);
    }
}

void TestBadInput::unreadableFile()
{
    if (::geteuid() == 0)
        QSKIP("root reads every file; the permission check cannot be seen");
    Globals g;
    g.Map_File_Name = m_files.write("locked.map", kBaseMap);
    QFile::setPermissions(g.Map_File_Name, {});
    try {
        Open_Map_File(g);
        QFAIL("read a file without read permission");
    } catch (const RunError &e) {
        QCOMPARE(e.number(), int(RunError::PermissionDenied));
    }
}

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"

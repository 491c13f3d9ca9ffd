#include "mapreader.h"
#include "runerror.h"
#include "testfiles.h"

#include <QTest>

class TestMapReader : public QObject {
    Q_OBJECT
private slots:
    void readsPlanets();
    void coordinatesKeepTheirSpelling();
    void maxima_data();
    void maxima();
    void malformed_data();
    void malformed();
    void captionOnFailure();
    void failureKeepsPreviousMap();
    void newMapStartsFromEmptyRecords();
    void largestMap();
};

namespace {
QStringList captionsOf(Globals &g)
{
    QStringList captions;
    Open_Map_File(g, [&](const QString &text) { captions << text; });
    return captions;
}
} // namespace

void TestMapReader::readsPlanets()
{
    TestFiles files;
    Globals g;
    g.Map_File_Name = files.write(
        "u.map",
        "Number\tX\tY\tName\r\n7\t1050\t1203\tAlpha Centauri\r\n8\t1100\t990\tTab\there\r\n"
        "9\t 999 \t-5\t\r\n");
    const QStringList captions = captionsOf(g);

    QCOMPARE(g.Star_Table.size(), size_t(3));
    QCOMPARE(g.Last_Star_Index, qint16(2));
    QVERIFY(g.Map_Loaded);
    const Star_Object &alpha = g.Star_Table[0];
    QCOMPARE(alpha.Star_Name, QStringLiteral("Alpha Centauri"));
    QCOMPARE(alpha.Star_X, QStringLiteral("1050"));
    QCOMPARE(alpha.Star_Y, QStringLiteral("1203"));
    QCOMPARE(g.Star_Table[1].Star_Name, QStringLiteral("Tab\there"));
    QCOMPARE(g.Star_Table[2].Star_X, QStringLiteral(" 999 ")); // kept as it stands
    QCOMPARE(g.Star_Table[2].Star_Name, QString());
    for (const Star_Object &s : g.Star_Table) {
        QCOMPARE(s.color, std::optional<PackedColor>(kWhite));
        QVERIFY(!s.Style && s.Owner.isEmpty() && s.population.isEmpty());
    }
    QCOMPARE(captions, (QStringList{"0:Alpha Centauri", "1:Tab\there", "2:", g.Map_File_Name}));

    // A header-only map is a loaded map without planets.
    Globals empty;
    empty.Map_File_Name = files.write("header.map", "Number\tX\tY\tName");
    Open_Map_File(empty);
    QCOMPARE(empty.Last_Star_Index, qint16(-1));
    QVERIFY(empty.Star_Table.empty());
    QVERIFY(empty.Map_Loaded);
}

// Planets share coordinate strings where they can; each still reads back as its own text.
void TestMapReader::coordinatesKeepTheirSpelling()
{
    const QStringList xs{"1050", "01050", "1050",  "5146", "1050",  "1050.0", " 1050", "-3",
                         "1050", "0",     "00",    "9",    "10",    "99",     "100",   "999",
                         "9999", "10000", "32767", "7",    "32766", "0"};
    QList<MapLine> planets;
    for (const QString &x : xs)
        planets.append({x, x, QStringLiteral("P")});
    TestFiles files;
    Globals g;
    g.Map_File_Name = files.write("u.map", mapText(planets));
    Open_Map_File(g);
    QStringList read;
    for (const Star_Object &s : g.Star_Table) {
        QCOMPARE(s.Star_Y, s.Star_X);
        read << s.Star_X;
    }
    QCOMPARE(read, xs);
}

void TestMapReader::maxima_data()
{
    QTest::addColumn<QList<MapLine>>("planets");
    QTest::addColumn<int>("maxX");
    QTest::addColumn<double>("maxY");
    QTest::newRow("first planet sets both")
        << QList<MapLine>{{"1500", "1400", "A"}} << 1500 << 1400.0;
    QTest::newRow("later larger raises both")
        << QList<MapLine>{{"1000", "1000", "A"}, {"2000", "1800", "B"}, {"1200", "1100", "C"}}
        << 2000 << 1800.0;
    QTest::newRow("numeric not textual")
        << QList<MapLine>{{"999", "999", "A"}, {"1000", "1000", "B"}} << 1000 << 1000.0;
    QTest::newRow("x rounds half to even, y keeps fraction")
        << QList<MapLine>{{"1000.5", "1000.5", "A"}} << 1000 << 1000.5;
    // Values where rounding and truncation part, and where half to even goes up.
    QTest::newRow("x rounds, not truncates") << QList<MapLine>{{"1000.7", "5", "A"}} << 1001 << 5.0;
    QTest::newRow("negative x rounds") << QList<MapLine>{{"-1000.7", "5", "A"}} << -1001 << 5.0;
    QTest::newRow("1001.5 goes up to even") << QList<MapLine>{{"1001.5", "5", "A"}} << 1002 << 5.0;
    QTest::newRow("1002.5 goes down to even")
        << QList<MapLine>{{"1002.5", "5", "A"}} << 1002 << 5.0;
    QTest::newRow("later x rounds too")
        << QList<MapLine>{{"900", "5", "A"}, {"1000.6", "5", "B"}} << 1001 << 5.0;
    QTest::newRow("all negative") << QList<MapLine>{{"-5", "-7", "A"}, {"-9", "-3", "B"}} << -5
                                  << -3.0;
}

void TestMapReader::maxima()
{
    QFETCH(QList<MapLine>, planets);
    QFETCH(int, maxX);
    QFETCH(double, maxY);
    TestFiles files;
    Globals g;
    g.Map_File_Name = files.write("m.map", mapText(planets));
    Open_Map_File(g);
    QCOMPARE(int(g.Map_Max_X), maxX);
    QCOMPARE(g.Map_Max_Y, maxY);
}

void TestMapReader::malformed_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("line");
    QTest::newRow("empty file") << QByteArray() << int(RunError::InputPastEnd) << 1;
    QTest::newRow("two tabs") << QByteArray("h\n1\t2\t3\n") << int(RunError::InvalidCall) << 2;
    QTest::newRow("comma in name")
        << QByteArray("h\n1\t2\t3\tAlpha, b\n") << int(RunError::InvalidCall) << 2;
    QTest::newRow("blank line") << QByteArray("h\n1\t2\t3\tA\n\n1\t2\t3\tB\n")
                                << int(RunError::InvalidCall) << 3;
    QTest::newRow("x not a number")
        << QByteArray("h\n1\t2\t3\tA\n1\tx\t3\tB\n") << int(RunError::TypeMismatch) << 3;
    QTest::newRow("y not a number")
        << QByteArray("h\n1\t2\ty\tA\n") << int(RunError::TypeMismatch) << 2;
    QTest::newRow("x too large") << QByteArray("h\n1\t40000\t3\tA\n") << int(RunError::Overflow)
                                 << 2;
    QTest::newRow("y too small") << QByteArray("h\r1\t4\t-40000\tA\r") << int(RunError::Overflow)
                                 << 2;
    QTest::newRow("x of 400 nines") << "h\n1\t2\t3\tA\n2\t" + QByteArray(400, '9') + "\t3\tB\n"
                                    << int(RunError::Overflow) << 3;
}

void TestMapReader::malformed()
{
    QFETCH(QByteArray, text);
    QFETCH(int, number);
    QFETCH(int, line);
    TestFiles files;
    Globals g;
    g.Map_File_Name = files.write("bad.map", text);
    try {
        Open_Map_File(g);
        QFAIL("a malformed map was accepted");
    } catch (const RunError &e) {
        QCOMPARE(e.number(), number);
        QCOMPARE(e.file(), g.Map_File_Name);
        if (line > 0) {
            QCOMPARE(e.line(), line);
            QVERIFY2(e.message().contains(QStringLiteral("line %1 of").arg(line)),
                     qPrintable(e.message()));
        }
    }
    QVERIFY(!g.Map_Loaded);
    QVERIFY(g.Star_Table.empty());
}

void TestMapReader::captionOnFailure()
{
    // A bad X or Y fails with the failing planet in the caption, as each planet is shown
    // before its coordinates are read.
    TestFiles files;
    for (const QByteArray &line : {QByteArray("2\tx\t3\tBeta"), QByteArray("2\t4\t-40000\tBeta")}) {
        Globals g;
        g.Map_File_Name = files.write("bad.map", "h\n1\t2\t3\tAlpha\n" + line + "\n");
        QStringList captions;
        QVERIFY_THROWS_EXCEPTION(RunError,
                                 Open_Map_File(g, [&](const QString &text) { captions << text; }));
        QCOMPARE(captions, (QStringList{"0:Alpha", "1:Beta"}));
    }
}

void TestMapReader::failureKeepsPreviousMap()
{
    TestFiles files;
    Globals g;
    g.Map_File_Name =
        files.write("good.map", mapText({{"1000", "1100", "A"}, {"2000", "1800", "B"}}));
    Open_Map_File(g);
    const Globals before = g;

    g.Map_File_Name = files.write("bad.map", "h\n1\t3000\t3000\tC\n1\t2\tnope\tD\n");
    QVERIFY_THROWS_EXCEPTION(RunError, Open_Map_File(g));
    QVERIFY(g.Star_Table == before.Star_Table);
    QCOMPARE(g.Last_Star_Index, before.Last_Star_Index);
    QCOMPARE(g.Map_Max_X, before.Map_Max_X);
    QCOMPARE(g.Map_Max_Y, before.Map_Max_Y);
    QVERIFY(g.Map_Loaded);

    g.Map_File_Name = files.path("missing.map");
    QVERIFY_THROWS_EXCEPTION(RunError, Open_Map_File(g));
    QVERIFY(g.Star_Table == before.Star_Table);
}

void TestMapReader::newMapStartsFromEmptyRecords()
{
    TestFiles files;
    Globals g;
    g.Map_File_Name = files.write("a.map", mapText({{"1000", "1100", "A"}}));
    Open_Map_File(g);
    Star_Object &first = g.Star_Table[0];
    first.Owner = QStringLiteral("Zorn");
    first.Starbase = QStringLiteral("SB");
    first.report_age = QStringLiteral("3");
    first.population = QStringLiteral("900");
    first.Style = 4;
    first.color = 0xFF0000;

    g.Map_File_Name = files.write("b.map", mapText({{"1500", "1200", "Z"}}));
    Open_Map_File(g);
    Star_Object expected;
    expected.Star_Name = QStringLiteral("Z");
    expected.Star_X = QStringLiteral("1500");
    expected.Star_Y = QStringLiteral("1200");
    expected.color = kWhite;
    QVERIFY(g.Star_Table[0] == expected);
}

void TestMapReader::largestMap()
{
    QList<MapLine> planets;
    for (int i = 0; i < 32767; ++i)
        planets.append({QString::number(1000 + i % 3000), QString::number(1000 + i / 30),
                        QStringLiteral("P%1").arg(i)});
    TestFiles files;
    Globals g;
    planets[7].name = QStringLiteral("a much longer name than the others");
    g.Map_File_Name = files.write("max.map", mapText(planets));
    // Every caption is "index:name" though the reader reuses one string for them all, and
    // a receiver that keeps its copy (as the main window does) sees the same.
    int wrongCaptions = 0;
    int calls = 0;
    QString kept;
    Open_Map_File(g, [&](const QString &text) {
        keepStatus(kept, text);
        if (calls < planets.size()
            && kept != QString::number(calls) + u':' + planets[calls].name)
            ++wrongCaptions;
        ++calls;
    });
    QCOMPARE(wrongCaptions, 0);
    QCOMPARE(calls, 32768);
    QCOMPARE(kept, g.Map_File_Name);
    QCOMPARE(g.Last_Star_Index, qint16(32766));
    QCOMPARE(g.Star_Table.back().Star_Name, QStringLiteral("P32766"));

    planets.append({"1000", "1000", "one too many"});
    Globals h;
    h.Map_File_Name = files.write("over.map", mapText(planets));
    try {
        Open_Map_File(h);
        QFAIL("32,768 planets accepted");
    } catch (const RunError &e) {
        QCOMPARE(e.number(), int(RunError::Overflow));
        QCOMPARE(e.line(), 32769);
    }
    QVERIFY(!h.Map_Loaded);
}

QTEST_GUILESS_MAIN(TestMapReader)
#include "tst_mapreader.moc"

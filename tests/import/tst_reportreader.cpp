#include "conversions.h"
#include "literalsort.h"
#include "mapreader.h"
#include "reportreader.h"
#include "runerror.h"
#include "testfiles.h"
#include "universe.h"

#include <QTest>

class TestReportReader : public QObject {
    Q_OBJECT
private slots:
    void mergesReport();
    void laterPopulationWins_data();
    void laterPopulationWins();
    void firstMatchFollowsTableOrder();
    void raceSlots();
    void totalsAcrossReports();
    void ignoredLines_data();
    void ignoredLines();
    void failures_data();
    void failures();
    void tally();
    void matchesLiteralReading();
};

namespace {

// Every slot gets a colour and style of its own, so a planet's colour tells which slot it
// came from.
PackedColor slotColor(int slot)
{
    return PackedColor(0x010203 * (slot + 1));
}

Globals mapOf(TestFiles &files, const QList<MapLine> &planets)
{
    Globals g;
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        g.Player_Table[slot].Player_Color = slotColor(slot);
        g.Player_Table[slot].Player_Style = qint16(slot % 8);
    }
    g.Map_File_Name = files.write("universe.map", mapText(planets));
    Open_Map_File(g);
    return g;
}

QList<MapLine> planetsNamed(const QStringList &names)
{
    QList<MapLine> planets;
    for (const QString &name : names)
        planets.append({QString::number(1000 + planets.size()), "1000", name});
    return planets;
}

struct Reading {
    QStringList captions;
    QStringList messages;
};

Reading readReport(Globals &g, const QString &path)
{
    Reading r;
    g.Player_File_Name = path;
    Open_Player_File(
        g, [&](const QString &text) { r.captions << text; },
        [&](const QString &text) { r.messages << text; });
    return r;
}

Reading readReport(Globals &g, TestFiles &files, const QByteArray &text)
{
    static int count = 0;
    return readReport(g, files.write(QStringLiteral("r%1.pla").arg(++count), text));
}

const Star_Object &planet(const Globals &g, const QString &name)
{
    for (const Star_Object &s : g.Star_Table)
        if (s.Star_Name == name)
            return s;
    qFatal("no planet %s", qPrintable(name));
}

const Star_Object &planetAtX(const Globals &g, const QString &x)
{
    for (const Star_Object &s : g.Star_Table)
        if (s.Star_X == x)
            return s;
    qFatal("no planet at x %s", qPrintable(x));
}

bool sameState(const Globals &a, const Globals &b)
{
    return a.Star_Table == b.Star_Table && a.Player_Table == b.Player_Table &&
           a.Last_Player_Index == b.Last_Player_Index;
}

// The reading told plainly: a linear search for the planet, all 16 slots searched for the
// race, each line stored whole (an empty population keeps the planet's), the literal sort,
// then every named race's totals summed over the planets whose owner is its name.
void literalReading(Globals &g, const QList<ReportLine> &lines)
{
    for (const ReportLine &line : lines) {
        if (line.owner.isEmpty())
            continue;
        Star_Object *s = nullptr;
        for (Star_Object &candidate : g.Star_Table) {
            if (candidate.Star_Name == line.planet) {
                s = &candidate;
                break;
            }
        }
        if (!s)
            continue;
        int j = 0;
        while (j < kPlayerSlots && g.Player_Table[j].Player_Name != line.owner)
            ++j;
        if (j == kPlayerSlots) {
            j = ++g.Last_Player_Index;
            g.Player_Table[j].Player_Name = line.owner;
        }
        s->color = g.Player_Table[j].Player_Color;
        s->Style = g.Player_Table[j].Player_Style;
        s->Owner = line.owner;
        if (!line.population.isEmpty())
            s->population = line.population;
        s->report_age = line.age;
        s->Starbase = line.starbase;
    }
    if (!g.Star_Table.empty())
        literalQuickSortRange(g.Star_Table, 0, int(g.Star_Table.size()) - 1);
    for (Player_Object &race : g.Player_Table) {
        if (race.Player_Name.isEmpty())
            continue;
        double population = 0;
        int starbases = 0;
        for (const Star_Object &s : g.Star_Table) {
            if (s.Owner != race.Player_Name)
                continue;
            population += conv::leadingNumber(s.population);
            starbases += s.Starbase.isEmpty() ? 0 : 1;
        }
        race.Player_Population = population;
        race.Player_Starbases = starbases ? std::optional<double>(starbases) : std::nullopt;
    }
}

// The sum of the population figures of the planets the race owns.
double planetSum(const Globals &g, const QString &race)
{
    double sum = 0;
    for (const Star_Object &s : g.Star_Table)
        if (s.Owner == race)
            sum += conv::leadingNumber(s.population);
    return sum;
}

} // namespace

void TestReportReader::mergesReport()
{
    TestFiles files;
    Globals g = mapOf(files, planetsNamed({"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}));
    const Reading r = readReport(g, files,
                                 "Planet\tOwner\tStarbase\tAge\tPopulation\tNotes\r\n"
                                 "Alpha\tZorn\tSB\t3\t1200\t\r\n"
                                 "Beta\tKell\t\t2\t300\t\r\n"
                                 "\r\n"
                                 "Gamma\tZorn\t\t1\t50\t\r\n"
                                 "Nowhere\tVex\tSB\t1\t999\t\r\n"
                                 "Delta\t\tSB\t4\t77\t\r\n"
                                 "Epsilon\tVex\t\t5\t10 people\tnotes\twith\ttabs\r\n");

    QCOMPARE(r.messages, QStringList());
    // The blank line still counts as an item but shows no caption.
    QCOMPARE(r.captions,
             (QStringList{"Processing number 1", "Processing number 2", "Processing number 4",
                          "Processing number 5", "Processing number 6", "Processing number 7",
                          "Sorting...", "Done!"}));

    QCOMPARE(g.Last_Player_Index, qint16(2));
    const QStringList races{"Zorn", "Kell", "Vex"};
    const QList<double> populations{1250, 300, 10};
    const QList<std::optional<double>> starbases{1.0, std::nullopt, std::nullopt};
    for (int slot = 0; slot < 3; ++slot) {
        QCOMPARE(g.Player_Table[slot].Player_Name, races[slot]);
        QCOMPARE(g.Player_Table[slot].Player_Population, populations[slot]);
        QCOMPARE(g.Player_Table[slot].Player_Starbases, starbases[slot]);
    }
    QVERIFY(g.Player_Table[3].Player_Name.isEmpty());

    const Star_Object &alpha = planet(g, "Alpha");
    QCOMPARE(alpha.Owner, QStringLiteral("Zorn"));
    QCOMPARE(alpha.Starbase, QStringLiteral("SB"));
    QCOMPARE(alpha.report_age, QStringLiteral("3"));
    QCOMPARE(alpha.population, QStringLiteral("1200"));
    QCOMPARE(alpha.color, std::optional<PackedColor>(slotColor(0)));
    QCOMPARE(alpha.Style, std::optional<qint16>(0));
    QCOMPARE(planet(g, "Beta").color, std::optional<PackedColor>(slotColor(1)));
    QCOMPARE(planet(g, "Beta").Style, std::optional<qint16>(1));
    QCOMPARE(planet(g, "Epsilon").population, QStringLiteral("10 people"));
    QCOMPARE(planet(g, "Epsilon").color, std::optional<PackedColor>(slotColor(2)));
    const Star_Object &delta = planet(g, "Delta");
    QVERIFY(delta.Owner.isEmpty() && delta.Starbase.isEmpty() && delta.population.isEmpty());
    QCOMPARE(delta.color, std::optional<PackedColor>(kWhite));
    QVERIFY(!delta.Style);

    QStringList order;
    for (const Star_Object &s : g.Star_Table)
        order << s.Star_Name;
    QCOMPARE(order, (QStringList{"Delta", "Epsilon", "Gamma", "Beta", "Alpha"}));
}

// A planet is first stored with one population, then reported with another: the later
// figure replaces it unless it is empty, and the race's total is the planet's figure.
void TestReportReader::laterPopulationWins_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<QString>("kept");
    QTest::newRow("900 grows to 1000") << "900" << "1000" << "1000";
    QTest::newRow("1000 shrinks to 900") << "1000" << "900" << "900";
    QTest::newRow("same text") << "1000" << "1000" << "1000";
    QTest::newRow("same value, other text") << "1000" << "1e3" << "1e3";
    QTest::newRow("words after the number") << "12 people" << "13" << "13";
    QTest::newRow("non-number counts as zero") << "abc" << "5" << "5";
    QTest::newRow("empty takes any text") << "" << "abc" << "abc";
    QTest::newRow("empty takes zero") << "" << "0" << "0";
    QTest::newRow("empty stays for empty") << "" << "" << "";
    QTest::newRow("zero is not replaced by empty") << "0" << "" << "0";
    QTest::newRow("empty keeps what is known") << "1000" << "" << "1000";
}

void TestReportReader::laterPopulationWins()
{
    QFETCH(QString, stored);
    QFETCH(QString, reported);
    QFETCH(QString, kept);
    TestFiles files;
    Globals g = mapOf(files, planetsNamed({"A"}));
    readReport(g, files, reportText({{"A", "Zorn", "", "1", stored}}));
    QCOMPARE(g.Player_Table[0].Player_Population, conv::leadingNumber(stored));

    const Reading r = readReport(g, files, reportText({{"A", "Zorn", "", "2", reported}}));
    QCOMPARE(r.messages, QStringList());
    QCOMPARE(g.Star_Table[0].population, kept);
    QCOMPARE(g.Star_Table[0].report_age, QStringLiteral("2"));
    QCOMPARE(g.Player_Table[0].Player_Population, conv::leadingNumber(kept));
}

void TestReportReader::firstMatchFollowsTableOrder()
{
    TestFiles files;
    Globals g = mapOf(files, {{"1", "1000", "Twin"}, {"2", "1000", "Big"}, {"3", "1000", "Twin"}});
    readReport(g, files, reportText({{"Twin", "Zorn", "", "1", "500"}}));
    QCOMPARE(planetAtX(g, "1").Owner, QStringLiteral("Zorn"));
    QVERIFY(planetAtX(g, "3").Owner.isEmpty());

    // The sort moved the populated twin behind the other one, which now comes first.
    QCOMPARE(g.Star_Table[0].Star_X, QStringLiteral("3"));
    readReport(g, files, reportText({{"Twin", "Kell", "", "1", "7"}}));
    QCOMPARE(planetAtX(g, "3").Owner, QStringLiteral("Kell"));
    QCOMPARE(planetAtX(g, "1").Owner, QStringLiteral("Zorn"));
    QCOMPARE(planetAtX(g, "1").population, QStringLiteral("500"));
}

void TestReportReader::raceSlots()
{
    TestFiles files;
    Globals g = mapOf(files, planetsNamed({"A", "B", "C", "D"}));
    // Slot 1 is free but below the last used slot; slot 5 holds a name beyond it.
    g.Player_Table[0].Player_Name = "Kell";
    g.Player_Table[2].Player_Name = "Vex";
    g.Last_Player_Index = 2;
    g.Player_Table[5].Player_Name = "Zorn";
    g.Player_Table[3].Player_Color = 0xABCDEF; // picked by the user before the report
    g.Player_Table[3].Player_Style = 7;

    const Reading r = readReport(g, files,
                                 reportText({{"A", "Zorn", "", "1", "10"},
                                             {"B", "Nova", "", "1", "20"},
                                             {"C", "Vex", "", "1", "30"},
                                             {"D", "Orb", "", "1", "40"}}));
    QCOMPARE(r.messages, QStringList());
    // Every slot is searched for a name; a new race takes the slot after the last used one
    // with the colour and style that slot has now.
    QCOMPARE(g.Player_Table[5].Player_Population, 10.0);
    QCOMPARE(planet(g, "A").color, std::optional<PackedColor>(slotColor(5)));
    QCOMPARE(planet(g, "A").Style, std::optional<qint16>(5));
    QCOMPARE(g.Last_Player_Index, qint16(4));
    QVERIFY(g.Player_Table[1].Player_Name.isEmpty());
    QCOMPARE(g.Player_Table[3].Player_Name, QStringLiteral("Nova"));
    QCOMPARE(g.Player_Table[4].Player_Name, QStringLiteral("Orb"));
    QCOMPARE(planet(g, "B").color, std::optional<PackedColor>(0xABCDEF));
    QCOMPARE(planet(g, "B").Style, std::optional<qint16>(7));
    QCOMPARE(planet(g, "C").color, std::optional<PackedColor>(slotColor(2)));
    QCOMPARE(planet(g, "D").color, std::optional<PackedColor>(slotColor(4)));
}

void TestReportReader::totalsAcrossReports()
{
    TestFiles files;
    Globals g = mapOf(files, planetsNamed({"A", "B", "C", "D"}));
    const QByteArray first = reportText({{"A", "Zorn", "SB", "1", "100"},
                                         {"B", "Zorn", "", "1", "200"},
                                         {"C", "Kell", "SB", "1", "50"},
                                         {"D", "Kell", "", "1", "5"}});
    readReport(g, files, first);
    QCOMPARE(g.Player_Table[0].Player_Population, 300.0);
    QCOMPARE(g.Player_Table[0].Player_Starbases, 1.0);
    QCOMPARE(g.Player_Table[1].Player_Population, 55.0);
    QCOMPARE(g.Player_Table[1].Player_Starbases, 1.0);

    const Globals once = g;
    readReport(g, files, first);
    QVERIFY(sameState(g, once));

    const Reading r = readReport(g, files,
                                 reportText({{"A", "Zorn", "SB", "2", "150"},
                                             {"B", "Zorn", "SB", "2", "200"},
                                             {"C", "Vex", "", "2", "60"},
                                             {"D", "", "", "2", "90"}}));
    QCOMPARE(r.messages, QStringList());
    // A planet counts once, for its present owner: the totals are those of the planets.
    QCOMPARE(g.Player_Table[0].Player_Population, 350.0);
    QCOMPARE(g.Player_Table[0].Player_Starbases, 2.0);
    // The captured planet takes its population to its new owner, and its starbase, lost in
    // the capture, no longer counts for anyone.
    QCOMPARE(g.Player_Table[2].Player_Name, QStringLiteral("Vex"));
    QCOMPARE(g.Player_Table[2].Player_Population, 60.0);
    QCOMPARE(g.Player_Table[2].Player_Starbases, std::nullopt);
    QCOMPARE(g.Player_Table[1].Player_Population, 5.0);
    QCOMPARE(g.Player_Table[1].Player_Starbases, std::nullopt);
    QCOMPARE(planet(g, "C").Owner, QStringLiteral("Vex"));
    QCOMPARE(planet(g, "C").color, std::optional<PackedColor>(slotColor(2)));
    // A line without an owner leaves the planet as the last owner's report left it.
    QCOMPARE(planet(g, "D").Owner, QStringLiteral("Kell"));
    QCOMPARE(planet(g, "D").population, QStringLiteral("5"));
    QCOMPARE(planet(g, "D").report_age, QStringLiteral("1"));
    for (int slot = 0; slot <= g.Last_Player_Index; ++slot) {
        const Player_Object &race = g.Player_Table[slot];
        QCOMPARE(race.Player_Population, planetSum(g, race.Player_Name));
    }

    // Two lines for one planet: the later one is the planet's present, but an empty
    // population does not wipe out the earlier figure.
    readReport(g, files,
               reportText({{"A", "Kell", "SB", "3", "70"}, {"A", "Vex", "", "4", ""}}));
    QCOMPARE(planet(g, "A").Owner, QStringLiteral("Vex"));
    QCOMPARE(planet(g, "A").Starbase, QString());
    QCOMPARE(planet(g, "A").population, QStringLiteral("70"));
    QCOMPARE(g.Player_Table[2].Player_Population, 130.0);
    QCOMPARE(g.Player_Table[0].Player_Population, 200.0);
}

void TestReportReader::ignoredLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("empty owner") << QByteArray("h\nA\t\tSB\t1\t100\t\n")
                                 << QStringList{"Processing number 1", "Sorting...", "Done!"};
    QTest::newRow("unknown planet") << QByteArray("h\nNowhere\tZorn\tSB\t1\t100\t\n")
                                    << QStringList{"Processing number 1", "Sorting...", "Done!"};
    QTest::newRow("name differs in case")
        << QByteArray("h\na\tZorn\t\t1\t100\t\n")
        << QStringList{"Processing number 1", "Sorting...", "Done!"};
    QTest::newRow("name with a trailing blank")
        << QByteArray("h\nA \tZorn\t\t1\t100\t\n")
        << QStringList{"Processing number 1", "Sorting...", "Done!"};
    QTest::newRow("header only") << QByteArray("h\tZorn\tSB\t1\t100\t")
                                 << QStringList{"Sorting...", "Done!"};
    QTest::newRow("empty file") << QByteArray() << QStringList{"Sorting...", "Done!"};
    QTest::newRow("blank lines") << QByteArray("h\n\n\r\n\n") << QStringList{"Sorting...", "Done!"};
}

void TestReportReader::ignoredLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, captions);
    TestFiles files;
    Globals g = mapOf(files, planetsNamed({"A", "B"}));
    const Globals before = g;
    const Reading r = readReport(g, files, text);
    QCOMPARE(r.messages, QStringList());
    QCOMPARE(r.captions, captions);
    QVERIFY(sameState(g, before));
}

void TestReportReader::failures_data()
{
    QTest::addColumn<QByteArray>("text"); // a null array: no file at all
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("captions");

    const QStringList missing{"Not merged: missing.pla"};
    QTest::newRow("missing file") << QByteArray() << int(RunError::FileNotFound) << 0 << missing;
    const QStringList atTwo{"Processing number 1", "Not merged: bad.pla"};
    QTest::newRow("four tabs") << QByteArray("h\nA\tZorn\t\t1\t100\t\nB\tKell\t\t1\t200\n"
                                             "C\tVex\t\t1\t300\t\n")
                               << int(RunError::InvalidCall) << 3 << atTwo;
    QTest::newRow("four tabs, empty owner")
        << QByteArray("h\nA\tZorn\t\t1\t100\t\nB\t\t\t1\t200\nC\tVex\t\t1\t300\t\n")
        << int(RunError::InvalidCall) << 3 << atTwo;
    QTest::newRow("comma splits a line")
        << QByteArray("h\nA\tZorn\t\t1\t100\t\nB\tKell\t\t1\t200\tnote, more\nC\tVex\t\t1\t300\t\n")
        << int(RunError::InvalidCall) << 3
        << QStringList{"Processing number 1", "Processing number 2", "Not merged: bad.pla"};
    QTest::newRow("population beyond a double")
        << QByteArray("h\r\nA\tZorn\t\t1\t100\t\r\nB\tKell\t\t1\t1e999\t\r\n")
        << int(RunError::Overflow) << 3 << atTwo;
    QTest::newRow("population of 401 digits")
        << "h\r\nA\tZorn\t\t1\t100\t\r\nB\tKell\t\t1\t1" + QByteArray(400, '0') + "\t\r\n"
        << int(RunError::Overflow) << 3 << atTwo;
    // Two figures that fit a double each but not their race's sum: found only once every
    // line is stored, and taken back.
    QTest::newRow("total beyond a double")
        << QByteArray("h\nA\tZorn\t\t1\t1e308\t\nB\tZorn\t\t1\t1e308\t\n")
        << int(RunError::Overflow) << 0
        << QStringList{"Processing number 1", "Processing number 2", "Sorting...",
                       "Not merged: bad.pla"};

    // Sixteen races on the first planets, then a seventeenth on planet C.
    QList<ReportLine> lines;
    QStringList captions;
    for (int r = 0; r < 16; ++r) {
        lines.append({QStringLiteral("P%1").arg(r), QStringLiteral("Race %1").arg(r), "", "1",
                      QString::number(r + 1)});
        captions << QStringLiteral("Processing number %1").arg(r + 1);
    }
    lines.append({"C", "Race 16", "", "1", "5"});
    lines.append({"A", "Race 0", "", "1", "5"});
    QTest::newRow("17th race") << reportText(lines) << int(RunError::SubscriptOutOfRange) << 18
                               << captions + QStringList{"Not merged: bad.pla"};
}

// A report that fails changes nothing: races, totals, planets and their order are as they
// were, and the caption says the report was not merged.
void TestReportReader::failures()
{
    QFETCH(QByteArray, text);
    QFETCH(int, number);
    QFETCH(int, line);
    QFETCH(QStringList, captions);
    TestFiles files;
    QStringList names{"A", "B"};
    if (number == RunError::SubscriptOutOfRange) {
        for (int r = 0; r < 16; ++r)
            names << QStringLiteral("P%1").arg(r);
    }
    names << "C";
    Globals g = mapOf(files, planetsNamed(names));
    // Something merged before, so that there is something to keep.
    readReport(g, files,
               reportText({{"B", "Race 0", "SB", "1", "7"}, {"C", "Race 0", "", "1", "9"}}));
    const Globals before = g;
    const QString path = text.isNull() ? files.path("missing.pla") : files.write("bad.pla", text);

    const Reading r = readReport(g, path);
    QCOMPARE(r.captions, captions);
    QCOMPARE(r.messages.size(), 1);
    const QString message = r.messages.front();
    const QString start =
        QStringLiteral("Error!!! %1 %2").arg(number).arg(RunError::standardText(number));
    const QString where = line > 0 ? QStringLiteral("(line %1 of %2)").arg(line).arg(path)
                                   : QStringLiteral("(%1)").arg(path);
    QVERIFY2(message.startsWith(start) && message.endsWith(where), qPrintable(message));
    QVERIFY(sameState(g, before));

    Globals thrown = before;
    thrown.Player_File_Name = path;
    try {
        readPlayerFile(thrown);
        QFAIL("the failure did not reach the caller");
    } catch (const RunError &e) {
        QCOMPARE(e.number(), number);
        QCOMPARE(e.file(), path);
        QCOMPARE(e.line(), line);
        QCOMPARE(e.message(), message);
    }
    QVERIFY(sameState(thrown, before));
}

// Every planet line is counted, owned or not; the owned ones tell whether the report fits
// the map: fewer than half of them naming a planet of it is a warning.
void TestReportReader::tally()
{
    TestFiles files;
    Globals g = mapOf(files, planetsNamed({"A", "B", "C"}));
    g.Player_File_Name = files.write("t.pla", reportText({{"A", "Zorn", "", "1", "5"},
                                                         {"X", "Zorn", "", "1", "5"},
                                                         {"B", "", "", "1", ""},
                                                         {"Y", "", "", "1", ""},
                                                         {"Z", "Kell", "", "1", "5"}}));
    ReportTally t;
    readPlayerFile(g, {}, &t);
    QCOMPARE(t, (ReportTally{2, 3, 1, 2}));
    QVERIFY(looksForeign(t));
    QCOMPARE(tallyText(t, "/games/t.pla", "/games/u.map"),
             QStringLiteral("t.pla: 2 of 5 lines matched planets of u.map"));
    QCOMPARE(foreignWarning(t, "/games/t.pla", "/games/u.map"),
             QStringLiteral("t.pla: only 1 of 3 lines name a planet of u.map; is it from another "
                            "universe?"));

    // Half of the owned lines is enough; a report without owned lines warns of nothing.
    QVERIFY(!looksForeign({0, 9, 2, 2}));
    QVERIFY(looksForeign({9, 0, 0, 1}));
    QVERIFY(!looksForeign({0, 5, 0, 0}));
}

void TestReportReader::matchesLiteralReading()
{
    const SyntheticUniverse universe = syntheticUniverse(1500, 3);
    TestFiles files;
    Globals fast = mapOf(files, universe.planets);
    Globals literal = fast;
    for (quint32 seed : {1u, 2u, 1u, 4u}) {
        const Reading r = readReport(fast, files, universe.reportText(seed));
        QCOMPARE(r.messages, QStringList());
        literalReading(literal, universe.report(seed));
        QVERIFY2(sameState(fast, literal), qPrintable(QStringLiteral("report %1").arg(seed)));
    }
    QCOMPARE(fast.Last_Player_Index, qint16(15));
}

QTEST_GUILESS_MAIN(TestReportReader)
#include "tst_reportreader.moc"

// The universe's history: what each merged report changed, taking reports back, and a new
// map starting a new universe.
#include "conversions.h"
#include "loaduniverse.h"
#include "palette.h"
#include "racecolours.h"
#include "reportreader.h"
#include "runerror.h"
#include "testfiles.h"
#include "universe.h"

#include <QHash>
#include <QTest>

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void changesAgainstTheReports();
    void undoRestoresEachState();
    void undoKeepsColoursChosenSince();
    void newMapClearsTheRaces();
};

namespace {

// What the reports say of one planet, read straight from their lines by name.
struct Known {
    QString owner, starbase, population;
};
using KnownPlanets = QHash<QString, Known>;

void readInto(KnownPlanets &known, const QList<ReportLine> &lines, const QSet<QString> &map)
{
    for (const ReportLine &line : lines) {
        if (line.owner.isEmpty() || !map.contains(line.planet))
            continue;
        Known &k = known[line.planet];
        k.owner = line.owner;
        k.starbase = line.starbase;
        if (!line.population.isEmpty())
            k.population = line.population;
    }
}

QString row(const QString &planet, ChangeKinds kinds, const QString &ownerBefore,
            const QString &ownerAfter, const QString &before, const QString &after)
{
    return QStringLiteral("%1|%2|%3>%4|%5>%6")
        .arg(planet)
        .arg(kinds.toInt())
        .arg(ownerBefore, ownerAfter, before, after);
}

// The rows a step must list, worked out from what the reports say before and after it.
QStringList expectedRows(const KnownPlanets &before, const KnownPlanets &after)
{
    QStringList rows;
    for (auto it = after.begin(); it != after.end(); ++it) {
        const Known was = before.value(it.key());
        const Known &now = it.value();
        ChangeKinds kinds;
        if (was.owner.isEmpty()) {
            kinds = ChangeKind::FirstSeen;
        } else {
            if (was.owner != now.owner)
                kinds |= ChangeKind::NewOwner;
            if (was.starbase.isEmpty() != now.starbase.isEmpty())
                kinds |=
                    was.starbase.isEmpty() ? ChangeKind::StarbaseBuilt : ChangeKind::StarbaseLost;
            const double a = conv::leadingNumber(was.population);
            const double b = conv::leadingNumber(now.population);
            if (was.owner == now.owner && a != b)
                kinds |= b > a ? ChangeKind::PopulationUp : ChangeKind::PopulationDown;
        }
        if (kinds)
            rows << row(it.key(), kinds, was.owner, now.owner, was.population, now.population);
    }
    rows.sort();
    return rows;
}

QStringList listedRows(const Globals &g, const LoadHistory &history, int step)
{
    const std::vector<int> positions = history.positions();
    const ReportStep &s = history.reports[step].step;
    QStringList rows;
    for (int k : s.listed()) {
        const ReportStep::PlanetChange c = s.change(k);
        rows << row(g.Star_Table[size_t(positions[size_t(c.planet)])].Star_Name, c.kinds,
                    c.ownerBefore.toString(), c.ownerAfter.toString(),
                    c.populationBefore.toString(), c.populationAfter.toString());
    }
    rows.sort();
    return rows;
}

struct State {
    Star_Table_Type planets;
    Player_Table_Type races;
    qint16 lastRace;
    bool operator==(const State &) const = default;
};

State stateOf(const Globals &g)
{
    return {g.Star_Table, g.Player_Table, g.Last_Player_Index};
}

// Merges a report the way the main window does: read, then added to the history.
void merge(Globals &g, LoadHistory &history, TestFiles &files, const QList<ReportLine> &lines)
{
    g.Player_File_Name =
        files.write(QStringLiteral("turn%1.pla").arg(history.reports.size()), reportText(lines));
    ReportTally tally;
    ReportStep step = readPlayerFile(g, {}, &tally);
    history.add(g.Player_File_Name, tally, std::move(step));
}

} // namespace

// Two turns of a universe whose names are unique, so that a name says which planet: the
// steps list exactly what the reports' lines, read by name, say changed.
void TestHistory::changesAgainstTheReports()
{
    SyntheticUniverse universe = syntheticUniverse(3000, 5);
    QSet<QString> names;
    for (int k = 0; k < universe.planets.size(); ++k) {
        universe.planets[k].name = QStringLiteral("World %1").arg(k);
        names.insert(universe.planets[k].name);
    }
    const QList<ReportLine> first = universe.report(1);
    const QList<ReportLine> second = universe.laterTurn(first, 2);
    TestFiles files;
    Globals g;
    const LoadHistory history = loadUniverse(
        g, files.write("u.map", universe.mapText()),
        {files.write("t1.pla", reportText(first)), files.write("t2.pla", reportText(second))});

    KnownPlanets none, afterFirst, afterSecond;
    readInto(afterFirst, first, names);
    afterSecond = afterFirst;
    readInto(afterSecond, second, names);

    QCOMPARE(history.reports.size(), 2);
    // The first report's rows are the planets it gave an owner, all first seen.
    const QStringList firstRows = expectedRows(none, afterFirst);
    QCOMPARE(firstRows.size(), afterFirst.size());
    QCOMPARE(listedRows(g, history, 0), firstRows);
    const QStringList secondRows = expectedRows(afterFirst, afterSecond);
    QVERIFY2(secondRows.size() > 200, qPrintable(QString::number(secondRows.size())));
    QCOMPARE(listedRows(g, history, 1), secondRows);

    // Each step keeps the races as they were around it.
    const ReportStep &s = history.reports[1].step;
    QCOMPARE(s.racesAfter(), g.Player_Table);
    QCOMPARE(s.racesBefore(), history.reports[0].step.racesAfter());
    int owned = 0;
    for (int slot = 0; slot <= g.Last_Player_Index; ++slot)
        owned += s.planetsOwnedAfter(slot);
    QCOMPARE(owned, afterSecond.size());
}

// Undo takes each report back to the state before it, exactly: records, their order (which
// decides where a repeated name's line goes), races, totals and colours. New races come and
// go with the report that brought them.
void TestHistory::undoRestoresEachState()
{
    const SyntheticUniverse universe = syntheticUniverse(4000, 9);
    TestFiles files;
    Globals g;
    LoadHistory history = loadUniverse(g, files.write("u.map", universe.mapText()));
    // The first turn knows only four races; the later ones bring the rest.
    QList<QList<ReportLine>> turns{universe.report(3)};
    for (ReportLine &line : turns[0])
        if (!line.owner.isEmpty() && line.owner > QStringLiteral("Race D"))
            line.owner = QStringLiteral("Race A");
    turns << universe.laterTurn(universe.report(3), 10, 15);
    turns << universe.laterTurn(turns[1], 11, 15);
    turns << universe.laterTurn(turns[2], 12, 15);
    QList<State> states;
    for (const QList<ReportLine> &turn : turns) {
        states << stateOf(g);
        merge(g, history, files, turn);
    }
    QVERIFY(g.Last_Player_Index > 3);
    QVERIFY(stateOf(g) != states.last());

    for (int t = 3; t >= 0; --t) {
        QVERIFY(history.undoLast(g));
        QCOMPARE(history.reports.size(), t);
        QVERIFY2(stateOf(g) == states[t], qPrintable(QStringLiteral("before turn %1").arg(t)));
    }
    QVERIFY(!history.undoLast(g));
    QVERIFY(stateOf(g) == states.first());

    // Merged again after undoing, a report gives what it gave the first time.
    merge(g, history, files, universe.report(3));
    Globals fresh;
    loadUniverse(fresh, g.Map_File_Name, {g.Player_File_Name});
    QVERIFY(stateOf(g) == stateOf(fresh));
}

// Colours belong to races: one chosen after a report stays when the report is taken back,
// on the race and every planet it owns then; a slot that the report filled gets back the
// colour it had before.
void TestHistory::undoKeepsColoursChosenSince()
{
    TestFiles files;
    Globals g;
    LoadHistory history = loadUniverse(g, files.write("u.map", mapText({{"1000", "1000", "A"},
                                                                        {"1100", "1000", "B"},
                                                                        {"1200", "1000", "C"}})));
    merge(g, history, files, {{"A", "Zorn", "", "1", "10"}, {"B", "Kell", "", "1", "20"}});
    merge(g, history, files, {{"B", "Zorn", "", "2", "5"}, {"C", "Vex", "", "2", "7"}});
    setRaceColor(g, 0, 0x00ABCDEF); // Zorn, after the second report
    setRaceColor(g, 2, 0x00123456); // Vex, whom the second report brought

    QVERIFY(history.undoLast(g));
    QCOMPARE(g.Last_Player_Index, qint16(1));
    QCOMPARE(g.Player_Table[0].Player_Color, PackedColor(0x00ABCDEF));
    QCOMPARE(g.Player_Table[2].Player_Color, kDefaultPalette[2].color);
    QVERIFY(g.Player_Table[2].Player_Name.isEmpty());
    for (const Star_Object &s : g.Star_Table) {
        if (s.Star_Name == u"A") {
            QCOMPARE(s.color, std::optional<PackedColor>(0x00ABCDEF));
        } else if (s.Star_Name == u"B") {
            QCOMPARE(s.Owner, QStringLiteral("Kell"));
            QCOMPARE(s.color, std::optional<PackedColor>(kDefaultPalette[1].color));
            QCOMPARE(s.population, QStringLiteral("20"));
        } else {
            QVERIFY(s.Owner.isEmpty());
            QCOMPARE(s.color, std::optional<PackedColor>(kWhite));
            QVERIFY(!s.Style);
        }
    }
    QCOMPARE(g.Player_Table[1].Player_Population, 20.0);
}

void TestHistory::newMapClearsTheRaces()
{
    TestFiles files;
    Globals g;
    loadUniverse(g, files.write("u.map", mapText({{"1000", "1000", "A"}})),
                 {files.write("u.pla", reportText({{"A", "Zorn", "SB", "1", "10"}}))});
    g.Player_Table[0].Player_Color = 0x00ABCDEF;
    const Globals before = g;

    // A map that cannot be read changes nothing, the races included.
    g.Map_File_Name = files.write("bad.map", "h\n1\t1000\n");
    QVERIFY_THROWS_EXCEPTION(RunError, openUniverse(g));
    QVERIFY(g.Player_Table == before.Player_Table);
    QCOMPARE(g.Last_Player_Index, before.Last_Player_Index);

    g.Map_File_Name = files.write("v.map", mapText({{"1000", "1000", "A"}, {"1200", "900", "B"}}));
    openUniverse(g);
    QCOMPARE(g.Star_Table.size(), size_t(2));
    QCOMPARE(g.Last_Player_Index, qint16(-1));
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        const Player_Object &race = g.Player_Table[slot];
        QVERIFY(race.Player_Name.isEmpty());
        QVERIFY(!race.Player_Population && !race.Player_Starbases);
        QCOMPARE(race.Player_Color, kDefaultPalette[slot].color);
    }
    // Its reports start from slot 0 again.
    g.Player_File_Name = files.write("v.pla", reportText({{"B", "Kell", "", "1", "3"}}));
    readPlayerFile(g);
    QCOMPARE(g.Player_Table[0].Player_Name, QStringLiteral("Kell"));
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"

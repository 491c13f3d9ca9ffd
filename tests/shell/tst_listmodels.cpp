#include "changelistmodel.h"
#include "loaduniverse.h"
#include "palette.h"
#include "planetlistmodel.h"
#include "raceoverviewmodel.h"
#include "reportreader.h"
#include "stepmarks.h"
#include "testfiles.h"

#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTest>

class TestListModels : public QObject {
    Q_OBJECT
private slots:
    void sortsEveryColumn_data();
    void sortsEveryColumn();
    void filtersByTextAndRace_data();
    void filtersByTextAndRace();
    void copyText();
    void distancesWithinAndSort();
    void markersAndNotes();
    void placeSurvivesASort();
    void swatchesFollowColours();
    void raceOverviewRows();
    void raceOverviewSorts();
    void loadHistoryText();
    void numbersGroupedByTheLocale();
    void changeListRows();
    void changeListFiltersAndSummary();
    void stepMarksByKind();
    void raceHistory();
};

namespace {

// Names differ in case on purpose; populations compare differently as text and as numbers.
const QList<MapLine> kPlanets = {
    {"1200", "1100", "beta"}, {"900", "1800", "Alpha"}, {"1500", "1300", "Gamma"},
    {"1700", "1500", "delta"}, {"1000", "1600", "Epsilon"}, {"1100", "1000", "zeta"},
};
const QList<ReportLine> kReport = {
    {"beta", "Zorn", "SB", "10", "900"},   {"Alpha", "Vell", "", "2", "1000"},
    {"Gamma", "zorn", "", "1", "25000"},   {"delta", "Zorn", "X", "", "12.5"},
    {"Nowhere", "Vell", "", "1", "5"},
};

struct Universe {
    Universe()
    {
        tally = loadUniverse(g, files.write("u.map", mapText(kPlanets)),
                             {files.write("u.pla", reportText(kReport))})
                    .reports.first()
                    .tally;
    }
    TestFiles files;
    Globals g;
    ReportTally tally;
};

QStringList column(const QAbstractItemModel &model, int column)
{
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row)
        values.append(model.index(row, column).data().toString());
    return values;
}

} // namespace

void TestListModels::sortsEveryColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("ascending");
    using M = PlanetListModel;
    QTest::newRow("name ignores case") << int(M::Name)
        << QStringList{"Alpha", "beta", "delta", "Epsilon", "Gamma", "zeta"};
    QTest::newRow("x by value") << int(M::X)
        << QStringList{"900", "1000", "1100", "1200", "1500", "1700"};
    // Empty ages sort before every number; "10" after "2" although it sorts first as text.
    QTest::newRow("report age, empties first") << int(M::ReportAge)
        << QStringList{"", "", "", "1", "2", "10"};
    QTest::newRow("population by value") << int(M::Population)
        << QStringList{"", "", "12.5", "900", "1000", "25000"};
    QTest::newRow("owner ignores case") << int(M::Owner)
        << QStringList{"", "", "Vell", "Zorn", "zorn", "Zorn"};
}

void TestListModels::sortsEveryColumn()
{
    QFETCH(int, column);
    QFETCH(QStringList, ascending);
    Universe u;
    PlanetListModel model(u.g);
    PlanetListProxy proxy(model);
    proxy.sort(column, Qt::AscendingOrder);
    if (column == PlanetListModel::Owner) {
        // Equal keys keep table order, so only the case-blind order is checked.
        QStringList folded = column == PlanetListModel::Owner ? ::column(proxy, column) : QStringList();
        for (QString &text : folded)
            text = text.toLower();
        QCOMPARE(folded, (QStringList{"", "", "vell", "zorn", "zorn", "zorn"}));
    } else {
        QCOMPARE(::column(proxy, column), ascending);
    }
    proxy.sort(column, Qt::DescendingOrder);
    QStringList descending = ::column(proxy, column);
    std::reverse(descending.begin(), descending.end());
    if (column != PlanetListModel::Owner)
        QCOMPARE(descending, ascending);
}

void TestListModels::filtersByTextAndRace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("race");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("count");
    const int all = PlanetListProxy::kAllRaces;
    QTest::newRow("nothing") << "" << all
        << QStringList{"Gamma", "Alpha", "beta", "delta", "Epsilon", "zeta"} << "6 of 6 planets";
    QTest::newRow("name, other case") << "ALPH" << all << QStringList{"Alpha"} << "1 of 6 planets";
    QTest::newRow("owner text") << "zor" << all << QStringList{"Gamma", "beta", "delta"}
                                << "3 of 6 planets";
    QTest::newRow("unowned") << "" << int(PlanetListModel::kUnowned)
                             << QStringList{"Epsilon", "zeta"} << "2 of 6 planets";
    QTest::newRow("race slot 0, exact name") << "" << 0 << QStringList{"beta", "delta"}
                                             << "2 of 6 planets";
    QTest::newRow("race and text") << "DEL" << 0 << QStringList{"delta"} << "1 of 6 planets";
    QTest::newRow("no match") << "q" << all << QStringList{} << "0 of 6 planets";
}

void TestListModels::filtersByTextAndRace()
{
    QFETCH(QString, text);
    QFETCH(int, race);
    QFETCH(QStringList, names);
    QFETCH(QString, count);
    Universe u;
    PlanetListModel model(u.g);
    PlanetListProxy proxy(model);
    proxy.setFilterText(text);
    proxy.setRace(race);
    // Unsorted, the rows keep table order; compared here as sets.
    auto shown = [&] {
        QStringList list = column(proxy, PlanetListModel::Name);
        list.sort();
        return list;
    };
    names.sort();
    QCOMPARE(shown(), names);
    QCOMPARE(proxy.countText(), count);
    // Filtering again after a reload of the same table gives the same rows.
    model.reload();
    QCOMPARE(shown(), names);
}

void TestListModels::copyText()
{
    Globals g;
    g.Star_Table = {{"Tab\tbed", "1", "2", "Zorn", "", "", "7", {}, {}},
                    {"Back\\slash", "3", "4", "", "SB", "2", "", {}, {}},
                    {"Two\r\nlines\n", "5", "6", "Vell\\t", "", "", "", {}, {}}};
    g.Last_Star_Index = 2;
    PlanetListModel model(g);
    // For a spreadsheet: names as they are, only what would split a cell made a space.
    QCOMPARE(model.copyText({1, 0, 2}),
             QStringLiteral("Name\tX\tY\tOwner\tStarbase\tReport Age\tPopulation\n"
                            "Back\\slash\t3\t4\t\tSB\t2\t\n"
                            "Tab bed\t1\t2\tZorn\t\t\t7\n"
                            "Two  lines \t5\t6\tVell\\t\t\t\t\n"));
    QCOMPARE(model.copyText({}), QStringLiteral("Name\tX\tY\tOwner\tStarbase\tReport Age\tPopulation\n"));
}

// The Distance column, the "within" filter, the text and race filters and the sort by
// distance together; a reload after a merge keeps the origin.
void TestListModels::distancesWithinAndSort()
{
    Universe u;
    PlanetListModel model(u.g);
    PlanetListProxy proxy(model);
    QCOMPARE(column(proxy, PlanetListModel::Distance), QStringList(6, QString()));
    proxy.setOrigin(QPointF(1200, 1100)); // beta
    proxy.sort(PlanetListModel::Distance);
    // beta 0, zeta 141.4, Gamma 360.6, Epsilon 538.5, delta 640.3, Alpha 761.6
    QCOMPARE(column(proxy, PlanetListModel::Name),
             (QStringList{"beta", "zeta", "Gamma", "Epsilon", "delta", "Alpha"}));
    QCOMPARE(column(proxy, PlanetListModel::Distance),
             (QStringList{"0.0", "141.4", "360.6", "538.5", "640.3", "761.6"}));
    proxy.setWithin(540);
    QCOMPARE(proxy.countText(), QStringLiteral("4 of 6 planets"));
    proxy.setRace(0); // Zorn: beta and delta, only beta within reach
    QCOMPARE(column(proxy, PlanetListModel::Name), QStringList{"beta"});
    proxy.setRace(PlanetListProxy::kAllRaces);
    proxy.setFilterText("A"); // beta, zeta, Gamma: the names holding an "a"
    QCOMPARE(column(proxy, PlanetListModel::Name), (QStringList{"beta", "zeta", "Gamma"}));
    proxy.setFilterText({});
    proxy.sort(PlanetListModel::Distance, Qt::DescendingOrder);
    QCOMPARE(column(proxy, PlanetListModel::Name).first(), QStringLiteral("Epsilon"));

    // A merge reorders the table; the distances are still from beta.
    u.g.Player_File_Name = u.files.write("more.pla", reportText({{"zeta", "Vell", "", "1", "99999"}}));
    readPlayerFile(u.g);
    model.reload();
    proxy.sort(PlanetListModel::Distance);
    QCOMPARE(column(proxy, PlanetListModel::Name), (QStringList{"beta", "zeta", "Gamma", "Epsilon"}));
    // Measured from another planet, the rows re-sort, and views hear of it once, as a new
    // layout.
    QSignalSpy relaid(&proxy, &QAbstractItemModel::layoutChanged);
    QSignalSpy changed(&proxy, &QAbstractItemModel::dataChanged);
    proxy.setOrigin(QPointF(1500, 1300)); // Gamma
    QCOMPARE(column(proxy, PlanetListModel::Name).first(), QStringLiteral("Gamma"));
    QCOMPARE(column(proxy, PlanetListModel::Distance).first(), QStringLiteral("0.0"));
    QCOMPARE(relaid.count(), 1);
    QCOMPARE(changed.count(), 0);
    proxy.setOrigin(QPointF(1200, 1100));
    // Without an origin the reach keeps everything; planets without a place sort first.
    proxy.setOrigin(std::nullopt);
    QCOMPARE(proxy.rowCount(), 6);
    u.g.Star_Table[0].Star_X = QStringLiteral("far");
    model.reload();
    proxy.setOrigin(QPointF(1200, 1100));
    proxy.setWithin(std::nullopt);
    QCOMPARE(column(proxy, PlanetListModel::Distance).first(), QString());
    QCOMPARE(model.headerData(PlanetListModel::Distance, Qt::Horizontal).toString(),
             QStringLiteral("Distance"));
}

// The Marker and Note columns follow the notes; the marker choice and the text filter find
// them; sorting by marker goes in menu order.
void TestListModels::markersAndNotes()
{
    Universe u;
    PlanetListModel model(u.g);
    PlanetListProxy proxy(model);
    u.g.notes.set({"Gamma", 1500, 1300}, {Marker::Enemy, QStringLiteral("big\nfleet")});
    u.g.notes.set({"zeta", 1100, 1000}, {Marker::Target, {}});
    u.g.notes.set({"Alpha", 900, 1800}, {Marker::None, QStringLiteral("Staging")});
    u.g.notes.set({"Alpha", 900, 1801}, {Marker::Home, {}}); // no such planet here
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    proxy.notesChanged();
    QCOMPARE(changed.size(), 1);
    proxy.sort(PlanetListModel::Name);
    QCOMPARE(column(proxy, PlanetListModel::MarkerColumn),
             (QStringList{"", "", "", "", "Enemy", "Target"}));
    QCOMPARE(column(proxy, PlanetListModel::Note).first(), QStringLiteral("Staging"));
    QCOMPARE(column(proxy, PlanetListModel::Note)[4], QStringLiteral("big \u21b5 fleet"));
    QCOMPARE(proxy.index(4, PlanetListModel::Note).data(Qt::ToolTipRole).toString(),
             QStringLiteral("big\nfleet"));

    proxy.setMarkerFilter(PlanetListProxy::kMarked);
    QCOMPARE(column(proxy, PlanetListModel::Name), (QStringList{"Gamma", "zeta"}));
    proxy.setMarkerFilter(int(Marker::Target));
    QCOMPARE(proxy.countText(), QStringLiteral("1 of 6 planets"));
    proxy.setMarkerFilter(int(Marker::None));
    QCOMPARE(proxy.rowCount(), 4);
    proxy.setMarkerFilter(PlanetListProxy::kAnyMarker);
    proxy.setFilterText("FLEET"); // in a note
    QCOMPARE(column(proxy, PlanetListModel::Name), QStringList{"Gamma"});
    proxy.setFilterText("target"); // a marker's name
    QCOMPARE(column(proxy, PlanetListModel::Name), QStringList{"zeta"});
    proxy.setFilterText({});
    proxy.sort(PlanetListModel::MarkerColumn);
    QCOMPARE(column(proxy, PlanetListModel::MarkerColumn).mid(4), (QStringList{"Target", "Enemy"}));
    // The notes go: the columns empty again.
    u.g.notes.clear();
    proxy.notesChanged();
    QCOMPARE(column(proxy, PlanetListModel::MarkerColumn), QStringList(6, QString()));
}

void TestListModels::placeSurvivesASort()
{
    Universe u;
    PlanetListModel model(u.g);
    const int row = model.rowOf({"Epsilon", "1000", "1600"});
    QVERIFY(row >= 0);
    const PlanetListModel::Place place = model.placeOf(row);
    // Another report re-sorts the table under the model; the place it kept still names
    // the planet, and after the reload it is found on its new row.
    u.g.Player_File_Name = u.files.write("more.pla", reportText({{"Epsilon", "Vell", "", "1", "99999"}}));
    readPlayerFile(u.g);
    QCOMPARE(model.placeOf(row), place);
    model.reload();
    const int moved = model.rowOf(place);
    QCOMPARE(model.planet(moved).Star_Name, QStringLiteral("Epsilon"));
    QVERIFY(moved != row); // the most populous planet now, at the table's end
    QCOMPARE(moved, model.rowCount() - 1);
    QCOMPARE(model.rowOf({"Epsilon", "1000", "1601"}), -1);
}

void TestListModels::swatchesFollowColours()
{
    Universe u;
    PlanetListModel model(u.g);
    const int row = model.rowOf({"beta", "1200", "1100"});
    const QModelIndex owner = model.index(row, PlanetListModel::Owner);
    const QImage before = owner.data(Qt::DecorationRole).value<QPixmap>().toImage();
    QCOMPARE(before, zoneSwatch(PlanetListModel::kSwatchSize, kDefaultPalette[0].color, 4)
                         .convertToFormat(before.format()));
    QVERIFY(model.index(row, PlanetListModel::Name).data(Qt::DecorationRole).isNull());

    u.g.Player_Table[0].Player_Color = 0x00FFFF;
    u.g.Player_Table[0].Player_Style = 0;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.coloursChanged();
    QCOMPARE(changed.size(), 1);
    const QImage after = owner.data(Qt::DecorationRole).value<QPixmap>().toImage();
    QCOMPARE(QColor(after.pixel(3, 5)), QColor(Qt::yellow));
}

void TestListModels::raceOverviewRows()
{
    Universe u;
    RaceOverviewModel model(u.g);
    QCOMPARE(model.rowCount(), 3); // Zorn, Vell, zorn
    QCOMPARE(column(model, RaceOverviewModel::Name), (QStringList{"Zorn", "Vell", "zorn"}));
    QCOMPARE(column(model, RaceOverviewModel::Slot), (QStringList{"0", "1", "2"}));
    QCOMPARE(column(model, RaceOverviewModel::Planets), (QStringList{"2", "1", "1"}));
    QCOMPARE(column(model, RaceOverviewModel::Population), (QStringList{"912.5", "1000", "25000"}));
    QCOMPARE(column(model, RaceOverviewModel::Starbases), (QStringList{"2", "", ""}));
    // 912.5, 1000 and 25000 of 26912.5.
    QCOMPARE(column(model, RaceOverviewModel::Share), (QStringList{"3.4", "3.7", "92.9"}));

    Globals none;
    RaceOverviewModel empty(none);
    QCOMPARE(empty.rowCount(), 0);
    none.Player_Table[0].Player_Name = "Idle";
    none.Last_Player_Index = 0;
    empty.reload();
    QCOMPARE(empty.shareText(0), QString()); // no population at all: no share
}

void TestListModels::raceOverviewSorts()
{
    Universe u;
    RaceOverviewModel model(u.g);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.setSortRole(RaceOverviewModel::kSortRole);
    proxy.sort(RaceOverviewModel::Population, Qt::DescendingOrder);
    QCOMPARE(column(proxy, RaceOverviewModel::Name), (QStringList{"zorn", "Vell", "Zorn"}));
    proxy.sort(RaceOverviewModel::Starbases, Qt::AscendingOrder); // unset before 2
    QCOMPARE(column(proxy, RaceOverviewModel::Starbases).last(), QStringLiteral("2"));
    proxy.sort(RaceOverviewModel::Name, Qt::AscendingOrder);
    QCOMPARE(column(proxy, RaceOverviewModel::Name).first(), QStringLiteral("Vell"));
}

void TestListModels::loadHistoryText()
{
    Universe u;
    QCOMPARE(u.tally, (ReportTally{4, 1, 4, 1}));
    QCOMPARE(::loadHistoryText({}), QStringLiteral("No map is open."));
    const LoadHistory history{"/maps/u.map", 6, {{"/a.pla", u.tally, {}}, {"/b.pla", {0, 12}, {}}}, {}};
    QCOMPARE(::loadHistoryText(history),
             QStringLiteral("Map: /maps/u.map (6 planets)\n"
                            "Report: /a.pla: 4 lines matched a planet, 1 did not\n"
                            "Report: /b.pla: 0 lines matched a planet, 12 did not"));
}

// The windows read numbers as the user's locale writes them; what is copied stays as typed.
void TestListModels::numbersGroupedByTheLocale()
{
    Globals g;
    g.Star_Table = {{"Big", "1590", "1414", "Zorn", "", "3", "103423710", {}, {}},
                    {"Odd", "1000", "1000", "Zorn", "", "", "1200 people", {}, {}}};
    g.Last_Star_Index = 1;
    g.Player_Table[0].Player_Name = QStringLiteral("Zorn");
    g.Player_Table[0].Player_Population = 103424910.5;
    g.Player_Table[0].Player_Starbases = 1200;
    g.Last_Player_Index = 0;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    PlanetListModel planets(g);
    PlanetListProxy proxy(planets);
    RaceOverviewModel races(g);
    const QString shown = column(planets, PlanetListModel::Population).join(u'|');
    const QString totals = column(races, RaceOverviewModel::Population).join(u'|') + u' ' +
                           column(races, RaceOverviewModel::Starbases).join(u'|') + u' ' +
                           column(races, RaceOverviewModel::Share).join(u'|');
    LoadHistory loaded;
    loaded.mapPath = QStringLiteral("u.map");
    loaded.planets = 32767;
    loaded.reports.append(LoadedReport{QStringLiteral("r.pla"), {1234, 0}, {}});
    const QString history = ::loadHistoryText(loaded);
    QLocale::setDefault(QLocale::c());

    QCOMPARE(shown, QStringLiteral("103.423.710|1200 people"));
    // Coordinates are places, not amounts: as typed.
    QCOMPARE(planets.index(0, PlanetListModel::X).data().toString(), QStringLiteral("1590"));
    QVERIFY(planets.copyText({0}).endsWith(u"\t103423710\n"));
    QCOMPARE(totals, QStringLiteral("103.424.910,5 1.200 100,0"));
    QCOMPARE(history, QStringLiteral("Map: u.map (32.767 planets)\n"
                                     "Report: r.pla: 1.234 lines matched a planet, 0 did not"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(proxy.countText(), QStringLiteral("2 of 2 planets"));
    g.Star_Table.resize(1234, g.Star_Table[0]);
    g.Last_Star_Index = 1233;
    planets.reload();
    QCOMPARE(proxy.countText(), QStringLiteral("1,234 of 1,234 planets"));
    QLocale::setDefault(QLocale::c());
}

namespace {

// Two turns in which each kind of change happens once.
struct TwoTurns {
    TwoTurns()
    {
        const QList<MapLine> planets = {{"1000", "1000", "A"}, {"1100", "1000", "B"},
                                        {"1200", "1000", "C"}, {"1300", "1000", "D"},
                                        {"1400", "1000", "E"}, {"1500", "1000", "F"}};
        const QList<ReportLine> first = {{"A", "Zorn", "SB", "1", "100"},
                                         {"B", "Zorn", "", "1", "200"},
                                         {"C", "Kell", "SB", "1", "300"},
                                         {"D", "Kell", "", "1", "400"},
                                         {"E", "Vex", "", "1", "50"}};
        const QList<ReportLine> second = {{"A", "Zorn", "", "2", "120"},
                                          {"B", "Kell", "", "2", "150"},
                                          {"C", "Kell", "SB", "2", "250"},
                                          {"D", "Kell", "SB", "2", "400"},
                                          {"E", "Vex", "", "2", "50"},
                                          {"F", "Zorn", "", "2", "10"}};
        history = loadUniverse(g, files.write("u.map", mapText(planets)),
                               {files.write("t1.pla", reportText(first)),
                                files.write("t2.pla", reportText(second))});
    }
    TestFiles files;
    Globals g;
    LoadHistory history;
};

QStringList rowsOf(const QAbstractItemModel &model)
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.index(r, c).data().toString();
        rows << cells.join(u'|');
    }
    rows.sort();
    return rows;
}

} // namespace

void TestListModels::changeListRows()
{
    TwoTurns t;
    ChangeListModel model(t.g, t.history);
    QCOMPARE(model.step(), 1); // the last report by default
    QCOMPARE(rowsOf(model),
             (QStringList{"A|1000|1000|starbase lost, population up|Zorn|Zorn|100|120|+20",
                          "B|1100|1000|new owner|Zorn|Kell|200|150|-50",
                          "C|1200|1000|population down|Kell|Kell|300|250|-50",
                          "D|1300|1000|starbase built|Kell|Kell|400|400|0",
                          "F|1500|1000|first seen||Zorn||10|"}));
    // The planet sits where the table has it now.
    for (int r = 0; r < model.rowCount(); ++r)
        QCOMPARE(t.g.Star_Table[size_t(model.row(r).position)].Star_Name,
                 model.index(r, ChangeListModel::Planet).data().toString());
    // With a race in view, a change of hands is a capture or a loss.
    model.setRace("Kell");
    QVERIFY(rowsOf(model).contains("B|1100|1000|captured|Zorn|Kell|200|150|-50"));
    model.setRace("Zorn");
    QVERIFY(rowsOf(model).contains("B|1100|1000|lost|Zorn|Kell|200|150|-50"));

    model.setStep(0);
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.index(0, ChangeListModel::Kind).data().toString(), QStringLiteral("first seen"));
    QCOMPARE(stepTitle(t.history, 0), QStringLiteral("t1.pla: changes since u.map"));
    QCOMPARE(stepTitle(t.history, 1), QStringLiteral("t2.pla: changes since t1.pla"));

    // An earlier step chosen stays chosen; the last one chosen follows a new report.
    t.g.Player_File_Name = t.files.write("t3.pla", reportText({{"E", "Kell", "", "3", "40"}}));
    ReportTally tally;
    ReportStep step = readPlayerFile(t.g, {}, &tally);
    t.history.add(t.g.Player_File_Name, tally, std::move(step));
    model.reload();
    QCOMPARE(model.step(), 0);
    model.setStep(2);
    QCOMPARE(model.rowCount(), 1);
    t.history.undoLast(t.g);
    model.reload();
    QCOMPARE(model.step(), 1);

    // Copied as the window shows it, tab-separated with a header line.
    model.setRace({});
    QList<int> all;
    for (int r = 0; r < model.rowCount(); ++r)
        if (model.index(r, ChangeListModel::Planet).data().toString() == u"B")
            all << r;
    QCOMPARE(model.copyText(all),
             QStringLiteral("Planet\tX\tY\tKind\tRace Before\tRace After\tPopulation Before\t"
                            "Population After\tDifference\nB\t1100\t1000\tnew owner\tZorn\tKell\t200\t"
                            "150\t-50\n"));
}

void TestListModels::changeListFiltersAndSummary()
{
    TwoTurns t;
    ChangeListModel model(t.g, t.history);
    ChangeListProxy proxy(model);
    QCOMPARE(proxy.countText(), QStringLiteral("5 of 5 changes"));
    proxy.setRace("Kell");
    QCOMPARE(proxy.countText(), QStringLiteral("3 of 5 changes"));
    proxy.setKind(KindFilter::Captured);
    QCOMPARE(column(proxy, ChangeListModel::Planet), QStringList{"B"});
    proxy.setRace("Zorn");
    QCOMPARE(proxy.countText(), QStringLiteral("0 of 5 changes"));
    proxy.setKind(KindFilter::Lost);
    QCOMPARE(column(proxy, ChangeListModel::Planet), QStringList{"B"});
    proxy.setRace({});
    proxy.setKind(KindFilter::PopulationDown);
    QCOMPARE(column(proxy, ChangeListModel::Planet), QStringList{"C"});
    proxy.setKind(KindFilter::Any);
    proxy.sort(ChangeListModel::Difference, Qt::AscendingOrder); // empty first, then by value
    QCOMPARE(column(proxy, ChangeListModel::Difference), (QStringList{"", "-50", "-50", "0", "+20"}));

    // 1050 people before, 980 after; Zorn 300 to 130, Kell 700 to 800.
    QCOMPARE(changeSummary(t.history, 1),
             QStringLiteral("1 planet changed hands, 1 planet first seen, 1 starbase built, "
                            "1 starbase lost, population -6.7%"));
    QCOMPARE(changeSummary(t.history, 1, "Zorn"),
             QStringLiteral("1 planet lost, 1 planet first seen, 1 starbase lost, "
                            "population -56.7%"));
    QCOMPARE(changeSummary(t.history, 1, "Kell"),
             QStringLiteral("1 planet captured, 1 starbase built, population +14.3%"));
    QCOMPARE(changeSummary(t.history, 0),
             QStringLiteral("5 planets first seen, population +1050"));
}

// One mark a planet, of the kind that matters most or the one filtered for, in the colour of
// the race that holds the planet after the step.
void TestListModels::stepMarksByKind()
{
    TwoTurns t;
    t.g.Player_Table[1].Player_Color = 0x123456; // the colours as they are now
    const std::vector<ListedChange> rows = listedChanges(t.history, 1);
    auto marks = [&](const QString &race, KindFilter filter) {
        QMap<QString, ChangeMark> byName;
        for (const ChangeMark &m : stepMarks(t.g, rows, race, filter))
            byName.insert(t.g.Star_Table[size_t(m.planet)].Star_Name, m);
        return byName;
    };
    auto colourOf = [&](const QString &race) {
        for (const Player_Object &p : t.g.Player_Table)
            if (p.Player_Name == race)
                return p.Player_Color;
        return PackedColor(0xDEAD);
    };
    using K = ChangeMarkKind;
    auto all = marks({}, KindFilter::Any);
    QCOMPARE(all.keys(), (QStringList{"A", "B", "C", "D", "F"}));
    QCOMPARE(all["A"].kind, K::StarbaseLost); // before its population up
    QCOMPARE(all["B"].kind, K::NewOwner);
    QCOMPARE(all["B"].color, colourOf("Kell"));
    QCOMPARE(all["C"].kind, K::PopulationDown);
    QCOMPARE(all["D"].kind, K::StarbaseBuilt);
    QCOMPARE(all["F"].kind, K::FirstSeen);
    QCOMPARE(all["F"].color, colourOf("Zorn"));
    QVERIFY(colourOf("Kell") != colourOf("Zorn"));
    QCOMPARE(marks("Kell", KindFilter::Any)["B"].kind, K::Captured);
    QCOMPARE(marks("Zorn", KindFilter::Any)["B"].kind, K::Lost);
    QCOMPARE(marks("Zorn", KindFilter::NewOwner)["B"].kind, K::Lost);
    QCOMPARE(marks({}, KindFilter::PopulationUp)["A"].kind, K::PopulationUp);
    // A race no longer known gives white.
    const PackedColor kell = colourOf("Kell");
    for (Player_Object &p : t.g.Player_Table)
        if (p.Player_Color == kell)
            p.Player_Name = QStringLiteral("Renamed");
    QCOMPARE(marks({}, KindFilter::Any)["B"].color, kWhite);
}

void TestListModels::raceHistory()
{
    TwoTurns t;
    auto figures = [&](const QString &race) {
        QStringList out;
        for (const std::optional<RaceAtStep> &at : ::raceHistory(t.history, race))
            out << (at ? QStringLiteral("%1/%2").arg(at->population).arg(at->planets) : "-");
        return out;
    };
    QCOMPARE(figures("Zorn"), (QStringList{"300/2", "130/2"}));
    QCOMPARE(figures("Kell"), (QStringList{"700/2", "800/3"}));
    QCOMPARE(figures("Nobody"), (QStringList{"-", "-"}));

    // A race met in the second report has no figure for the first.
    t.g.Player_File_Name = t.files.write("t3.pla", reportText({{"E", "Orb", "", "3", "40"}}));
    ReportTally tally;
    ReportStep step = readPlayerFile(t.g, {}, &tally);
    t.history.add(t.g.Player_File_Name, tally, std::move(step));
    QCOMPARE(figures("Orb"), (QStringList{"-", "-", "40/1"}));
    QCOMPARE(figures("Vex"), (QStringList{"50/1", "50/1", "0/0"}));

    RaceOverviewModel model(t.g, &t.history);
    QCOMPARE(model.index(1, RaceOverviewModel::Planets).data(Qt::ToolTipRole).toString(),
             QStringLiteral("t1.pla: 2 planets, population 700\n"
                            "t2.pla: 3 planets, population 800\n"
                            "t3.pla: 3 planets, population 800"));
    QVERIFY(model.index(1, RaceOverviewModel::Name).data(Qt::ToolTipRole).isNull());
}

QTEST_MAIN(TestListModels)
#include "tst_listmodels.moc"

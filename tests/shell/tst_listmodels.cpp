#include "loaduniverse.h"
#include "palette.h"
#include "planetlistmodel.h"
#include "raceoverviewmodel.h"
#include "reportreader.h"
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
                    {"Back\\slash", "3", "4", "", "SB", "2", "", {}, {}}};
    g.Last_Star_Index = 1;
    PlanetListModel model(g);
    QCOMPARE(model.copyText({1, 0}),
             QStringLiteral("Name\tX\tY\tOwner\tStarbase\tReport Age\tPopulation\n"
                            "Back\\\\slash\t3\t4\t\tSB\t2\t\n"
                            "Tab\\tbed\t1\t2\tZorn\t\t\t7\n"));
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
    QCOMPARE(u.tally, (ReportTally{4, 1}));
    QCOMPARE(::loadHistoryText({}), QStringLiteral("No map is open."));
    const LoadHistory history{"/maps/u.map", 6, {{"/a.pla", u.tally}, {"/b.pla", {0, 12}}}};
    QCOMPARE(::loadHistoryText(history),
             QStringLiteral("Map: /maps/u.map (6 planets)\n"
                            "Report: /a.pla: 4 lines matched a planet, 1 did not\n"
                            "Report: /b.pla: 0 lines matched a planet, 12 did not"));
}

QTEST_MAIN(TestListModels)
#include "tst_listmodels.moc"

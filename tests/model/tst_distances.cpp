// Distances between planets, the near query behind the planet list and --near, and the
// fleet figures (rings, speed, turns), against plain arithmetic done here.
#include "distances.h"
#include "runerror.h"
#include "universe.h"

#include <QTest>

#include <algorithm>
#include <cmath>

class TestDistances : public QObject {
    Q_OBJECT
private slots:
    void nearMatchesAPlainComputation();
    void tiesAndPlanetsWithoutAPlace();
    void coordinateTexts();
    void ringsAndSpeedText_data();
    void ringsAndSpeedText();
    void turnsRoundUp();
};

namespace {

Star_Object star(const QString &name, const QString &x, const QString &y)
{
    Star_Object s;
    s.Star_Name = name;
    s.Star_X = x;
    s.Star_Y = y;
    return s;
}

Globals tableOf(const QList<MapLine> &planets)
{
    Globals g;
    for (const MapLine &line : planets)
        g.Star_Table.push_back(star(line.name, line.x, line.y));
    g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
    return g;
}

} // namespace

// On a seeded universe, for several origins and reaches: the same planets as a scan with
// integer arithmetic, nearest first.
void TestDistances::nearMatchesAPlainComputation()
{
    const SyntheticUniverse u = syntheticUniverse(2000, 11);
    const Globals g = tableOf(u.planets);
    for (int from : {0, 17, 1999}) {
        const MapLine &origin = u.planets[from];
        for (double within : {0.0, 150.0, 333.5, 5000.0}) {
            QList<int> expected;
            for (int i = 0; i < u.planets.size(); ++i) {
                const long long dx = u.planets[i].x.toLongLong() - origin.x.toLongLong();
                const long long dy = u.planets[i].y.toLongLong() - origin.y.toLongLong();
                if (double(dx * dx + dy * dy) <= within * within)
                    expected << i;
            }
            const std::vector<NearPlanet> near = planetsNear(
                g, QPointF(origin.x.toDouble(), origin.y.toDouble()), within);
            QList<int> found;
            for (const NearPlanet &p : near) {
                found << p.index;
                const MapLine &line = u.planets[p.index];
                const double dx = line.x.toDouble() - origin.x.toDouble();
                const double dy = line.y.toDouble() - origin.y.toDouble();
                QVERIFY(std::abs(p.distance - std::sqrt(dx * dx + dy * dy)) < 1e-9);
            }
            QVERIFY(std::is_sorted(near.begin(), near.end(),
                                   [](const NearPlanet &a, const NearPlanet &b) {
                                       return a.distance < b.distance;
                                   }));
            std::sort(found.begin(), found.end());
            QCOMPARE(found, expected);
            QVERIFY(found.contains(from)); // the origin itself, at 0
        }
    }
    QCOMPARE(int(planetsNear(g, {0, 0}, std::nullopt).size()), u.planets.size());
}

// Plain digits are read on a short path, everything else strictly: both give the number
// the text spells, and a text that is no number fails.
void TestDistances::coordinateTexts()
{
    const QList<std::pair<QString, double>> numbers = {
        {"0", 0},    {"1050", 1050}, {"007", 7},   {"999999999", 999999999},
        {" 12", 12}, {"-40", -40},   {"2.5", 2.5}, {"1e3", 1000},
        {"1234567890", 1234567890}};
    for (const auto &[text, value] : numbers)
        QCOMPARE(planetCoordinate(text), value);
    for (const QString &text :
         {QString(), QStringLiteral("x"), QStringLiteral("12a"), QStringLiteral("1 2")})
        QVERIFY_THROWS_EXCEPTION(RunError, planetCoordinate(text));
}

// Equally near planets go by name ignoring case, then exactly, then table order; a planet
// whose coordinates are not numbers has no distance.
void TestDistances::tiesAndPlanetsWithoutAPlace()
{
    const Globals g = tableOf({{"1003", "1004", "beta"},
                               {"997", "996", "Alpha"},
                               {"1005", "1000", "Beta"},
                               {"1000", "995", "beta"},
                               {"x", "1000", "Nowhere"},
                               {"1000", "1000", "Home"}});
    const std::vector<NearPlanet> near = planetsNear(g, {1000, 1000}, 5);
    QList<int> order;
    for (const NearPlanet &p : near)
        order << p.index;
    QCOMPARE(order, (QList<int>{5, 1, 2, 0, 3}));
    QCOMPARE(near[1].distance, 5.0);
    QVERIFY(std::isnan(distancesFrom(g, {1000, 1000})[4]));
    QCOMPARE(planetPlace(g.Star_Table[4]), std::nullopt);
    QCOMPARE(planetPlace(star("A", " 12.5 ", "-3")), std::optional(QPointF(12.5, -3)));
    QCOMPARE(distanceText(58.46), QStringLiteral("58.5"));
    QCOMPARE(distanceText(0), QStringLiteral("0.0"));
}

void TestDistances::ringsAndSpeedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("shown"); // as the field writes it back
    QTest::newRow("commas") << "81, 162" << true << "81, 162";
    QTest::newRow("spaces and fractions") << " 40.5  81 " << true << "40.5, 81";
    QTest::newRow("empty") << "" << true << "";
    QTest::newRow("zero") << "0, 81" << false << "";
    QTest::newRow("negative") << "-81" << false << "";
    QTest::newRow("word") << "81, far" << false << "";
    QTest::newRow("too far") << "100001" << false << "";
    QTest::newRow("thirteen rings") << "1 2 3 4 5 6 7 8 9 10 11 12 13" << false << "";
    QTest::newRow("twelve rings") << "1 2 3 4 5 6 7 8 9 10 11 12" << true
                                  << "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12";
}

void TestDistances::ringsAndSpeedText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, shown);
    const std::optional<std::vector<double>> rings = parseRings(text);
    QCOMPARE(rings.has_value(), valid);
    if (rings)
        QCOMPARE(ringsText(*rings), shown);
}

void TestDistances::turnsRoundUp()
{
    // A speed is one such number, or nothing.
    QCOMPARE(parseSpeed(u" 81 "), std::optional(81.0));
    QCOMPARE(parseSpeed(u""), std::optional(0.0));
    QCOMPARE(parseSpeed(u"81 162"), std::nullopt);
    QCOMPARE(parseSpeed(u"0"), std::nullopt);
    QCOMPARE(parseSpeed(u"fast"), std::nullopt);

    QCOMPARE(turnsFor(162, 81), 2LL);
    QCOMPARE(turnsFor(162.0000000001, 81), 2LL); // the hair of a computed length
    QCOMPARE(turnsFor(162.01, 81), 3LL);
    QCOMPARE(turnsFor(0.5, 81), 1LL);
    QCOMPARE(turnsFor(100, 0), 0LL);
    QCOMPARE(turnsText(200, 81), QStringLiteral("3 turns at 81"));
    QCOMPARE(turnsText(40, 40.5), QStringLiteral("1 turn at 40.5"));
    QCOMPARE(turnsText(40, 0), QString());
    // A line between two planets of the map, as the ruler measures it.
    QCOMPARE(turnsFor(mapDistance({1000, 1000}, {1081, 1000}) * 2, 81), 2LL);
}

QTEST_GUILESS_MAIN(TestDistances)
#include "tst_distances.moc"

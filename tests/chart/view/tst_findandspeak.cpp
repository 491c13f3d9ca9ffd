#include "explorerview.h"
#include "planetnames.h"
#include "planets.h"
#include "spokentext.h"

#include <QLocale>
#include <QTest>

// The explorer's forgiving find and what a screen reader hears of a chart.
class TestFindAndSpeak : public QObject {
    Q_OBJECT
private slots:
    void bestMatchForgives();
    void spokenPlanet();
    void spokenViews();
};

void TestFindAndSpeak::bestMatchForgives()
{
    const Globals g = chartOf({planet("Delta", 1, 1), planet("delta prime", 2, 2),
                               planet("DELTA", 3, 3), planet("Andelta", 4, 4),
                               planet("Vega", 5, 5), planet("Delta", 6, 6)});
    PlanetNames names;
    names.rebuild(g);
    // The whole name in another case wins over names that start with it; of several such,
    // the one spelled as typed, else the first alphabetically.
    QCOMPARE(names.bestMatch(u"Delta"), QStringLiteral("Delta"));
    QCOMPARE(names.bestMatch(u"  DELTA\t"), QStringLiteral("DELTA"));
    QCOMPARE(names.bestMatch(u"dElTa"), QStringLiteral("DELTA"));
    // Otherwise the completion list's first: starting with it, then containing it.
    QCOMPARE(names.bestMatch(u" delta p"), QStringLiteral("delta prime"));
    QCOMPARE(names.bestMatch(u"vEG"), QStringLiteral("Vega"));
    QCOMPARE(names.bestMatch(u"elt"), QStringLiteral("Andelta"));
    QVERIFY(names.bestMatch(u"zzzq").isEmpty());
    QVERIFY(names.bestMatch(u"   ").isEmpty());
}

void TestFindAndSpeak::spokenPlanet()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString owned = ::spokenPlanet(planet("Alpha", 1, 1, "Zorn", "SB", "25000"));
    const QString free = ::spokenPlanet(planet("Beta", 1, 1, {}, {}, " "));
    QLocale::setDefault(QLocale::c());
    QCOMPARE(owned, QStringLiteral("Alpha, owner Zorn, population 25,000, starbase SB"));
    QCOMPARE(free, QStringLiteral("Beta, unowned, population unknown, no starbase"));
}

void TestFindAndSpeak::spokenViews()
{
    const MapExtent extent = mapExtent(2000, 1800);
    const ExplorerView fit = ExplorerView::fitted({400, 300}, extent);
    QVERIFY(spokenExplorerView(fit, extent).endsWith(u", the whole map"));
    const ExplorerView closer = fit.zoomedAbout({200, 150}, 4, extent);
    QVERIFY(spokenExplorerView(closer, extent).endsWith(u", 4 times closer than the whole map"));
    const ExplorerView farther = fit.zoomedAbout({200, 150}, 0.5, extent);
    QVERIFY(spokenExplorerView(farther, extent).endsWith(u", 2 times farther out than the whole map"));
    // One map unit a pixel, 200 by 100 pixels about (1000, 1000).
    ExplorerView unit;
    unit.picture = {200, 100};
    unit.centre = {1000, 1000};
    unit.unitsPerPixel = 1;
    QVERIFY(spokenExplorerView(unit, extent)
                .startsWith(u"Map from 900 to 1100 across and 950 to 1050 up, "));

    ChartView chart{1250, 1625, 1850, 1175, 1550, 1400, 1550, 1400};
    QCOMPARE(spokenChartView(chart, 0.5),
             QStringLiteral("Map from 1250 to 1850 across and 1175 to 1625 up, zoom factor 0.5"));
}

QTEST_MAIN(TestFindAndSpeak)
#include "tst_findandspeak.moc"

#include "chartview.h"
#include "imagesurface.h"
#include "recordingsurface.h"
#include "renderer.h"
#include "runerror.h"

#include <QTest>

using OptionalNumber = std::optional<double>;
Q_DECLARE_METATYPE(OptionalNumber)

class TestChartView : public QObject {
    Q_OBJECT
private slots:
    void view_data();
    void view();
    void pixels();
    void storesViewState_data();
    void storesViewState();
    void minimisedDrawsNothing();
    void emptyMapDrawsOnlyTheMark();
    void axisWithoutExtentDraws();
};

namespace {

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}

Globals mapOf(int maxX, double maxY)
{
    Globals g;
    g.Map_Max_X = qint16(maxX);
    g.Map_Max_Y = maxY;
    return g;
}

} // namespace

void TestChartView::view_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("centreX");
    QTest::addColumn<double>("centreY");
    QTest::addColumn<int>("maxX");
    QTest::addColumn<QList<double>>("expected"); // left top right bottom x0 y0 cx cy

    QTest::newRow("whole map") << 0.0 << 0.0 << 0.0 << 2000
                               << QList<double>{950, 1850, 2150, 950, 1550, 1400, 1550, 1400};
    QTest::newRow("half zoom off centre")
        << 0.5 << 1600.0 << 1500.0 << 2000
        << QList<double>{1300, 1725, 1900, 1275, 1550, 1400, 1600, 1500};
    QTest::newRow("zoom 0.9 is a tenth of the map")
        << 0.9 << 0.0 << 0.0 << 2000
        << QList<double>{1490, 1445, 1610, 1355, 1550, 1400, 1550, 1400};
    QTest::newRow("x 0 takes the default, y follows")
        << 0.5 << 0.0 << 1500.0 << 2000
        << QList<double>{1250, 1725, 1850, 1275, 1550, 1400, 1550, 1500};
    QTest::newRow("y 0 takes the default, x follows")
        << 0.5 << 1600.0 << 0.0 << 2000
        << QList<double>{1300, 1625, 1900, 1175, 1550, 1400, 1600, 1400};
    QTest::newRow("negative centre is a centre")
        << 0.0 << -100.0 << 0.0 << 2000
        << QList<double>{-700, 1850, 500, 950, 1550, 1400, -100, 1400};
    QTest::newRow("largest X keeps its margin")
        << 0.0 << 0.0 << 0.0 << 32767
        << QList<double>{950, 1850, 32917, 950, 16933.5, 1400, 16933.5, 1400};
}

void TestChartView::view()
{
    QFETCH(double, zoom);
    QFETCH(double, centreX);
    QFETCH(double, centreY);
    QFETCH(int, maxX);
    QFETCH(QList<double>, expected);

    const ChartView v = viewFor(zoom, centreX, centreY, maxX, 1800);
    const QList<double> got{v.left,     v.top,      v.right,   v.bottom,
                            v.defaultX, v.defaultY, v.centreX, v.centreY};
    for (int i = 0; i < got.size(); ++i) {
        if (!near(got[i], expected[i]))
            QFAIL(qPrintable(
                QStringLiteral("field %1: %2 instead of %3").arg(i).arg(got[i]).arg(expected[i])));
    }
}

void TestChartView::pixels()
{
    const QSize picture(537, 441);
    const ChartView v = viewFor(0, 0, 0, 2000, 1800);
    QCOMPARE(v.toPixel({950, 1850}, picture), QPointF(0, 0));
    QCOMPARE(v.toPixel({2150, 950}, picture), QPointF(537, 441));
    QCOMPARE(v.toPixel({1550, 1400}, picture), QPointF(268.5, 220.5));

    const ChartView zoomed = viewFor(0.5, 1600, 1500, 2000, 1800);
    QCOMPARE(zoomed.toMap({0, 0}, picture), QPointF(1300, 1725));
    const QPointF there = zoomed.toMap(zoomed.toPixel({1457.25, 1301.5}, picture), picture);
    QVERIFY(near(there.x(), 1457.25) && near(there.y(), 1301.5));
}

void TestChartView::storesViewState_data()
{
    QTest::addColumn<OptionalNumber>("zoom");
    QTest::addColumn<OptionalNumber>("centreX");
    QTest::addColumn<OptionalNumber>("centreY");
    QTest::addColumn<double>("storedX");
    QTest::addColumn<int>("storedY");
    QTest::addColumn<double>("drawnY"); // the middle of the picture, unrounded
    QTest::addColumn<QString>("scale");

    const OptionalNumber unset;
    QTest::newRow("first redraw, nothing set")
        << unset << unset << unset << 1550.0 << 1400 << 1400.0 << "Scale 950 1850 2150 950";
    QTest::newRow("half zoom off centre")
        << OptionalNumber(0.5) << OptionalNumber(1600) << OptionalNumber(1500) << 1600.0 << 1500
        << 1500.0 << "Scale 1300 1725 1900 1275";
    QTest::newRow("1400.5 stored as 1400")
        << OptionalNumber(0) << OptionalNumber(0) << OptionalNumber(1400.5) << 1550.0 << 1400
        << 1400.5 << "Scale 950 1850.5 2150 950.5";
    QTest::newRow("1401.5 stored as 1402")
        << OptionalNumber(0) << OptionalNumber(1600.25) << OptionalNumber(1401.5) << 1600.25 << 1402
        << 1401.5 << "Scale 1000.25 1851.5 2200.25 951.5";
}

void TestChartView::storesViewState()
{
    QFETCH(OptionalNumber, zoom);
    QFETCH(OptionalNumber, centreX);
    QFETCH(OptionalNumber, centreY);
    QFETCH(double, storedX);
    QFETCH(int, storedY);
    QFETCH(double, drawnY);
    QFETCH(QString, scale);

    Globals g = mapOf(2000, 1800);
    RecordingSurface surface;
    const ChartView view = display_map(g, surface, {}, zoom, centreX, centreY);

    QCOMPARE(g.View_Zoom, zoom);
    QCOMPARE(g.View_Center_X, OptionalNumber(storedX));
    QCOMPARE(int(g.View_Center_Y), storedY);
    QVERIFY(near((view.top + view.bottom) / 2, drawnY));
    QCOMPARE(surface.calls().mid(0, 3), (QStringList{"Cls", "BackColor 0x000000", scale}));
    // The mark sits on the map's middle, not on the view's centre.
    QCOMPARE(surface.calls().mid(3, 3), (QStringList{"CurrentX 1550", "CurrentY 1400", "Print +"}));

    // Drawing the stored view again draws the same picture, up to the rounding of Y.
    if (storedY == drawnY) {
        RecordingSurface again;
        display_map(g, again, {}, g.View_Zoom, g.View_Center_X, g.View_Center_Y);
        QCOMPARE(again.calls(), surface.calls());
    }
}

void TestChartView::minimisedDrawsNothing()
{
    Globals g = mapOf(2000, 1800);
    Star_Object alpha;
    alpha.Star_Name = "Alpha";
    alpha.Star_X = "1200";
    alpha.Star_Y = "1300";
    g.Star_Table.push_back(alpha);
    g.Last_Star_Index = 0;
    RecordingSurface surface;
    display_map(g, surface, {true, true, true}, 0.5, 1600, 1500.5, true);
    QCOMPARE(surface.calls(), (QStringList{"Cls", "BackColor 0x000000"}));
    QCOMPARE(g.View_Zoom, OptionalNumber(0.5));
    QCOMPARE(g.View_Center_X, OptionalNumber(1600));
    QCOMPARE(g.View_Center_Y, qint16(1500));

    // A centre Y beyond 16 bits cannot be stored.
    QVERIFY_THROWS_EXCEPTION(RunError, display_map(g, surface, {}, 0, 0, 40000.0, true));
}

void TestChartView::emptyMapDrawsOnlyTheMark()
{
    const QStringList mark{"Cls",           "BackColor 0x000000", "Scale 950 1850 2150 950",
                           "CurrentX 1550", "CurrentY 1400",      "Print +"};
    Globals g = mapOf(2000, 1800);
    RecordingSurface surface;
    display_map(g, surface, {true, true, true}, {}, {}, {});
    QCOMPARE(surface.calls(), mark);

    // A map read with a header only leaves the maxima at 0: a mirrored window, no failure.
    Globals headerOnly;
    RecordingSurface other;
    display_map(headerOnly, other, {true, true, true}, {}, {}, {});
    QCOMPARE(other.calls().size(), mark.size());
}

void TestChartView::axisWithoutExtentDraws()
{
    // Largest X 800 puts the right edge on the left one (950); largest Y 900 the top on the
    // bottom. Such an axis gets one map unit, and the chart draws like any other.
    ChartView v = viewFor(0, 0, 0, 800, 1800);
    QCOMPARE(v.left, 950.0);
    QCOMPARE(v.right, 951.0);
    QCOMPARE(v.defaultX, 950.5);
    QCOMPARE(v.top, 1850.0);
    v = viewFor(0.5, 0, 0, 2000, 900);
    QCOMPARE(v.top, 950.75);
    QCOMPARE(v.bottom, 950.25);
    QCOMPARE(v.left, 1250.0);

    for (const auto &[maxX, maxY] : {std::pair{800, 1800.0}, std::pair{2000, 900.0}}) {
        Globals g = mapOf(maxX, maxY);
        ImageSurface surface;
        display_map(g, surface, {true, true, true}, 0.9, 0, 0);
        int lit = 0;
        for (int y = 0; y < surface.Image().height(); ++y)
            for (int x = 0; x < surface.Image().width(); ++x)
                lit += surface.Image().pixel(x, y) != qRgb(0, 0, 0);
        QVERIFY2(lit > 0, "the \"+\" was not drawn");
    }
}

QTEST_MAIN(TestChartView)
#include "tst_chartview.moc"

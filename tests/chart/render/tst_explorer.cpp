#include "explorerrenderer.h"
#include "explorerview.h"
#include "imagesurface.h"
#include "labelplacer.h"
#include "legend.h"
#include "planets.h"
#include "recordingsurface.h"
#include "renderer.h"

#include <QRandomGenerator>
#include <QTest>

class TestExplorer : public QObject {
    Q_OBJECT
private slots:
    void squareAtEveryShape_data();
    void squareAtEveryShape();
    void fitAtFirstOpening();
    void zoomDragResize();
    void commandLineZoom();
    void scaleBar();
    void labelsNeverCollide();
    void sharperLabelsNeverCollide();
    void priorityOrder();
    void selectedPlanet();
    void dotsGrowWithTheZoom_data();
    void dotsGrowWithTheZoom();
    void selectedLabelKeepsOutOfTheLegend();
    void statusGroupsThePopulation();
    void legend();
    void extremes();
};

namespace {

constexpr QRgb kDot = 0xFFFFFFFF;

// Many planets close together, most owned, some with starbases: labels must fight for room.
Globals denseChart(quint32 seed, int planets)
{
    QRandomGenerator random(seed);
    QList<Star_Object> list;
    for (int k = 0; k < planets; ++k) {
        const bool owned = random.bounded(10) < 7;
        list.append(planet(QStringLiteral("P%1").arg(k), random.bounded(950, 2150),
                           random.bounded(950, 1850),
                           owned ? QStringLiteral("Race%1").arg(random.bounded(16)) : QString(),
                           owned && random.bounded(5) == 0 ? QStringLiteral("SB") : QString(),
                           owned ? QString::number(random.bounded(1, 10000000)) : QString()));
    }
    return chartOf(list);
}

QImage drawn(const Globals &g, const ExplorerScene &scene, ExplorerDrawing *out = nullptr)
{
    ImageSurface surface(scene.view.picture);
    ExplorerRenderer renderer;
    const ExplorerDrawing drawing = renderer.draw(g, surface, scene);
    if (out)
        *out = drawing;
    return surface.Image();
}

// The straightforward placement: every box tested against every box kept so far.
std::vector<PlacedLabel> placeByPairs(const Globals &g, const ChartView &view, QSize picture,
                                      const LabelOptions &labels, TextMeasure &metrics)
{
    std::vector<PlacedLabel> kept;
    const QRect inside(QPoint(0, 0), picture);
    QString text;
    for (int index : labelPriority(g)) {
        const Star_Object &p = g.Star_Table[size_t(index)];
        if (!planetLabel(p, labels, text))
            continue;
        const QRect box(dotPixel(view, picture, planetPosition(p)),
                        QSize(metrics.width(text), metrics.height()));
        if (!inside.contains(box))
            continue;
        if (std::any_of(kept.begin(), kept.end(),
                        [&](const PlacedLabel &k) { return k.box.intersects(box); }))
            continue;
        kept.push_back({index, box, text});
    }
    return kept;
}

} // namespace

void TestExplorer::squareAtEveryShape_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<double>("zoom");
    QTest::newRow("wide") << QSize(640, 300) << 0.0;
    QTest::newRow("tall") << QSize(300, 640) << 0.0;
    QTest::newRow("square") << QSize(400, 400) << 0.0;
    QTest::newRow("odd, zoomed") << QSize(517, 233) << 0.3;
    QTest::newRow("full screen") << QSize(1920, 1080) << 0.3;
}

// Four planets on the corners of a 400 by 400 square in map units are the corners of a
// square in pixels, whatever the shape of the picture.
void TestExplorer::squareAtEveryShape()
{
    QFETCH(QSize, picture);
    QFETCH(double, zoom);
    const Globals g = chartOf({planet("a", 1300, 1200), planet("b", 1700, 1200),
                               planet("c", 1300, 1600), planet("d", 1700, 1600)});
    ExplorerScene scene;
    scene.view = explorerViewFor(picture, mapExtent(g.Map_Max_X, g.Map_Max_Y), zoom, 1500, 1400);
    const QImage image = drawn(g, scene);
    QCOMPARE(image.size(), picture);

    auto whiteNear = [&](QPointF at) -> QPoint {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint p(int(std::floor(at.x())) + dx, int(std::floor(at.y())) + dy);
                if (image.rect().contains(p) && image.pixel(p) == kDot)
                    return p;
            }
        return {-1, -1};
    };
    const QPoint a = whiteNear(scene.view.toPixel({1300, 1200}));
    const QPoint b = whiteNear(scene.view.toPixel({1700, 1200}));
    const QPoint c = whiteNear(scene.view.toPixel({1300, 1600}));
    const QPoint d = whiteNear(scene.view.toPixel({1700, 1600}));
    for (QPoint p : {a, b, c, d})
        QVERIFY2(p.x() >= 0, "a corner's dot is not where the view puts it");
    QCOMPARE(a.y(), b.y());
    QCOMPARE(c.y(), d.y());
    QCOMPARE(a.x(), c.x());
    QCOMPARE(b.x(), d.x());
    const int across = b.x() - a.x();
    const int down = a.y() - c.y(); // Y grows upward
    QVERIFY(across > 10);
    QVERIFY2(std::abs(across - down) <= 1,
             qPrintable(QStringLiteral("%1 across, %2 down").arg(across).arg(down)));
}

// The zoom-0 extent fits the picture, centred, touching two opposite edges; black around it.
void TestExplorer::fitAtFirstOpening()
{
    const Globals g = chartOf({planet("a", 1000, 1000)}, 2000, 1800);
    const MapExtent extent = mapExtent(g.Map_Max_X, g.Map_Max_Y);
    QCOMPARE(extent.left, 950.0);
    QCOMPARE(extent.right, 2150.0);
    QCOMPARE(extent.top, 1850.0);
    QCOMPARE(extent.bottom, 950.0);
    for (QSize picture : {QSize(600, 300), QSize(300, 600), QSize(1, 1)}) {
        const ExplorerView view = ExplorerView::fitted(picture, extent);
        QCOMPARE(view.picture, picture);
        QCOMPARE(view.centre, QPointF(1550, 1400));
        const QRectF r = view.mapRect();
        QVERIFY(r.left() <= extent.left + 1e-9 && r.right() >= extent.right - 1e-9);
        QVERIFY(r.top() <= extent.bottom + 1e-9 && r.bottom() >= extent.top - 1e-9);
        const bool acrossTouches = std::abs(r.width() - extent.width()) < 1e-9;
        const bool downTouches = std::abs(r.height() - extent.height()) < 1e-9;
        QVERIFY(acrossTouches || downTouches);
    }
    // A wide picture: black left and right of the map, the "+" at the middle.
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(QSize(600, 300), extent);
    const QImage image = drawn(g, scene);
    const QPointF topLeft = scene.view.toPixel({extent.left, extent.top});
    QVERIFY(topLeft.x() >= 99);
    QCOMPARE(topLeft.y(), 0.0);
    QCOMPARE(image.pixel(int(topLeft.x()) - 20, 150), qRgb(0, 0, 0));
}

void TestExplorer::zoomDragResize()
{
    const MapExtent extent{950, 950, 2150, 1850};
    const ExplorerView fit = ExplorerView::fitted(QSize(800, 600), extent);

    // The map point under the pointer stays under it, one notch is 1.25.
    const QPointF pointer(123, 456);
    const ExplorerView in = fit.zoomedAbout(pointer, 1.25, extent);
    QCOMPARE(in.unitsPerPixel, fit.unitsPerPixel / 1.25);
    QVERIFY(std::abs(in.toMap(pointer).x() - fit.toMap(pointer).x()) < 1e-9);
    QVERIFY(std::abs(in.toMap(pointer).y() - fit.toMap(pointer).y()) < 1e-9);

    // Limits: 16 pixels a map unit closest, four times the fit farthest; zooming stops there.
    ExplorerView view = fit;
    for (int i = 0; i < 200; ++i)
        view = view.zoomedAbout(pointer, 1.25, extent);
    QCOMPARE(view.unitsPerPixel, 1.0 / 16);
    for (int i = 0; i < 200; ++i)
        view = view.zoomedAbout(pointer, 1 / 1.25, extent);
    QCOMPARE(view.unitsPerPixel, fit.unitsPerPixel * 4);
    QCOMPARE(fit.zoomedAbout(pointer, 0, extent), fit);
    QCOMPARE(fit.zoomedAbout(pointer, std::nan(""), extent), fit);

    // A drag moves the map with the pointer.
    const ExplorerView moved = in.dragged(QPointF(30, -20));
    QVERIFY(std::abs(moved.toPixel(in.toMap(pointer)).x() - (pointer.x() + 30)) < 1e-9);
    QVERIFY(std::abs(moved.toPixel(in.toMap(pointer)).y() - (pointer.y() - 20)) < 1e-9);

    // Resizing keeps the centre and the scale; never below one pixel.
    const ExplorerView resized = in.resized(QSize(1920, 1080));
    QCOMPARE(resized.centre, in.centre);
    QCOMPARE(resized.unitsPerPixel, in.unitsPerPixel);
    QCOMPARE(in.resized(QSize(0, -4)).picture, QSize(1, 1));

    // toPixel and toMap are each other's inverse.
    const QPointF map(1234.5, 987.25);
    const QPointF back = in.toMap(in.toPixel(map));
    QVERIFY(std::abs(back.x() - map.x()) < 1e-9 && std::abs(back.y() - map.y()) < 1e-9);
}

void TestExplorer::commandLineZoom()
{
    const MapExtent extent{950, 950, 2150, 1850};
    const ExplorerView fit = ExplorerView::fitted(QSize(640, 480), extent);
    QCOMPARE(explorerViewFor(QSize(640, 480), extent, 0, 0, 0), fit);
    const ExplorerView half = explorerViewFor(QSize(640, 480), extent, 0.5, 1200, 0);
    QCOMPARE(half.unitsPerPixel, fit.unitsPerPixel / 2);
    QCOMPARE(half.centre, QPointF(1200, 1400)); // Y 0: the map's middle
}

// A round length close to a fifth of the width; its pixels follow the scale, and the bar
// in the picture is that long.
void TestExplorer::scaleBar()
{
    const Globals g = chartOf({planet("a", 1000, 1000)});
    const MapExtent extent = mapExtent(g.Map_Max_X, g.Map_Max_Y);
    for (double zoom : {0.0, 0.37, 0.9, 0.999}) {
        ExplorerScene scene;
        scene.view = explorerViewFor(QSize(700, 500), extent, zoom, 1500, 1400);
        ExplorerDrawing drawing;
        const QImage image = drawn(g, scene, &drawing);
        const ScaleBar &bar = drawing.scaleBar;
        const double mantissa = bar.mapUnits / std::pow(10, std::floor(std::log10(bar.mapUnits)));
        QVERIFY2(qFuzzyCompare(mantissa, 1) || qFuzzyCompare(mantissa, 2) ||
                     qFuzzyCompare(mantissa, 5),
                 qPrintable(QString::number(bar.mapUnits)));
        QCOMPARE(bar.pixels, int(std::lround(bar.mapUnits / scene.view.unitsPerPixel)));
        QVERIFY(bar.pixels > 700 / 5 / 2.3 && bar.pixels < 700 / 5 * 2.3);
        QCOMPARE(bar.text, QString::number(bar.mapUnits, 'g', 6) + QStringLiteral(" units"));
        // Count the white run along the bar's middle row.
        const int y = bar.bar.center().y();
        int run = 0;
        for (int x = bar.bar.left(); x < image.width() && image.pixel(x, y) == kDot; ++x)
            ++run;
        QCOMPARE(run, bar.pixels);
        QCOMPARE(image.pixel(bar.bar.left() - 1, y), qRgb(0, 0, 0));
    }
    // No room for a bar: none drawn, nothing fails.
    ExplorerView tiny = ExplorerView::fitted(QSize(12, 9), extent);
    QVERIFY(scaleBarFor(tiny).bar.isEmpty());
}

// On a dense universe no two labels overlap, each lies inside the picture, and the grid
// keeps exactly the labels the all-pairs test keeps; zooming in shows more of them.
void TestExplorer::labelsNeverCollide()
{
    const Globals g = denseChart(7, 3000);
    const MapExtent extent = mapExtent(g.Map_Max_X, g.Map_Max_Y);
    ChartTextMetric metrics;
    const std::vector<int> order = labelPriority(g);
    const QSize picture(900, 600);
    auto place = [&](double zoom, LabelChoice choice) {
        const ChartView view = explorerViewFor(picture, extent, zoom, 1550, 1400).chartView(extent);
        const LabelOptions options = labelOptionsFor(choice);
        std::vector<PlacedLabel> placed =
            placeLabels(g, order, view, picture, options, -1, metrics);
        const std::vector<PlacedLabel> expected = placeByPairs(g, view, picture, options, metrics);
        [&] {
            QCOMPARE(placed.size(), expected.size());
            for (size_t i = 0; i < placed.size(); ++i) {
                QVERIFY(QRect(QPoint(0, 0), picture).contains(placed[i].box));
                QCOMPARE(placed[i].planet, expected[i].planet);
                QCOMPARE(placed[i].box, expected[i].box);
                for (size_t j = i + 1; j < placed.size(); ++j)
                    QVERIFY(!placed[i].box.intersects(placed[j].box));
            }
        }();
        return placed;
    };
    for (LabelChoice choice : {LabelChoice::All, LabelChoice::Populated, LabelChoice::Starbases}) {
        for (double zoom : {0.0, 0.5, 0.8, 0.9}) {
            place(zoom, choice);
            if (QTest::currentTestFailed())
                return;
        }
    }
    QVERIFY(!place(0, LabelChoice::All).empty());

    // Labels keep out of the scale bar and the legend drawn over them.
    Globals withRaces = g;
    withRaces.Last_Player_Index = 3;
    for (int slot = 0; slot <= 3; ++slot)
        withRaces.Player_Table[size_t(slot)].Player_Name = QStringLiteral("Race%1").arg(slot);
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(picture, extent);
    scene.labels = labelOptionsFor(LabelChoice::All);
    scene.legend = true;
    ExplorerDrawing drawing;
    drawn(withRaces, scene, &drawing);
    QVERIFY(!drawing.legend.isEmpty() && !drawing.scaleBar.bar.isEmpty());
    const QRect barText(drawing.scaleBar.bar.left(), drawing.scaleBar.bar.top() - 20,
                        drawing.scaleBar.bar.width(), 20);
    QVERIFY(drawing.labels.size() > 100);
    for (const PlacedLabel &label : drawing.labels) {
        QVERIFY(!label.box.intersects(drawing.legend));
        QVERIFY(!label.box.intersects(drawing.scaleBar.bar));
        QVERIFY(!label.box.intersects(barText));
    }

    // The middle that zoom 0.8 shows gets more labels there than at zoom 0.
    const QRectF middle = explorerViewFor(picture, extent, 0.8, 1550, 1400).mapRect();
    auto inMiddle = [&](const std::vector<PlacedLabel> &placed) {
        return std::count_if(placed.begin(), placed.end(), [&](const PlacedLabel &l) {
            return middle.contains(planetPosition(g.Star_Table[size_t(l.planet)]));
        });
    };
    QVERIFY(inMiddle(place(0.8, LabelChoice::All)) > 2 * inMiddle(place(0, LabelChoice::All)));
}

// Three times sharper: the picture is 4800 by 3600 pixels for 1600 by 1200, the labels are
// measured in the three times larger font and still never overlap each other, the scale bar
// or the legend, which has its numbers.
void TestExplorer::sharperLabelsNeverCollide()
{
    Globals g = denseChart(11, 4000);
    g.Last_Player_Index = 15;
    for (int slot = 0; slot <= 15; ++slot) {
        g.Player_Table[size_t(slot)].Player_Name = QStringLiteral("Race%1").arg(slot);
        g.Player_Table[size_t(slot)].Player_Population = 1000.0 * (slot + 1);
    }
    const QSize picture(1600, 1200);
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(picture, mapExtent(g.Map_Max_X, g.Map_Max_Y));
    scene.labels = labelOptionsFor(LabelChoice::All);
    scene.legend = true;
    scene.scale = 3;
    ImageSurface surface(picture, 3);
    const ExplorerDrawing drawing = ExplorerRenderer().draw(g, surface, scene);
    QCOMPARE(surface.Image().size(), QSize(4800, 3600));

    ChartTextMetric sharp(3);
    QVERIFY(drawing.labels.size() > 300);
    const QRect legend = drawing.legend;
    QCOMPARE(legend.size(), Legend(g, true, 3).size());
    for (size_t i = 0; i < drawing.labels.size(); ++i) {
        const PlacedLabel &label = drawing.labels[i];
        QCOMPARE(label.box.width(), sharp.width(label.text));
        QVERIFY(QRect(QPoint(0, 0), picture).contains(label.box));
        QVERIFY(!label.box.intersects(legend));
        for (size_t j = i + 1; j < drawing.labels.size(); ++j)
            QVERIFY(!label.box.intersects(drawing.labels[j].box));
    }
    // The legend's rows carry the planets each race owns, its population and starbases.
    RecordingSurface calls;
    Legend(g, true, 3).draw(calls, QPoint(0, 0));
    const QStringList printed = calls.printed();
    QCOMPARE(printed.mid(0, 4), (QStringList{"Race", "Planets", "Population", "Starbases"}));
    int owned = 0;
    for (const Star_Object &p : g.Star_Table)
        owned += p.Owner == u"Race5";
    QVERIFY(owned > 0);
    QCOMPARE(printed.mid(4 + 5 * 4, 4),
             (QStringList{"Race5", QString::number(owned), "6000", "0"}));
}

// Starbase planets first, then the larger population, then the name.
void TestExplorer::priorityOrder()
{
    const Globals g = chartOf(
        {planet("Zed", 1000, 1000, "A", {}, "500"), planet("Big", 1000, 1000, "A", {}, "90000"),
         planet("Base", 1000, 1000, "A", "SB", "10"), planet("Alpha", 1000, 1000, "A", {}, "500"),
         planet("Lone", 1000, 1000)});
    QCOMPARE(::labelPriority(g), (std::vector<int>{2, 1, 3, 0, 4}));

    // Labels are placed where the dot is set: at the coordinates in single precision.
    Star_Object odd = planet("Odd", 0, 0);
    odd.Star_X = QStringLiteral("1234.1");
    QCOMPARE(planetPosition(odd).x(), double(1234.1f));

    // All five at one point: only the first in that order gets its label.
    const MapExtent extent = mapExtent(g.Map_Max_X, g.Map_Max_Y);
    ChartTextMetric metrics;
    const QSize picture(500, 400);
    const std::vector<PlacedLabel> placed =
        placeLabels(g, ::labelPriority(g), ExplorerView::fitted(picture, extent).chartView(extent),
                    picture, labelOptionsFor(LabelChoice::All), -1, metrics);
    QCOMPARE(placed.size(), size_t(1));
    QCOMPARE(placed[0].text, QStringLiteral("Base A (s)"));
}

// The selected planet's label comes first even with no label choice and where others would
// win; its ring is the window's overlay, so the picture holds none of it.
void TestExplorer::selectedPlanet()
{
    const Globals g =
        chartOf({planet("Base", 1500, 1400, "A", "SB", "10"), planet("Quiet", 1500, 1400)});
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(QSize(500, 400), mapExtent(g.Map_Max_X, g.Map_Max_Y));
    scene.selected = 1;
    for (LabelChoice choice : {LabelChoice::None, LabelChoice::All}) {
        scene.labels = labelOptionsFor(choice);
        ExplorerDrawing drawing;
        const QImage image = drawn(g, scene, &drawing);
        QCOMPARE(drawing.labels.size(), size_t(1));
        QCOMPARE(drawing.labels[0].planet, 1);
        QCOMPARE(drawing.labels[0].text, QStringLiteral("Quiet"));
        const QPoint dot = drawing.labels[0].box.topLeft();
        QCOMPARE(image.pixel(dot), kDot);
        QCOMPARE(drawing.selectedDot, std::optional<QPoint>(dot));
        int yellow = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                yellow += image.pixel(x, y) == qRgb(255, 255, 0);
        QCOMPARE(yellow, 0);
    }
}

void TestExplorer::dotsGrowWithTheZoom_data()
{
    QTest::addColumn<double>("closer"); // times closer than the fit
    QTest::addColumn<int>("side");
    QTest::newRow("farther out") << 0.5 << 1;
    QTest::newRow("fit") << 1.0 << 1;
    QTest::newRow("one notch") << 1.25 << 1;
    QTest::newRow("twice as close") << 2.0 << 2;
    QTest::newRow("four times") << 4.0 << 3;
    QTest::newRow("eight times") << 8.0 << 4;
    QTest::newRow("sixteen times") << 16.0 << 5;
    QTest::newRow("closest") << 40.0 << 5;
}

// A lone planet's dot is a white square of the side the zoom asks for, centred on the
// one-pixel dot (the extra pixel right and below), its label starting just right of it.
void TestExplorer::dotsGrowWithTheZoom()
{
    QFETCH(double, closer);
    QFETCH(int, side);
    const Globals g = chartOf({planet("Lone", 1500, 1400)});
    const MapExtent extent = mapExtent(g.Map_Max_X, g.Map_Max_Y);
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(QSize(400, 300), extent).centredOn({1500, 1400});
    scene.view.unitsPerPixel /= closer;
    QCOMPARE(scene.view.dotSize(extent), side);
    ExplorerDrawing drawing;
    const QImage image = drawn(g, scene, &drawing);
    const QPoint dot = dotPixel(drawing.chartView, scene.view.picture, {1500, 1400});
    const int before = (side - 1) / 2;
    const QRect square(dot - QPoint(before, before), QSize(side, side));
    for (int y = square.top() - 2; y <= square.bottom() + 2; ++y)
        for (int x = square.left() - 2; x <= square.right() + 2; ++x)
            QCOMPARE(image.pixel(x, y) == kDot, square.contains(x, y));

    // Selected, its label starts on the dot's row just right of the square.
    scene.selected = 0;
    drawn(g, scene, &drawing);
    QCOMPARE(drawing.selectedDot, std::optional<QPoint>(dot));
    QCOMPARE(drawing.labels[0].box.topLeft(),
             QPoint(side > 1 ? square.right() + 1 : dot.x(), dot.y()));
}

// The selected planet's label moves to a free side of its dot rather than under the legend
// or the scale bar, and stays inside the picture when a side allows.
void TestExplorer::selectedLabelKeepsOutOfTheLegend()
{
    const QSize picture(500, 400);
    const MapExtent extent = mapExtent(2000, 1800);
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(picture, extent);
    scene.legend = true;
    // Where the legend and the scale bar go, to put planets just beside them.
    Globals g = chartOf({planet("Any", 1500, 1400, "Race0", {}, "100")});
    g.Last_Player_Index = 0;
    g.Player_Table[0].Player_Name = QStringLiteral("Race0");
    ExplorerDrawing drawing;
    drawn(g, scene, &drawing);
    const QRect legend = drawing.legend;
    const QRect bar = drawing.scaleBar.bar;
    QVERIFY(!legend.isEmpty() && !bar.isEmpty());
    auto mapAt = [&](QPoint pixel) { return scene.view.toMap(QPointF(pixel) + QPointF(0.5, 0.5)); };
    const QPointF leftOfLegend = mapAt({legend.left() - 4, legend.center().y()});
    const QPointF aboveBar = mapAt({bar.left() + 2, bar.top() - 30});
    const QPointF rightEdge = mapAt({picture.width() - 3, picture.height() / 2});
    auto text = [](double v) { return QString::number(v, 'f', 3); };
    Globals three = g;
    for (QPointF at : {leftOfLegend, aboveBar, rightEdge}) {
        Star_Object p = planet("Planet with a long name", 0, 0);
        p.Star_X = text(at.x());
        p.Star_Y = text(at.y());
        three.Star_Table.push_back(p);
    }
    three.Last_Star_Index = qint16(three.Star_Table.size() - 1);

    for (int selected : {1, 2, 3}) {
        scene.selected = selected;
        drawn(three, scene, &drawing);
        const QRect box = drawing.labels.at(0).box;
        QCOMPARE(drawing.legend, legend);
        QVERIFY2(!box.intersects(legend), qPrintable(QString::number(selected)));
        QVERIFY2(!box.intersects(bar.adjusted(0, -20, 60, 0)), qPrintable(QString::number(selected)));
        QVERIFY(QRect(QPoint(0, 0), picture).contains(box));
        // Beside its dot, on the dot's row or the line above.
        const QPoint dot = *drawing.selectedDot;
        QVERIFY(box.left() == dot.x() || box.right() == dot.x() - 1);
        QVERIFY(box.top() == dot.y() || box.bottom() == dot.y() - 1);
    }
}

void TestExplorer::statusGroupsThePopulation()
{
    const Globals g = chartOf({planet("Big", 1590, 1414, "Zorn", "SB", "103423710")});
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString status = explorerStatus(g, QPointF(12345.6, 1414.2), 0);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(status, QStringLiteral("12345 1414    Big    owner Zorn    population 103.423.710    "
                                    "starbase SB"));
}

// Races in slot order in the upper right corner: swatch in the race's colour, hatch anchored
// to the picture; hidden when not asked for.
void TestExplorer::legend()
{
    Globals g = chartOf({planet("a", 1000, 1000)});
    g.Last_Player_Index = 1;
    g.Player_Table[0] = {0x0000FF, QStringLiteral("Reds"), FillSolid, 1, 0};
    g.Player_Table[1] = {0x00FF00, QStringLiteral("Greens"), FillVertical, 1, 0};
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(QSize(500, 400), mapExtent(g.Map_Max_X, g.Map_Max_Y));
    ExplorerDrawing drawing;
    drawn(g, scene, &drawing);
    QVERIFY(drawing.legend.isEmpty());

    scene.legend = true;
    const QImage image = drawn(g, scene, &drawing);
    const QRect panel = drawing.legend;
    QVERIFY(!panel.isEmpty());
    QCOMPARE(panel.right(), 500 - 1 - ExplorerRenderer::kMargin);
    QCOMPARE(panel.top(), ExplorerRenderer::kMargin);
    // Inside the first swatch: solid red; inside the second: green only on columns x % 8 == 0.
    int red = 0, green = 0, greenOffColumn = 0;
    for (int y = panel.top(); y <= panel.bottom(); ++y)
        for (int x = panel.left(); x <= panel.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            red += p == qRgb(255, 0, 0);
            if (p == qRgb(0, 255, 0)) {
                ++green;
                greenOffColumn += x % 8 != 0;
            }
        }
    QVERIFY(red > 50);
    QVERIFY(green > 5);
    QCOMPARE(greenOffColumn, 0);

    // A race name of any length is shortened, as beside the chart; the legend stays.
    g.Player_Table[1].Player_Name = QString(2000, u'W');
    drawn(g, scene, &drawing);
    QCOMPARE(drawing.legend.size(), Legend(g, true).size());
    QVERIFY(!drawing.legend.isEmpty());
}

// A picture of one pixel, and planets at the 16-bit extremes at the closest zoom, draw.
void TestExplorer::extremes()
{
    Globals g = chartOf({planet("low", -32768, -32768, "A", "SB", "5"),
                         planet("high", 32767, 32767, "A", {}, "5"), planet("mid", 1500, 1400)},
                        32767, 32767);
    const MapExtent extent = mapExtent(g.Map_Max_X, g.Map_Max_Y);
    for (QSize picture : {QSize(1, 1), QSize(3, 2000), QSize(640, 480)}) {
        for (QPointF centre : {QPointF(-32768, -32768), QPointF(32767, 32767), QPointF(0, 0)}) {
            ExplorerScene scene;
            scene.view = ExplorerView::fitted(picture, extent).centredOn(centre);
            scene.view.unitsPerPixel = ExplorerView::minUnitsPerPixel();
            scene.labels = labelOptionsFor(LabelChoice::All);
            scene.selected = 0;
            scene.legend = true;
            QCOMPARE(drawn(g, scene).size(), picture);
            scene.view.unitsPerPixel = scene.view.maxUnitsPerPixel(extent);
            QCOMPARE(drawn(g, scene).size(), picture);
        }
    }
}

QTEST_MAIN(TestExplorer)
#include "tst_explorer.moc"

// The chart's input pieces without a window: zoom and pan steps from wheel, touchpad, pinch
// and drag events, the distance ruler, the dot index behind the tooltip and the search
// box's completion list, each against the plain arithmetic or scan it stands for.
#include "chartinput.h"
#include "imagesurface.h"
#include "planetnames.h"
#include "planetpicker.h"
#include "renderer.h"
#include "universe.h"

#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <limits>

class TestChartInput : public QObject {
    Q_OBJECT
private slots:
    void zoomKeepsThePointUnderThePointer_data();
    void zoomKeepsThePointUnderThePointer();
    void zoomStopsWhereTheButtonsStop();
    void panFollowsThePointerAndStaysIn16Bits();
    void wheelNotchesAccumulate();
    void touchpadScrollPansAndMerges();
    void pinchZoomsInSteps();
    void middleDragPansMergedAndEndsOnRelease();
    void rightDragIsTheRuler();
    void pickerFindsTheNearestDrawnDot();
    void tooltipText();
    void completionOrderAndLimit();
    void completionMatchesAPlainScan();
};

namespace {

constexpr QSize kPicture(537, 441);

// The test map of the chart window's tests: extent 950..2150 by 950..1850.
ChartInput::Frame frameAt(double zoom, qint16 step, double cx = 0, double cy = 0)
{
    ChartInput::Frame f;
    f.zoom = zoom;
    f.zoomStep = step;
    f.maxX = 2000;
    f.maxY = 1800;
    f.picture = kPicture;
    f.view = viewFor(zoom, cx, cy, f.maxX, f.maxY);
    return f;
}

// A host for ChartInput: it keeps the frame and moves to each step asked for, as the
// chart window does with display_map.
struct Host {
    Host() : input([this] { return frame; })
    {
        input.attach(&picture);
        QObject::connect(&input, &ChartInput::stepRequested, [this](const ChartInput::Step &s) {
            steps << s;
            if (s.zoomStep)
                frame.zoomStep = *s.zoomStep;
            frame.zoom = s.zoom;
            frame.view = viewFor(s.zoom, s.centreX, s.centreY, frame.maxX, frame.maxY);
        });
    }

    void send(QEvent &event) { QCoreApplication::sendEvent(&picture, &event); }
    void wheel(QPoint angle, QPoint pixels = {}, QPointF at = {200, 100})
    {
        QWheelEvent event(at, at, pixels, angle, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        send(event);
    }
    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at)
    {
        QMouseEvent event(type, at, at, button, held, Qt::NoModifier);
        send(event);
    }
    void pinch(Qt::NativeGestureType type, double value, QPointF at = {300, 200})
    {
        QNativeGestureEvent event(type, QPointingDevice::primaryPointingDevice(), 2, at, at, at,
                                  value, {});
        send(event);
    }
    QPointF centre() const { return {frame.view.centreX, frame.view.centreY}; }

    ChartInput::Frame frame = frameAt(0, 0);
    QObject picture;
    ChartInput input;
    QList<ChartInput::Step> steps;
};

bool near(QPointF a, QPointF b, double within = 1e-6)
{
    return std::abs(a.x() - b.x()) <= within && std::abs(a.y() - b.y()) <= within;
}

// A planet as a map line alone gives it: no owner, no report, colour and style unset.
Star_Object mapped(const QString &name, const QString &x, const QString &y)
{
    Star_Object planet;
    planet.Star_Name = name;
    planet.Star_X = x;
    planet.Star_Y = y;
    return planet;
}

} // namespace

void TestChartInput::zoomKeepsThePointUnderThePointer_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPointF>("pixel");
    QTest::addColumn<double>("expectedZoom");

    const double tenth = double(0.1f);
    QTest::newRow("in from the whole map, top left") << 0.0 << 0 << 1 << QPointF(10, 12) << tenth;
    QTest::newRow("in, bottom right") << 0.0 << 0 << 1 << QPointF(530, 430) << tenth;
    QTest::newRow("out to the whole map") << tenth << 1 << -1 << QPointF(100, 300) << 0.0;
    QTest::newRow("in from a zoom the list set") << 0.5 << 0 << 1 << QPointF(400, 50) << tenth;
    QTest::newRow("in to the top step")
        << double(0.8f) << 8 << 1 << QPointF(250, 250) << double(0.9f);
}

void TestChartInput::zoomKeepsThePointUnderThePointer()
{
    QFETCH(double, zoom);
    QFETCH(int, step);
    QFETCH(int, direction);
    QFETCH(QPointF, pixel);
    QFETCH(double, expectedZoom);

    const ChartInput::Frame before = frameAt(zoom, qint16(step), 1700, 1300);
    const ChartInput::Step s = ChartInput::zoomAbout(before, pixel, direction);
    QVERIFY(s.zoomGesture);
    QCOMPARE(s.zoomStep, std::optional<qint16>(qint16(step + direction)));
    QCOMPARE(s.zoom, expectedZoom);
    const ChartView after = viewFor(s.zoom, s.centreX, s.centreY, before.maxX, before.maxY);
    QVERIFY(near(after.toMap(pixel, kPicture), before.view.toMap(pixel, kPicture)));
    QVERIFY(std::abs((after.right - after.left) - 1200 * (1 - expectedZoom)) < 1e-6);
}

void TestChartInput::zoomStopsWhereTheButtonsStop()
{
    // At the top step the zoom and the centre stay, but it is still a zoom gesture, which
    // redraws and rewrites the list, as the button does.
    const ChartInput::Frame top = frameAt(double(0.9f), 9, 1600, 1500);
    ChartInput::Step s = ChartInput::zoomAbout(top, {10, 10}, 1);
    QVERIFY(s.zoomGesture);
    QVERIFY(!s.zoomStep);
    QCOMPARE(s.zoom, double(0.9f));
    QCOMPARE(QPointF(s.centreX, s.centreY), QPointF(1600, 1500));

    const ChartInput::Frame bottom = frameAt(0.3, 0, 1600, 1500);
    s = ChartInput::zoomAbout(bottom, {10, 10}, -1);
    QVERIFY(!s.zoomStep);
    QCOMPARE(s.zoom, 0.3);

    // A hard turn at the top: a hundred notches are a few redraws of the same view.
    Host h;
    h.frame = top;
    h.wheel({0, 120 * 100});
    QVERIFY(h.steps.size() <= 11);
    QVERIFY(!h.steps.isEmpty());
    for (const ChartInput::Step &each : h.steps)
        QVERIFY(!each.zoomStep);
    QCOMPARE(h.centre(), QPointF(1600, 1500));
    // And at the edge of the 16-bit range the zoom about a corner stays inside it.
    h.frame = frameAt(0, 0, 32767, -32768);
    h.steps.clear();
    h.wheel({0, std::numeric_limits<int>::max()}, {}, {0, 440});
    QCOMPARE(h.steps.size(), 11);
    QCOMPARE(h.frame.zoomStep, qint16(9));
    QVERIFY(h.centre().x() <= 32767 && h.centre().y() >= -32768);
}

void TestChartInput::panFollowsThePointerAndStaysIn16Bits()
{
    const ChartInput::Frame f = frameAt(0.5, 5, 1500, 1400);
    const QPointF grab(100, 80);
    const ChartInput::Step s = ChartInput::panBy(f, {30, -20});
    QVERIFY(!s.zoomGesture);
    QVERIFY(!s.zoomStep);
    QCOMPARE(s.zoom, 0.5);
    const ChartView after = viewFor(s.zoom, s.centreX, s.centreY, f.maxX, f.maxY);
    // The map point that was under the grab point is now 30 right and 20 up of it.
    QVERIFY(near(after.toMap(grab + QPointF(30, -20), kPicture), f.view.toMap(grab, kPicture)));

    // Past the map's edge the centre stops at the 16-bit limits, on both axes.
    const ChartInput::Step far = ChartInput::panBy(f, {-1e9, -1e9});
    QCOMPARE(QPointF(far.centreX, far.centreY), QPointF(32767, -32768));
    const ChartInput::Step back = ChartInput::panBy(f, {1e9, 1e9});
    QCOMPARE(QPointF(back.centreX, back.centreY), QPointF(-32768, 32767));
    // A centre of 0 means the map's middle to display_map; a gesture never lands on it.
    const ChartInput::Frame nearZero = frameAt(0, 0, 0.2, -0.3);
    const ChartInput::Step zero = ChartInput::panBy(nearZero, {0, 0});
    QCOMPARE(QPointF(zero.centreX, zero.centreY), QPointF(1, -1));
}

void TestChartInput::wheelNotchesAccumulate()
{
    Host h;
    h.wheel({0, 60});
    QVERIFY(h.steps.isEmpty());
    h.wheel({0, 60});
    QCOMPARE(h.steps.size(), 1);
    QCOMPARE(h.frame.zoomStep, qint16(1));
    h.wheel({0, 240});
    QCOMPARE(h.steps.size(), 3);
    QCOMPARE(h.frame.zoomStep, qint16(3));
    h.wheel({0, -119});
    QCOMPARE(h.steps.size(), 3);
    h.wheel({0, -1});
    QCOMPARE(h.frame.zoomStep, qint16(2));
    // Sideways turns do not zoom.
    h.wheel({120, 0});
    QCOMPARE(h.steps.size(), 4);
    for (const ChartInput::Step &each : h.steps)
        QVERIFY(each.zoomGesture);
}

void TestChartInput::touchpadScrollPansAndMerges()
{
    Host h;
    h.frame = frameAt(0.5, 5, 1500, 1400);
    const QPointF grab(200, 100);
    const QPointF under = h.frame.view.toMap(grab, kPicture);
    // A pixel delta pans, whatever angle the event also carries; several before the event
    // loop runs are one redraw.
    h.wheel({0, 120}, {5, 3});
    h.wheel({0, 120}, {10, -1});
    QVERIFY(h.steps.isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(h.steps.size(), 1);
    QVERIFY(!h.steps[0].zoomGesture);
    QCOMPARE(h.frame.zoomStep, qint16(5));
    QVERIFY(near(h.frame.view.toMap(grab + QPointF(15, 2), kPicture), under));
}

void TestChartInput::pinchZoomsInSteps()
{
    Host h;
    h.pinch(Qt::BeginNativeGesture, 0);
    h.pinch(Qt::ZoomNativeGesture, 0.1);
    QVERIFY(h.steps.isEmpty());
    const QPointF under = h.frame.view.toMap({300, 200}, kPicture);
    h.pinch(Qt::ZoomNativeGesture, 0.2);
    QCOMPARE(h.steps.size(), 1);
    QCOMPARE(h.frame.zoomStep, qint16(1));
    QVERIFY(near(h.frame.view.toMap({300, 200}, kPicture), under));
    h.pinch(Qt::ZoomNativeGesture, -0.6);
    QCOMPARE(h.frame.zoomStep, qint16(0));
    // What is left of one pinch is dropped at its end.
    h.pinch(Qt::EndNativeGesture, 0);
    h.pinch(Qt::ZoomNativeGesture, 0.2);
    QCOMPARE(h.frame.zoomStep, qint16(0));
    h.pinch(Qt::ZoomNativeGesture, std::numeric_limits<double>::quiet_NaN());
    h.pinch(Qt::ZoomNativeGesture, std::numeric_limits<double>::infinity());
    QCOMPARE(h.frame.zoomStep, qint16(0));
}

void TestChartInput::middleDragPansMergedAndEndsOnRelease()
{
    Host h;
    h.frame = frameAt(0.5, 5, 1500, 1400);
    const QPointF press(100, 100);
    const QPointF under = h.frame.view.toMap(press, kPicture);

    // A middle click without movement does nothing.
    h.mouse(QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, press);
    h.mouse(QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, press);
    QCoreApplication::processEvents();
    QVERIFY(h.steps.isEmpty());

    h.mouse(QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, press);
    for (int x = 101; x <= 140; ++x)
        h.mouse(QEvent::MouseMove, Qt::NoButton, Qt::MiddleButton, {double(x), 100});
    QVERIFY(h.steps.isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(h.steps.size(), 1); // forty moves while busy, one redraw
    QVERIFY(near(h.frame.view.toMap({140, 100}, kPicture), under));

    // Out of the window and back: the release is where the map stays.
    h.mouse(QEvent::MouseMove, Qt::NoButton, Qt::MiddleButton, {-5000, 9000});
    h.mouse(QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, {150, 90});
    QCOMPARE(h.steps.size(), 2);
    QVERIFY(near(h.frame.view.toMap({150, 90}, kPicture), under));
    QVERIFY(!h.input.dragging());
    QCoreApplication::processEvents();
    QCOMPARE(h.steps.size(), 2);
    // Moving afterwards with no button does not pan; neither does a left drag.
    h.mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {10, 10});
    h.mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {10, 10});
    h.mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {50, 50});
    h.mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {50, 50});
    QCoreApplication::processEvents();
    QCOMPARE(h.steps.size(), 2);
}

void TestChartInput::rightDragIsTheRuler()
{
    Host h;
    h.frame = frameAt(0, 0);
    QSignalSpy changed(&h.input, &ChartInput::overlayChanged);
    const DistanceRuler &ruler = h.input.ruler();

    h.mouse(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {0, 0});
    QVERIFY(!ruler.isShown());
    h.mouse(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {0, 0});
    QCOMPARE(changed.size(), 0); // a right click without movement draws nothing

    // 537 pixels across are 1200 units and 441 down are 900: a 3-4-5 triangle of 300 by
    // 400 units from the top-left corner.
    h.mouse(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {0, 0});
    h.mouse(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {537.0 / 4, 441.0 * 4 / 9});
    QVERIFY(ruler.isShown());
    QCOMPARE(changed.size(), 1);
    QVERIFY(std::abs(ruler.distance() - 500) < 1e-9);
    QCOMPARE(ruler.label(), QStringLiteral("500.0\n950 1850 to 1250 1450"));
    QCoreApplication::processEvents();
    QVERIFY(h.steps.isEmpty()); // measuring never moves the view

    // It paints a line onto what it is given, and nothing once released.
    QImage canvas(kPicture, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        ruler.paint(painter);
    }
    QVERIFY(canvas.pixel(537 / 8, 441 * 2 / 9) != qRgb(0, 0, 0));
    h.mouse(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {300, 300});
    QVERIFY(!ruler.isShown());
    QCOMPARE(changed.size(), 2);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        ruler.paint(painter);
    }
    QCOMPARE(canvas.pixel(537 / 8, 441 * 2 / 9), qRgb(0, 0, 0));
}

void TestChartInput::pickerFindsTheNearestDrawnDot()
{
    const SyntheticUniverse u = syntheticUniverse(3000, 5);
    Globals g;
    for (const MapLine &line : u.planets)
        g.Star_Table.push_back(mapped(line.name, line.x, line.y));
    g.Star_Table.push_back(mapped("Not a number", "x", "1500"));
    g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
    g.Map_Max_X = 4000;
    g.Map_Max_Y = 4000;

    QRandomGenerator random(11);
    int hits = 0; // dots checked against the drawn picture
    for (const double zoom : {0.0, 0.9}) {
        const ChartView view =
            viewFor(zoom, 2000 + random.bounded(500), 2000, g.Map_Max_X, g.Map_Max_Y);
        PlanetPicker picker;
        picker.rebuild(g, view, kPicture);

        // Every dot the index holds is a white pixel of the drawn chart.
        ImageSurface surface;
        g.Star_Table.pop_back(); // the redraw would stop at it
        g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
        display_map(g, surface, {}, zoom, view.centreX, view.centreY);
        const QImage image = surface.Image();
        auto pixelOf = [&](const Star_Object &planet) {
            const QPointF p = view.toPixel(
                {double(float(planet.Star_X.toDouble())), double(float(planet.Star_Y.toDouble()))},
                kPicture);
            return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
        };
        // The straightforward way: every planet's pixel, the nearest one within 4.
        auto plainNearest = [&](QPoint at) {
            int best = -1;
            int bestDistance = 17;
            for (int i = 0; i < int(g.Star_Table.size()); ++i) {
                const QPoint d = pixelOf(g.Star_Table[size_t(i)]) - at;
                if (d.x() * d.x() + d.y() * d.y() < bestDistance) {
                    best = i;
                    bestDistance = d.x() * d.x() + d.y() * d.y();
                }
            }
            return best;
        };
        for (int n = 0; n < 600; ++n) {
            QPoint at(random.bounded(-10, kPicture.width() + 10),
                      random.bounded(-10, kPicture.height() + 10));
            if (n % 2 == 0) {
                // Near a planet, and its own pixel is white where it is on the picture.
                const QPoint dot = pixelOf(g.Star_Table[random.bounded(int(g.Star_Table.size()))]);
                if (QRect(QPoint(0, 0), kPicture).contains(dot)) {
                    ++hits;
                    QCOMPARE(image.pixel(dot), qRgb(255, 255, 255));
                }
                at = dot + QPoint(random.bounded(-5, 6), random.bounded(-5, 6));
            }
            const bool over = QRect(QPoint(0, 0), kPicture).contains(at);
            QCOMPARE(picker.nearest(QPointF(at) + QPointF(0.5, 0.25)),
                     over ? plainNearest(at) : -1);
        }
        g.Star_Table.push_back(mapped("Not a number", "x", "1500"));
        g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
    }

    QVERIFY(hits > 100);

    // Nothing far off the picture, nothing in an empty table, no crash on odd pointers.
    PlanetPicker picker;
    QCOMPARE(picker.nearest({10, 10}), -1);
    picker.rebuild(g, viewFor(0, 0, 0, 4000, 4000), kPicture);
    for (const QPointF odd : {QPointF(-1e9, 5), QPointF(5, 1e9), QPointF(qQNaN(), 1),
                              QPointF(-1, 5), QPointF(537, 0), QPointF(0, 441)})
        QCOMPARE(picker.nearest(odd), -1);
}

void TestChartInput::tooltipText()
{
    Star_Object owned{"Alpha", "1200", "1100", "Race A", "SB", "3", "12000", {}, {}};
    QCOMPARE(planetTooltip(owned), QStringLiteral("Alpha\nOwner: Race A\nPopulation: 12000\n"
                                                  "Starbase: SB\nReport age: 3\n"
                                                  "Coordinates: 1200, 1100"));
    const Star_Object plain = mapped("Beta", "-5", "7");
    QCOMPARE(planetTooltip(plain), QStringLiteral("Beta\nOwner: unowned\nPopulation: unknown\n"
                                                  "Starbase: none\nReport age: unknown\n"
                                                  "Coordinates: -5, 7"));
    owned.Starbase = QStringLiteral(" ");
    QVERIFY(planetTooltip(owned).contains(QLatin1String("\nStarbase: yes\n")));
    // The population grouped as the user's locale writes numbers; coordinates as typed.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    owned.population = QStringLiteral("103423710");
    const QString grouped = planetTooltip(owned);
    QLocale::setDefault(QLocale::c());
    QVERIFY(grouped.contains(QLatin1String("\nPopulation: 103,423,710\n")));
    QVERIFY(grouped.endsWith(QLatin1String("Coordinates: 1200, 1100")));
}

void TestChartInput::completionOrderAndLimit()
{
    Globals g;
    for (const char *name : {"Zeta Nova", "nova", "Alpha", "Novaria", "Casanova", "NOVA prime",
                             "Bnova", "nova", "Vega"})
        g.Star_Table.push_back(mapped(QString::fromLatin1(name), "1", "1"));
    g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
    PlanetNames names;
    names.rebuild(g);
    // Starting with the text first, then containing it; each alphabetical ignoring case;
    // a name found twice is offered once.
    QCOMPARE(names.matching(u"NoV"),
             QStringList({"nova", "NOVA prime", "Novaria", "Bnova", "Casanova", "Zeta Nova"}));
    QCOMPARE(names.matching(u"nov", 3), QStringList({"nova", "NOVA prime", "Novaria"}));
    QCOMPARE(names.matching(u"nov", 4), QStringList({"nova", "NOVA prime", "Novaria", "Bnova"}));
    QCOMPARE(names.matching(u"a"), QStringList({"Alpha", "Bnova", "Casanova", "nova", "NOVA prime",
                                                "Novaria", "Vega", "Zeta Nova"}));
    QVERIFY(names.matching(u"").isEmpty());
    QVERIFY(names.matching(u"xyz").isEmpty());

    // At most twenty, and a new table replaces the old names.
    for (int i = 0; i < 50; ++i)
        g.Star_Table.push_back(
            mapped(QStringLiteral("Star %1").arg(i, 2, 10, QLatin1Char('0')), "1", "1"));
    g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
    names.rebuild(g);
    const QStringList twenty = names.matching(u"star");
    QCOMPARE(twenty.size(), 20);
    QCOMPARE(twenty.first(), QStringLiteral("Star 00"));
    QCOMPARE(twenty.last(), QStringLiteral("Star 19"));
    g.Star_Table.clear();
    g.Last_Star_Index = -1;
    names.rebuild(g);
    QVERIFY(names.matching(u"star").isEmpty());
}

void TestChartInput::completionMatchesAPlainScan()
{
    const SyntheticUniverse u = syntheticUniverse(2000, 9);
    Globals g;
    QRandomGenerator random(3);
    for (const MapLine &line : u.planets) {
        QString name = line.name;
        if (random.bounded(3) == 0)
            name = name.toUpper();
        g.Star_Table.push_back(mapped(name, line.x, line.y));
    }
    g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
    PlanetNames names;
    names.rebuild(g);
    for (const QString &typed : QStringList{"1", "planet 1", "ANET 19", "99", "t 5", "e"}) {
        QStringList starting;
        QStringList containing;
        for (const Star_Object &planet : g.Star_Table) {
            if (starting.contains(planet.Star_Name) || containing.contains(planet.Star_Name))
                continue;
            if (planet.Star_Name.startsWith(typed, Qt::CaseInsensitive))
                starting << planet.Star_Name;
            else if (planet.Star_Name.contains(typed, Qt::CaseInsensitive))
                containing << planet.Star_Name;
        }
        auto alphabetical = [](const QString &a, const QString &b) {
            const int c = QString::compare(a, b, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a < b;
        };
        std::sort(starting.begin(), starting.end(), alphabetical);
        std::sort(containing.begin(), containing.end(), alphabetical);
        QCOMPARE(names.matching(typed), (starting + containing).mid(0, 20));
    }
}

QTEST_MAIN(TestChartInput)
#include "tst_chartinput.moc"

// The chart window driven with real Qt events the way players move around a map: the
// wheel, touchpad scrolls and pinches, middle and right drags, keys, tooltips and the
// search box's completion list. Each checks the view state, the captions and that the
// chart picture holds the chart alone.
#include "chartwindowfixture.h"
#include "distances.h"
#include "search.h"
#include "mapreader.h"
#include "planetpicker.h"
#include "scripteddialog.h"
#include "starmap.h"
#include "testfiles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QWindow>
#include <QLineEdit>
#include <QMdiArea>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

class TestChartGestures : public QObject {
    Q_OBJECT
private slots:
    void wheelZoomsAboutThePointer();
    void touchpadScrollAndPinch();
    void middleDragPans();
    void rightDragMeasuresOverThePicture();
    void keysMoveTheView();
    void tooltipNamesThePlanet();
    void completionListAndEnter();
    void completionListGivesWay();
};

namespace {

// Extent 950..2150 by 950..1850, default centre (1550, 1400).
const QList<MapLine> kPlanets = {
    {"1200", "1100", "Alpha"}, {"2000", "1800", "North"}, {"1500", "1200", "Half"},
    {"1300", "1300", "Twin"},  {"1700", "1600", "Twin"},  {"1800", "1200", "Base"},
    {"1100", "1700", "South"},
};
constexpr QSize kPicture(537, 441);

struct Chart : ChartWindowFixture {
    explicit Chart(const QList<MapLine> &planets = kPlanets) : ChartWindowFixture(planets) {}

    QString zoomText() const { return control<QComboBox>("ZoomList")->currentText(); }
    QPointF mapAt(QPointF pixel) const { return window->view().toMap(pixel, kPicture); }
    QPointF centre() const { return {*g.View_Center_X, double(g.View_Center_Y)}; }

    void send(QEvent &&event) const { QApplication::sendEvent(chart(), &event); }
    void wheel(QPointF at, QPoint angle, QPoint pixels = {}) const
    {
        send(QWheelEvent(at, chart()->mapToGlobal(at), pixels, angle, Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false));
    }
    void pinch(QPointF at, Qt::NativeGestureType type, double value) const
    {
        send(QNativeGestureEvent(type, QPointingDevice::primaryPointingDevice(), 2, at, at,
                                 chart()->mapToGlobal(at), value, {}));
    }
};

bool near(QPointF a, QPointF b, double within)
{
    return std::abs(a.x() - b.x()) <= within && std::abs(a.y() - b.y()) <= within;
}

} // namespace

void TestChartGestures::wheelZoomsAboutThePointer()
{
    Chart c;
    QSignalSpy drawn(c.window, &starmap::drawn);
    const QPointF at(120.5, 330.5);
    const QPointF under = c.mapAt(at);

    c.wheel(at, {0, 120});
    QCOMPARE(drawn.size(), 1);
    QCOMPARE(c.g.Zoom_Step, qint16(1));
    QCOMPARE(c.g.View_Zoom, std::optional<double>(double(0.1f)));
    QCOMPARE(c.zoomText(), QStringLiteral("1"));
    QVERIFY(near(c.mapAt(at), under, 1e-6));
    // Half notches add up to one step.
    c.wheel(at, {0, 60});
    QCOMPARE(drawn.size(), 1);
    c.wheel(at, {0, 60});
    QCOMPARE(drawn.size(), 2);
    QCOMPARE(c.zoomText(), QStringLiteral("2"));
    QVERIFY(near(c.mapAt(at), under, 1e-6));

    // Turned hard either way the wheel stops where the buttons stop, with the list in step,
    // and the stored centre stays a 16-bit one.
    c.wheel(at, {0, 120 * 1000});
    QCOMPARE(c.g.Zoom_Step, qint16(9));
    QCOMPARE(c.g.View_Zoom, std::optional<double>(double(0.9f)));
    QCOMPARE(c.zoomText(), QStringLiteral("9"));
    QVERIFY(near(c.mapAt(at), under, 1e-3));
    c.wheel({0, 0}, {0, -120 * 1000});
    QCOMPARE(c.g.Zoom_Step, qint16(0));
    QCOMPARE(c.zoomText(), QStringLiteral("0"));
    QVERIFY(drawn.size() < 2 + 2 * 12);

    // The zoom buttons go on from the wheel's step.
    c.wheel(at, {0, 120});
    QTest::mouseClick(c.control("Zoom_In_Button"), Qt::LeftButton);
    QCOMPARE(c.g.Zoom_Step, qint16(2));
    QCOMPARE(c.zoomText(), QStringLiteral("2"));
}

void TestChartGestures::touchpadScrollAndPinch()
{
    Chart c;
    QTest::mouseClick(c.control("Zoom_In_Button"), Qt::LeftButton);
    QSignalSpy drawn(c.window, &starmap::drawn);
    const QPointF at(200, 200);
    const QPointF under = c.mapAt(at);

    // Two scrolls before the event loop runs: one redraw, the map moved by both.
    c.wheel(at, {0, 120}, {8, -3});
    c.wheel(at, {0, 120}, {2, -2});
    QTRY_COMPARE(drawn.size(), 1);
    QCOMPARE(c.g.Zoom_Step, qint16(1));
    QVERIFY(near(c.mapAt(at + QPointF(10, -5)), under, 1e-6));

    const QPointF pinchAt(400, 100);
    const QPointF underPinch = c.mapAt(pinchAt);
    c.pinch(pinchAt, Qt::BeginNativeGesture, 0);
    c.pinch(pinchAt, Qt::ZoomNativeGesture, 0.3);
    QCOMPARE(drawn.size(), 2);
    QCOMPARE(c.g.Zoom_Step, qint16(2));
    QCOMPARE(c.zoomText(), QStringLiteral("2"));
    QVERIFY(near(c.mapAt(pinchAt), underPinch, 1e-6));
    c.pinch(pinchAt, Qt::ZoomNativeGesture, -0.6);
    c.pinch(pinchAt, Qt::EndNativeGesture, 0);
    QCOMPARE(c.g.Zoom_Step, qint16(0));
    QCOMPARE(c.zoomText(), QStringLiteral("0"));
}

void TestChartGestures::middleDragPans()
{
    Chart c;
    QTest::mouseClick(c.control("Zoom_In_Button"), Qt::LeftButton);
    QSignalSpy drawn(c.window, &starmap::drawn);
    const QPoint press(100, 100);
    const QPointF under = c.mapAt(press);

    // A middle click without movement does nothing.
    QTest::mouseClick(c.chart(), Qt::MiddleButton, {}, press);
    QCoreApplication::processEvents();
    QCOMPARE(drawn.size(), 0);

    QTest::mousePress(c.chart(), Qt::MiddleButton, {}, press);
    QTest::mouseMove(c.chart(), QPoint(130, 90));
    QTRY_COMPARE(drawn.size(), 1);
    QVERIFY(near(c.mapAt(QPoint(130, 90)), under, 1e-6));
    // The readout goes on during the drag, against the view being shown.
    const QPointF readout = c.mapAt(QPoint(130, 90));
    QCOMPARE(c.window->windowTitle(), QStringLiteral("%1 %2")
                                          .arg(std::floor(float(readout.x())))
                                          .arg(std::floor(float(readout.y()))));
    // Out of the window and back in before the release: the map stays where released.
    QTest::mouseMove(c.chart(), QPoint(-300, 700));
    QTest::mouseRelease(c.chart(), Qt::MiddleButton, {}, QPoint(160, 140));
    QVERIFY(near(c.mapAt(QPoint(160, 140)), under, 1e-6));
    QCOMPARE(c.g.Zoom_Step, qint16(1));
    // The view state holds the centre drawn, Y as its 16-bit whole number.
    QCOMPARE(*c.g.View_Center_X, c.window->view().centreX);
    QCOMPARE(c.g.View_Center_Y, qint16(std::round(c.window->view().centreY)));
    const int afterRelease = int(drawn.size());
    QTest::mouseMove(c.chart(), QPoint(10, 10));
    QCoreApplication::processEvents();
    QCOMPARE(drawn.size(), afterRelease);

    // Dragged far past the map's edge the centre stops at the 16-bit limits.
    for (int i = 0; i < 100; ++i) {
        QTest::mousePress(c.chart(), Qt::MiddleButton, {}, QPoint(300, 300));
        QTest::mouseMove(c.chart(), QPoint(10, 10));
        QTest::mouseRelease(c.chart(), Qt::MiddleButton, {}, QPoint(10, 10));
    }
    QCOMPARE(c.centre(), QPointF(32767, -32768));
    // The buttons keep their own rules: Y stops at its 16-bit limits, X has no bound.
    QTest::mouseClick(c.control("Left_Button"), Qt::LeftButton);
    QTest::mouseClick(c.control("Down_Button"), Qt::LeftButton);
    QCOMPARE(c.centre(), QPointF(32807, -32768));
    QTest::mouseClick(c.control("Right_Button"), Qt::LeftButton);
    QCOMPARE(c.centre(), QPointF(32767, -32768));
}

void TestChartGestures::rightDragMeasuresOverThePicture()
{
    Chart c;
    QSignalSpy drawn(c.window, &starmap::drawn);
    const QImage chart = c.window->picture();
    const qint64 key = chart.cacheKey();
    auto shown = [&c] { return c.chart()->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    QCOMPARE(shown(), chart.convertToFormat(QImage::Format_RGB32));

    QTest::mousePress(c.chart(), Qt::RightButton, {}, QPoint(50, 50));
    QTest::mouseMove(c.chart(), QPoint(300, 250));
    // Each end is where the button went down and where the pointer is, unless a planet's
    // dot was within reach; the reading ends with the length.
    const DistanceRuler &ruler = c.window->input().ruler();
    QCOMPARE(ruler.legs(), 1);
    const QPoint pixels[] = {QPoint(50, 50), QPoint(300, 250)};
    for (int i = 0; i < 2; ++i) {
        if (ruler.ends()[size_t(i)].planet.isEmpty())
            QCOMPARE(ruler.ends()[size_t(i)].map, c.mapAt(pixels[i]));
    }
    QVERIFY(ruler.label().endsWith(QStringLiteral(": ") + distanceText(ruler.distance())));
    // The ruler is on screen, over the picture; the picture, which saving writes, has no
    // part of it, and the caption readout goes on.
    const QImage measuring = shown();
    QVERIFY(measuring != chart.convertToFormat(QImage::Format_RGB32));
    const QPointF middle = c.window->view().toPixel(
        (ruler.ends()[0].map + ruler.ends()[1].map) / 2, starmap::kPictureSize);
    QCOMPARE(measuring.pixel(middle.toPoint()), qRgb(255, 255, 0));
    QCOMPARE(c.window->picture().cacheKey(), key);
    QVERIFY(c.window->windowTitle() != QStringLiteral("Star Map"));

    // It stays once the button is up, until Escape.
    QTest::mouseRelease(c.chart(), Qt::RightButton, {}, QPoint(300, 250));
    QCOMPARE(shown(), measuring);
    c.chart()->setFocus();
    QTest::keyClick(c.chart(), Qt::Key_Escape);
    QCOMPARE(shown(), chart.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(drawn.size(), 0);
    QCOMPARE(c.window->picture().cacheKey(), key);
}

void TestChartGestures::keysMoveTheView()
{
    Chart c;
    c.chart()->setFocus();
    const QPointF start = c.centre();

    // The arrows move the visible window; Left does what "&R" does, Right what "&L" does.
    QTest::keyClick(c.chart(), Qt::Key_Left);
    QCOMPARE(c.centre(), start - QPointF(40, 0));
    QTest::keyClick(c.chart(), Qt::Key_Up);
    QTest::keyClick(c.chart(), Qt::Key_Up);
    QCOMPARE(c.centre(), start + QPointF(-40, 80));
    QTest::keyClick(c.chart(), Qt::Key_Right);
    QTest::keyClick(c.chart(), Qt::Key_Down);
    QCOMPARE(c.centre(), start + QPointF(0, 40));

    QTest::keyClick(c.chart(), Qt::Key_Plus);
    QTest::keyClick(c.chart(), Qt::Key_Equal);
    QCOMPARE(c.g.Zoom_Step, qint16(2));
    QCOMPARE(c.zoomText(), QStringLiteral("2"));
    QTest::keyClick(c.chart(), Qt::Key_Minus);
    QCOMPARE(c.g.Zoom_Step, qint16(1));
    QCOMPARE(c.zoomText(), QStringLiteral("1"));
    QTest::keyClick(c.chart(), Qt::Key_Home);
    QCOMPARE(c.centre(), QPointF(1550, 1400));

    // With the focus on a button the keys still move the chart.
    c.control("Zoom_Out_Button")->setFocus();
    QTest::keyClick(c.control("Zoom_Out_Button"), Qt::Key_Down);
    QCOMPARE(c.centre(), QPointF(1550, 1360));

    // In the search box the keys are the text's.
    auto *box = c.control<QLineEdit>("Star_Search");
    box->setFocus();
    QSignalSpy drawn(c.window, &starmap::drawn);
    QTest::keyClicks(box, QStringLiteral("a+-="));
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Home, Qt::Key_Right, Qt::Key_Down})
        QTest::keyClick(box, key);
    QCOMPARE(drawn.size(), 0);
    QCOMPARE(box->text(), QStringLiteral("a+-="));
    QCOMPARE(c.centre(), QPointF(1550, 1360));
    QCOMPARE(c.g.Zoom_Step, qint16(1));

    // So in the zoom list's open drop-down, a window of its own: the arrows move through
    // the entries and leave the chart where it is.
    auto *zoomList = c.control<QComboBox>("ZoomList");
    zoomList->setFocus();
    zoomList->showPopup();
    QAbstractItemView *entries = zoomList->view();
    QTRY_VERIFY(entries->isVisible());
    entries->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), entries);
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Down, Qt::Key_Home})
        QTest::keyClick(entries, key);
    QCOMPARE(drawn.size(), 0);
    QCOMPARE(c.centre(), QPointF(1550, 1360));
    zoomList->hidePopup();
}

void TestChartGestures::tooltipNamesThePlanet()
{
    Chart c;
    // "Half" at (1500, 1200); its dot's pixel and a point three pixels away.
    const QPointF dot = c.window->view().toPixel({1500, 1200}, kPicture);
    const QPoint pixel(int(std::floor(dot.x())), int(std::floor(dot.y())));
    auto tip = [&c](QPoint at) {
        QHelpEvent help(QEvent::ToolTip, at, c.chart()->mapToGlobal(at));
        QApplication::sendEvent(c.chart(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    const QString expected = QStringLiteral(
        "Half\nOwner: unowned\nPopulation: unknown\nStarbase: none\nReport age: unknown\n"
        "Coordinates: 1500, 1200");
    QCOMPARE(tip(pixel + QPoint(3, 0)), expected);
    QTRY_VERIFY(!tip(pixel + QPoint(40, 40)).size());
    QCOMPARE(tip(pixel + QPoint(0, -2)), expected);
    QTRY_VERIFY(!tip(pixel + QPoint(5, 0)).size());

    // The index follows each redraw: after a pan the planet is found where it is drawn now.
    QTest::mouseClick(c.control("Left_Button"), Qt::LeftButton);
    const QPointF moved = c.window->view().toPixel({1500, 1200}, kPicture);
    QCOMPARE(tip(QPoint(int(moved.x()), int(moved.y()))), expected);
    QToolTip::hideText();
}

void TestChartGestures::completionListAndEnter()
{
    Chart c;
    QSignalSpy drawn(c.window, &starmap::drawn);
    auto *box = c.control<QLineEdit>("Star_Search");
    QCompleter *completer = box->completer();
    QVERIFY(completer);
    auto offered = [completer] {
        QStringList names;
        QAbstractItemModel *model = completer->popup()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    };

    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("h"));
    QTRY_VERIFY(completer->popup()->isVisible());
    QCOMPARE(offered(), QStringList({"Half", "Alpha", "North", "South"}));
    QTest::keyClicks(box, QStringLiteral("A"));
    QCOMPARE(offered(), QStringList({"Half", "Alpha"}));
    QCOMPARE(drawn.size(), 0); // typing alone searches nothing

    // Picking one with the mouse fills the box and centres on it, once.
    QAbstractItemView *popup = completer->popup();
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                      popup->visualRect(popup->model()->index(1, 0)).center());
    QCOMPARE(box->text(), QStringLiteral("Alpha"));
    QCOMPARE(c.centre(), QPointF(1200, 1100));
    QCOMPARE(drawn.size(), 1);
    QVERIFY(!popup->isVisible());

    // Picking with the keys, then Enter: one search.
    box->clear();
    QTest::keyClicks(box, QStringLiteral("tw"));
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(offered(), QStringList({"Twin"}));
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QCOMPARE(box->text(), QStringLiteral("Twin"));
    QCOMPARE(c.centre(), QPointF(1300, 1300)); // the first of that name in table order
    QCOMPARE(drawn.size(), 2);

    // Enter in the box searches exactly; a name that matches nothing changes nothing.
    box->clear();
    QTest::keyClicks(box, QStringLiteral("Base"));
    QTest::keyClick(box, Qt::Key_Escape);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(c.centre(), QPointF(1800, 1200));
    QCOMPARE(drawn.size(), 3);
    box->clear();
    QTest::keyClicks(box, QStringLiteral("base"));
    QTest::keyClick(box, Qt::Key_Escape);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(c.centre(), QPointF(1800, 1200));
    QCOMPARE(drawn.size(), 3);

    // The list follows the table: a new map's names replace the old ones.
    c.g.Map_File_Name = c.files.write("other.map", mapText({{"1000", "1000", "Hadar"}}));
    Open_Map_File(c.g);
    c.window->planetsChanged();
    box->clear();
    QTest::keyClicks(box, QStringLiteral("h"));
    QCOMPARE(offered(), QStringList({"Hadar"}));
}

// Keys and clicks that come through the window system go to the open list first. Enter
// there searches at once, keeping the text as typed; a click elsewhere closes the list and
// still does its job.
void TestChartGestures::completionListGivesWay()
{
    Chart c;
    auto *box = c.control<QLineEdit>("Star_Search");
    QAbstractItemView *popup = box->completer()->popup();
    QWindow *window = c.area.windowHandle();
    auto typed = [&](const QString &text) {
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
        QTRY_VERIFY(popup->isVisible());
    };
    // Press, then the event loop, then release, as a hand does it.
    auto click = [&](QWidget *widget, QPoint at) {
        const QPoint inArea = widget->mapTo(&c.area, at);
        QTest::mousePress(window, Qt::LeftButton, {}, inArea);
        QCoreApplication::processEvents();
        QTest::mouseRelease(window, Qt::LeftButton, {}, inArea);
        QCoreApplication::processEvents();
    };

    const QPointF start = c.centre();
    typed(QStringLiteral("Bas"));
    QTest::keyClick(window, Qt::Key_Return);
    QCOMPARE(box->text(), QStringLiteral("Bas"));
    QVERIFY(!popup->isVisible());
    QCOMPARE(c.centre(), start);
    typed(QStringLiteral("Base"));
    QTest::keyClick(window, Qt::Key_Return);
    QCOMPARE(c.centre(), QPointF(1800, 1200));

    typed(QStringLiteral("Bas"));
    const QPointF clicked = wholeMapPosition(c.window->view(), QPointF(100, 300), kPicture);
    click(c.chart(), QPoint(100, 300));
    QVERIFY(!popup->isVisible());
    QCOMPARE(c.centre(), clicked);

    typed(QStringLiteral("Half"));
    QWidget *search = c.control("Search_Button");
    click(search, QPoint(search->width() / 2, search->height() - 4));
    QVERIFY(!popup->isVisible());
    QCOMPARE(c.centre(), QPointF(1500, 1200));
}

QTEST_MAIN(TestChartGestures)
#include "tst_chartgestures.moc"

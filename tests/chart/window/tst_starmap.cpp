#include "chartpicture.h"
#include "chartwindowfixture.h"
#include "imagesurface.h"
#include "mapreader.h"
#include "renderer.h"
#include "scripteddialog.h"
#include "starmap.h"
#include "testfiles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

class TestStarmap : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void windowLook();
    void captionsFit();
    void tabOrder();
    void loadAndUnload_data();
    void loadAndUnload();
    void exposeRepaintsWithoutRedrawing();
    void checkBoxesRedraw_data();
    void checkBoxesRedraw();
    void secondBoxRedrawsTheSameLook();
    void pan_data();
    void pan();
    void panStopsAtTheLimits_data();
    void panStopsAtTheLimits();
    void centreButton();
    void zoomButtons();
    void zoomList();
    void clickToCentre_data();
    void clickToCentre();
    void hoverCaption_data();
    void hoverCaption();
    void hoverNearZero();
    void freshChartHasNoLabels();
    void search_data();
    void search();
    void centreOnPlanetRingsIt();
    void ringFollowsRedrawsAndFades();
    void ringNeverInThePicture();
    void minimisedLeavesBlack();
    void redrawFailureIsReported();
    void raceColourButton();
    void copyToClipboard();
};

namespace {

// Extent 950..2150 by 950..1850 (North is the largest X and Y), default centre (1550, 1400).
const QList<MapLine> kPlanets = {
    {"1200", "1100", "Alpha"}, {"2000", "1800", "North"}, {"1500.5", "1200.5", "Half"},
    {"1300", "1300", "Twin"},  {"1700", "1600", "Twin"},  {"0", "1500", "Zero X"},
    {"-100", "-200", "South"}, {"30", "30", "Origin"},    {"1800", "1200", "Base"},
    {"1600", "0", "Zero Y"},
};
constexpr double kDefaultX = 1550;
constexpr double kDefaultY = 1400;
constexpr double kMapWidth = 1200;
constexpr double kMapHeight = 900;
constexpr int kPictureWidth = 537;
constexpr int kPictureHeight = 441;

// A chart window on a loaded map, in a workspace of its own, drawn once centred.
struct Chart : ChartWindowFixture {
    explicit Chart(const QList<MapLine> &planets = kPlanets, qint16 zoomStep = 0)
        : ChartWindowFixture(planets, zoomStep, [this] { ++raceColourCalls; })
    {
    }

    void click(const char *name) const { QTest::mouseClick(control(name), Qt::LeftButton); }

    void search(const QString &name) const
    {
        auto *box = control<QLineEdit>("Star_Search");
        box->clear();
        QTest::keyClicks(box, name);
        click("Search_Button");
    }

    // Picks an entry of the open zoom list with the mouse, as a user does.
    void pickZoom(int entry) const
    {
        auto *list = control<QComboBox>("ZoomList");
        list->showPopup();
        QAbstractItemView *view = list->view();
        QTRY_VERIFY(view->isVisible());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(list->model()->index(entry, 0)).center());
    }

    int raceColourCalls = 0;
};

// The map units under a picture pixel of the test map's chart at zoom z centred on (cx, cy):
// the window is (1 - z) of the extent, larger Y at the top.
QPointF mapAt(QPoint pixel, double z, double cx, double cy)
{
    const double width = kMapWidth * (1 - z);
    const double height = kMapHeight * (1 - z);
    return {cx - width / 2 + (pixel.x() + 0.0) * width / kPictureWidth,
            cy + height / 2 - (pixel.y() + 0.0) * height / kPictureHeight};
}

// The whole part of a position; the test's pixels keep clear of whole numbers, where the
// last bit of the arithmetic could tip it.
double wholePart(double value)
{
    if (std::abs(value - std::round(value)) < 1e-3)
        qFatal("%f is too close to a whole number for a test position", value);
    return std::floor(value);
}

bool allBlack(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != 0xFF000000)
                return false;
    return true;
}

} // namespace

void TestStarmap::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry"); // pixels, inside the parent
    QTest::addColumn<QString>("caption");

    auto row = [](const char *name, const char *parent, QRect geometry, const char *caption) {
        QTest::newRow(name) << name << parent << geometry << caption;
    };
    row("Starchart", "client", {8, 8, 537, 441}, "");
    row("Frame1", "client", {552, 8, 145, 441}, "Map Control Center");
    row("Label1", "Frame1", {8, 16, 121, 17}, "Search for Star:");
    row("Star_Search", "Frame1", {8, 32, 129, 19}, "");
    row("Search_Button", "Frame1", {8, 56, 129, 25}, "&Search");
    row("Label2", "Frame1", {8, 88, 121, 17}, "Zoom Controls:");
    row("Zoom_In_Button", "Frame1", {8, 104, 129, 25}, "Zoom &In");
    row("Zoom_Out_Button", "Frame1", {8, 128, 129, 25}, "Zoom &Out");
    row("Label6", "Frame1", {8, 160, 81, 17}, "Zoom Factor:");
    row("ZoomList", "Frame1", {8, 176, 129, 21}, "0");
    row("Label5", "Frame1", {8, 200, 129, 17}, "Display Options");
    row("Starbases_Option", "Frame1", {8, 216, 129, 17}, "Planets with Starbases");
    row("Populated_Option", "Frame1", {8, 232, 129, 17}, "Populated Planets");
    row("All_Option", "Frame1", {8, 248, 129, 17}, "All Planets");
    row("Label4", "Frame1", {8, 272, 121, 17}, "Navigation Controls:");
    row("Up_Button", "Frame1", {56, 288, 33, 25}, "&U");
    row("Left_Button", "Frame1", {16, 320, 33, 25}, "&L");
    row("Center_Button", "Frame1", {56, 320, 33, 25}, "&C");
    row("Right_Button", "Frame1", {96, 320, 33, 25}, "&R");
    row("Down_Button", "Frame1", {56, 352, 33, 25}, "&D");
    row("Label3", "Frame1", {8, 392, 121, 17}, "Color Control:");
    row("Race_Color_Button", "Frame1", {8, 408, 129, 25}, "R&ace Color Selector...");
}

void TestStarmap::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);

    Chart c;
    QWidget *widget = c.control(qPrintable(name));
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(widget->geometry(), geometry);
    QVERIFY(widget->isVisible());

    QString text;
    if (auto *label = qobject_cast<QLabel *>(widget))
        text = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        text = button->text();
    else if (auto *frame = qobject_cast<QGroupBox *>(widget))
        text = frame->title();
    else if (auto *list = qobject_cast<QComboBox *>(widget))
        text = list->currentText();
    else if (auto *box = qobject_cast<QLineEdit *>(widget))
        text = box->text();
    QCOMPARE(text, caption);
}

void TestStarmap::windowLook()
{
    Chart c;
    QCOMPARE(c.window->windowTitle(), QStringLiteral("Star Map"));
    QCOMPARE(c.window->widget()->size(), QSize(704, 454));
    // Fixed size with a border and a close box only.
    QCOMPARE(c.window->minimumSize(), c.window->maximumSize());
    QVERIFY(c.window->size().width() > 704 && c.window->size().height() > 454);
    const Qt::WindowFlags flags = c.window->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::FramelessWindowHint));

    // White on black for the window, the frame, the labels and the check boxes.
    for (const char *name : {"client", "Frame1", "Label1", "All_Option"}) {
        const QPalette colours = c.control(name)->palette();
        QCOMPARE(colours.color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(colours.color(QPalette::WindowText), QColor(Qt::white));
    }
    QVERIFY(!c.control("Label1")->autoFillBackground());
    QCOMPARE(c.chart()->grab().toImage().size(), QSize(537, 441));
}

// Every check box and label of the control centre shows its caption whole in its own place
// (a push button's hint holds a minimum width, not its text's).
void TestStarmap::captionsFit()
{
    Chart c;
    for (QWidget *widget : c.control("Frame1")->findChildren<QWidget *>()) {
        if (!qobject_cast<QCheckBox *>(widget) && !qobject_cast<QLabel *>(widget))
            continue;
        if (widget->sizeHint().width() > widget->width())
            qWarning() << widget->objectName() << widget->sizeHint() << widget->size();
        QVERIFY(widget->sizeHint().width() <= widget->width());
    }
}

void TestStarmap::tabOrder()
{
    Chart c;
    const QStringList expected = {"Starchart",        "Star_Search",   "Zoom_Out_Button",
                                  "Zoom_In_Button",   "Search_Button", "Race_Color_Button",
                                  "Center_Button",    "Up_Button",     "Left_Button",
                                  "Right_Button",     "Down_Button",   "Starbases_Option",
                                  "Populated_Option", "All_Option",    "ZoomList"};

    QStringList seen;
    QWidget *widget = c.chart();
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && c.window->isAncestorOf(widget) &&
            widget != c.window && !widget->focusProxy())
            seen << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != c.chart());
    QCOMPARE(seen, expected);
}

void TestStarmap::loadAndUnload_data()
{
    QTest::addColumn<qint16>("zoomStep");
    QTest::newRow("step 0") << qint16(0);
    QTest::newRow("step 4") << qint16(4);
}

void TestStarmap::loadAndUnload()
{
    QFETCH(qint16, zoomStep);
    Chart c(kPlanets, zoomStep);

    QVERIFY(c.g.Chart_Shown);
    auto *list = c.control<QComboBox>("ZoomList");
    QVERIFY(list->isEditable());
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    QCOMPARE(entries, (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    QCOMPARE(list->currentText(), QString::number(zoomStep));
    for (const char *box : {"Starbases_Option", "Populated_Option", "All_Option"})
        QVERIFY(!c.control<QCheckBox>(box)->isChecked());

    QSignalSpy unloaded(c.window, &starmap::unloaded);
    const QPointer<starmap> window = c.window;
    QVERIFY(window->close());
    QVERIFY(!c.g.Chart_Shown);
    QCOMPARE(unloaded.size(), 1);
    QTRY_VERIFY(!window); // unloaded for good
    QVERIFY(!c.g.Chart_Shown);
}

void TestStarmap::exposeRepaintsWithoutRedrawing()
{
    Chart c;
    const QImage drawn = c.window->picture();
    QCOMPARE(c.chart()->grab().toImage().convertToFormat(QImage::Format_RGB32), drawn);

    // Were the chart drawn again, North would move; repainting shows the kept image.
    c.g.Star_Table[1].Star_X = QStringLiteral("1000");
    c.window->widget()->repaint();
    c.window->hide();
    c.window->show();
    QCOMPARE(c.chart()->grab().toImage().convertToFormat(QImage::Format_RGB32), drawn);
    QCOMPARE(c.window->picture().cacheKey(), drawn.cacheKey());
}

void TestStarmap::checkBoxesRedraw_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("starbases") << "Starbases_Option";
    QTest::newRow("populated") << "Populated_Option";
    QTest::newRow("all") << "All_Option";
}

void TestStarmap::checkBoxesRedraw()
{
    QFETCH(QString, box);
    Chart c;
    // Base is owned with a starbase, so every box gives it a label.
    Star_Object &base = c.g.Star_Table[8];
    base.Owner = QStringLiteral("Zorn");
    base.Starbase = QStringLiteral("SB");
    base.population = QStringLiteral("5000");
    base.color = 0x0000FF;
    base.Style = FillUpwardDiagonal;
    c.window->display_map(c.g.View_Zoom, c.g.View_Center_X, c.g.View_Center_Y);
    const QImage unlabelled = c.window->picture();
    const ChartView view = c.window->view();

    c.click(qPrintable(box));
    QVERIFY(c.control<QCheckBox>(qPrintable(box))->isChecked());
    QVERIFY(c.window->picture() != unlabelled);
    QCOMPARE(c.window->view(), view);

    c.click(qPrintable(box));
    QVERIFY(!c.control<QCheckBox>(qPrintable(box))->isChecked());
    QCOMPARE(c.window->picture(), unlabelled);
    QVERIFY(c.window->picture().cacheKey() != unlabelled.cacheKey());
}

void TestStarmap::secondBoxRedrawsTheSameLook()
{
    Chart c;
    c.click("All_Option");
    const QImage all = c.window->picture();
    // Every planet is unowned, so ticking "Populated Planets" too adds no label, but the
    // chart is drawn again all the same.
    c.click("Populated_Option");
    QCOMPARE(c.window->picture(), all);
    QVERIFY(c.window->picture().cacheKey() != all.cacheKey());
}

void TestStarmap::pan_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("opposite");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::newRow("up") << "Up_Button"
                        << "Down_Button" << 0 << 40;
    QTest::newRow("down") << "Down_Button"
                          << "Up_Button" << 0 << -40;
    QTest::newRow("left") << "Left_Button"
                          << "Right_Button" << 40 << 0;
    QTest::newRow("right") << "Right_Button"
                           << "Left_Button" << -40 << 0;
}

void TestStarmap::pan()
{
    QFETCH(QString, button);
    QFETCH(QString, opposite);
    QFETCH(int, dx);
    QFETCH(int, dy);

    Chart c;
    c.pickZoom(5);
    const QImage before = c.window->picture();
    const std::optional<double> zoom = c.g.View_Zoom;

    c.click(qPrintable(button));
    QCOMPARE(c.g.View_Center_X, std::optional<double>(kDefaultX + dx));
    QCOMPARE(c.g.View_Center_Y, qint16(kDefaultY + dy));
    QCOMPARE(c.g.View_Zoom, zoom);
    QCOMPARE(c.window->view().left, kDefaultX + dx - kMapWidth * 0.5 / 2);
    QVERIFY(c.window->picture() != before);

    c.click(qPrintable(opposite));
    QCOMPARE(c.g.View_Center_X, std::optional<double>(kDefaultX));
    QCOMPARE(c.g.View_Center_Y, qint16(kDefaultY));
    QCOMPARE(c.window->picture(), before);
    QVERIFY(c.dialog.asked().isEmpty());
}

void TestStarmap::panStopsAtTheLimits_data()
{
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("opposite");
    QTest::addColumn<int>("limit");
    QTest::newRow("up to 32767") << "32750"
                                 << "Up_Button"
                                 << "Down_Button" << 32767;
    QTest::newRow("down to -32768") << "-32750"
                                    << "Down_Button"
                                    << "Up_Button" << -32768;
}

void TestStarmap::panStopsAtTheLimits()
{
    QFETCH(QString, y);
    QFETCH(QString, button);
    QFETCH(QString, opposite);
    QFETCH(int, limit);

    Chart c({{"1000", "1000", "Low"}, {"2000", y, "Edge"}});
    c.search(QStringLiteral("Edge"));
    QCOMPARE(c.g.View_Center_Y, qint16(y.toInt()));

    c.click(qPrintable(button));
    QCOMPARE(int(c.g.View_Center_Y), limit);
    c.click(qPrintable(button));
    QCOMPARE(int(c.g.View_Center_Y), limit);
    c.click(qPrintable(opposite));
    QCOMPARE(int(c.g.View_Center_Y), limit + (limit > 0 ? -40 : 40));
    QVERIFY(c.dialog.asked().isEmpty());
}

void TestStarmap::centreButton()
{
    Chart c;
    c.pickZoom(3);
    c.search(QStringLiteral("Alpha"));
    QCOMPARE(c.g.View_Center_X, std::optional<double>(1200));

    c.click("Center_Button");
    QCOMPARE(c.g.View_Center_X, std::optional<double>(kDefaultX));
    QCOMPARE(c.g.View_Center_Y, qint16(kDefaultY));
    QCOMPARE(c.g.View_Zoom, std::optional<double>(0.3));
}

void TestStarmap::zoomButtons()
{
    Chart c;
    auto *list = c.control<QComboBox>("ZoomList");

    // Zoom out at start-up changes nothing but still draws and rewrites the list.
    qint64 key = c.window->picture().cacheKey();
    c.click("Zoom_Out_Button");
    QCOMPARE(c.g.Zoom_Step, qint16(0));
    QVERIFY(!c.g.View_Zoom);
    QCOMPARE(list->currentText(), QStringLiteral("0"));
    QVERIFY(c.window->picture().cacheKey() != key);

    for (int step = 1; step <= 9; ++step) {
        c.click("Zoom_In_Button");
        QCOMPARE(c.g.Zoom_Step, qint16(step));
        // Single precision: 0.1f, not 0.1.
        QCOMPARE(c.g.View_Zoom, std::optional<double>(double(float(step) / 10.0f)));
        QCOMPARE(list->currentText(), QString::number(step));
    }
    QVERIFY(c.g.View_Zoom != std::optional<double>(0.9));
    const double width = c.window->view().right - c.window->view().left;
    QCOMPARE(qRound(width * 1000), qRound(kMapWidth * 100));

    key = c.window->picture().cacheKey();
    c.click("Zoom_In_Button");
    QCOMPARE(c.g.Zoom_Step, qint16(9));
    QCOMPARE(c.g.View_Zoom, std::optional<double>(double(0.9f)));
    QCOMPARE(list->currentText(), QStringLiteral("9"));
    QVERIFY(c.window->picture().cacheKey() != key);

    for (int step = 8; step >= 0; --step) {
        c.click("Zoom_Out_Button");
        QCOMPARE(c.g.Zoom_Step, qint16(step));
        QCOMPARE(c.g.View_Zoom, std::optional<double>(double(float(step) / 10.0f)));
        QCOMPARE(list->currentText(), QString::number(step));
    }
    QVERIFY(c.dialog.asked().isEmpty());
}

void TestStarmap::zoomList()
{
    Chart c;
    auto *list = c.control<QComboBox>("ZoomList");

    qint64 key = c.window->picture().cacheKey();
    c.pickZoom(5);
    QCOMPARE(c.g.View_Zoom, std::optional<double>(0.5));
    QCOMPARE(c.g.Zoom_Step, qint16(0));
    QCOMPARE(list->currentText(), QStringLiteral("5"));
    QVERIFY(c.window->picture().cacheKey() != key);

    // The buttons go on from their own step.
    c.click("Zoom_In_Button");
    QCOMPARE(c.g.Zoom_Step, qint16(1));
    QCOMPARE(c.g.View_Zoom, std::optional<double>(double(0.1f)));
    QCOMPARE(list->currentText(), QStringLiteral("1"));

    c.pickZoom(3);
    QCOMPARE(c.g.View_Zoom, std::optional<double>(0.3)); // double precision
    c.pickZoom(0);
    QCOMPARE(c.g.View_Zoom, std::optional<double>(0.0));
    QCOMPARE(c.window->view().right - c.window->view().left, kMapWidth);

    // Typing alone changes nothing, neither on Enter nor on leaving the field.
    key = c.window->picture().cacheKey();
    list->lineEdit()->setFocus();
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), QStringLiteral("7"));
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    QTest::keyClick(list->lineEdit(), Qt::Key_Tab);
    QCOMPARE(list->currentText(), QStringLiteral("7"));
    QCOMPARE(c.g.View_Zoom, std::optional<double>(0.0));
    QCOMPARE(c.window->picture().cacheKey(), key);
    QVERIFY(c.dialog.asked().isEmpty());
}

void TestStarmap::clickToCentre_data()
{
    QTest::addColumn<QString>("start"); // planet searched first, or none
    QTest::addColumn<int>("zoomEntry"); // picked from the list first
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<bool>("defaultX"); // the whole part of X is 0
    QTest::addColumn<bool>("defaultY");

    QTest::newRow("whole map") << "" << 0 << QPoint(100, 300) << false << false;
    QTest::newRow("zoomed") << "" << 4 << QPoint(421, 37) << false << false;
    QTest::newRow("negative position") << "South" << 0 << QPoint(100, 300) << false << false;
    QTest::newRow("whole part 0 in X") << "Origin" << 9 << QPoint(135, 200) << true << false;
    QTest::newRow("whole part 0 in Y") << "Origin" << 9 << QPoint(200, 367) << false << true;
}

void TestStarmap::clickToCentre()
{
    QFETCH(QString, start);
    QFETCH(int, zoomEntry);
    QFETCH(QPoint, pixel);
    QFETCH(bool, defaultX);
    QFETCH(bool, defaultY);

    Chart c;
    if (!start.isEmpty())
        c.search(start);
    if (zoomEntry != 0)
        c.pickZoom(zoomEntry);
    const double zoom = c.g.View_Zoom.value_or(0);
    const QPointF at = mapAt(pixel, zoom, *c.g.View_Center_X, c.g.View_Center_Y);
    const double x = wholePart(at.x());
    const double y = wholePart(at.y());
    QCOMPARE(x == 0, defaultX);
    QCOMPARE(y == 0, defaultY);
    const ChartView before = c.window->view();

    // Right and middle buttons do nothing.
    const qint64 key = c.window->picture().cacheKey();
    QTest::mouseClick(c.chart(), Qt::RightButton, {}, pixel);
    QTest::mouseClick(c.chart(), Qt::MiddleButton, {}, pixel);
    QCOMPARE(c.window->picture().cacheKey(), key);
    QCOMPARE(c.window->view(), before);

    QTest::mouseClick(c.chart(), Qt::LeftButton, Qt::ShiftModifier, pixel);
    QCOMPARE(c.g.View_Center_X, std::optional<double>(defaultX ? kDefaultX : x));
    QCOMPARE(double(c.g.View_Center_Y), defaultY ? kDefaultY : y);
    QCOMPARE(c.g.View_Zoom.value_or(0), zoom);
    QVERIFY(c.window->picture().cacheKey() != key);
    QVERIFY(c.dialog.asked().isEmpty());

    // A double click is one click and a double click: it centres once, as the click did.
    const ChartView clicked = c.window->view();
    c.window->display_map(zoom, before.centreX, before.centreY);
    QTest::mouseDClick(c.chart(), Qt::LeftButton, {}, pixel);
    QTest::mouseRelease(c.chart(), Qt::LeftButton, {}, pixel); // the button comes up at last
    QCOMPARE(c.window->view(), clicked);
}

void TestStarmap::hoverCaption_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("buttonHeld");
    QTest::addColumn<QPoint>("pixel");

    QTest::newRow("whole map") << "" << false << QPoint(300, 120);
    QTest::newRow("negative X and Y") << "South" << false << QPoint(100, 300);
    QTest::newRow("negative X, positive Y") << "South" << false << QPoint(10, 20);
    QTest::newRow("with a button held") << "Alpha" << true << QPoint(500, 400);
}

void TestStarmap::hoverCaption()
{
    QFETCH(QString, start);
    QFETCH(bool, buttonHeld);
    QFETCH(QPoint, pixel);

    Chart c;
    if (!start.isEmpty())
        c.search(start);
    QCOMPARE(c.window->windowTitle(), QStringLiteral("Star Map"));
    const QPointF at = mapAt(pixel, 0, *c.g.View_Center_X, c.g.View_Center_Y);
    const QString expected =
        QStringLiteral("%1 %2").arg(qint64(wholePart(at.x()))).arg(qint64(wholePart(at.y())));

    const qint64 key = c.window->picture().cacheKey();
    if (buttonHeld)
        QTest::mousePress(c.chart(), Qt::RightButton, {}, QPoint(1, 1));
    QTest::mouseMove(c.chart(), pixel);
    QCOMPARE(c.window->windowTitle(), expected);
    if (buttonHeld)
        QTest::mouseRelease(c.chart(), Qt::RightButton, {}, pixel);
    // The readout only writes the caption; the caption keeps the last position.
    QCOMPARE(c.window->picture().cacheKey(), key);
    QCOMPARE(c.window->windowTitle(), expected);
}

// Around Origin (30, 30) at zoom 9 a pixel is a fraction of a map unit: the readout shows
// the whole part towards negative infinity, so [0, 1) reads "0" and [-1, 0) "-1".
void TestStarmap::hoverNearZero()
{
    Chart c;
    c.pickZoom(9);
    c.search(QStringLiteral("Origin"));
    const double z = *c.g.View_Zoom;
    QMap<QString, int> seen;
    for (int y = 0; y < kPictureHeight; ++y) {
        const QPoint pixel(kPictureWidth / 2, y);
        const double mapY = mapAt(pixel, z, *c.g.View_Center_X, c.g.View_Center_Y).y();
        if (std::abs(mapY - std::round(mapY)) < 1e-3)
            continue; // too close to a whole number to say which side the pointer is on
        QString wanted;
        if (mapY >= 0 && mapY < 1)
            wanted = QStringLiteral("0");
        else if (mapY >= -1 && mapY < 0)
            wanted = QStringLiteral("-1");
        else
            continue;
        QTest::mouseMove(c.chart(), pixel);
        QCOMPARE(c.window->windowTitle().section(u' ', 1), wanted);
        ++seen[wanted];
    }
    QVERIFY(seen.value(QStringLiteral("0")) > 0 && seen.value(QStringLiteral("-1")) > 0);
}

// A chart just opened has every label box clear, and no label in its picture.
void TestStarmap::freshChartHasNoLabels()
{
    Chart c;
    const QImage opened = c.window->picture();
    ImageSurface plain(opened.size());
    Globals same = c.g;
    display_map(same, plain, LabelOptions{}, c.g.View_Zoom, c.g.View_Center_X, c.g.View_Center_Y);
    QCOMPARE(opened, plain.Image());
    // The same chart with labels looks different, so the comparison can tell.
    ImageSurface labelled(opened.size());
    display_map(same, labelled, LabelOptions{true, false, false}, c.g.View_Zoom, c.g.View_Center_X,
                c.g.View_Center_Y);
    QVERIFY(labelled.Image() != opened);
}

void TestStarmap::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("y");

    QTest::newRow("exact name") << "Alpha" << true << 1200.0 << 1100;
    QTest::newRow("fractions: X kept, Y half to even") << "Half" << true << 1500.5 << 1200;
    QTest::newRow("duplicates: first in table order") << "Twin" << true << 1300.0 << 1300;
    QTest::newRow("X of 0 is the default centre") << "Zero X" << true << kDefaultX << 1500;
    QTest::newRow("Y of 0 is the default centre") << "Zero Y" << true << 1600.0 << int(kDefaultY);
    QTest::newRow("negative position") << "South" << true << -100.0 << -200;
    QTest::newRow("other case") << "alpha" << false << 0.0 << 0;
    QTest::newRow("prefix") << "Alph" << false << 0.0 << 0;
    QTest::newRow("trailing space") << "Alpha " << false << 0.0 << 0;
    QTest::newRow("empty") << "" << false << 0.0 << 0;
}

void TestStarmap::search()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(double, x);
    QFETCH(int, y);

    Chart c;
    c.pickZoom(2);
    const Globals before = c.g;
    const qint64 key = c.window->picture().cacheKey();

    c.search(text);

    QCOMPARE(c.control<QLineEdit>("Star_Search")->text(), text);
    QCOMPARE(c.g.View_Zoom, before.View_Zoom);
    QVERIFY(c.dialog.asked().isEmpty());
    if (!found) {
        QCOMPARE(c.g.View_Center_X, before.View_Center_X);
        QCOMPARE(c.g.View_Center_Y, before.View_Center_Y);
        QCOMPARE(c.window->picture().cacheKey(), key);
        return;
    }
    QCOMPARE(c.g.View_Center_X, std::optional<double>(x));
    QCOMPARE(int(c.g.View_Center_Y), y);
    QVERIFY(c.window->picture().cacheKey() != key);

    // Panning goes on from the planet.
    c.click("Down_Button");
    QCOMPARE(int(c.g.View_Center_Y), y - 40);
}

// A planet picked from a list centres exactly as the search for its name does, and rings
// the planet itself (Half lies at 1200.5, which the centre's Y rounds to 1200).
void TestStarmap::centreOnPlanetRingsIt()
{
    Chart searched;
    searched.pickZoom(3);
    searched.search("Half");
    Chart picked;
    picked.pickZoom(3);
    picked.window->centreOnPlanet(2);

    QCOMPARE(picked.g.View_Center_X, searched.g.View_Center_X);
    QCOMPARE(picked.g.View_Center_Y, searched.g.View_Center_Y);
    QCOMPARE(picked.window->picture(), searched.window->picture());
    QCOMPARE(picked.window->ringedPosition(), std::optional<QPointF>(QPointF(1500.5, 1200.5)));
    const auto ring = picked.window->ring().centre();
    QVERIFY(ring);
    const QPointF expected = picked.window->view().toPixel({1500.5, 1200.5}, {537, 441});
    QCOMPARE(*ring, expected);
    QVERIFY(std::abs(ring->x() - 537 / 2.0) < 1 && std::abs(ring->y() - 441 / 2.0) < 2);
    QVERIFY(searched.window->ring().centre() == std::nullopt);

    // Outside the table nothing moves.
    const Globals before = picked.g;
    picked.window->centreOnPlanet(99);
    picked.window->centreOnPlanet(-1);
    QCOMPARE(picked.g.View_Center_X, before.View_Center_X);
    QVERIFY(picked.dialog.asked().isEmpty());
}

void TestStarmap::ringFollowsRedrawsAndFades()
{
    Chart c;
    // Started before the ring is, so a slow machine cannot make the ring look short-lived.
    QElapsedTimer clock;
    clock.start();
    c.window->centreOnPlanet(0); // Alpha at 1200, 1100
    const RingOverlay &ring = c.window->ring();
    const QPointF first = *ring.centre();
    c.click("Up_Button"); // the view moves 40 units up, so the planet slides down
    QVERIFY(ring.centre());
    QVERIFY(ring.centre()->y() > first.y());
    QCOMPARE(ring.centre()->x(), first.x());

    QTRY_VERIFY_WITH_TIMEOUT(!ring.centre(), 5000);
    QVERIFY(clock.elapsed() >= starmap::kRingMs - 100);
    QVERIFY(!c.window->ringedPosition());
}

// The ring is painted over the widget: the chart image, and so the saved bitmap, lack it.
void TestStarmap::ringNeverInThePicture()
{
    Chart plain;
    plain.search("Alpha");
    Chart ringed;
    ringed.window->centreOnPlanet(0);
    QCOMPARE(ringed.window->picture(), plain.window->picture());

    auto *widget = ringed.control<ChartPicture>("Starchart");
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto yellowAroundRing = [&](const QImage &image) {
        int count = 0;
        const QPoint c = ringed.window->ring().centre()->toPoint();
        const int r = RingOverlay::kRadius + 2;
        for (int y = c.y() - r; y <= c.y() + r; ++y) {
            for (int x = c.x() - r; x <= c.x() + r; ++x) {
                const QColor p = image.pixelColor(x, y);
                count += p.red() > 200 && p.green() > 200 && p.blue() < 80;
            }
        }
        return count;
    };
    QVERIFY(yellowAroundRing(shown) > 20);
    QCOMPARE(yellowAroundRing(ringed.window->picture()), 0);
}

void TestStarmap::minimisedLeavesBlack()
{
    Chart c;
    QVERIFY(!allBlack(c.window->picture()));

    c.area.showMinimized();
    QTRY_VERIFY(c.area.isMinimized());
    c.window->display_map(0.5, 1600, 1500.5);
    QCOMPARE(c.g.View_Zoom, std::optional<double>(0.5));
    QCOMPARE(c.g.View_Center_X, std::optional<double>(1600));
    QCOMPARE(c.g.View_Center_Y, qint16(1500));
    QVERIFY(allBlack(c.window->picture()));

    // Restoring does not redraw.
    c.area.showNormal();
    QTRY_VERIFY(!c.area.isMinimized());
    QVERIFY(allBlack(c.window->picture()));
    c.window->display_map(c.g.View_Zoom, c.g.View_Center_X, c.g.View_Center_Y);
    QVERIFY(!allBlack(c.window->picture()));
}

void TestStarmap::redrawFailureIsReported()
{
    // The top of this map lies beyond 32767, where no centre Y fits 16 bits.
    Chart c({{"1000", "1000", "Low"}, {"2000", "32767", "High"}});
    const Globals before = c.g;
    const QImage picture = c.window->picture();
    const ChartView view = c.window->view();

    QTest::mouseClick(c.chart(), Qt::LeftButton, {}, QPoint(268, 0));

    QCOMPARE(c.dialog.messages().size(), 1);
    QVERIFY2(c.dialog.messages().first().startsWith(QStringLiteral("Error!!! 6 Overflow")),
             qPrintable(c.dialog.messages().first()));
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(c.g.View_Zoom, before.View_Zoom);
    QCOMPARE(c.g.View_Center_X, before.View_Center_X);
    QCOMPARE(c.g.View_Center_Y, before.View_Center_Y);
    QCOMPARE(c.g.Star_Table, before.Star_Table);
    QCOMPARE(c.window->picture().cacheKey(), picture.cacheKey());
    QCOMPARE(c.window->view(), view);

    // The window goes on working.
    c.click("Down_Button");
    QCOMPARE(c.g.View_Center_Y, qint16(before.View_Center_Y - 40));
    QCOMPARE(c.dialog.messages().size(), 1);
}

void TestStarmap::raceColourButton()
{
    Chart c;
    c.click("Race_Color_Button");
    QCOMPARE(c.raceColourCalls, 1);
    c.chart()->setFocus();
    // The access key presses the button the way a click does, after a short flash.
    QTest::keyClick(c.chart(), Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(c.raceColourCalls, 2);
    QVERIFY(c.dialog.asked().isEmpty());
}

// Ctrl+C copies the chart as shown, from the chart and from a text field without a
// selection; a field with text selected copies that text instead.
void TestStarmap::copyToClipboard()
{
    Chart c;
    c.search(QStringLiteral("Alpha"));
    QClipboard *clipboard = QApplication::clipboard();
    auto copyFrom = [&](QWidget *widget) {
        clipboard->setText(QStringLiteral("before"));
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_C, Qt::ControlModifier);
    };
    const QImage shown = c.window->picture().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, c.window->shownPicture());

    copyFrom(c.chart());
    QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32), shown);

    auto *search = c.control<QLineEdit>("Star_Search");
    search->deselect();
    copyFrom(search);
    QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32), shown);

    search->setSelection(1, 3);
    copyFrom(search);
    QCOMPARE(clipboard->text(), QStringLiteral("lph"));
    QVERIFY(clipboard->image().isNull());

    // Only the window's own keys: the caption, the view and the picture stay.
    const qint64 key = c.window->picture().cacheKey();
    copyFrom(c.control("Zoom_In_Button"));
    QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32), shown);
    QCOMPARE(c.window->picture().cacheKey(), key);
}

QTEST_MAIN(TestStarmap)
#include "tst_starmap.moc"

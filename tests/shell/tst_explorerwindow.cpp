#include "chartexplorer.h"
#include "changelist.h"
#include "changemarks.h"
#include "chartpicture.h"
#include "mainform.h"
#include "mainwindowfixture.h"
#include "notesfile.h"
#include "planetlist.h"
#include "planning.h"
#include "racecolours.h"
#include "scripteddialog.h"
#include "starmap.h"
#include "testfiles.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using Kind = ScriptedDialog::Kind;

class TestExplorerWindow : public QObject {
    Q_OBJECT
private slots:
    void menuItem();
    void needsAMap();
    void oneAtATime();
    void fitsAndFollowsResizes();
    void refitsOnResizeUntilMoved();
    void wheelDragClickKeys();
    void labelsLegendAndStatus();
    void followsTheData();
    void changesOfTheStepInView();
    void centresOnSearch();
    void findForgives();
    void saveAsShown();
    void ringOnlyOnScreen();
    void planningReachesTheWindows();
};

namespace {

struct Session : MainWindowFixture {
    ChartExplorer *explorer()
    {
        item("mnuChartExplorer")->trigger();
        ChartExplorer *window = form.explorerWindow();
        if (window)
            settle();
        return window;
    }

    void settle()
    {
        QCoreApplication::processEvents();
        if (ChartExplorer *window = form.explorerWindow())
            window->flush();
    }

    template <typename T = QWidget> T *control(const char *name) const
    {
        auto *widget = form.explorerWindow()->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
};

bool near(QPointF a, QPointF b, double tolerance = 1e-6)
{
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

void wheel(QWidget *widget, QPoint at, int delta, QPoint pixelDelta = {})
{
    QWheelEvent event(at, widget->mapToGlobal(at), pixelDelta, QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

// After "&Race Overview" in the Map menu, with Ctrl+E.
void TestExplorerWindow::menuItem()
{
    Session s;
    QAction *item = s.item("mnuChartExplorer");
    QCOMPARE(item->text(), QStringLiteral("Chart &Explorer"));
    QCOMPARE(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    const QList<QAction *> items = s.form.findChild<QMenu *>("mnu_Map")->actions();
    QCOMPARE(items.indexOf(item), items.indexOf(s.item("mnuRaceOverview")) + 1);
}

void TestExplorerWindow::needsAMap()
{
    Session s;
    QVERIFY(!s.explorer());
    QCOMPARE(s.dialog.messages(), QStringList{"Please open a map first."});
    QVERIFY(s.form.workspace()->subWindowList().isEmpty());
}

// The command brings the one explorer forward instead of opening a second.
void TestExplorerWindow::oneAtATime()
{
    Session s;
    s.openMap(s.mapPath);
    ChartExplorer *first = s.explorer();
    QVERIFY(first);
    s.form.workspace()->setActiveSubWindow(s.form.chartWindow());
    QCOMPARE(s.explorer(), first);
    QCOMPARE(s.form.workspace()->activeSubWindow(), first);
    QCOMPARE(s.form.findChildren<ChartExplorer *>().size(), 1);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!s.form.explorerWindow());
    QVERIFY(s.explorer());
    // Resizable and maximisable, unlike the chart window.
    QVERIFY(s.form.explorerWindow()->windowFlags() & Qt::WindowMaximizeButtonHint);
}

// The first picture fits the map to the canvas; resizing keeps the centre and the scale,
// and a burst of resizes is drawn once.
void TestExplorerWindow::fitsAndFollowsResizes()
{
    Session s;
    s.openMap(s.mapPath);
    ChartExplorer *e = s.explorer();
    ChartPicture *canvas = e->canvas();
    QCOMPARE(e->picture().size(), canvas->size());
    const MapExtent extent = mapExtent(s.g.Map_Max_X, s.g.Map_Max_Y);
    QCOMPARE(e->view(), ExplorerView::fitted(canvas->size(), extent));

    e->canvas()->setFocus();
    wheel(canvas, QPoint(40, 30), 120);
    s.settle();
    const ExplorerView zoomed = e->view();
    const int before = e->redrawCount();
    for (int w = 300; w <= 700; w += 50)
        e->resize(w, w - 60);
    s.settle();
    QCOMPARE(e->redrawCount(), before + 1);
    QCOMPARE(e->picture().size(), canvas->size());
    QCOMPARE(e->view().centre, zoomed.centre);
    QCOMPARE(e->view().unitsPerPixel, zoomed.unitsPerPixel);

    // Maximised, then as small as it goes: it draws.
    e->showMaximized();
    s.settle();
    QCOMPARE(e->picture().size(), canvas->size());
    e->showNormal();
    e->resize(1, 1);
    s.settle();
    QVERIFY(!e->picture().isNull());
    QVERIFY(s.dialog.messages().isEmpty());
}

// While the view is the fit, a new size fits the map again: the whole map stays in the
// picture, a planet's dot where the new fit puts it. A zoom or a pan ends that until Home.
void TestExplorerWindow::refitsOnResizeUntilMoved()
{
    Session s;
    s.openMap(s.mapPath);
    ChartExplorer *e = s.explorer();
    ChartPicture *canvas = e->canvas();
    const MapExtent extent = mapExtent(s.g.Map_Max_X, s.g.Map_Max_Y);
    auto dotOfNorth = [&] {
        const QImage picture = e->picture();
        const QPoint at = dotPixel(e->drawing().chartView, picture.size(), {2000, 1800});
        return picture.rect().contains(at) && picture.pixel(at) == qRgb(255, 255, 255);
    };
    for (QSize size : {QSize(900, 500), QSize(400, 700)}) {
        e->resize(size);
        s.settle();
        QCOMPARE(e->view(), ExplorerView::fitted(canvas->size(), extent));
        QVERIFY(dotOfNorth());
    }
    e->showMaximized();
    s.settle();
    QCOMPARE(e->view(), ExplorerView::fitted(canvas->size(), extent));
    e->showNormal();
    s.settle();

    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_Right);
    s.settle();
    const ExplorerView panned = e->view();
    e->resize(e->size() + QSize(120, 80));
    s.settle();
    QCOMPARE(e->view().unitsPerPixel, panned.unitsPerPixel);
    QCOMPARE(e->view().centre, panned.centre);

    QTest::keyClick(canvas, Qt::Key_Home);
    s.settle();
    e->resize(e->size() - QSize(200, 100));
    s.settle();
    QCOMPARE(e->view(), ExplorerView::fitted(canvas->size(), extent));
}

void TestExplorerWindow::wheelDragClickKeys()
{
    Session s;
    s.openMap(s.mapPath);
    ChartExplorer *e = s.explorer();
    ChartPicture *canvas = e->canvas();
    const MapExtent extent = mapExtent(s.g.Map_Max_X, s.g.Map_Max_Y);
    const ExplorerView fit = e->view();

    // A notch in keeps the point under the pointer still; two half notches make one.
    const QPoint pointer(60, 50);
    const QPointF under = fit.toMap(pointer);
    wheel(canvas, pointer, 60);
    wheel(canvas, pointer, 60);
    s.settle();
    QVERIFY(std::abs(e->view().unitsPerPixel - fit.unitsPerPixel / 1.25) < 1e-9);
    QVERIFY(near(e->view().toMap(pointer), under));
    // A touchpad's scroll pans by its pixels.
    const ExplorerView beforeScroll = e->view();
    wheel(canvas, pointer, 0, QPoint(10, -4));
    s.settle();
    QVERIFY(near(e->view().toPixel(beforeScroll.toMap(pointer)), QPointF(70, 46)));

    // A left drag and a middle drag move the map with the pointer.
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
        const ExplorerView start = e->view();
        QTest::mousePress(canvas, button, {}, QPoint(100, 100));
        QTest::mouseMove(canvas, QPoint(130, 90));
        QTest::mouseMove(canvas, QPoint(160, 80));
        QTest::mouseRelease(canvas, button, {}, QPoint(160, 80));
        s.settle();
        QVERIFY(near(e->view().toPixel(start.toMap(QPointF(100, 100))), QPointF(160, 80)));
        QCOMPARE(e->selected(), -1);
    }

    // A click without movement selects the nearest planet within 12 pixels.
    const QPointF beta = e->view().toPixel(QPointF(1500, 1300));
    QTest::mouseClick(canvas, Qt::LeftButton, {}, (beta + QPointF(7, 7)).toPoint());
    s.settle();
    QCOMPARE(s.g.Star_Table[size_t(e->selected())].Star_Name, QStringLiteral("Beta"));
    QTest::mouseClick(canvas, Qt::LeftButton, {}, (beta + QPointF(14, 0)).toPoint());
    s.settle();
    QCOMPARE(e->selected(), -1);

    // Arrows move the view a tenth of its size; + and - zoom; Home fits again.
    canvas->setFocus();
    const ExplorerView beforeKeys = e->view();
    QTest::keyClick(canvas, Qt::Key_Right);
    s.settle();
    QVERIFY(
        near(e->view().centre,
             beforeKeys.centre + QPointF(canvas->width() / 10.0 * beforeKeys.unitsPerPixel, 0)));
    QTest::keyClick(canvas, Qt::Key_Up);
    s.settle();
    QVERIFY(e->view().centre.y() > beforeKeys.centre.y());
    QTest::keyClick(canvas, Qt::Key_Minus);
    s.settle();
    QVERIFY(std::abs(e->view().unitsPerPixel - beforeKeys.unitsPerPixel * 1.25) < 1e-9);
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(canvas, Qt::Key_Minus);
    s.settle();
    QCOMPARE(e->view().unitsPerPixel, fit.unitsPerPixel * 4);
    for (int i = 0; i < 80; ++i)
        QTest::keyClick(canvas, Qt::Key_Plus);
    s.settle();
    QCOMPARE(e->view().unitsPerPixel, 1.0 / 16);
    QTest::keyClick(canvas, Qt::Key_Home);
    s.settle();
    QCOMPARE(e->view(), ExplorerView::fitted(canvas->size(), extent));
}

void TestExplorerWindow::labelsLegendAndStatus()
{
    Session s;
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    ChartExplorer *e = s.explorer();
    QVERIFY(e->drawing().labels.empty());
    auto *labels = s.control<QComboBox>("Labels");
    QCOMPARE(labels->count(), 4);
    labels->setCurrentIndex(int(LabelChoice::Starbases));
    s.settle();
    QCOMPARE(e->drawing().labels.size(), size_t(1));
    QCOMPARE(e->drawing().labels[0].text, QStringLiteral("Alpha Zorn (s)"));
    labels->setCurrentIndex(int(LabelChoice::All));
    s.settle();
    QCOMPARE(e->drawing().labels.size(), size_t(5));

    // Tab goes along the tool bar, left to right, then to the map.
    const char *const order[] = {"Labels", "Legend", "Changes", "Find",
                                 "Rings",  "Speed",  "SaveView", "Canvas"};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget *next = s.control<QWidget>(order[i])->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisibleTo(e))
            next = next->nextInFocusChain();
        QCOMPARE(next->objectName(), QLatin1String(order[i + 1]));
    }

    QVERIFY(e->drawing().legend.isEmpty());
    QTest::mouseClick(s.control<QCheckBox>("Legend"), Qt::LeftButton);
    s.settle();
    QVERIFY(!e->drawing().legend.isEmpty());

    // The status line: the position under the pointer and its distance from the selected
    // planet, then that planet.
    ChartPicture *canvas = e->canvas();
    const QPointF gamma = e->view().toPixel(QPointF(1700, 1500));
    QTest::mouseClick(canvas, Qt::LeftButton, {}, gamma.toPoint());
    QTest::mouseMove(canvas, QPoint(10, 10));
    s.settle();
    const QPointF at = e->view().toMap(QPointF(10, 10));
    QCOMPARE(s.control<QLabel>("Status")->text(),
             explorerStatus(s.g, at, e->selected()));
    QVERIFY(s.control<QLabel>("Status")->text().endsWith(
        QStringLiteral("Gamma    unowned    population unknown    no starbase")));
    const QPointF alpha = e->view().toPixel(QPointF(1200, 1100));
    QTest::mouseClick(canvas, Qt::LeftButton, {}, alpha.toPoint());
    s.settle();
    QVERIFY(s.control<QLabel>("Status")->text().endsWith(
        QStringLiteral("Alpha    owner Zorn    population 25000    starbase SB")));
}

// A new map is fitted; a report and a recolouring redraw.
void TestExplorerWindow::followsTheData()
{
    Session s;
    s.openMap(s.mapPath);
    ChartExplorer *e = s.explorer();
    QTest::keyClick(e->canvas(), Qt::Key_Plus);
    s.settle();

    const QString wider =
        s.files.write("wider.map", mapText({{"5000", "4000", "Far"}, {"1000", "1000", "Near"}}));
    s.openMap(wider);
    s.settle();
    QCOMPARE(e->view(),
             ExplorerView::fitted(e->canvas()->size(), mapExtent(s.g.Map_Max_X, s.g.Map_Max_Y)));

    const int before = e->redrawCount();
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    s.settle();
    QVERIFY(e->redrawCount() > before);
    auto count = [&](QRgb colour) {
        int n = 0;
        const QImage image = e->picture();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    };
    QCOMPARE(count(qRgb(0x56, 0x34, 0x12)), 0);
    const int slot = findRace(s.g, QStringLiteral("Vell"));
    s.g.Player_Table[size_t(slot)].Player_Color = 0x123456;
    for (Star_Object &p : s.g.Star_Table)
        if (p.Owner == u"Vell")
            p.color = 0x123456;
    const int beforeColour = e->redrawCount();
    s.form.raceColoursChanged(); // what the race colours dialog calls after a change
    s.settle();
    QCOMPARE(e->redrawCount(), beforeColour + 1);
    QVERIFY(count(qRgb(0x56, 0x34, 0x12)) > 20);
}

// The Changes box marks the last report's changes, or those the changes window shows while it
// is open: the report, race and kind chosen there.
void TestExplorerWindow::changesOfTheStepInView()
{
    Session s;
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    s.openReport(s.files.write("later.pla", reportText({{"Beta", "Zorn", "", "3", "900"},
                                                        {"Gamma", "Vell", "", "3", "50"}})));
    ChartExplorer *e = s.explorer();
    auto names = [&] {
        QStringList out;
        for (const ChangeMark &m : e->changeMarks())
            out << s.g.Star_Table[size_t(m.planet)].Star_Name + u' ' + changeMarkText(m.kind);
        out.sort();
        return out;
    };
    QCOMPARE(names(), (QStringList{"Beta new owner", "Gamma first seen"}));
    QCOMPARE(e->changeMarksTitle(), QStringLiteral("later.pla: changes since player.pla"));

    // Only with the box ticked are they in the picture.
    const QImage plain = e->picture();
    auto *box = s.control<QCheckBox>("Changes");
    QTest::mouseClick(box, Qt::LeftButton);
    s.settle();
    const QPoint beta =
        dotPixel(e->drawing().chartView, e->view().picture, QPointF(1500, 1300)) +
        kChangeMarkOffset;
    const int zorn = findRace(s.g, QStringLiteral("Zorn"));
    QCOMPARE(e->picture().pixel(beta), rgbFromPacked(s.g.Player_Table[size_t(zorn)].Player_Color));
    QVERIFY(plain.pixel(beta) != e->picture().pixel(beta));

    s.trigger("mnuChanges");
    ChangeList *changes = s.form.changeList();
    changes->findChild<QComboBox *>("step")->setCurrentIndex(0);
    QCOMPARE(names(), (QStringList{"Alpha first seen", "Beta first seen"}));
    QCOMPARE(e->changeMarksTitle(), QStringLiteral("player.pla: changes since universe.map"));
    changes->findChild<QComboBox *>("step")->setCurrentIndex(1);
    auto *race = changes->findChild<QComboBox *>("race");
    race->setCurrentIndex(race->findData(QStringLiteral("Vell")));
    QCOMPARE(names(), (QStringList{"Beta lost", "Gamma first seen"}));
    auto *kind = changes->findChild<QComboBox *>("kind");
    kind->setCurrentIndex(kind->findData(int(KindFilter::FirstSeen)));
    QCOMPARE(names(), QStringList{"Gamma first seen"});

    // Closed, the changes window leaves the last report's changes.
    changes->parentWidget()->close();
    QTRY_VERIFY(!s.form.changeList());
    QCOMPARE(names(), (QStringList{"Beta new owner", "Gamma first seen"}));
    s.trigger("mnuUndoReport");
    QCOMPARE(names(), (QStringList{"Alpha first seen", "Beta first seen"}));
}

// A search in the chart window, or a planet chosen in a list, centres the explorer on the
// planet and selects it.
void TestExplorerWindow::centresOnSearch()
{
    Session s;
    s.openMap(s.mapPath);
    ChartExplorer *e = s.explorer();
    starmap *chart = s.form.chartWindow();
    chart->findChild<QLineEdit *>("Star_Search")->setText(QStringLiteral("Delta"));
    QTest::mouseClick(chart->findChild<QPushButton *>("Search_Button"), Qt::LeftButton);
    s.settle();
    QCOMPARE(e->view().centre, QPointF(1000, 1600));
    QCOMPARE(s.g.Star_Table[size_t(e->selected())].Star_Name, QStringLiteral("Delta"));
    QCOMPARE(e->drawing().labels.front().text, QStringLiteral("Delta"));
    // Nothing found: the explorer stays.
    chart->findChild<QLineEdit *>("Star_Search")->setText(QStringLiteral("delta"));
    QTest::mouseClick(chart->findChild<QPushButton *>("Search_Button"), Qt::LeftButton);
    s.settle();
    QCOMPARE(e->view().centre, QPointF(1000, 1600));
    // A planet chosen in a list does the same.
    s.form.choosePlanet(1);
    s.settle();
    QCOMPARE(e->view().centre, QPointF(2000, 1800));
    QCOMPARE(e->selected(), 1);
}

// Ctrl+F in the explorer: any part of the name in any case, blanks ignored; Enter selects,
// centres and rings; a miss is said in the status line. The selection reaches the canvas's
// accessible description.
void TestExplorerWindow::findForgives()
{
    Session s;
    s.openMap(s.mapPath);
    ChartExplorer *e = s.explorer();
    e->canvas()->setFocus();
    QTest::keyClick(e->canvas(), Qt::Key_F, Qt::ControlModifier);
    QLineEdit *find = e->findField();
    QVERIFY(find->hasFocus());
    QTest::keyClicks(find, QStringLiteral("  eLT "));
    QTest::keyClick(find, Qt::Key_Return);
    s.settle();
    QCOMPARE(s.g.Star_Table[size_t(e->selected())].Star_Name, QStringLiteral("Delta"));
    QCOMPARE(e->view().centre, QPointF(1000, 1600));
    QVERIFY(e->ring().centre().has_value());
    QAccessibleInterface *canvas = QAccessible::queryAccessibleInterface(e->canvas());
    QCOMPARE(canvas->text(QAccessible::Name), QStringLiteral("Chart explorer map"));
    QVERIFY(canvas->text(QAccessible::Description)
                .endsWith(QStringLiteral(". Selected: Delta, unowned, population unknown, "
                                         "no starbase")));

    find->selectAll();
    QTest::keyClicks(find, QStringLiteral("zzzq"));
    QTest::keyClick(find, Qt::Key_Return);
    s.settle();
    QVERIFY(e->statusText().startsWith(QStringLiteral("No planet matches \"zzzq\"")));
    QCOMPARE(e->view().centre, QPointF(1000, 1600)); // the last find stays
    // Typing again clears the message.
    QTest::keyClick(find, Qt::Key_Backspace);
    QVERIFY(!e->statusText().contains(QStringLiteral("No planet")));
}

// "Save View As..." writes the explorer's picture as shown, PNG or BMP by the name, from
// its button and from Ctrl+Shift+S; the File menu's command saves the chart window's.
void TestExplorerWindow::saveAsShown()
{
    Session s;
    s.openMap(s.mapPath);
    ChartExplorer *e = s.explorer();
    e->resize(400, 300);
    s.settle();
    s.dialog.answerFile(s.files.path(QStringLiteral("chart.png")));
    s.item("mnuSaveBmp")->trigger();
    QCOMPARE(QImageReader(s.files.path(QStringLiteral("chart.png"))).read().convertToFormat(
                 QImage::Format_RGB32),
             s.form.chartWindow()->picture());
    QCOMPARE(s.dialog.asked().last().title, QStringLiteral("Save Map as Bitmap"));

    e->canvas()->setFocus();
    for (const char *name : {"explorer.png", "explorer.PNG", "explorer.bmp"}) {
        s.dialog.answerFile(s.files.path(QLatin1String(name)));
        if (QByteArray(name).endsWith("bmp"))
            QTest::mouseClick(s.control<QPushButton>("SaveView"), Qt::LeftButton);
        else
            QTest::keyClick(e->canvas(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QImageReader reader(s.files.path(QLatin1String(name)));
        QCOMPARE(reader.format(),
                 QByteArray(QByteArray(name).toLower().endsWith("png") ? "png" : "bmp"));
        const QImage saved = reader.read();
        QCOMPARE(saved.size(), e->picture().size());
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 e->picture().convertToFormat(QImage::Format_RGB32));
    }
    QCOMPARE(s.dialog.asked().last().kind, Kind::Save);
    QCOMPARE(s.dialog.asked().last().title, QStringLiteral("Save View As"));
    // As vectors: the chart window's and the explorer's pictures at their own sizes.
    s.dialog.answerFile(s.files.path(QStringLiteral("chart.pdf")));
    s.item("mnuSaveBmp")->trigger();
    QFile pdf(s.files.path(QStringLiteral("chart.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    s.dialog.answerFile(s.files.path(QStringLiteral("explorer.svg")));
    QTest::mouseClick(s.control<QPushButton>("SaveView"), Qt::LeftButton);
    QFile svg(s.files.path(QStringLiteral("explorer.svg")));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains(QByteArray("viewBox=\"0 0 ") +
                                   QByteArray::number(e->picture().width()) + ' ' +
                                   QByteArray::number(e->picture().height()) + '"'));
    // Saving into a folder that does not exist is reported, as for the chart window.
    s.dialog.answerFile(s.files.path(QStringLiteral("nowhere/explorer.png")));
    QTest::mouseClick(s.control<QPushButton>("SaveView"), Qt::LeftButton);
    QCOMPARE(s.dialog.messages().size(), 1);
    QVERIFY(s.dialog.messages().first().startsWith(QStringLiteral("Error!!! 76")));
}

// The selection's ring is over the picture on screen, never in what is saved or copied.
void TestExplorerWindow::ringOnlyOnScreen()
{
    Session s;
    s.openMap(s.mapPath);
    ChartExplorer *e = s.explorer();
    const QPointF beta = e->view().toPixel(QPointF(1500, 1300));
    QTest::mouseClick(e->canvas(), Qt::LeftButton, {}, beta.toPoint());
    s.settle();
    QVERIFY(e->selected() >= 0);
    QVERIFY(e->ring().centre());
    auto yellow = [](const QImage &image) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x) {
                const QColor p = rgb.pixelColor(x, y);
                count += p.red() > 200 && p.green() > 200 && p.blue() < 80;
            }
        return count;
    };
    QVERIFY(yellow(e->canvas()->grab().toImage()) > 20);

    s.dialog.answerFile(s.files.path(QStringLiteral("selected.png")));
    QTest::mouseClick(s.control<QPushButton>("SaveView"), Qt::LeftButton);
    QCOMPARE(yellow(QImageReader(s.files.path(QStringLiteral("selected.png"))).read()), 0);
    QGuiApplication::clipboard()->clear();
    e->canvas()->setFocus();
    QTest::keyClick(e->canvas(), Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), e->picture().size());
    QCOMPARE(yellow(copied), 0);
}

// The Rings and Speed fields, the planet menu of a right click and the selection reach the
// picture, the chart window's ruler, the notes file and the planet list.
void TestExplorerWindow::planningReachesTheWindows()
{
    Session s;
    s.openMap(s.mapPath);
    ChartExplorer *e = s.explorer();
    auto *rings = s.control<QLineEdit>("Rings");
    QTest::keyClicks(rings, QStringLiteral("81, 162"));
    QTest::keyClicks(rings, QStringLiteral(", x")); // not a distance: the rings stay
    s.settle();
    QCOMPARE(e->rings(), (std::vector<double>{81, 162}));
    QCOMPARE(s.form.planning().rings(), e->rings());
    QTest::keyClicks(s.control<QLineEdit>("Speed"), QStringLiteral("81"));
    QCOMPARE(s.form.chartWindow()->input().ruler().speed(), 81.0);

    s.trigger("mnuPlanetList");
    s.form.planetList()->followExplorer();
    ChartPicture *canvas = e->canvas();
    const QPoint beta = e->view().toPixel(QPointF(1500, 1300)).toPoint();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, beta);
    s.settle();
    QCOMPARE(e->drawing().ringRadii.size(), size_t(2));
    QCOMPARE(s.form.planetList()->proxy().index(0, PlanetListModel::Name).data().toString(),
             QStringLiteral("Beta")); // the nearest to the selection first

    // A right click on a planet opens its menu; marking writes the notes file at once and
    // the symbol is drawn.
    QTest::mouseClick(canvas, Qt::RightButton, {}, beta + QPoint(3, 2));
    auto *menu = e->findChild<QMenu *>(QStringLiteral("planetMenu"));
    QVERIFY(menu && menu->isVisible());
    menu->findChild<QAction *>(QStringLiteral("mark_target"))->trigger();
    menu->close();
    s.dialog.answerText(QStringLiteral("Invade turn 44"));
    e->planetMenu(e->selected())->findChild<QAction *>(QStringLiteral("note"))->trigger();
    s.settle();
    const NotesRead read = readNotesFile(s.files.path("universe.notes.json"));
    QCOMPARE(read.notes, s.g.notes);
    QCOMPARE(*read.notes.find(NoteKey{"Beta", 1500, 1300}),
             (PlanetNote{Marker::Target, QStringLiteral("Invade turn 44")}));
    QCOMPARE(e->drawing().markers, 1);
    // A right click away from every planet opens nothing (and the last menu goes).
    QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(2, 2));
    QVERIFY(!e->findChild<QMenu *>(QStringLiteral("planetMenu")));
}

QTEST_MAIN(TestExplorerWindow)
#include "tst_explorerwindow.moc"

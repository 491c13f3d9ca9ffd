#include "changemarks.h"
#include "explorerrenderer.h"
#include "imagesurface.h"
#include "legend.h"
#include "planets.h"
#include "recordingsurface.h"

#include <QTest>

class TestChangeMarks : public QObject {
    Q_OBJECT
private slots:
    void shapes_data();
    void shapes();
    void besideTheDot();
    void onTheExplorer();
    void inTheLegend();
};

namespace {

constexpr QRgb kGrey = 0xFF404040; // a background that shows the black edge
constexpr PackedColor kRed = 0x0000FF;

// The pixels around `centre` as text: '.' untouched, 'k' black, 'w' white, 'c' the mark's
// colour.
QString around(const QImage &image, QPoint centre, int reach)
{
    QString rows;
    for (int y = centre.y() - reach; y <= centre.y() + reach; ++y) {
        for (int x = centre.x() - reach; x <= centre.x() + reach; ++x) {
            const QRgb p = image.pixel(x, y);
            rows += p == kGrey ? u'.' : p == 0xFF000000 ? u'k' : p == 0xFFFFFFFF ? u'w'
                                  : p == rgbFromPacked(kRed) ? u'c' : u'?';
        }
        rows += u'\n';
    }
    return rows;
}

} // namespace

void TestChangeMarks::shapes_data()
{
    QTest::addColumn<ChangeMarkKind>("kind");
    QTest::addColumn<QString>("pixels");
    // Filled: the colour inside a white edge, one pixel thin on the slants, all on black.
    QTest::newRow("new owner") << ChangeMarkKind::NewOwner
        << QStringLiteral(
            ".............\n"
            ".............\n"
            ".....kkk.....\n"
            "....kkwkk....\n"
            "...kkwcwkk...\n"
            "..kkwcccwkk..\n"
            ".kkwcccccwkk.\n"
            "kkwcccccccwkk\n"
            "kwwwwwwwwwwwk\n"
            "kkkkkkkkkkkkk\n"
            ".............\n"
            ".............\n"
            ".............\n");
    QTest::newRow("lost") << ChangeMarkKind::Lost
        << QStringLiteral(
            ".............\n"
            ".............\n"
            ".....kkk.....\n"
            "....kkwkk....\n"
            "...kkwkwkk...\n"
            "..kkwkkkwkk..\n"
            ".kkwkkkkkwkk.\n"
            "kkwkkkkkkkwkk\n"
            "kwwwwwwwwwwwk\n"
            "kkkkkkkkkkkkk\n"
            ".............\n"
            ".............\n"
            ".............\n");
    QTest::newRow("first seen") << ChangeMarkKind::FirstSeen
        << QStringLiteral(
            ".............\n"
            ".............\n"
            ".....kkk.....\n"
            "....kkwkk....\n"
            "...kkwcwkk...\n"
            "..kkwcccwkk..\n"
            "..kwcccccwk..\n"
            "..kkwcccwkk..\n"
            "...kkwcwkk...\n"
            "....kkwkk....\n"
            ".....kkk.....\n"
            ".............\n"
            ".............\n");
    QTest::newRow("starbase built") << ChangeMarkKind::StarbaseBuilt
        << QStringLiteral(
            ".............\n"
            ".............\n"
            ".............\n"
            "...kkkkkkk...\n"
            "...kwwwwwk...\n"
            "...kwwwwwk...\n"
            "...kwwwwwk...\n"
            "...kwwwwwk...\n"
            "...kwwwwwk...\n"
            "...kkkkkkk...\n"
            ".............\n"
            ".............\n"
            ".............\n");
    QTest::newRow("starbase lost") << ChangeMarkKind::StarbaseLost
        << QStringLiteral(
            ".............\n"
            ".............\n"
            ".............\n"
            "...kkkkkkk...\n"
            "...kwwwwwk...\n"
            "...kwkkkwk...\n"
            "...kwkkkwk...\n"
            "...kwkkkwk...\n"
            "...kwwwwwk...\n"
            "...kkkkkkk...\n"
            ".............\n"
            ".............\n"
            ".............\n");
    QTest::newRow("population up") << ChangeMarkKind::PopulationUp
        << QStringLiteral(
            ".............\n"
            ".............\n"
            ".............\n"
            ".....kkk.....\n"
            ".....kwk.....\n"
            "...kkkwkkk...\n"
            "...kwwwwwk...\n"
            "...kkkwkkk...\n"
            ".....kwk.....\n"
            ".....kkk.....\n"
            ".............\n"
            ".............\n"
            ".............\n");
    QTest::newRow("population down") << ChangeMarkKind::PopulationDown
        << QStringLiteral(
            ".............\n"
            ".............\n"
            ".............\n"
            ".............\n"
            ".............\n"
            "...kkkkkkk...\n"
            "...kwwwwwk...\n"
            "...kkkkkkk...\n"
            ".............\n"
            ".............\n"
            ".............\n"
            ".............\n"
            ".............\n");
}

// Each shape pixel by pixel, centred on the pixel asked for, nothing beyond the reach.
void TestChangeMarks::shapes()
{
    QFETCH(ChangeMarkKind, kind);
    QFETCH(QString, pixels);
    ImageSurface surface(QSize(40, 40));
    surface.BackColor(packedFromRgb(kGrey));
    surface.Scale(0, 0, 40, 40);
    const QPoint centre(20, 20);
    drawChangeMark(surface, centre, kind, kRed);
    QCOMPARE(around(surface.Image(), centre, kChangeMarkReach), pixels);
    const QImage &image = surface.Image();
    int touched = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            touched += image.pixel(x, y) != kGrey;
    QCOMPARE(touched, int(pixels.count(u'k') + pixels.count(u'w') + pixels.count(u'c')));
}

// A mark sits at its planet's dot plus the offset, clear of the dot; a planet that is not in
// the table, or whose mark cannot reach the picture, draws nothing, and the later of two
// marks lies on top.
void TestChangeMarks::besideTheDot()
{
    const Globals g = chartOf({planet("a", 1200, 1200), planet("b", 1210, 1200),
                               planet("far", 2000, 1800)});
    const QSize picture(200, 200);
    const MapExtent extent = mapExtent(g.Map_Max_X, g.Map_Max_Y);
    const ChartView view =
        ExplorerView::fitted(picture, extent).centredOn(QPointF(1200, 1200)).chartView(extent);
    auto surfaceWith = [&](std::vector<ChangeMark> marks) {
        auto surface = std::make_unique<ImageSurface>(picture);
        surface->BackColor(packedFromRgb(kGrey));
        surface->Scale(0, 0, picture.width(), picture.height());
        drawChangeMarks(*surface, g, view, picture, marks);
        return surface;
    };
    const QPoint dot = dotPixel(view, picture, planetPosition(g.Star_Table[0]));
    const QPoint centre = dot + kChangeMarkOffset;

    const auto one = surfaceWith({{0, ChangeMarkKind::StarbaseBuilt, kRed},
                                  {7, ChangeMarkKind::Lost, kRed}});
    const QImage &image = one->Image();
    QCOMPARE(image.pixel(centre), 0xFFFFFFFFu);
    QCOMPARE(image.pixel(centre + QPoint(3, 0)), 0xFF000000u); // its edge
    // The dot and the pixels around it, where a wider dot would be, are left alone.
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            QCOMPARE(image.pixel(dot + QPoint(dx, dy)), kGrey);
    int white = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            white += image.pixel(x, y) == 0xFFFFFFFFu;
    QCOMPARE(white, 25); // the square alone: planet 7 is not in the table

    // Far outside the picture: no box at all.
    RecordingSurface recording;
    drawChangeMarks(recording, g, view, picture,
                    std::vector<ChangeMark>{{2, ChangeMarkKind::NewOwner, kRed}});
    QVERIFY(recording.calls().filter(QStringLiteral("Line")).isEmpty());

    // Planet b's hollow square lies over a's filled one.
    const auto both = surfaceWith({{0, ChangeMarkKind::StarbaseBuilt, kRed},
                                   {1, ChangeMarkKind::StarbaseLost, kRed}});
    const QPoint second =
        dotPixel(view, picture, planetPosition(g.Star_Table[1])) + kChangeMarkOffset;
    QVERIFY(second.x() > centre.x() && second.x() - centre.x() < 3);
    QCOMPARE(second.y(), centre.y());
    QCOMPARE(both->Image().pixel(second), 0xFF000000u); // b's hollow inside, over a's white
    QCOMPARE(both->Image().pixel(second + QPoint(3, 0)), 0xFF000000u); // b's edge
}

// The explorer draws the marks over the zones, touching nothing beyond their reach.
void TestChangeMarks::onTheExplorer()
{
    Globals g = chartOf({planet("a", 1500, 1400, "Reds", {}, "100000")});
    g.Last_Player_Index = 0;
    g.Player_Table[0] = {kRed, QStringLiteral("Reds"), FillSolid, 100000, std::nullopt};
    g.Star_Table[0].color = kRed;
    g.Star_Table[0].Style = FillSolid;
    const MapExtent extent = mapExtent(g.Map_Max_X, g.Map_Max_Y);
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(QSize(300, 300), extent).centredOn(QPointF(1500, 1400));
    scene.labels.all = true;
    auto draw = [&] {
        ImageSurface surface(scene.view.picture);
        ExplorerRenderer().draw(g, surface, scene);
        return surface.Image();
    };
    const QImage plain = draw();
    const QPoint centre = dotPixel(scene.view.chartView(extent), scene.view.picture,
                                   planetPosition(g.Star_Table[0])) +
                          kChangeMarkOffset;
    QCOMPARE(plain.pixel(centre), rgbFromPacked(kRed)); // inside the zone

    scene.changes = {{0, ChangeMarkKind::Captured, 0x00FF00}};
    const QImage marked = draw();
    QCOMPARE(marked.pixel(centre), qRgb(0, 255, 0));
    QCOMPARE(marked.pixel(centre + QPoint(0, 2)), qRgb(255, 255, 255)); // the white base
    QCOMPARE(marked.pixel(centre + QPoint(0, 3)), qRgb(0, 0, 0));       // and its black edge
    const QRect reach(centre - QPoint(kChangeMarkReach, kChangeMarkReach),
                      QSize(2 * kChangeMarkReach + 1, 2 * kChangeMarkReach + 1));
    int differ = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            if (plain.pixel(x, y) == marked.pixel(x, y))
                continue;
            ++differ;
            QVERIFY2(reach.contains(x, y), qPrintable(QStringLiteral("%1 %2").arg(x).arg(y)));
        }
    QVERIFY(differ > 50);
}

void TestChangeMarks::inTheLegend()
{
    Globals g = chartOf({planet("a", 1000, 1000)});
    g.Last_Player_Index = 0;
    g.Player_Table[0] = {kRed, QStringLiteral("Reds"), FillSolid, 1, 0};
    const MarkLegend marks{ChangeMarkKind::Lost | ChangeMarkKind::PopulationUp,
                           QStringLiteral("t2.pla: changes since t1.pla")};
    QCOMPARE(marks.rows(), 3);
    QCOMPARE((MarkLegend{{}, QStringLiteral("title")}.rows()), 0);
    const Legend plain(g, true);
    const Legend legend(g, true, 1, -1, marks);
    QCOMPARE(legend.markRows(), 3);
    QCOMPARE(legend.size().height(), Legend::heightFor(1, true, 3));
    QCOMPARE(Legend::heightFor(1, true, 3) - Legend::heightFor(1, true), 3 * 16);
    QCOMPARE(Legend::rowsFitting(Legend::heightFor(4, true, 3), true, 3), 4);
    QVERIFY(legend.size().width() >= plain.size().width());

    // The title, then each kind in the legend's order, after the race.
    RecordingSurface recording;
    legend.draw(recording, QPoint(0, 0));
    QCOMPARE(recording.printed(),
             QStringList({"Race", "Planets", "Population", "Starbases", "Reds", "0", "1", "0",
                          "t2.pla: changes since t1.pla", "lost", "population up"}));

    // On the explorer, the races that do not fit make way for the marks.
    for (int slot = 1; slot < 16; ++slot)
        g.Player_Table[size_t(slot)] = {kRed, QStringLiteral("R%1").arg(slot), FillSolid, 1, 0};
    g.Last_Player_Index = 15;
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(QSize(400, 200), mapExtent(g.Map_Max_X, g.Map_Max_Y));
    scene.legend = true;
    scene.changes = {{0, ChangeMarkKind::Lost, kRed}, {0, ChangeMarkKind::PopulationUp, kRed}};
    scene.changesTitle = marks.title;
    ImageSurface surface(scene.view.picture);
    const ExplorerDrawing drawing = ExplorerRenderer().draw(g, surface, scene);
    QCOMPARE(drawing.legend.height(),
             Legend::heightFor(Legend::rowsFitting(200 - 16, true, 3), true, 3));
}

QTEST_MAIN(TestChangeMarks)
#include "tst_changemarks.moc"

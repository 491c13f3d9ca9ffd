#include "chartfont.h"
#include "imagesurface.h"
#include "renderer.h"

#include <QFontDatabase>
#include <QTest>

#include <cmath>

class TestImageSurface : public QObject {
    Q_OBJECT
private slots:
    void boxAndPointPixels_data();
    void boxAndPointPixels();
    void hatches_data();
    void hatches();
    void textIsWhiteWithoutBox();
    void haloOnAWhiteHatch_data();
    void haloOnAWhiteHatch();
    void planetDotAndZone();
    void zoneOrder_data();
    void zoneOrder();
    void centreMark();
    void labels_data();
    void labels();
    void minimisedLeavesBlack();
    void textMetricCoversTheInk();
    void chartFontIsBundled();
};

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhitePixel = 0xFFFFFFFF;
constexpr QRgb kZone = 0xFF996633; // packed 0x336699

template <typename Predicate> int count(const QImage &image, const QRect &area, Predicate test)
{
    int n = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    }
    return n;
}

int countColour(const QImage &image, const QRect &area, QRgb colour)
{
    return count(image, area, [colour](QRgb p) { return p == colour; });
}

// A surface whose user units are its pixels, y down.
void pixelUnits(ImageSurface &s)
{
    s.Scale(0, 0, ImageSurface::kWidth, ImageSurface::kHeight);
}

void fillBox(ImageSurface &s, const QRect &r, PackedColor color, qint16 style)
{
    s.DrawStyle(DrawInvisible);
    s.FillColor(color);
    s.FillStyle(style);
    s.Line(r.x(), r.y(), r.width(), r.height());
}

Star_Object planet(const QString &name, const QString &x, const QString &y,
                   const QString &owner = {}, const QString &starbase = {},
                   PackedColor color = 0x336699, qint16 style = FillSolid)
{
    Star_Object p;
    p.Star_Name = name;
    p.Star_X = x;
    p.Star_Y = y;
    p.color = kWhite;
    if (!owner.isEmpty()) {
        p.Owner = owner;
        p.Starbase = starbase;
        p.population = "25000";
        p.color = color;
        p.Style = style;
    }
    return p;
}

struct Chart {
    QImage image;
    ChartView view;
    QPoint pixel(double x, double y) const
    {
        const QPointF p = view.toPixel({x, y}, image.size());
        return {int(std::floor(p.x())), int(std::floor(p.y()))};
    }
};

Chart render(const QList<Star_Object> &planets, const LabelOptions &labels = {}, double zoom = 0,
             double centreX = 0, double centreY = 0)
{
    Globals g;
    g.Map_Max_X = 2000;
    g.Map_Max_Y = 1800;
    g.Star_Table.assign(planets.begin(), planets.end());
    g.Last_Star_Index = qint16(planets.size() - 1);
    ImageSurface surface;
    const ChartView view = display_map(g, surface, labels, zoom, centreX, centreY);
    return {surface.Image(), view};
}

} // namespace

void TestImageSurface::boxAndPointPixels_data()
{
    QTest::addColumn<bool>("upward");
    QTest::addColumn<QRectF>("box"); // x, y, step w, step h in user units
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QPoint>("pixel");

    QTest::newRow("pixel units") << false << QRectF(10.5, 20.2, 5, 3) << QRect(10, 20, 5, 3)
                                 << QPointF(100.9, 50.1) << QPoint(100, 50);
    QTest::newRow("negative step") << false << QRectF(15.5, 23.2, -5, -3) << QRect(10, 20, 5, 3)
                                   << QPointF(0, 0) << QPoint(0, 0);
    QTest::newRow("y upward") << true << QRectF(10.5, 20.2, 5, 3) << QRect(10, 418, 5, 3)
                              << QPointF(100.9, 50.1) << QPoint(100, 390);
    QTest::newRow("clipped") << false << QRectF(-10, -10, 20, 20) << QRect(0, 0, 10, 10)
                             << QPointF(536.9, 440.9) << QPoint(536, 440);
    QTest::newRow("no pixel centre inside")
        << false << QRectF(10.1, 10.1, 0.3, 0.3) << QRect() << QPointF(-0.5, 3) << QPoint(-1, 3);
}

void TestImageSurface::boxAndPointPixels()
{
    QFETCH(bool, upward);
    QFETCH(QRectF, box);
    QFETCH(QRect, pixels);
    QFETCH(QPointF, point);
    QFETCH(QPoint, pixel);

    ImageSurface s;
    if (upward)
        s.Scale(0, ImageSurface::kHeight, ImageSurface::kWidth, 0);
    else
        pixelUnits(s);
    QCOMPARE(s.boxPixels(box.x(), box.y(), box.width(), box.height()), pixels);
    s.DrawStyle(DrawInvisible);
    s.FillColor(0x0000FF);
    s.FillStyle(FillSolid);
    s.Line(box.x(), box.y(), box.width(), box.height());
    const QImage boxed = s.Image();
    QCOMPARE(countColour(boxed, boxed.rect(), 0xFFFF0000), pixels.width() * pixels.height());
    if (!pixels.isEmpty())
        QCOMPARE(countColour(boxed, pixels, 0xFFFF0000), pixels.width() * pixels.height());

    // A point paints the pixel it falls in, in its own colour, red in the low byte.
    s.Cls();
    s.PSet(point.x(), point.y(), 0x336699);
    const QImage dotted = s.Image();
    const bool inside = dotted.rect().contains(pixel);
    QCOMPARE(countColour(dotted, dotted.rect(), kZone), inside ? 1 : 0);
    if (inside)
        QCOMPARE(dotted.pixel(pixel), kZone);
    QCOMPARE(s.pixelAt(point.x(), point.y()), pixel);
}

void TestImageSurface::hatches_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QList<QPoint>>("lines"); // directions of the pattern's lines
    QTest::addColumn<int>("painted");         // of 64 by 64 pixels

    QTest::newRow("solid") << 0 << QList<QPoint>{} << 4096;
    QTest::newRow("transparent") << 1 << QList<QPoint>{} << 0;
    QTest::newRow("horizontal") << 2 << QList<QPoint>{{1, 0}} << 512;
    QTest::newRow("vertical") << 3 << QList<QPoint>{{0, 1}} << 512;
    QTest::newRow("upward diagonal") << 4 << QList<QPoint>{{1, -1}} << 512;
    QTest::newRow("downward diagonal") << 5 << QList<QPoint>{{1, 1}} << 512;
    QTest::newRow("cross") << 6 << QList<QPoint>{{1, 0}, {0, 1}} << 960;
    QTest::newRow("diagonal cross") << 7 << QList<QPoint>{{1, -1}, {1, 1}} << 896;
}

void TestImageSurface::hatches()
{
    QFETCH(int, style);
    QFETCH(QList<QPoint>, lines);
    QFETCH(int, painted);

    constexpr QRgb kBlue = 0xFF0000FF, kRed = 0xFFFF0000;
    const QRect box(40, 40, 64, 64);
    ImageSurface s;
    pixelUnits(s);
    fillBox(s, box, 0xFF0000, FillSolid);
    fillBox(s, box, 0x0000FF, qint16(style));
    const QImage image = s.Image();

    // The gaps show what lies underneath; nothing outside the box is touched.
    QCOMPARE(countColour(image, box, kRed), painted);
    QCOMPARE(countColour(image, box, kBlue), 4096 - painted);
    QCOMPARE(countColour(image, image.rect(), kBlack), image.width() * image.height() - 4096);

    // Every painted pixel lies on a line in one of the pattern's directions.
    if (!lines.isEmpty()) {
        const auto red = [&](QPoint p) { return !box.contains(p) || image.pixel(p) == kRed; };
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const QPoint p(x, y);
                if (image.pixel(p) != kRed)
                    continue;
                const bool onLine = std::any_of(lines.begin(), lines.end(),
                                                [&](QPoint d) { return red(p + d) && red(p - d); });
                QVERIFY2(onLine, qPrintable(QStringLiteral("stray pixel %1,%2").arg(x).arg(y)));
            }
        }
    }

    // The pattern belongs to the picture, not the box: a box elsewhere paints the same
    // pixels where the two overlap.
    ImageSurface shifted;
    pixelUnits(shifted);
    fillBox(shifted, box.translated(3, 5), 0x0000FF, qint16(style));
    const QImage other = shifted.Image();
    const QRect overlap = box & box.translated(3, 5);
    for (int y = overlap.top(); y <= overlap.bottom(); ++y) {
        for (int x = overlap.left(); x <= overlap.right(); ++x)
            QCOMPARE(other.pixel(x, y) == kRed, image.pixel(x, y) == kRed);
    }
}

void TestImageSurface::textIsWhiteWithoutBox()
{
    constexpr QRgb kBlue = 0xFF0000FF;
    ImageSurface s;
    pixelUnits(s);
    const QRect box(100, 100, 60, 30);
    fillBox(s, box, 0xFF0000, FillSolid);
    const QImage before = s.Image();
    s.CurrentX(105);
    s.CurrentY(105);
    s.Print("Wg");
    const QImage image = s.Image();

    const int white = countColour(image, box, kWhitePixel);
    QVERIFY(white > 10);
    QCOMPARE(white + countColour(image, box, kBlue), box.width() * box.height());
    // Next line: back to the left edge, further down.
    QCOMPARE(s.currentX(), 0.0);
    QVERIFY(s.currentY() > 110 && s.currentY() < 125);
    // A copy taken earlier keeps what it showed.
    QCOMPARE(countColour(before, box, kBlue), box.width() * box.height());
}

void TestImageSurface::haloOnAWhiteHatch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("scale");
    QTest::newRow("latin") << QStringLiteral("Vessarin Ko (s)") << 1;
    QTest::newRow("latin, twice as large") << QStringLiteral("Ab") << 2;
    // Laid out by the painter, not the layer: a character outside the basic plane.
    QTest::newRow("outside the basic plane") << QStringLiteral("x\U0001D400y") << 1;
}

// The glyphs stay white, every pixel beside them (one picture pixel, all eight ways) turns
// black, everything farther keeps the hatch, and a dot beside the text stays white.
void TestImageSurface::haloOnAWhiteHatch()
{
    QFETCH(QString, text);
    QFETCH(int, scale);
    const QPoint at(20, 30);
    auto draw = [&](bool hatch, bool halo, QPoint dotAt = {}) {
        ImageSurface s(ImageSurface::kPictureSize, scale);
        pixelUnits(s);
        if (hatch)
            fillBox(s, QRect(0, 0, 200, 100), kWhite, FillUpwardDiagonal);
        s.TextHalo(halo);
        s.CurrentX(at.x());
        s.CurrentY(at.y());
        s.Print(text);
        s.TextHalo(false);
        if (hatch)
            s.PSet(dotAt.x() + 0.5, dotAt.y() + 0.5, kWhite);
        return s.Image();
    };
    const QImage glyphs = draw(false, false);
    auto isGlyph = [&](int x, int y) {
        return glyphs.rect().contains(x, y) && glyphs.pixel(x, y) == kWhitePixel;
    };
    // A dot just left of the first glyph's ink, on the picture's pixel grid.
    QPoint dotAt;
    for (int x = 0; x < 200 * scale && dotAt.isNull(); ++x)
        for (int y = 0; y < 100 * scale && dotAt.isNull(); ++y)
            if (isGlyph(x, y))
                dotAt = QPoint(x / scale - 1, y / scale);
    const QImage hatch = draw(true, false, dotAt);
    const QImage haloed = draw(true, true, dotAt);
    int border = 0;
    bool hatchBeside = false;
    bool dotBeside = false;
    for (int y = 0; y < 100 * scale; ++y) {
        for (int x = 0; x < 200 * scale; ++x) {
            bool near = false;
            for (int dy = -scale; dy <= scale && !near; ++dy)
                for (int dx = -scale; dx <= scale && !near; ++dx)
                    near = isGlyph(x + dx, y + dy);
            const bool dot = QRect(dotAt * scale, QSize(scale, scale)).contains(x, y);
            const QRgb want = isGlyph(x, y) || dot ? kWhitePixel : near ? kBlack : hatch.pixel(x, y);
            border += near && !isGlyph(x, y);
            // Without a halo the hatch shows beside the text, and so does the dot.
            hatchBeside = hatchBeside || (near && !isGlyph(x, y) && !dot &&
                                          hatch.pixel(x, y) == kWhitePixel);
            dotBeside = dotBeside || (near && dot);
            if (haloed.pixel(x, y) != want)
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
        }
    }
    QVERIFY(border > 20 * scale);
    QCOMPARE(hatchBeside, true);
    QCOMPARE(dotBeside, true);
}

void TestImageSurface::planetDotAndZone()
{
    const Star_Object beta = planet("Beta", "1300", "1200", "Zorn");
    const Chart chart = render({planet("Alpha", "1800", "1600"), beta});
    const double half = zoneSize(beta) / 2;

    const QPoint alpha = chart.pixel(1800, 1600);
    QCOMPARE(chart.image.pixel(alpha), kWhitePixel);
    QCOMPARE(countColour(chart.image, QRect(alpha - QPoint(1, 1), QSize(3, 3)), kBlack), 8);

    QCOMPARE(chart.image.pixel(chart.pixel(1300, 1200)), kWhitePixel);
    QCOMPARE(chart.image.pixel(chart.pixel(1300 + half - 4, 1200)), kZone);
    QCOMPARE(chart.image.pixel(chart.pixel(1300 + half + 4, 1200)), kBlack);
    QCOMPARE(chart.image.pixel(chart.pixel(1300, 1200 - half + 4)), kZone);
    QCOMPARE(chart.image.pixel(chart.pixel(1300, 1200 - half - 4)), kBlack);
}

void TestImageSurface::zoneOrder_data()
{
    // Zones in table order, all on one planet's place: packed colour and fill style.
    QTest::addColumn<QList<quint32>>("colours");
    QTest::addColumn<QList<int>>("styles");
    QTest::addColumn<QList<QRgb>>("seen"); // every colour that shows in the zone

    const quint32 blue = 0xFF0000, green = 0x00FF00;
    const QRgb blueSeen = 0xFF0000FF, greenSeen = 0xFF00FF00;
    QTest::newRow("hatch over black")
        << QList<quint32>{green} << QList<int>{4} << QList<QRgb>{greenSeen, kBlack};
    QTest::newRow("hatch over a zone")
        << QList<quint32>{blue, green} << QList<int>{0, 4} << QList<QRgb>{blueSeen, greenSeen};
    QTest::newRow("later solid on top")
        << QList<quint32>{blue, green} << QList<int>{0, 0} << QList<QRgb>{greenSeen};
    QTest::newRow("order reversed")
        << QList<quint32>{green, blue} << QList<int>{0, 0} << QList<QRgb>{blueSeen};
    QTest::newRow("transparent on top")
        << QList<quint32>{blue, green} << QList<int>{0, 1} << QList<QRgb>{blueSeen};
}

void TestImageSurface::zoneOrder()
{
    QFETCH(QList<quint32>, colours);
    QFETCH(QList<int>, styles);
    QFETCH(QList<QRgb>, seen);

    QList<Star_Object> planets;
    for (qsizetype i = 0; i < styles.size(); ++i)
        planets << planet("P", "1300", "1200", "Zorn", {}, colours[i], qint16(styles[i]));
    const Chart chart = render(planets);

    const QRect area(chart.pixel(1300, 1200) + QPoint(3, 3), QSize(24, 24));
    for (QRgb colour : seen)
        QVERIFY2(countColour(chart.image, area, colour) > 0,
                 qPrintable(QString::number(colour, 16)));
    QCOMPARE(count(chart.image, area, [&](QRgb p) { return !seen.contains(p); }), 0);
}

void TestImageSurface::centreMark()
{
    struct Case {
        double zoom, x, y;
    };
    for (const Case c : {Case{0, 0, 0}, Case{0.5, 1600, 1500}}) {
        const Chart chart = render({}, {true, true, true}, c.zoom, c.x, c.y);
        const QRect mark(chart.pixel(1550, 1400), QSize(12, 14));
        const int white = countColour(chart.image, mark, kWhitePixel);
        QVERIFY(white >= 4);
        QCOMPARE(countColour(chart.image, chart.image.rect(), kWhitePixel), white);
        QCOMPARE(white + countColour(chart.image, chart.image.rect(), kBlack),
                 chart.image.width() * chart.image.height());
    }
    // Far enough away, the mark leaves the picture.
    const Chart away = render({}, {}, 0.5, 5000, 5000);
    QCOMPARE(countColour(away.image, away.image.rect(), kBlack),
             away.image.width() * away.image.height());
}

void TestImageSurface::labels_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("starbase");
    QTest::addColumn<bool>("all");
    QTest::addColumn<bool>("populated");
    QTest::addColumn<bool>("starbases");
    QTest::addColumn<bool>("labelled");

    QTest::newRow("unowned, all") << ""
                                  << "" << true << false << false << true;
    QTest::newRow("unowned, other boxes") << ""
                                          << "" << false << true << true << false;
    QTest::newRow("owned, populated") << "Zorn"
                                      << "" << false << true << false << true;
    QTest::newRow("owned, starbases") << "Zorn"
                                      << "" << false << false << true << false;
    QTest::newRow("owned, none") << "Zorn"
                                 << "" << false << false << false << false;
    QTest::newRow("starbase, starbases") << "Zorn"
                                         << "x" << false << false << true << true;
}

void TestImageSurface::labels()
{
    QFETCH(QString, owner);
    QFETCH(QString, starbase);
    QFETCH(bool, all);
    QFETCH(bool, populated);
    QFETCH(bool, starbases);
    QFETCH(bool, labelled);

    const Chart chart =
        render({planet("Beta", "1300", "1200", owner, starbase)}, {all, populated, starbases});
    const QPoint dot = chart.pixel(1300, 1200);
    QCOMPARE(chart.image.pixel(dot), kWhitePixel);
    const int white = countColour(chart.image, QRect(dot, QSize(60, 13)), kWhitePixel) - 1;
    QCOMPARE(white > 0, labelled);
    // Nothing white left of or above the dot: the text starts at the planet.
    QCOMPARE(countColour(chart.image, QRect(dot - QPoint(20, 20), QSize(20, 40)), kWhitePixel), 0);
    QCOMPARE(countColour(chart.image, QRect(dot - QPoint(0, 20), QSize(60, 20)), kWhitePixel), 0);
}

void TestImageSurface::minimisedLeavesBlack()
{
    Globals g;
    g.Map_Max_X = 2000;
    g.Map_Max_Y = 1800;
    g.Star_Table = {planet("Beta", "1300", "1200", "Zorn")};
    g.Last_Star_Index = 0;
    ImageSurface surface;
    display_map(g, surface, {true, false, false}, 0, 0, 0);
    QVERIFY(countColour(surface.Image(), surface.Image().rect(), kZone) > 0);
    display_map(g, surface, {true, false, false}, 0, 0, 0, true);
    QCOMPARE(countColour(surface.Image(), surface.Image().rect(), kBlack),
             ImageSurface::kWidth * ImageSurface::kHeight);
}

// A label's measured box holds every pixel the surface paints for it, so labels placed
// side by side never touch: a trailing "f" reaches past its advance.
void TestImageSurface::textMetricCoversTheInk()
{
    for (int scale : {1, 3}) {
        ChartTextMetric metric(scale);
        for (char16_t c = 0x21; c < 0x250; ++c) {
            const QString text = QStringLiteral("Ab") + QChar(c);
            ImageSurface surface(QSize(120, 30), scale);
            surface.Scale(0, 0, 120, 30);
            surface.CurrentX(10);
            surface.CurrentY(10);
            surface.Print(text);
            const QImage image = surface.Image();
            const int right = (10 + metric.width(text)) * scale;
            const int outside = count(image, QRect(right, 0, image.width() - right, image.height()),
                                      [](QRgb p) { return p != kBlack; });
            if (outside != 0)
                qWarning() << "ink past the box of" << text << "at scale" << scale;
            QCOMPARE(outside, 0);
        }
    }
}

// The labels' face comes with Kavora: the font in its resources is what the chart uses.
void TestImageSurface::chartFontIsBundled()
{
    const QRawFont font = chartFont();
    QVERIFY(font.isValid());
    QCOMPARE(font.familyName(), QStringLiteral("DejaVu Sans"));
    QVERIFY(QFile::exists(QStringLiteral(":/kavora/fonts/DejaVuSans.ttf")));
    bool added = false;
    for (int id = 0; id < 4; ++id)
        added = added || QFontDatabase::applicationFontFamilies(id).contains(font.familyName());
    QVERIFY(added);
}

QTEST_MAIN(TestImageSurface)
#include "tst_imagesurface.moc"

// The chart's shortcuts against the straightforward drawing they stand in for: the zone
// fill against painting the boxes one by one, gathered labels against QPainter's glyph
// runs, and whole charts against a surface that draws every call plainly.
#include "explorerrenderer.h"
#include "imagesurface.h"
#include "renderer.h"
#include "runerror.h"
#include "whitelayer.h"
#include "zonefill.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>

class TestFastPaths : public QObject {
    Q_OBJECT
private slots:
    void zoneFillPaintsInOrder_data();
    void zoneFillPaintsInOrder();
    void labelsMatchGlyphRuns_data();
    void labelsMatchGlyphRuns();
    void chartsMatchPlainDrawing_data();
    void chartsMatchPlainDrawing();
    void textJustOutsideReachesBack();
    void failedPlanetKeepsEarlierZones();
    void largePictureZonesWaitForTheirWhite();
};

namespace {

constexpr QRgb kInk = 0xFFFFFFFF;

// The first pixel that differs, for a readable failure.
QString firstDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("pixel %1,%2: %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(a.pixel(x, y), 8, 16)
                    .arg(b.pixel(x, y), 8, 16);
        }
    }
    return {};
}

QImage noise(QSize size, QRandomGenerator &random)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, 0xFF000000 | random.bounded(8u) * 0x203040u);
    }
    return image;
}

// One box after the other, each pixel by the pattern rule of the picture pixel it is part
// of at that scale.
void paintOneByOne(QImage &image, const std::vector<PixelBox> &boxes, int scale = 1)
{
    for (const PixelBox &box : boxes) {
        const QRect r = box.pixels & image.rect();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (hatchSets(box.style, x / scale, y / scale))
                    image.setPixel(x, y, box.colour);
            }
        }
    }
}

QString chartFontGlyphs()
{
    // Letters, digits, Latin-1 and a few other scripts, a character DejaVu Sans lacks, and
    // a surrogate pair, which the gathered path leaves to QPainter.
    return QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ()-'.,"
                          "éüñßÆøÅçÀÖ°±µ€ΩπЖж漢\U0001F600"
                          // Glyphs that reach out of their cell: left of it, above it.
                          "JĵǗĺ\u0301");
}

QString randomText(QRandomGenerator &random, const QString &pool, int most)
{
    QString text;
    const int length = random.bounded(most + 1);
    for (int i = 0; i < length; ++i) {
        const int k = random.bounded(int(pool.size()));
        if (pool[k].isLowSurrogate())
            continue;
        text += pool[k];
        if (pool[k].isHighSurrogate())
            text += pool[k + 1];
    }
    return text;
}

// Text the way the surface drew it before labels were gathered: one glyph run per label,
// glyph after glyph at the font's advances.
void drawGlyphRun(QImage &image, const QRawFont &font, QPoint baseline, const QString &text)
{
    QList<quint32> glyphs(text.size());
    int count = int(text.size());
    if (!font.glyphIndexesForChars(text.constData(), count, glyphs.data(), &count))
        return;
    QList<QPointF> advances(count);
    font.advancesForGlyphIndexes(glyphs.data(), advances.data(), count, QRawFont::SeparateAdvances);
    QList<QPointF> positions;
    qreal x = 0;
    for (int i = 0; i < count; ++i) {
        positions << QPointF(x, 0);
        x += advances[i].x();
    }
    QGlyphRun run;
    run.setRawFont(font);
    run.setRawData(glyphs.data(), positions.data(), count);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
    painter.setPen(QColor::fromRgb(kInk));
    painter.drawGlyphRun(baseline, run);
}

// Every call drawn on its own by the surface's pixel rules, with its own arithmetic written
// from those rules (imagesurface.h): boxes pixel by pixel through hatchSets(), points
// straight into the image, text as a QPainter glyph run that QPainter alone clips. Nothing
// is taken from ImageSurface, so a fault in its geometry or its clipping shows here.
class PlainSurface : public Surface {
public:
    PlainSurface()
        : m_image(ImageSurface::kWidth, ImageSurface::kHeight, QImage::Format_RGB32),
          m_font(chartFont())
    {
        m_ascent = int(std::ceil(m_font.ascent()));
        m_lineHeight = m_ascent + int(std::ceil(m_font.descent()));
    }

    void Cls() override
    {
        m_image.fill(m_back);
        m_x = m_y = 0;
    }
    void BackColor(PackedColor color) override
    {
        m_back = rgbFromPacked(color);
        m_image.fill(m_back);
    }
    void Scale(double x1, double y1, double x2, double y2) override
    {
        checkScaleWindow(x1, y1, x2, y2);
        m_x1 = x1;
        m_y1 = y1;
        m_x2 = x2;
        m_y2 = y2;
    }
    void CurrentX(double x) override { m_x = x; }
    void CurrentY(double y) override { m_y = y; }
    void Print(const QString &text) override
    {
        const QPoint corner = pixelAt(m_x, m_y);
        // Only what lies absurdly far away is skipped, where QPainter's integers would end.
        if (std::abs(corner.x()) < (1 << 20) && std::abs(corner.y()) < (1 << 20))
            drawGlyphRun(m_image, m_font, corner + QPoint(0, m_ascent), text);
        m_x = m_x1;
        m_y += m_lineHeight * (m_y2 - m_y1) / m_image.height();
    }
    void DrawWidth(int) override {}
    void DrawStyle(int style) override { QCOMPARE(style == DrawInvisible || style == 0, true); }
    void FillColor(PackedColor color) override { m_fill = rgbFromPacked(color); }
    void FillStyle(qint16 style) override { m_style = style; }
    void Line(double x, double y, double w, double h) override
    {
        paintOneByOne(m_image, {{boxPixels(x, y, w, h), m_fill, m_style}});
    }
    void PSet(double x, double y, PackedColor color) override
    {
        const QPoint p = pixelAt(x, y);
        if (m_image.rect().contains(p))
            m_image.setPixel(p, rgbFromPacked(color));
        m_x = x;
        m_y = y;
    }
    const QImage &Image() const override { return m_image; }

private:
    // Device position of a user value: 0 at the first edge, the picture's size at the last.
    static double device(double value, double first, double last, int pixels)
    {
        return (value - first) * pixels / (last - first);
    }
    // The pixel a user point falls in (pixel i spans [i, i + 1)).
    QPoint pixelAt(double x, double y) const
    {
        auto index = [](double position) {
            return int(std::floor(std::clamp(position, -1e9, 1e9)));
        };
        return {index(device(x, m_x1, m_x2, m_image.width())),
                index(device(y, m_y1, m_y2, m_image.height()))};
    }
    // The pixels whose centres lie inside the box, the lower device edge included.
    QRect boxPixels(double x, double y, double w, double h) const
    {
        auto inside = [](double a, double b, int pixels) {
            const double low = std::min(a, b), high = std::max(a, b);
            int first = -1, last = -1;
            for (int i = 0; i < pixels; ++i) {
                if (i + 0.5 >= low && i + 0.5 < high) {
                    if (first < 0)
                        first = i;
                    last = i;
                }
            }
            return std::pair{first, last};
        };
        const auto [left, right] = inside(device(x, m_x1, m_x2, m_image.width()),
                                          device(x + w, m_x1, m_x2, m_image.width()),
                                          m_image.width());
        const auto [top, bottom] = inside(device(y, m_y1, m_y2, m_image.height()),
                                          device(y + h, m_y1, m_y2, m_image.height()),
                                          m_image.height());
        if (left < 0 || top < 0)
            return {};
        return QRect(QPoint(left, top), QPoint(right, bottom));
    }

    QImage m_image;
    QRawFont m_font;
    int m_ascent = 0, m_lineHeight = 0;
    double m_x1 = 0, m_y1 = 0, m_x2 = 1, m_y2 = 1, m_x = 0, m_y = 0;
    QRgb m_back = 0xFF000000, m_fill = 0xFF000000;
    qint16 m_style = 0;
};

// A universe whose zones overlap heavily, in every fill style (and one unknown code),
// from squares of no pixel to squares wider than the map, some far outside it.
Globals randomChart(quint32 seed, int planets, const QString &namePool)
{
    QRandomGenerator random(seed);
    Globals g;
    g.Map_Max_X = 2000;
    g.Map_Max_Y = 1800;
    // Below 1 the logarithm is negative: a zone of negative side.
    const QStringList populations{"", "0", "1", "3", "12 million", "1e300", "-5", "0.5", "0.001",
                                  "0.999"};
    for (int k = 0; k < planets; ++k) {
        Star_Object p;
        p.Star_Name = randomText(random, namePool, 14);
        const bool far = random.bounded(20) == 0;
        p.Star_X = QString::number(far ? random.bounded(-32000, 32000) : random.bounded(800, 2300));
        p.Star_Y = QString::number(far ? random.bounded(-32000, 32000) : random.bounded(800, 2000));
        p.color = kWhite;
        if (random.bounded(10) < 8) {
            p.Owner = QStringLiteral("Race %1").arg(random.bounded(16));
            p.color = random.generate() & 0xFFFFFF;
            p.Style = qint16(random.bounded(30) == 0 ? 9 : random.bounded(8));
            p.Starbase = random.bounded(4) == 0 ? QStringLiteral("SB") : QString();
            p.population = random.bounded(3) == 0
                               ? populations[random.bounded(int(populations.size()))]
                               : QString::number(qint64(std::pow(10, random.bounded(9.0))));
        }
        g.Star_Table.push_back(p);
    }
    g.Last_Star_Index = qint16(planets - 1);
    return g;
}

} // namespace

void TestFastPaths::zoneFillPaintsInOrder_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<int>("reach"); // largest box side
    QTest::addColumn<int>("scale");

    // Odd sizes put row and column ends at every phase of the 8-pixel hatches.
    QTest::newRow("few small") << QSize(37, 29) << 6 << 12 << 1;
    QTest::newRow("many small") << QSize(61, 43) << 300 << 9 << 1;
    QTest::newRow("many large") << QSize(70, 53) << 200 << 90 << 1;
    QTest::newRow("chart size") << QSize(537, 441) << 400 << 600 << 1;
    QTest::newRow("one pixel wide") << QSize(1, 40) << 40 << 5 << 1;
    // Larger hatches: lines N wide and 8N apart; sizes that are no multiple of N.
    QTest::newRow("scale 2") << QSize(75, 59) << 200 << 60 << 2;
    QTest::newRow("scale 3, many small") << QSize(97, 61) << 300 << 20 << 3;
    QTest::newRow("scale 8") << QSize(203, 171) << 150 << 200 << 8;
    QTest::newRow("twice the chart") << QSize(1074, 882) << 300 << 1200 << 2;
    // Long rows of many words, and hatch bands of 5 pixels that straddle word ends.
    QTest::newRow("long rows") << QSize(8300, 23) << 120 << 6000 << 1;
    QTest::newRow("long rows, scale 5") << QSize(4163, 131) << 80 << 3000 << 5;
    // Rows are painted in bands of 64: boxes that reach across many of them.
    QTest::newRow("tall") << QSize(45, 700) << 150 << 700 << 1;
}

void TestFastPaths::zoneFillPaintsInOrder()
{
    QFETCH(QSize, size);
    QFETCH(int, boxes);
    QFETCH(int, reach);
    QFETCH(int, scale);

    ZoneFill fill; // reused across seeds, as a surface reuses it across redraws
    for (quint32 seed = 1; seed <= 25; ++seed) {
        QRandomGenerator random(seed);
        std::vector<PixelBox> list;
        for (int i = 0; i < boxes; ++i) {
            // Boxes may hang over any edge, lie wholly outside, or be empty.
            const int w = random.bounded(reach + 1), h = random.bounded(reach + 1);
            const QRect pixels(random.bounded(-reach, size.width() + 2),
                               random.bounded(-reach, size.height() + 2), w, h);
            const auto style = qint16(random.bounded(25) == 0 ? 9 : random.bounded(8));
            list.push_back({pixels, 0xFF000000 | random.generate(), style});
        }
        const QImage before = noise(size, random);
        QImage expected = before;
        // Every other seed fills the picture first, which the fill does band by band.
        std::optional<QRgb> background;
        if (seed % 2 == 0) {
            background = 0xFF000000 | random.generate();
            expected.fill(*background);
        }
        paintOneByOne(expected, list, scale);
        QImage actual = before;
        fill.paint(actual, list, scale, nullptr, background);
        const QString difference = firstDifference(actual, expected);
        QVERIFY2(difference.isEmpty(),
                 qPrintable(QStringLiteral("seed %1: ").arg(seed) + difference));
    }
}

void TestFastPaths::labelsMatchGlyphRuns_data()
{
    QTest::addColumn<QString>("pool");
    QTest::addColumn<int>("longest");
    QTest::addColumn<bool>("allGathered"); // no label left to QPainter
    QTest::addColumn<int>("scale");          // of the font and the picture

    const QString names = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJ 0123456789");
    QTest::newRow("names") << names << 20 << true << 1;
    QTest::newRow("every kind of character") << chartFontGlyphs() << 12 << false << 1;
    QTest::newRow("long") << QStringLiteral("WMmw@#_|/\\il.") << 120 << true << 1;
    QTest::newRow("names, scale 2") << names << 20 << true << 2;
    QTest::newRow("every kind of character, scale 3") << chartFontGlyphs() << 12 << false << 3;
    // The largest font's glyphs, laid out in a scratch room eight times as large.
    QTest::newRow("names, scale 8") << names << 12 << true << 8;
}

void TestFastPaths::labelsMatchGlyphRuns()
{
    QFETCH(QString, pool);
    QFETCH(int, longest);
    QFETCH(bool, allGathered);
    QFETCH(int, scale);

    const QRawFont font = chartFont(scale);
    const QSize size = ImageSurface::kPictureSize * scale;
    QRandomGenerator random(11);
    WhiteLayer layer(font, size.width(), size.height());
    int leftOver = 0;
    const int rounds = scale > 3 ? 3 : 20; // the largest pictures are slow to compare
    for (int round = 0; round < rounds; ++round) {
        QImage expected = noise(size, random);
        QImage actual = expected;
        // Labels everywhere, also hanging over every edge of the picture.
        for (int i = 0; i < 40; ++i) {
            const QString text = randomText(random, pool, longest);
            const QPoint baseline(random.bounded(-200 * scale, size.width() + 10),
                                  random.bounded(-30 * scale, size.height() + 30 * scale));
            drawGlyphRun(expected, font, baseline, text);
            if (!layer.addText(baseline, text)) {
                drawGlyphRun(actual, font, baseline, text);
                ++leftOver;
            }
        }
        layer.paint(actual, kInk);
        const QString difference = firstDifference(actual, expected);
        QVERIFY2(difference.isEmpty(),
                 qPrintable(QStringLiteral("round %1: ").arg(round) + difference));
    }
    QCOMPARE(leftOver == 0, allGathered);
}

void TestFastPaths::chartsMatchPlainDrawing_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("labels");
    QTest::addColumn<int>("planets");

    QTest::newRow("zoom 0") << 0.0 << false << 150;
    QTest::newRow("zoom 0, labels") << 0.0 << true << 150;
    QTest::newRow("zoom 0.9") << 0.9 << false << 150;
    QTest::newRow("zoom 0.9, labels") << 0.9 << true << 150;
    QTest::newRow("zoom 0.5, crowded") << 0.5 << true << 600;
    // Zones that together cover less than the picture are painted one after the other.
    QTest::newRow("zoom 0, sparse") << 0.0 << false << 4;
    QTest::newRow("zoom 0.9, sparse") << 0.9 << true << 4;
}

void TestFastPaths::chartsMatchPlainDrawing()
{
    QFETCH(double, zoom);
    QFETCH(bool, labels);
    QFETCH(int, planets);

    ImageSurface fast;
    PlainSurface plain;
    for (quint32 seed = 1; seed <= 8; ++seed) {
        Globals g = randomChart(seed, planets, chartFontGlyphs());
        QRandomGenerator random(seed);
        // The centre roams, so the "+" and the zones sit anywhere, partly outside.
        const double x = zoom > 0 ? 900 + random.bounded(1300.0) : 0;
        const double y = zoom > 0 ? 900 + random.bounded(1000.0) : 0;
        // Each label choice in turn: all, populated, starbases.
        const int kind = int(seed % 3);
        const LabelOptions options{labels && kind == 0, labels && kind == 1, labels && kind == 2};
        Globals same = g;
        display_map(g, fast, options, zoom, x, y);
        display_map(same, plain, options, zoom, x, y);
        const QString difference = firstDifference(fast.Image(), plain.Image());
        QVERIFY2(difference.isEmpty(),
                 qPrintable(QStringLiteral("seed %1: ").arg(seed) + difference));
    }
}

// Text whose cell starts just right of or below the picture still reaches into it where
// its glyphs reach out of the cell, as plain painting shows.
void TestFastPaths::textJustOutsideReachesBack()
{
    const int w = ImageSurface::kWidth, h = ImageSurface::kHeight;
    struct Case {
        QPoint corner;
        QString text;
        QRect edge; // the picture's last columns or row, where the reach shows
    };
    const Case cases[] = {{{w, 100}, QStringLiteral("Jj"), QRect(w - 5, 0, 5, h)},
                          {{w, 200}, QStringLiteral("\u0301a"), QRect(w - 5, 0, 5, h)},
                          {{100, h}, QStringLiteral("\u01D7"), QRect(0, h - 1, w, 1)}};
    for (const Case &c : cases) {
        ImageSurface fast;
        PlainSurface plain;
        for (Surface *surface : {static_cast<Surface *>(&fast), static_cast<Surface *>(&plain)}) {
            surface->Cls();
            surface->Scale(0, 0, w, h);
            surface->CurrentX(c.corner.x());
            surface->CurrentY(c.corner.y());
            surface->Print(c.text);
        }
        int reached = 0;
        for (int y = c.edge.top(); y <= c.edge.bottom(); ++y)
            for (int x = c.edge.left(); x <= c.edge.right(); ++x)
                reached += plain.Image().pixel(x, y) == kInk;
        QVERIFY2(reached > 0, qPrintable(c.text)); // the case shows what it claims
        const QString difference = firstDifference(fast.Image(), plain.Image());
        QVERIFY2(difference.isEmpty(), qPrintable(c.text + QStringLiteral(": ") + difference));
    }
}

// A coordinate that is not a number stops the zone pass at its planet: the zones before
// it are painted, those after are not, as when they are painted one by one.
void TestFastPaths::failedPlanetKeepsEarlierZones()
{
    Globals g = randomChart(3, 60, QStringLiteral("abc"));
    for (Star_Object &p : g.Star_Table) {
        p.Owner = QStringLiteral("Zorn");
        p.Style = FillSolid;
        p.population = QStringLiteral("1000");
    }
    g.Star_Table[30].Star_Y = QStringLiteral("12x");
    ImageSurface fast;
    PlainSurface plain;
    Globals same = g;
    QVERIFY_THROWS_EXCEPTION(RunError, display_map(g, fast, {}, 0, 0, 0));
    QVERIFY_THROWS_EXCEPTION(RunError, display_map(same, plain, {}, 0, 0, 0));
    const QString difference = firstDifference(fast.Image(), plain.Image());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    // Something of the first thirty zones shows.
    QVERIFY(fast.Image() != ImageSurface().Image());
}

// A surface that asks for its picture after every run of boxes, so that an image surface
// paints its zones at once instead of waiting for the white drawn over them.
class ZonesAtOnce : public Surface {
public:
    explicit ZonesAtOnce(ImageSurface &surface) : m_s(surface) {}
    void Cls() override { m_s.Cls(); }
    void BackColor(PackedColor color) override { m_s.BackColor(color); }
    void Scale(double x1, double y1, double x2, double y2) override { m_s.Scale(x1, y1, x2, y2); }
    void CurrentX(double x) override { m_s.CurrentX(x); }
    void CurrentY(double y) override { m_s.CurrentY(y); }
    void Print(const QString &text) override { m_s.Print(text); }
    void DrawWidth(int pixels) override { m_s.DrawWidth(pixels); }
    void DrawStyle(int style) override { m_s.DrawStyle(style); }
    void FillColor(PackedColor color) override { m_s.FillColor(color); }
    void FillStyle(qint16 style) override { m_s.FillStyle(style); }
    void Line(double x, double y, double w, double h) override { m_s.Line(x, y, w, h); }
    void PSet(double x, double y, PackedColor color) override { m_s.PSet(x, y, color); }
    const QImage &Image() const override { return m_s.Image(); }
    void TextHalo(bool on) override { m_s.TextHalo(on); }
    bool fillsBoxesTogether() const override { return true; }
    void FillBoxes(std::span<const FilledBox> boxes) override
    {
        m_s.FillBoxes(boxes);
        if (!boxes.empty()) // no boxes leave the surface as it was
            m_s.Image();
    }

private:
    ImageSurface &m_s;
};

// On a picture large enough for its zones to wait, the drawing comes out as when they are
// painted at once: the "+" drawn before them, and dots, labels with their halos and text
// the painter draws (a character outside the basic plane) over them.
void TestFastPaths::largePictureZonesWaitForTheirWhite()
{
    const QSize picture(1210, 1003); // more than 4 MB of pixels, rows past a band's end
    for (quint32 seed = 1; seed <= 3; ++seed) {
        Globals g = randomChart(seed, 500, QStringLiteral("abcdefgh"));
        g.Star_Table[7].Star_Name = QStringLiteral("x\U0001D400y");
        ExplorerScene scene;
        scene.view = ExplorerView::fitted(picture, mapExtent(g.Map_Max_X, g.Map_Max_Y));
        scene.labels.all = seed != 2;
        ImageSurface waiting(picture), atOnce(picture);
        ZonesAtOnce forced(atOnce);
        ExplorerRenderer first, second;
        first.draw(g, waiting, scene);
        second.draw(g, forced, scene);
        QString difference = firstDifference(waiting.Image(), atOnce.Image());
        QVERIFY2(difference.isEmpty(),
                 qPrintable(QStringLiteral("seed %1: ").arg(seed) + difference));

        // The chart three times larger, whose labels have no halo: the painter draws the
        // one it cannot copy over the zones.
        ImageSurface chartWaiting(ImageSurface::kPictureSize, 3);
        ImageSurface chartAtOnce(ImageSurface::kPictureSize, 3);
        ZonesAtOnce chartForced(chartAtOnce);
        Globals same = g;
        display_map(g, chartWaiting, LabelOptions{true, false, false}, 0.0, 0.0, 0.0);
        display_map(same, chartForced, LabelOptions{true, false, false}, 0.0, 0.0, 0.0);
        difference = firstDifference(chartWaiting.Image(), chartAtOnce.Image());
        QVERIFY2(difference.isEmpty(),
                 qPrintable(QStringLiteral("chart, seed %1: ").arg(seed) + difference));
    }
}

QTEST_MAIN(TestFastPaths)
#include "tst_fastpaths.moc"

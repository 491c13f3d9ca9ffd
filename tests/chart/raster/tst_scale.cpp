// The chart drawn N times larger against the scale-1 chart enlarged N times: dots, the
// "+" and the hatches match the enlargement pixel for pixel, zone edges lie within N
// pixels of it, and labels are sharp text in the larger font rather than enlarged glyphs.
#include "imagesurface.h"
#include "renderer.h"

#include <QGlyphRun>
#include <QPainter>
#include <QTest>

#include <cmath>

class TestScale : public QObject {
    Q_OBJECT
private slots:
    void chartMatchesEnlargement_data();
    void chartMatchesEnlargement();
    void labelsAreSharpText_data();
    void labelsAreSharpText();
    void scaleIsClamped();
};

namespace {

constexpr QRgb kWhitePixel = 0xFFFFFFFF;

QImage enlarged(const QImage &image, int n)
{
    QImage out(image.size() * n, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, image.pixel(x / n, y / n));
    }
    return out;
}

// A map with a zone in every fill style, two of them overlapping, one hanging over the
// picture's edge, and dots of unowned planets between them.
Globals styledUniverse()
{
    Globals g;
    g.Map_Max_X = 2000;
    g.Map_Max_Y = 1800;
    const struct {
        int x, y;
        qint16 style;
        PackedColor color;
    } owned[] = {{1050, 1700, FillSolid, 0x0000FF},    {1250, 1700, FillHorizontal, 0x00FF00},
                 {1450, 1650, FillVertical, 0xFF0000}, {1750, 1700, FillUpwardDiagonal, 0x00FFFF},
                 {1950, 1700, FillDownwardDiagonal, 0xFF00FF},
                 {1100, 1150, FillCross, 0xFFFF00},    {1180, 1100, FillDiagonalCross, 0x8080FF},
                 {2130, 1050, FillSolid, 0x336699}};
    int k = 0;
    for (const auto &o : owned) {
        Star_Object p;
        p.Star_Name = QStringLiteral("Owned %1").arg(k++);
        p.Star_X = QString::number(o.x);
        p.Star_Y = QString::number(o.y);
        p.Owner = QStringLiteral("Zorn");
        p.population = QStringLiteral("250000");
        p.color = o.color;
        p.Style = o.style;
        g.Star_Table.push_back(p);
    }
    for (int i = 0; i < 12; ++i) {
        Star_Object p;
        p.Star_Name = QStringLiteral("Free %1").arg(i);
        p.Star_X = QString::number(1000 + i * 97);
        p.Star_Y = QString::number(1000 + (i * 61) % 300);
        p.color = kWhite;
        g.Star_Table.push_back(p);
    }
    g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
    return g;
}

// Marks the band of N device pixels either side of each edge of a zone's enlarged box:
// there the finer grid may place the edge differently.
void markEdges(std::vector<bool> &mask, QSize size, const QRect &box, int n)
{
    auto mark = [&](const QRect &band) {
        const QRect r = band & QRect(QPoint(0, 0), size);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x)
                mask[size_t(y) * size.width() + x] = true;
        }
    };
    const QRect outer = box.adjusted(-n, -n, n, n);
    mark(QRect(box.left() - n, outer.top(), 2 * n, outer.height()));
    mark(QRect(box.right() + 1 - n, outer.top(), 2 * n, outer.height()));
    mark(QRect(outer.left(), box.top() - n, outer.width(), 2 * n));
    mark(QRect(outer.left(), box.bottom() + 1 - n, outer.width(), 2 * n));
}

QRect enlargedRect(const QRect &r, int n)
{
    return {r.x() * n, r.y() * n, r.width() * n, r.height() * n};
}

} // namespace

void TestScale::chartMatchesEnlargement_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("centreX");
    QTest::addColumn<double>("centreY");

    QTest::newRow("2, whole map") << 2 << 0.0 << 0.0 << 0.0;
    QTest::newRow("3, whole map") << 3 << 0.0 << 0.0 << 0.0;
    QTest::newRow("2, zoomed") << 2 << 0.5 << 1400.0 << 1500.0;
    QTest::newRow("3, zoomed off the middle") << 3 << 0.3 << 1333.3 << 1411.0;
}

void TestScale::chartMatchesEnlargement()
{
    QFETCH(int, n);
    QFETCH(double, zoom);
    QFETCH(double, centreX);
    QFETCH(double, centreY);

    Globals one = styledUniverse();
    Globals many = one;
    ImageSurface small;
    ImageSurface large(ImageSurface::kPictureSize, n);
    QCOMPARE(large.scale(), n);
    const ChartView view = display_map(one, small, {}, zoom, centreX, centreY);
    QCOMPARE(display_map(many, large, {}, zoom, centreX, centreY), view);
    const QImage expected = enlarged(small.Image(), n);
    const QImage &actual = large.Image();
    QCOMPARE(actual.size(), ImageSurface::kPictureSize * n);

    // Where a zone edge lies, a difference of less than N pixels is allowed.
    std::vector<bool> edges(size_t(actual.width()) * actual.height(), false);
    for (const Star_Object &p : one.Star_Table) {
        if (p.Owner.isEmpty())
            continue;
        const double side = zoneSize(p);
        const QRect box = small.boxPixels(p.Star_X.toDouble() - side / 2,
                                          p.Star_Y.toDouble() - side / 2, side, side);
        markEdges(edges, actual.size(), enlargedRect(box, n), n);
    }
    int outsideEdges = 0, differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (edges[size_t(y) * actual.width() + x])
                continue;
            ++outsideEdges;
            if (actual.pixel(x, y) != expected.pixel(x, y) && differing++ == 0)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3, enlarged %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(actual.pixel(x, y), 8, 16)
                                     .arg(expected.pixel(x, y), 8, 16)));
        }
    }
    // The bands are a small part of the picture: most of it was compared.
    QVERIFY(outsideEdges > actual.width() * actual.height() * 3 / 4);

    // Every dot is an N by N white block where the enlarged dot is.
    for (const Star_Object &p : one.Star_Table) {
        const QPoint dot = small.pixelAt(p.Star_X.toFloat(), p.Star_Y.toFloat());
        if (!small.Image().rect().contains(dot))
            continue;
        const QRect block = enlargedRect(QRect(dot, QSize(1, 1)), n);
        for (int y = block.top(); y <= block.bottom(); ++y) {
            for (int x = block.left(); x <= block.right(); ++x)
                QCOMPARE(actual.pixel(x, y), kWhitePixel);
        }
    }
    // The "+" is the enlarged mark, bars N pixels thick.
    const QPoint mark = small.pixelAt(view.defaultX, view.defaultY);
    const QRect cell = enlargedRect(QRect(mark, QSize(10, 14)), n);
    int white = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            QCOMPARE(actual.pixel(x, y), expected.pixel(x, y));
            white += actual.pixel(x, y) == kWhitePixel;
        }
    }
    QVERIFY(white >= 10 * n * n);
}

void TestScale::labelsAreSharpText_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("2") << 2;
    QTest::newRow("3") << 3;
    QTest::newRow("8") << 8;
}

void TestScale::labelsAreSharpText()
{
    QFETCH(int, n);

    Globals g;
    g.Map_Max_X = 2000;
    g.Map_Max_Y = 1800;
    Star_Object p;
    p.Star_Name = QStringLiteral("Wexmoor");
    p.Star_X = QStringLiteral("1300");
    p.Star_Y = QStringLiteral("1200");
    p.Owner = QStringLiteral("Zorn");
    p.Starbase = QStringLiteral("1");
    p.population = QStringLiteral("1");
    p.color = 0x000000; // a black zone, so only the dot and the label show near the planet
    p.Style = FillSolid;
    g.Star_Table.push_back(p);
    g.Last_Star_Index = 0;
    const LabelOptions labels{true, false, false};

    ImageSurface small;
    ImageSurface large(ImageSurface::kPictureSize, n);
    Globals same = g;
    display_map(g, small, labels, 0, 0, 0);
    display_map(same, large, labels, 0, 0, 0);

    // The label drawn on its own in the N times larger font, its cell's corner on the
    // dot's block, is exactly what the chart shows around the planet.
    const QPoint dot = small.pixelAt(1300, 1200);
    const QRawFont font = chartFont(n);
    QImage text(large.Image().size(), QImage::Format_RGB32);
    text.fill(Qt::black);
    {
        const QString label = QStringLiteral("Wexmoor Zorn (s)");
        const QList<quint32> glyphs = font.glyphIndexesForString(label);
        const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
        QList<QPointF> positions;
        qreal x = 0;
        for (const QPointF &a : advances) {
            positions << QPointF(x, 0);
            x += a.x();
        }
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        QPainter painter(&text);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
        painter.setPen(Qt::white);
        painter.drawGlyphRun(QPointF(dot.x() * n, dot.y() * n + std::ceil(font.ascent())), run);
    }
    const QRect area = enlargedRect(QRect(dot, QSize(110, 14)), n);
    const QRect dotBlock = enlargedRect(QRect(dot, QSize(1, 1)), n);
    int inked = 0, unlikeEnlarged = 0;
    const QImage blocky = enlarged(small.Image(), n);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb seen = large.Image().pixel(x, y);
            if (!dotBlock.contains(x, y))
                QCOMPARE(seen, text.pixel(x, y));
            inked += seen == kWhitePixel;
            unlikeEnlarged += seen != blocky.pixel(x, y);
        }
    }
    QVERIFY(inked > 20 * n * n);
    // Sharp text is not the small glyphs blown up.
    QVERIFY(unlikeEnlarged > 4 * n);
}

// Out-of-range scales draw at the nearest one allowed, never a huge or an empty image.
void TestScale::scaleIsClamped()
{
    QCOMPARE(ImageSurface(ImageSurface::kPictureSize, 0).scale(), 1);
    QCOMPARE(ImageSurface(ImageSurface::kPictureSize, -3).scale(), 1);
    QCOMPARE(ImageSurface(ImageSurface::kPictureSize, 100).Image().size(),
             ImageSurface::kPictureSize * ImageSurface::kMaxDrawScale);
    QCOMPARE(ImageSurface(QSize(40, 30), 2).Image().size(), QSize(80, 60));
}

QTEST_MAIN(TestScale)
#include "tst_scale.moc"

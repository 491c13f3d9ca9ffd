// The legend beside the chart: one row per race in slot order, a swatch in the race's
// colour and hatch, its name and totals as text; the chart unchanged at the top left.
#include "imagesurface.h"
#include "legend.h"
#include "recordingsurface.h"
#include "legendstrip.h"
#include "renderer.h"

#include <QTest>

class TestLegend : public QObject {
    Q_OBJECT
private slots:
    void swatchesInSlotOrder();
    void textOfEachRow();
    void sizeAndPlace_data();
    void sizeAndPlace();
    void hugeTextsAreCut();
    void totalsGroupedWhenAsked();
};

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhitePixel = 0xFFFFFFFF;
// Where the layout puts things, in picture pixels.
constexpr int kMargin = 8;
constexpr int kRow = 16;
constexpr QRect kSwatch(8, 3, 14, 10); // in a row
constexpr int kNameLeft = 27;

struct Race {
    const char *name;
    PackedColor color;
    qint16 style;
    double population, starbases;
};

Globals withRaces(const QList<Race> &races, int planets = 3)
{
    Globals g;
    g.Map_Max_X = 2000;
    g.Map_Max_Y = 1800;
    for (int i = 0; i < planets; ++i) {
        Star_Object p;
        p.Star_Name = QStringLiteral("P%1").arg(i);
        p.Star_X = QString::number(1000 + 300 * i);
        p.Star_Y = QString::number(1000 + 200 * i);
        p.color = kWhite;
        g.Star_Table.push_back(p);
    }
    g.Last_Star_Index = qint16(planets - 1);
    for (const Race &r : races) {
        Player_Object &p = g.Player_Table[size_t(++g.Last_Player_Index)];
        p.Player_Name = QString::fromUtf8(r.name);
        p.Player_Color = r.color;
        p.Player_Style = r.style;
        p.Player_Population = r.population;
        p.Player_Starbases = r.starbases;
    }
    return g;
}

const QList<Race> kRaces = {{"Zorn", 0x0000FF, FillSolid, 12.3, 2},
                            {"Ilvani Pact", 0x00FF00, FillHorizontal, 1234567.891, 0},
                            {"Quor", 0xFF0000, FillUpwardDiagonal, 0, 1}};

QImage legendImage(const Globals &g, bool totals, int scale = 1)
{
    const QSize size = legendSize(g, totals, scale);
    ImageSurface surface(size, scale);
    drawLegend(surface, size, g, totals, scale);
    return surface.Image();
}

// The white pixels of `area` as a picture of their own, to compare text by shape.
QImage whiteIn(const QImage &image, const QRect &area)
{
    QImage out(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            out.setPixel(x, y, image.pixel(area.x() + x, area.y() + y) == kWhitePixel ? kWhitePixel
                                                                                     : kBlack);
    return out;
}

QImage printed(const QString &text, QSize size)
{
    ImageSurface s(size);
    s.Scale(0, 0, size.width(), size.height());
    s.CurrentX(0);
    s.CurrentY(0);
    s.Print(text);
    return s.Image();
}

} // namespace

void TestLegend::swatchesInSlotOrder()
{
    const Globals g = withRaces(kRaces);
    for (const bool totals : {true, false}) {
        const QImage legend = legendImage(g, totals);
        const int firstRow = kMargin + (totals ? kRow : 0);
        for (int i = 0; i < kRaces.size(); ++i) {
            const QRect swatch = kSwatch.translated(0, firstRow + i * kRow);
            const QRgb colour = rgbFromPacked(kRaces[i].color);
            // A white edge, inside it the zone's pattern on black.
            QCOMPARE(legend.pixel(swatch.topLeft()), kWhitePixel);
            QCOMPARE(legend.pixel(swatch.bottomRight()), kWhitePixel);
            for (int y = swatch.top() + 1; y < swatch.bottom(); ++y) {
                for (int x = swatch.left() + 1; x < swatch.right(); ++x) {
                    const QRgb expected =
                        hatchSets(kRaces[i].style, x, y) ? colour : kBlack;
                    QCOMPARE(legend.pixel(x, y), expected);
                }
            }
        }
        // Nothing under the last row but black.
        const int below = firstRow + int(kRaces.size()) * kRow;
        for (int y = below; y < legend.height(); ++y)
            for (int x = 0; x < legend.width(); ++x)
                QCOMPARE(legend.pixel(x, y), kBlack);
    }
}

void TestLegend::textOfEachRow()
{
    const Globals g = withRaces(kRaces);
    const QImage legend = legendImage(g, true);
    // Header, then each race's name in slot order, at the name column: exactly the name's
    // own pixels, up to where its last glyph ends.
    QStringList names{QStringLiteral("Race")};
    for (const Race &r : kRaces)
        names << QString::fromUtf8(r.name);
    for (int i = 0; i < names.size(); ++i) {
        const QImage alone = printed(names[i], QSize(120, 13));
        int right = 0;
        for (int y = 0; y < alone.height(); ++y)
            for (int x = 0; x < alone.width(); ++x)
                if (alone.pixel(x, y) == kWhitePixel)
                    right = std::max(right, x);
        QVERIFY(right > 10);
        const QSize cell(right + 1, 13);
        const QRect area(QPoint(kNameLeft, kMargin + i * kRow + 2), cell);
        QCOMPARE(whiteIn(legend, area), alone.copy(QRect(QPoint(0, 0), cell)));
    }
    // The totals are printed as the tables print them, right-aligned: the widest of them
    // ends the population column.
    QVERIFY(legend.width() > kNameLeft + 100);
    const QImage numbers = whiteIn(legend, QRect(kNameLeft + 60, kMargin + 2 * kRow, 200, 14));
    int white = 0;
    for (int y = 0; y < numbers.height(); ++y)
        for (int x = 0; x < numbers.width(); ++x)
            white += numbers.pixel(x, y) == kWhitePixel;
    QVERIFY(white > 40); // "1234567.891" and "0"

    // Without totals: the names only, as narrow as they need.
    QVERIFY(legendSize(g, false).width() < legendSize(g, true).width());
    QCOMPARE(legendSize(g, false).height(), 2 * kMargin + 3 * kRow);
    QCOMPARE(legendSize(g, true).height(), 2 * kMargin + 4 * kRow);
}

void TestLegend::sizeAndPlace_data()
{
    QTest::addColumn<int>("races");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QSize>("picture"); // of the chart
    const QSize chart = ImageSurface::kPictureSize;
    QTest::newRow("few races") << 3 << 1 << chart;
    QTest::newRow("few races, scale 2") << 3 << 2 << chart;
    QTest::newRow("sixteen races") << 16 << 1 << chart;
    QTest::newRow("sixteen races, scale 3") << 16 << 3 << chart;
    QTest::newRow("none") << 0 << 1 << chart;
    // A chart lower than the rows: the strip is as tall as they need.
    QTest::newRow("low chart") << 16 << 1 << QSize(120, 60);
    QTest::newRow("low chart, scale 2") << 5 << 2 << QSize(90, 40);
}

// The chart keeps its place and pixels; the strip is the chart's height or its rows'.
void TestLegend::sizeAndPlace()
{
    QFETCH(int, races);
    QFETCH(int, scale);
    QFETCH(QSize, picture);

    QList<Race> list;
    for (int i = 0; i < races; ++i)
        list << kRaces[i % kRaces.size()];
    Globals g = withRaces(list);
    ImageSurface chart(picture, scale);
    display_map(g, chart, {true, false, false}, 0, 0, 0);
    const QImage both = chartWithLegend(chart.Image(), g, scale);

    const QSize strip = legendSize(g, true, scale);
    const int height = std::max(strip.height(), picture.height());
    QCOMPARE(both.size(), QSize(picture.width() + strip.width(), height) * scale);
    QCOMPARE(both.copy(QRect(QPoint(0, 0), chart.Image().size())), chart.Image());
    for (int y = chart.Image().height(); y < both.height(); ++y)
        for (int x = 0; x < chart.Image().width(); ++x)
            QCOMPARE(both.pixel(x, y), kBlack);
    const QImage legend = both.copy(QRect(QPoint(picture.width() * scale, 0),
                                          QSize(strip.width(), height) * scale));
    QCOMPARE(legend, [&] {
        ImageSurface s(QSize(strip.width(), height), scale);
        drawLegend(s, QSize(strip.width(), height), g, true, scale);
        return s.Image();
    }());
    // A header line and a line per race, between two margins.
    QCOMPARE(strip.height(), 2 * kMargin + (races + 1) * kRow);
}

// A name of thousands of letters or a total of hundreds of digits cannot make the legend
// (and the image) thousands of pixels wide; what shows of them ends in an ellipsis.
void TestLegend::hugeTextsAreCut()
{
    const QByteArray name = QByteArray(3000, 'W');
    Globals g = withRaces({{name.constData(), 0x00FF00, FillSolid, 1e300, 1e20}});
    const QSize size = legendSize(g, true, 8);
    QVERIFY2(size.width() < 3 * 240, qPrintable(QString::number(size.width())));
    const QImage both = chartWithLegend(ImageSurface().Image(), g);
    QVERIFY(both.width() < 537 + 3 * 240);
    // The cut name still fills its column with text.
    const QImage legend = legendImage(g, true);
    int white = 0;
    for (int x = kNameLeft; x < kNameLeft + 200; ++x)
        for (int y = kMargin + kRow; y < kMargin + 2 * kRow; ++y)
            white += legend.pixel(x, y) == kWhitePixel;
    QVERIFY(white > 200);
}

// The explorer's window groups the totals by its locale; pictures from the command line keep
// them plain.
void TestLegend::totalsGroupedWhenAsked()
{
    const Globals g = withRaces(kRaces);
    auto texts = [&](const std::optional<QLocale> &numbers) {
        RecordingSurface surface;
        Legend(g, true, 1, -1, {}, numbers).draw(surface, QPoint(0, 0));
        return surface.printed();
    };
    QVERIFY(texts(std::nullopt).contains(QStringLiteral("1234567.891")));
    const QStringList german = texts(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(german.contains(QStringLiteral("1.234.567,891")));
    QVERIFY(!german.contains(QStringLiteral("1234567.891")));
}

QTEST_MAIN(TestLegend)
#include "tst_legend.moc"

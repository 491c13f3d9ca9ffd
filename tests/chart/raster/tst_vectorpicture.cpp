// The chart as vectors: the painter surface puts its ink where the image surface puts its
// pixels, leaves out the zones nobody sees, and the SVG and PDF files hold the scene as
// shapes and text. Pictures as panes: the same layout gives the bitmap the command line
// always wrote.
#include "imagesurface.h"
#include "layoutpicture.h"
#include "legend.h"
#include "legendstrip.h"
#include "paintersurface.h"
#include "picturelayout.h"
#include "planets.h"
#include "renderer.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

class TestVectorPicture : public QObject {
    Q_OBJECT
private slots:
    void inkOnTheRastersPixels_data();
    void inkOnTheRastersPixels();
    void hiddenZonesLeftOut();
    void svgHoldsTheScene();
    void pdfHoldsTheScene();
    void panesAsTheBitmapWas();
};

namespace {

constexpr QSize kSmall(96, 72);

// One box (and a dot, and a box outlined by a visible pen) on a small picture in user
// units that are not pixels, drawn on `surface`.
void drawBox(Surface &surface, qint16 style)
{
    surface.Cls();
    surface.BackColor(0);
    surface.Scale(100, 400, 292, 256); // 2 units a pixel across, Y up
    surface.DrawStyle(DrawInvisible);
    surface.FillColor(0x00FF00);
    surface.FillStyle(style);
    surface.Line(107.3, 370.9, 151.1, -90.3);
    surface.DrawStyle(DrawSolid);
    surface.FillStyle(FillTransparent);
    surface.Line(113.4, 300.3, 30.4, -30.2);
    surface.PSet(271.5, 390.5, kWhite);
}

QImage raster(qint16 style)
{
    ImageSurface surface(kSmall);
    drawBox(surface, style);
    return surface.Image();
}

// The vector drawing painted with antialiasing on an image of the same size.
QImage painted(qint16 style)
{
    QImage image(kSmall, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    {
        PainterSurface surface(painter, kSmall);
        drawBox(surface, style);
    }
    painter.end();
    return image;
}

Globals threeRaces()
{
    // Far apart, so no zone hides another; each race with its own colour and hatch.
    QList<Star_Object> planets = {planet("Arvel", 1100, 1100, "Zorn", "", "90000"),
                                  planet("Bastion", 1600, 1500, "Vell", "SB", "50000"),
                                  planet("Corrin", 2000, 1200, "Quor", "", "120000"),
                                  planet("Dusk", 1300, 1700)};
    planets[0].color = 0x0000FF;
    planets[0].Style = FillUpwardDiagonal;
    planets[1].color = 0x00FF00;
    planets[1].Style = FillSolid;
    planets[2].color = 0xFF8000;
    planets[2].Style = FillCross;
    Globals g = chartOf(planets);
    const char *names[] = {"Zorn", "Vell", "Quor"};
    for (int slot = 0; slot < 3; ++slot) {
        g.Player_Table[size_t(slot)].Player_Name = QString::fromLatin1(names[slot]);
        g.Player_Table[size_t(slot)].Player_Color = *planets[slot].color;
        g.Player_Table[size_t(slot)].Player_Style = *planets[slot].Style;
        g.Player_Table[size_t(slot)].Player_Population = planets[slot].population.toDouble();
    }
    g.Last_Player_Index = 2;
    return g;
}

PictureLayout chartLayout(Globals &g, const LabelOptions &labels)
{
    return PictureLayout::single(ImageSurface::kPictureSize, [&g, labels](Surface &surface) {
        display_map(g, surface, labels, 0, 0, 0);
    });
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestVectorPicture::inkOnTheRastersPixels_data()
{
    QTest::addColumn<int>("style");
    for (int style : {FillSolid, FillHorizontal, FillVertical, FillUpwardDiagonal,
                      FillDownwardDiagonal, FillCross, FillDiagonalCross, FillTransparent})
        QTest::addRow("style %d", style) << style;
}

// Where the bitmap sets a pixel, the vector ink covers at least half of it; where the
// bitmap leaves it black, less than half: the same boxes, hatch lines, outline and dot.
void TestVectorPicture::inkOnTheRastersPixels()
{
    QFETCH(int, style);
    const QImage pixels = raster(qint16(style));
    const QImage ink = painted(qint16(style));
    // At the box's edge a diagonal line is cut across a pixel: some ink, maybe not half.
    ImageSurface probe(kSmall);
    probe.Scale(100, 400, 292, 256);
    const QRect box = probe.boxPixels(107.3, 370.9, 151.1, -90.3);
    const QRect inner = box.adjusted(1, 1, -1, -1);
    int lit = 0;
    for (int y = 0; y < kSmall.height(); ++y) {
        for (int x = 0; x < kSmall.width(); ++x) {
            const QRgb p = pixels.pixel(x, y);
            const QRgb v = ink.pixel(x, y);
            const int strongest = std::max({qRed(v), qGreen(v), qBlue(v)});
            if (p == qRgb(0, 0, 0)) {
                QVERIFY2(strongest < 128, qPrintable(QStringLiteral("%1,%2 lit").arg(x).arg(y)));
            } else {
                ++lit;
                const bool edge = box.contains(x, y) && !inner.contains(x, y);
                QVERIFY2(strongest >= (edge ? 48 : 128),
                         qPrintable(QStringLiteral("%1,%2 dark").arg(x).arg(y)));
                // White stays white, the zone's green stays green.
                QCOMPARE(qRed(v) >= 128, qRed(p) == 255);
            }
        }
    }
    QVERIFY(lit > (style == FillTransparent ? 50 : 150));
}

// A zone that later ones cover wholly is not in the drawing; one that shows in a gap is.
void TestVectorPicture::hiddenZonesLeftOut()
{
    QImage image(kSmall, QImage::Format_RGB32);
    QPainter painter(&image);
    auto boxes = [&](std::initializer_list<FilledBox> list) {
        image.fill(Qt::black);
        PainterSurface surface(painter, kSmall);
        surface.Scale(0, 0, kSmall.width(), kSmall.height());
        surface.FillBoxes(std::vector<FilledBox>(list));
        surface.finish();
        QSet<QRgb> colours; // the colours that show, strongly
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                colours.insert(qRgb(qRed(p) > 100 ? 255 : 0, qGreen(p) > 100 ? 255 : 0,
                                    qBlue(p) > 100 ? 255 : 0));
            }
        return colours;
    };
    // 0x0000FF packs red, 0xFF0000 blue.
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    // Under a solid box of the same place: gone. Under an upward hatch, an upward hatch is
    // hidden too (the same pixels), but a downward one shows in the gaps.
    const QSet<QRgb> solid =
        boxes({{10, 10, 40, 40, 0x0000FF, FillSolid}, {5, 5, 60, 60, 0xFF0000, FillSolid}});
    QVERIFY(solid.contains(blue) && !solid.contains(red));
    const QSet<QRgb> sameHatch = boxes({{10, 10, 40, 40, 0x0000FF, FillUpwardDiagonal},
                                        {5, 5, 60, 60, 0xFF0000, FillUpwardDiagonal}});
    QVERIFY(sameHatch.contains(blue) && !sameHatch.contains(red));
    const QSet<QRgb> otherHatch = boxes({{10, 10, 40, 40, 0x0000FF, FillDownwardDiagonal},
                                         {5, 5, 60, 60, 0xFF0000, FillUpwardDiagonal}});
    QVERIFY(otherHatch.contains(red) && otherHatch.contains(blue));
}

// The chart with its labels as an SVG: one shape per zone in its race's colour (the hatch
// as a path of lines, solid as a rectangle), every label as text, the picture's size.
void TestVectorPicture::svgHoldsTheScene()
{
    Globals g = threeRaces();
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.svg");
    SaveVectorPicture(chartLayout(g, {true, false, false}), path, "svg");

    QXmlStreamReader xml(fileBytes(path));
    QStringList texts;
    QMap<QString, int> zones; // colour -> shapes drawn in it
    QString fill, stroke, viewBox;
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"svg") {
            viewBox = a.value("viewBox").toString();
        } else if (xml.name() == u"g") {
            fill = a.value("fill").toString();
            stroke = a.value("stroke").toString();
        } else if (xml.name() == u"text") {
            texts << xml.readElementText();
        } else if (xml.name() == u"path") {
            ++zones[stroke]; // a hatch: its lines
        } else if (xml.name() == u"rect") {
            ++zones[fill];
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(viewBox, QStringLiteral("0 0 537 441"));
    QCOMPARE(zones.value("#ff0000"), 1); // Zorn's 0x0000FF is red in the low byte
    QCOMPARE(zones.value("#00ff00"), 1);
    QCOMPARE(zones.value("#0080ff"), 1);
    for (const char *label : {"Arvel Zorn", "Bastion Vell (s)", "Corrin Quor", "Dusk", "+"})
        QVERIFY2(texts.contains(QLatin1String(label)), label);
    QCOMPARE(texts.size(), 5);
}

// The same chart as a PDF: a PDF file, one page of the picture's size times the scale,
// and the labels as text a reader finds.
void TestVectorPicture::pdfHoldsTheScene()
{
    Globals g = threeRaces();
    g.Star_Table[3].Star_Name = QStringLiteral("Fifield"); // "fi" read back as two letters
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.pdf");
    SaveVectorPicture(chartLayout(g, {true, false, false}), path, "pdf", 2);
    const QByteArray pdf = fileBytes(path);
    QVERIFY(pdf.startsWith("%PDF-1."));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(pdf));
    QVERIFY(box.hasMatch());
    QCOMPARE(box.captured(1).toDouble(), 2 * 537.0);
    QCOMPARE(box.captured(2).toDouble(), 2 * 441.0);
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1);

    // Its text is compressed inside; a reader of PDFs gives it back.
    const QString reader = QStandardPaths::findExecutable("pdftotext");
    if (reader.isEmpty())
        QSKIP("pdftotext is not installed (Debian: poppler-utils, which tools/test installs)");
    QProcess text;
    text.start(reader, {path, "-"});
    QVERIFY(text.waitForFinished(60000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    for (const char *label : {"Bastion Vell (s)", "Corrin Quor", "Fifield"})
        QVERIFY2(words.contains(QLatin1String(label)), qPrintable(words));
}

// The chart with the legend strip and a title, as panes: the bitmap is the chart and strip
// the command line always wrote, moved down under a strip holding the title.
void TestVectorPicture::panesAsTheBitmapWas()
{
    for (int scale : {1, 3}) {
        Globals g = threeRaces();
        ImageSurface chart(ImageSurface::kPictureSize, scale);
        display_map(g, chart, {}, 0, 0, 0);
        const QImage before = chartWithLegend(chart.Image(), g, scale);

        PictureLayout layout = PictureLayout::single(ImageSurface::kPictureSize, [&](Surface &s) {
            display_map(g, s, {}, 0, 0, 0);
        });
        addLegendStrip(layout, g, scale);
        QCOMPARE(layoutImage(layout, scale), before);

        addTitleStrip(layout, QStringLiteral("Turn 42 of the Northern Alliance"), scale);
        const int strip = titleStripHeight() * scale;
        const QImage titled = layoutImage(layout, scale);
        QCOMPARE(titled.size(), before.size() + QSize(0, strip));
        QCOMPARE(titled.copy(QRect(QPoint(0, strip), before.size())), before);
        // The title is white text in the middle of its strip.
        int white = 0, left = titled.width(), right = 0;
        for (int y = 0; y < strip; ++y)
            for (int x = 0; x < titled.width(); ++x)
                if (titled.pixel(x, y) == qRgb(255, 255, 255)) {
                    ++white;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        QVERIFY(white > 200 * scale * scale);
        // Centred to a pixel of the title's own, twice the size of the rest.
        QVERIFY2(std::abs((left + right) / 2 - titled.width() / 2) <= 4 * scale,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(left).arg(right).arg(titled.width())));
    }
    // A title wider than the picture is cut, not drawn past it.
    Globals g = threeRaces();
    PictureLayout narrow = PictureLayout::single(QSize(120, 80), [](Surface &) {});
    addTitleStrip(narrow, QString(300, u'W'), 1);
    QCOMPARE(narrow.size, QSize(120, 80 + titleStripHeight()));
    const QImage cut = layoutImage(narrow);
    for (int y = 0; y < titleStripHeight(); ++y)
        QCOMPARE(cut.pixel(119, y), qRgb(0, 0, 0));
}

QTEST_MAIN(TestVectorPicture)
#include "tst_vectorpicture.moc"

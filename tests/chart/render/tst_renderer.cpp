#include "conversions.h"
#include "imagesurface.h"
#include "planets.h"
#include "recordingsurface.h"
#include "renderer.h"
#include "runerror.h"

#include <QTest>

class TestRenderer : public QObject {
    Q_OBJECT
private slots:
    void zoneSize_data();
    void zoneSize();
    void zonePass();
    void dotPass();
    void coordinateTexts_data();
    void coordinateTexts();
    void labels_data();
    void labels();
    void zonesBeforeDotsInTableOrder();
    void zoneCoversTheMark();
};

namespace {

// Recorded numbers carry ten significant digits.
bool near(double a, double b)
{
    return std::abs(a - b) < 1e-5;
}

// The four numbers of a recorded "Line x y w h".
QList<double> lineNumbers(const QString &call)
{
    QList<double> numbers;
    const QStringList parts = call.split(u' ');
    for (qsizetype i = 1; i < parts.size(); ++i)
        numbers << parts[i].toDouble();
    return numbers;
}

} // namespace

void TestRenderer::zoneSize_data()
{
    QTest::addColumn<QString>("population");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("starbase");
    QTest::addColumn<double>("size"); // to a tenth

    QTest::newRow("25000") << "25000"
                           << "Zorn"
                           << "" << 151.9;
    QTest::newRow("25000 with starbase") << "25000"
                                         << "Zorn"
                                         << "yes" << 258.2;
    QTest::newRow("a blank starbase is one") << "25000"
                                             << "Zorn"
                                             << " " << 258.2;
    QTest::newRow("1000000") << "1000000"
                             << "Zorn"
                             << "" << 207.2;
    QTest::newRow("1000000 with starbase") << "1000000"
                                           << "Zorn"
                                           << "yes" << 352.3;
    QTest::newRow("owned, no figure") << ""
                                      << "Zorn"
                                      << "" << 201.9;
    QTest::newRow("owned, no figure, starbase") << ""
                                                << "Zorn"
                                                << "yes" << 343.2;
    QTest::newRow("owned, \"0\"") << "0"
                                  << "Zorn"
                                  << "" << 201.9;
    QTest::newRow("owned, 0.0 counts as missing") << "0.0"
                                                  << "Zorn"
                                                  << "" << 201.9;
    QTest::newRow("owned, negative counts as missing") << "-5"
                                                       << "Zorn"
                                                       << "" << 201.9;
    QTest::newRow("owned, not a number counts as missing") << "many"
                                                           << "Zorn"
                                                           << "yes" << 343.2;
    QTest::newRow("owned, beyond double counts as missing") << "-1e400"
                                                            << "Zorn"
                                                            << "" << 201.9;
    QTest::newRow("beyond double is the largest") << "1e400"
                                                  << "Zorn"
                                                  << "" << 10646.7;
    QTest::newRow("leading number") << "12 million"
                                    << "Zorn"
                                    << "" << 37.3;
    QTest::newRow("unowned, no figure") << ""
                                        << ""
                                        << "" << 0.0;
}

void TestRenderer::zoneSize()
{
    QFETCH(QString, population);
    QFETCH(QString, owner);
    QFETCH(QString, starbase);
    QFETCH(double, size);
    const Star_Object p = planet("P", "1500", "1500", owner, starbase, population);
    QCOMPARE(qRound64(::zoneSize(p) * 10), qRound64(size * 10));
}

void TestRenderer::zonePass()
{
    RecordingSurface surface;
    ChartCanvas canvas(surface, {});
    Star_Object owned = planet("Beta", "1500.5", "1501.5", "Zorn", "", "25000");
    owned.color = 0x336699;
    owned.Style = FillDownwardDiagonal;
    Place_Star(canvas, owned, PlaceZone);

    const QStringList &calls = surface.calls();
    QCOMPARE(calls.size(), 9);
    QCOMPARE(calls.mid(0, 4),
             (QStringList{"DrawWidth 1", "DrawStyle 5", "FillColor 0x336699", "FillStyle 5"}));
    QCOMPARE(calls.mid(5),
             (QStringList{"DrawWidth 1", "DrawStyle 0", "FillColor 0xFFFFFF", "FillStyle 0"}));
    // The square is centred on the coordinates as 16-bit integers, halves to even.
    const QList<double> box = lineNumbers(calls[4]);
    QVERIFY(near(box[2], ::zoneSize(owned)));
    QCOMPARE(box[3], box[2]);
    QVERIFY(near(box[0] + box[2] / 2, 1500));
    QVERIFY(near(box[1] + box[3] / 2, 1502));

    // Unowned planets and unknown modes draw nothing.
    surface.clear();
    Place_Star(canvas, planet("Alpha", "1500", "1500"), PlaceZone);
    Place_Star(canvas, owned, 2);
    QVERIFY(surface.calls().isEmpty());

    // The worked square: side 200 at (1500, 1500) spans 1400 to 1600.
    DrawSquare(surface, 1500, 1500, 200);
    QCOMPARE(surface.calls(), QStringList{"Line 1400 1400 200 200"});
}

void TestRenderer::dotPass()
{
    RecordingSurface surface;
    ChartCanvas canvas(surface, {true, false, false});
    Place_Star(canvas, planet("Alpha", "1234.1", "987.5"), PlaceDotAndLabel);
    // The dot's position is single precision; the label follows the dot.
    QCOMPARE(surface.calls(), (QStringList{"PSet 1234.099976 987.5 0xFFFFFF", "Print Alpha"}));
}

// Plain digits are read directly; every text must still come out as the full conversion
// reads it, or fail as it does.
void TestRenderer::coordinateTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("digits") << "1300";
    QTest::addRow("leading zeros") << "001300";
    QTest::addRow("blanks around") << " 1300 ";
    QTest::addRow("fraction") << "1300.5";
    QTest::addRow("exponent") << "1.3e3";
    QTest::addRow("negative") << "-5";
    QTest::addRow("nine digits") << "000001234";
    QTest::addRow("ten digits") << "0000001234";
    QTest::addRow("not a number") << "13x";
    QTest::addRow("empty") << "";
}

void TestRenderer::coordinateTexts()
{
    QFETCH(QString, text);
    RecordingSurface surface;
    ChartCanvas canvas(surface, {});
    const Star_Object p = planet("P", text, text, "Zorn", "", "25000");
    double expected = 0;
    try {
        expected = conv::strictNumber(text);
    } catch (const RunError &) {
        QVERIFY_THROWS_EXCEPTION(RunError, Place_Star(canvas, p, PlaceDotAndLabel));
        QVERIFY_THROWS_EXCEPTION(RunError, Place_Star(canvas, p, PlaceZone));
        return;
    }
    Place_Star(canvas, p, PlaceDotAndLabel);
    const QList<double> dot = lineNumbers(surface.calls().value(0));
    QCOMPARE(dot.value(0), double(float(expected)));
    QCOMPARE(dot.value(1), double(float(expected)));
    surface.clear();
    Place_Star(canvas, p, PlaceZone);
    const QList<double> box = lineNumbers(surface.calls().value(4));
    QVERIFY(near(box.value(0) + box.value(2) / 2, conv::toInt16(expected)));
}

void TestRenderer::labels_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<bool>("populated");
    QTest::addColumn<bool>("starbases");
    QTest::addColumn<QStringList>("printed");

    const QString alpha = "Alpha", beta = "Beta Zorn", gamma = "Gamma Vex (s)";
    QTest::newRow("none") << false << false << false << QStringList{};
    QTest::newRow("all") << true << false << false << QStringList{alpha, beta, gamma};
    QTest::newRow("populated") << false << true << false << QStringList{beta, gamma};
    QTest::newRow("starbases") << false << false << true << QStringList{gamma};
    QTest::newRow("all, populated") << true << true << false << QStringList{alpha, beta, gamma};
    QTest::newRow("all, starbases") << true << false << true << QStringList{alpha, beta, gamma};
    QTest::newRow("populated, starbases") << false << true << true << QStringList{beta, gamma};
    QTest::newRow("all three") << true << true << true << QStringList{alpha, beta, gamma};
}

void TestRenderer::labels()
{
    QFETCH(bool, all);
    QFETCH(bool, populated);
    QFETCH(bool, starbases);
    QFETCH(QStringList, printed);

    // Alpha has a starbase text but no owner: only its name, only under "All".
    Globals g = chartOf({planet("Alpha", "1000", "1000", "", "x"),
                         planet("Beta", "1100", "1100", "Zorn", "", "500"),
                         planet("Gamma", "1200", "1200", "Vex", " ", "")});
    RecordingSurface surface;
    display_map(g, surface, {all, populated, starbases}, 0, 0, 0);
    QCOMPARE(surface.printed(), QStringList{"+"} + printed);

    // Every label is printed right after its planet's dot.
    const QStringList &calls = surface.calls();
    for (qsizetype i = 1; i < calls.size(); ++i) {
        if (calls[i].startsWith(u"Print ") && calls[i] != u"Print +")
            QVERIFY2(calls[i - 1].startsWith(u"PSet "), qPrintable(calls[i]));
    }
}

void TestRenderer::zonesBeforeDotsInTableOrder()
{
    Globals g = chartOf({planet("A", "1300", "1000", "Zorn"), planet("B", "1100", "1000"),
                         planet("C", "1200", "1000", "Vex")});
    RecordingSurface surface;
    display_map(g, surface, {}, 0, 0, 0);

    QList<int> zoneCentres;
    QStringList dots;
    for (const QString &call : surface.calls()) {
        if (call.startsWith(u"Line ")) {
            QVERIFY2(dots.isEmpty(), "a zone after a dot");
            const QList<double> box = lineNumbers(call);
            zoneCentres << qRound(box[0] + box[2] / 2);
        } else if (call.startsWith(u"PSet ")) {
            dots << call;
        }
    }
    QCOMPARE(zoneCentres, (QList<int>{1300, 1200}));
    QCOMPARE(dots, (QStringList{"PSet 1300 1000 0xFFFFFF", "PSet 1100 1000 0xFFFFFF",
                                "PSet 1200 1000 0xFFFFFF"}));
}

// The "+" is printed first, so a zone over the middle of the map covers it.
void TestRenderer::zoneCoversTheMark()
{
    const QRect markCell(268, 220, 10, 13); // the cell at the default centre (1550, 1400)
    auto whiteIn = [&](const QImage &image) {
        int n = 0;
        for (int y = markCell.top(); y <= markCell.bottom(); ++y)
            for (int x = markCell.left(); x <= markCell.right(); ++x)
                n += image.pixel(x, y) == qRgb(255, 255, 255);
        return n;
    };
    Globals empty = chartOf({planet("Far", "1000", "1000")});
    ImageSurface bare;
    display_map(empty, bare, {}, 0, 0, 0);
    QVERIFY(whiteIn(bare.Image()) > 3); // the "+" is there

    Star_Object big = planet("Big", "1500", "1350", "Zorn", {}, "1000000000");
    big.Style = FillSolid;
    Globals covered = chartOf({big});
    ImageSurface surface;
    display_map(covered, surface, {}, 0, 0, 0);
    QCOMPARE(whiteIn(surface.Image()), 0);
    QCOMPARE(surface.Image().pixel(markCell.center()), qRgb(255, 0, 0)); // Zorn's 0x0000FF
}

QTEST_MAIN(TestRenderer)
#include "tst_renderer.moc"

#include "colourscience.h"

#include <QTest>

using namespace colour;

class TestColourScience : public QObject {
    Q_OBJECT
private slots:
    void ciede2000_data();
    void ciede2000();
    void labOfPrimaries();
    void contrast();
    void dichromats();
};

// Table 1 of Sharma, Wu and Dalal, "The CIEDE2000 color-difference formula: implementation
// notes, supplementary test data, and mathematical observations" (2005): every pair.
void TestColourScience::ciede2000_data()
{
    QTest::addColumn<Lab>("first");
    QTest::addColumn<Lab>("second");
    QTest::addColumn<double>("expected");
    const double pairs[][7] = {
        {50.0000, 2.6772, -79.7751, 50.0000, 0.0000, -82.7485, 2.0425},
        {50.0000, 3.1571, -77.2803, 50.0000, 0.0000, -82.7485, 2.8615},
        {50.0000, 2.8361, -74.0200, 50.0000, 0.0000, -82.7485, 3.4412},
        {50.0000, -1.3802, -84.2814, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, -1.1848, -84.8006, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, -0.9009, -85.5211, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, 0.0000, 0.0000, 50.0000, -1.0000, 2.0000, 2.3669},
        {50.0000, -1.0000, 2.0000, 50.0000, 0.0000, 0.0000, 2.3669},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0009, 7.1792},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0010, 7.1792},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0011, 7.2195},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0012, 7.2195},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0009, -2.4900, 4.8045},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0010, -2.4900, 4.8045},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0011, -2.4900, 4.7461},
        {50.0000, 2.5000, 0.0000, 50.0000, 0.0000, -2.5000, 4.3065},
        {50.0000, 2.5000, 0.0000, 73.0000, 25.0000, -18.0000, 27.1492},
        {50.0000, 2.5000, 0.0000, 61.0000, -5.0000, 29.0000, 22.8977},
        {50.0000, 2.5000, 0.0000, 56.0000, -27.0000, -3.0000, 31.9030},
        {50.0000, 2.5000, 0.0000, 58.0000, 24.0000, 15.0000, 19.4535},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.1736, 0.5854, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.2972, 0.0000, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 1.8634, 0.5757, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.2592, 0.3350, 1.0000},
        {60.2574, -34.0099, 36.2677, 60.4626, -34.1751, 39.4387, 1.2644},
        {63.0109, -31.0961, -5.8663, 62.8187, -29.7946, -4.0864, 1.2630},
        {61.2901, 3.7196, -5.3901, 61.4292, 2.2480, -4.9620, 1.8731},
        {35.0831, -44.1164, 3.7933, 35.0232, -40.0716, 1.5901, 1.8645},
        {22.7233, 20.0904, -46.6940, 23.0331, 14.9730, -42.5619, 2.0373},
        {36.4612, 47.8580, 18.3852, 36.2715, 50.5065, 21.2231, 1.4146},
        {90.8027, -2.0831, 1.4410, 91.1528, -1.6435, 0.0447, 1.4441},
        {90.9257, -0.5406, -0.9208, 88.6381, -0.8985, -0.7239, 1.5381},
        {6.7747, -0.2908, -2.4247, 5.8714, -0.0985, -2.2286, 0.6377},
        {2.0776, 0.0795, -1.1350, 0.9033, -0.0636, -0.5514, 0.9082},
    };
    int number = 0;
    for (const auto &p : pairs)
        QTest::addRow("pair %d", ++number)
            << Lab{p[0], p[1], p[2]} << Lab{p[3], p[4], p[5]} << p[6];
}

void TestColourScience::ciede2000()
{
    QFETCH(Lab, first);
    QFETCH(Lab, second);
    QFETCH(double, expected);
    // The table gives four decimals; the formula is symmetric.
    QVERIFY2(std::abs(colour::ciede2000(first, second) - expected) < 5e-5,
             qPrintable(QString::number(colour::ciede2000(first, second), 'f', 6)));
    QVERIFY(std::abs(colour::ciede2000(second, first) - expected) < 5e-5);
}

// sRGB to CIELAB with a D65 white: white is L* 100, pure red the familiar 53.24, 80.09, 67.20.
void TestColourScience::labOfPrimaries()
{
    const Lab white = toLab(fromRgb24(0xFFFFFF));
    QVERIFY(std::abs(white.L - 100) < 1e-3 && std::abs(white.a) < 1e-3 && std::abs(white.b) < 1e-3);
    const Lab red = toLab(fromRgb24(0xFF0000));
    QVERIFY(std::abs(red.L - 53.24) < 0.01);
    QVERIFY(std::abs(red.a - 80.09) < 0.01);
    QVERIFY(std::abs(red.b - 67.20) < 0.01);
}

// WCAG 2's own figures: black on white is 21:1, #767676 on white 4.54:1 (the lightest grey
// that passes AA for body text) and #777777 4.48:1.
void TestColourScience::contrast()
{
    QCOMPARE(relativeLuminance(fromRgb24(0)), 0.0);
    QCOMPARE(relativeLuminance(fromRgb24(0xFFFFFF)), 1.0);
    QVERIFY(std::abs(contrastRatio(fromRgb24(0), fromRgb24(0xFFFFFF)) - 21) < 1e-9);
    QVERIFY(std::abs(contrastRatio(fromRgb24(0x767676), fromRgb24(0xFFFFFF)) - 4.54) < 0.005);
    QVERIFY(std::abs(contrastRatio(fromRgb24(0xFFFFFF), fromRgb24(0x777777)) - 4.48) < 0.005);
}

void TestColourScience::dichromats()
{
    // Each matrix row sums to 1, so greys look the same to everyone: a check on the figures.
    for (Vision vision : kVisions) {
        for (unsigned grey : {0x000000u, 0x777777u, 0xFFFFFFu}) {
            const Rgb seen = simulate(fromRgb24(grey), vision);
            const Rgb was = fromRgb24(grey);
            QVERIFY(std::abs(seen.r - was.r) < 1e-5 && std::abs(seen.g - was.g) < 1e-5 &&
                    std::abs(seen.b - was.b) < 1e-5);
        }
    }
    // Pure red to a protanope, in linear light: (0.152286, 0.114503, -0.003882), which
    // encodes to about (108.8, 95.0, 0) of 255. In gamma-encoded values the same matrix
    // would give (38.8, 29.2, 0).
    const Rgb red = simulate(fromRgb24(0xFF0000), Vision::Protanopia);
    QVERIFY(std::abs(red.r * 255 - 108.8) < 0.05);
    QVERIFY(std::abs(red.g * 255 - 95.0) < 0.05);
    QCOMPARE(red.b, 0.0);
    // Red and green, far apart for most, come close for the red-green blind, not for a
    // tritanope.
    const Rgb r = fromRgb24(0xBB4400), g = fromRgb24(0x668800);
    QVERIFY(difference(r, g, Vision::Normal) > 40);
    QVERIFY(difference(r, g, Vision::Deuteranopia) < 5);
    QVERIFY(difference(r, g, Vision::Protanopia) < 20);
    QVERIFY(difference(r, g, Vision::Tritanopia) > 40);
}

QTEST_GUILESS_MAIN(TestColourScience)
#include "tst_colourscience.moc"

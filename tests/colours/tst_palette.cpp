#include "colourscience.h"
#include "palette.h"

#include <QTest>

class TestPalette : public QObject {
    Q_OBJECT
private slots:
    void defaults();
    void keepsNamesAndTotals();
    void chosenScheme();
    void distinctStandsOut();
    void distinctSlotsDiffer();
    void classicFigures();
};

namespace {

colour::Rgb seen(const SlotDefault &slot)
{
    return colour::fromRgb24(rgbFromPacked(slot.color) & 0xFFFFFF);
}

struct PairFigures {
    int closePairs = 0;   // same hatch and below 20 for some vision
    double closest = 1e9; // the smallest difference between two slots of one hatch
    QString worst;
};

// Condition (b): two slots of one hatch are at least 20 apart for every kind of vision.
PairFigures pairFigures(const Palette &palette)
{
    PairFigures figures;
    for (int i = 0; i < kPlayerSlots; ++i) {
        for (int j = i + 1; j < kPlayerSlots; ++j) {
            if (palette[i].style != palette[j].style)
                continue;
            for (colour::Vision vision : colour::kVisions) {
                const double d = colour::difference(seen(palette[i]), seen(palette[j]), vision);
                if (d < figures.closest) {
                    figures.closest = d;
                    figures.worst = QStringLiteral("slots %1 and %2 under %3")
                                        .arg(i)
                                        .arg(j)
                                        .arg(QLatin1String(colour::visionName(vision)));
                }
            }
            bool close = false;
            for (colour::Vision vision : colour::kVisions)
                close = close ||
                        colour::difference(seen(palette[i]), seen(palette[j]), vision) < 20;
            figures.closePairs += close;
        }
    }
    return figures;
}

double lowestContrast(const Palette &palette)
{
    double lowest = 21;
    for (const SlotDefault &slot : palette)
        lowest = std::min(lowest, colour::contrastRatio(seen(slot), colour::fromRgb24(0)));
    return lowest;
}

} // namespace

void TestPalette::defaults()
{
    Globals g;
    Initialize_Colors(g);
    const PackedColor expected[kPlayerSlots] = {
        0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0x800000,
        0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x8080FF,
    };
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        QCOMPARE(g.Player_Table[slot].Player_Color, expected[slot]);
        QCOMPARE(g.Player_Table[slot].Player_Style, qint16(slot == 15 ? 5 : 4));
    }
    // Slot 3 is light red: red lives in the low byte.
    QCOMPARE(g.Player_Table[3].Player_Color & 0xFF, 0xFFu);
}

void TestPalette::keepsNamesAndTotals()
{
    Globals g;
    g.Player_Table[0].Player_Name = QStringLiteral("Zorn");
    g.Player_Table[0].Player_Color = 0x123456;
    g.Player_Table[0].Player_Population = 1200;
    g.Last_Player_Index = 0;
    g.Star_Table.push_back(Star_Object{});
    g.Star_Table[0].color = 0x123456;

    Initialize_Colors(g);
    QCOMPARE(g.Player_Table[0].Player_Color, PackedColor(0xFF0000));
    QCOMPARE(g.Player_Table[0].Player_Name, QStringLiteral("Zorn"));
    QCOMPARE(*g.Player_Table[0].Player_Population, 1200.0);
    QCOMPARE(g.Last_Player_Index, qint16(0));
    QCOMPARE(*g.Star_Table[0].color, PackedColor(0x123456)); // planets keep theirs
}

void TestPalette::chosenScheme()
{
    Globals g;
    g.colourScheme = ColourScheme::Distinct;
    Initialize_Colors(g);
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        QCOMPARE(g.Player_Table[slot].Player_Color, kDistinctPalette[slot].color);
        QCOMPARE(g.Player_Table[slot].Player_Style, kDistinctPalette[slot].style);
    }
    QCOMPARE(&paletteOf(ColourScheme::Classic), &kDefaultPalette);
    // 0xRRGGBB in the table, packed with red in the low byte: slot 3 is a red.
    QCOMPARE(kDistinctPalette[3].color, PackedColor(0x0000CC));

    QCOMPARE(colourSchemeForKey(colourSchemeKey(ColourScheme::Distinct)), ColourScheme::Distinct);
    QCOMPARE(colourSchemeForKey(colourSchemeKey(ColourScheme::Classic)), ColourScheme::Classic);
    QCOMPARE(colourSchemeForKey(u"Distinct"), std::nullopt);
}

// Condition (a): every colour at least 3:1 against the black chart, and none white.
void TestPalette::distinctStandsOut()
{
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        const SlotDefault &s = kDistinctPalette[slot];
        QVERIFY2(colour::contrastRatio(seen(s), colour::fromRgb24(0)) >= 3,
                 qPrintable(QStringLiteral("slot %1").arg(slot)));
        QVERIFY(s.color != kWhite);
        // A visible hatch: transparent or unknown codes would hide the zone.
        QVERIFY(s.style >= FillSolid && s.style <= FillDiagonalCross &&
                s.style != FillTransparent);
    }
}

void TestPalette::distinctSlotsDiffer()
{
    const PairFigures figures = pairFigures(kDistinctPalette);
    qInfo("Distinct: lowest contrast against black %.2f:1; closest pair of one hatch %.1f (%s)",
          lowestContrast(kDistinctPalette), figures.closest, qPrintable(figures.worst));
    QCOMPARE(figures.closePairs, 0);
    QVERIFY(figures.closest >= 20);
}

// The classic palette is what it is; its figures are only reported.
void TestPalette::classicFigures()
{
    const PairFigures figures = pairFigures(kDefaultPalette);
    int white = 0;
    for (const SlotDefault &slot : kDefaultPalette)
        white += slot.color == kWhite;
    qInfo("Classic: lowest contrast against black %.2f:1, %d white; %d pairs of one hatch closer "
          "than 20, the closest %.1f (%s)",
          lowestContrast(kDefaultPalette), white, figures.closePairs, figures.closest,
          qPrintable(figures.worst));
}

QTEST_GUILESS_MAIN(TestPalette)
#include "tst_palette.moc"

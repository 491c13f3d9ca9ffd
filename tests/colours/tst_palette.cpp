#include "palette.h"

#include <QTest>

class TestPalette : public QObject {
    Q_OBJECT
private slots:
    void defaults();
    void keepsNamesAndTotals();
};

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

QTEST_GUILESS_MAIN(TestPalette)
#include "tst_palette.moc"

#include "racecolours.h"

#include <QTest>

class TestRaceColours : public QObject {
    Q_OBJECT
private slots:
    void recolourExactOwnersOnly();
    void colorTextRoundTrip();
};

void TestRaceColours::recolourExactOwnersOnly()
{
    Globals g;
    g.Player_Table[1].Player_Name = QStringLiteral("Zorn");
    g.Player_Table[1].Player_Style = 4;
    g.Last_Player_Index = 1;
    for (const char *owner : {"Zorn", "zorn", "Zorn ", "", "Zorn"}) {
        Star_Object star;
        star.Owner = QString::fromLatin1(owner);
        star.color = kWhite;
        star.Style = 5;
        g.Star_Table.push_back(star);
    }
    setRaceColor(g, 1, 0x00123456);
    QCOMPARE(g.Player_Table[1].Player_Color, PackedColor(0x00123456));
    QCOMPARE(*g.Star_Table[0].color, PackedColor(0x00123456));
    QCOMPARE(*g.Star_Table[4].color, PackedColor(0x00123456));
    for (int i : {1, 2, 3})
        QCOMPARE(*g.Star_Table[i].color, kWhite);
    for (const Star_Object &s : g.Star_Table)
        QCOMPARE(*s.Style, qint16(5)); // only the colour changes

    QCOMPARE(findRace(g, QStringLiteral("Zorn")), 1);
    QCOMPARE(findRace(g, QStringLiteral("zorn")), -1);
    QCOMPARE(findRace(g, QString()), -1); // slot 0 is free, not a race without a name
}

void TestRaceColours::colorTextRoundTrip()
{
    QCOMPARE(colorText(0x000000FF), QStringLiteral("#FF0000")); // red lives in the low byte
    QCOMPARE(colorText(0x00FF0000), QStringLiteral("#0000FF"));
    QCOMPARE(colorText(0x008080FF), QStringLiteral("#FF8080"));
    QCOMPARE(parseColorText(QStringLiteral("#ff8080")), std::optional<PackedColor>(0x008080FF));
    QCOMPARE(parseColorText(QStringLiteral("#12345")), std::nullopt);
    QCOMPARE(parseColorText(QStringLiteral("123456")), std::nullopt);
    QCOMPARE(parseColorText(QStringLiteral("#12345G")), std::nullopt);
    // Seven characters that a lenient number reading would take: exactly #RRGGBB only.
    for (const char *text : {"#0x1234", "#+FFFFF", "#-00001", "#  FF00", "# FFFFF", "#FFFFF "})
        QVERIFY2(!parseColorText(QString::fromLatin1(text)), text);
    QCOMPARE(parseColorText(QStringLiteral("#aBcDeF")), std::optional<PackedColor>(0x00EFCDAB));
}

QTEST_GUILESS_MAIN(TestRaceColours)
#include "tst_racecolours.moc"

#include "keptcolours.h"
#include "loaduniverse.h"
#include "palette.h"
#include "reportreader.h"
#include "settings.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestKeptColours : public QObject {
    Q_OBJECT
private slots:
    void keptColoursAcrossTwoRuns();
    void damagedKeptEntriesAreSkipped();
    void twoCopiesKeepEachOthersColours();
    void defaultColoursRecolourPlanets();
};

namespace {

// Three races as a report brings them, in slots 0 to 2: "Zorn", "Vell" and "zorn" (a
// different race, since names are matched exactly), each with the default colours.
struct Universe {
    Universe()
    {
        loadUniverse(g,
                     files.write("u.map", mapText({{"1200", "1100", "beta"},
                                                   {"900", "1800", "Alpha"},
                                                   {"1500", "1300", "Gamma"},
                                                   {"1700", "1500", "delta"}})),
                     {files.write("u.pla", reportText({{"beta", "Zorn", "SB", "10", "900"},
                                                       {"Alpha", "Vell", "", "2", "1000"},
                                                       {"Gamma", "zorn", "", "1", "25"}}))});
    }
    TestFiles files;
    Globals g;
};

} // namespace

// Keep in one run, start again with the same settings file, and a report that brings the
// race gives it the kept colour and style; an unkept race keeps its slot's default.
void TestKeptColours::keptColoursAcrossTwoRuns()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kavora.ini");
    const QString awkward = "Zorn/of \"the\" [Rim], \\ ;";
    {
        Globals g;
        Initialize_Colors(g);
        g.Player_Table[0] = {0x123456, awkward, 6, {}, {}};
        g.Player_Table[1] = {0x00FF00, "Vell", 2, {}, {}};
        g.Last_Player_Index = 1;
        Settings settings(file);
        QVERIFY(keptColours(settings).isEmpty());
        keepColours(settings, g);
    }
    Settings settings(file);
    const KeptColours kept = keptColours(settings);
    QCOMPARE(kept.size(), 2);
    QCOMPARE(kept.value(awkward), (KeptColour{0x123456, 6}));

    Universe u; // Zorn, Vell, zorn at slots 0..2, default colours
    u.g.Player_Table[0].Player_Name = awkward;
    for (Star_Object &s : u.g.Star_Table)
        if (s.Owner == "Zorn")
            s.Owner = awkward;
    QVERIFY(applyKeptColours(u.g, kept, 1)); // only Vell is new
    QCOMPARE(u.g.Player_Table[0].Player_Color, kDefaultPalette[0].color);
    QCOMPARE(u.g.Player_Table[1].Player_Color, PackedColor(0x00FF00));
    QCOMPARE(u.g.Player_Table[1].Player_Style, qint16(2));
    for (const Star_Object &s : u.g.Star_Table)
        if (s.Owner == "Vell")
            QCOMPARE(s.Style, std::optional<qint16>(2));
    QVERIFY(applyKeptColours(u.g, kept, 0));
    QCOMPARE(u.g.Player_Table[0].Player_Color, PackedColor(0x123456));
    QCOMPARE(u.g.Player_Table[2].Player_Color, kDefaultPalette[2].color); // "zorn"

    // Keeping again adds to what was kept; forgetting drops it all.
    Globals other;
    other.Player_Table[0] = {0xABCDEF, "Third", 3, {}, {}};
    other.Last_Player_Index = 0;
    keepColours(settings, other);
    QCOMPARE(keptColours(Settings(file)).size(), 3);
    forgetColours(settings);
    QVERIFY(keptColours(Settings(file)).isEmpty());
    QVERIFY(!applyKeptColours(u.g, {}, 0));
}

void TestKeptColours::damagedKeptEntriesAreSkipped()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kavora.ini");
    {
        QFile ini(file);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[keptColours]\n"
                  "0\\name=Good\n0\\colour=#102030\n0\\style=5\n"
                  "1\\name=Bad colour\n1\\colour=red\n1\\style=5\n"
                  "2\\name=Bad style\n2\\colour=#102030\n2\\style=9\n"
                  "3\\colour=#102030\n3\\style=1\n"
                  "4\\name=No style\n4\\colour=#102030\n");
    }
    const KeptColours kept = keptColours(Settings(file));
    QCOMPARE(kept.keys(), QStringList{"Good"});
    QCOMPARE(kept.value("Good"), (KeptColour{0x302010, 5}));
}

// Another copy of Kavora kept a colour meanwhile: keeping here reads the file again first.
void TestKeptColours::twoCopiesKeepEachOthersColours()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kavora.ini");
    Globals g;
    Initialize_Colors(g);
    g.Player_Table[0] = {0x123456, "Zorn", 6, {}, {}};
    g.Last_Player_Index = 0;
    Settings settings(file);
    keepColours(settings, g);
    QFile other(file); // the other copy, a process of its own
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("[keptColours]\n0\\name=Zorn\n0\\colour=#563412\n0\\style=6\n"
                "1\\name=Vell\n1\\colour=#00FF00\n1\\style=2\n");
    other.close();
    QCOMPARE(keptColours(settings).value("Vell"), (KeptColour{0x00FF00, 2}));
    g.Player_Table[0] = {0x0000FF, "Krell", 3, {}, {}};
    keepColours(settings, g);
    Settings again(file);
    const KeptColours kept = keptColours(again);
    QCOMPARE(kept.size(), 3);
    QCOMPARE(kept.value("Zorn"), (KeptColour{0x123456, 6}));
    QCOMPARE(kept.value("Vell"), (KeptColour{0x00FF00, 2}));
    QCOMPARE(kept.value("Krell"), (KeptColour{0x0000FF, 3}));
}

void TestKeptColours::defaultColoursRecolourPlanets()
{
    Universe u;
    applyKeptColours(u.g, {{"Zorn", {0x111111, 0}}, {"Vell", {0x222222, 7}}});
    restoreDefaultColours(u.g);
    for (int slot = 0; slot < kPlayerSlots; ++slot)
        QCOMPARE(u.g.Player_Table[slot].Player_Color, kDefaultPalette[slot].color);
    for (const Star_Object &s : u.g.Star_Table) {
        if (s.Owner == "Vell") {
            QCOMPARE(s.color, std::optional(kDefaultPalette[1].color));
            QCOMPARE(s.Style, std::optional<qint16>(4));
        }
        if (s.Owner.isEmpty())
            QCOMPARE(s.color, std::optional(kWhite));
    }
}

QTEST_MAIN(TestKeptColours)
#include "tst_keptcolours.moc"

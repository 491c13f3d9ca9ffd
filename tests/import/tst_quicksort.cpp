#include "conversions.h"
#include "literalsort.h"
#include "quicksort.h"
#include "runerror.h"

#include <QRandomGenerator>
#include <QTest>

class TestQuickSort : public QObject {
    Q_OBJECT
private slots:
    void examples_data();
    void examples();
    void fieldsMoveTogether();
    void matchesProcedure_data();
    void matchesProcedure();
    void subRange();
    void badRanges();
    void largestTables_data();
    void largestTables();
};

namespace {

QStringList names(const Star_Table_Type &t)
{
    QStringList list;
    for (const Star_Object &s : t)
        list << s.Star_Name;
    return list;
}

Star_Table_Type tableOf(const QStringList &populations)
{
    Star_Table_Type t;
    for (const QString &p : populations) {
        Star_Object &s = t.emplace_back();
        s.Star_Name = QStringLiteral("P%1").arg(t.size() - 1);
        s.population = p;
    }
    return t;
}

enum class Layout {
    Random,
    Wide,
    Sorted,
    Reversed,
    AllEqual,
    Raised,
    Lowered,
    OrganPipe,
    Zeros,
    Regrown, // sorted, then one key in fifty changed: a second report over a sorted table
};

// Keys from a small pool, so that ties, zeros, empty and non-numeric texts are common.
QString pooledKey(QRandomGenerator &random)
{
    static const QStringList pool{"",    "0",  "0",        "1",   "2",  "2.0", "3",    "10",  "100",
                                  "abc", "-4", "7 people", "1e3", " 5", "0.5", "1000", "900", "5"};
    return pool[random.bounded(int(pool.size()))];
}

QStringList keysFor(Layout layout, int n, QRandomGenerator &random)
{
    QStringList keys;
    for (int k = 0; k < n; ++k) {
        switch (layout) {
        case Layout::Wide:
            keys << QString::number(random.bounded(100000));
            break;
        case Layout::AllEqual:
            keys << QStringLiteral("42");
            break;
        case Layout::Zeros:
            keys << (random.bounded(10) == 0 ? QString::number(random.bounded(1, 50)) : QString());
            break;
        default:
            keys << pooledKey(random);
        }
    }
    auto byValue = [](const QString &a, const QString &b) {
        return conv::leadingNumber(a) < conv::leadingNumber(b);
    };
    switch (layout) {
    case Layout::Sorted:
        std::stable_sort(keys.begin(), keys.end(), byValue);
        break;
    case Layout::Reversed:
        std::stable_sort(keys.begin(), keys.end(), byValue);
        std::reverse(keys.begin(), keys.end());
        break;
    case Layout::Raised:
    case Layout::Lowered:
        std::stable_sort(keys.begin(), keys.end(), byValue);
        if (n > 0)
            keys[random.bounded(n)] = layout == Layout::Raised ? "99999" : "-99999";
        break;
    case Layout::OrganPipe:
        std::stable_sort(keys.begin(), keys.end(), byValue);
        std::reverse(keys.begin() + n / 2, keys.end());
        break;
    case Layout::Regrown:
        std::stable_sort(keys.begin(), keys.end(), byValue);
        for (int k = 0; k < n / 50; ++k)
            keys[random.bounded(n)] = pooledKey(random);
        break;
    default:
        break;
    }
    return keys;
}

bool ascending(const Star_Table_Type &t)
{
    for (size_t k = 1; k < t.size(); ++k)
        if (conv::leadingNumber(t[k - 1].population) > conv::leadingNumber(t[k].population))
            return false;
    return true;
}

} // namespace

void TestQuickSort::examples_data()
{
    QTest::addColumn<QStringList>("populations");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("empty counts as zero")
        << QStringList{"300", "", "1200", "50"} << QStringList{"P1", "P3", "P0", "P2"};
    QTest::newRow("numeric, not textual") << QStringList{"1000", "900"} << QStringList{"P1", "P0"};
    QTest::newRow("largest at index 0 ends last")
        << QStringList{"7000", "1", "2", "3", "4"} << QStringList{"P1", "P2", "P3", "P4", "P0"};
    QTest::newRow("worked order of operations")
        << QStringList{"3", "1", "2"} << QStringList{"P1", "P2", "P0"};
    QTest::newRow("equal keys stay") << QStringList{"5", "5"} << QStringList{"P0", "P1"};
    QTest::newRow("equal numbers, different texts")
        << QStringList{"5.0", "5", "05 ships"} << QStringList{"P0", "P1", "P2"};
    QTest::newRow("single planet") << QStringList{"12"} << QStringList{"P0"};
    QTest::newRow("no planets") << QStringList{} << QStringList{};
    // The pivot swaps with the 1 and lands behind its equal: not the order a stable sort gives.
    QTest::newRow("ties reordered by the pivot's travel")
        << QStringList{"2", "2", "1"} << QStringList{"P2", "P1", "P0"};
}

void TestQuickSort::examples()
{
    QFETCH(QStringList, populations);
    QFETCH(QStringList, order);
    Star_Table_Type table = tableOf(populations);
    QuickSort(table);
    QCOMPARE(names(table), order);
}

void TestQuickSort::fieldsMoveTogether()
{
    QRandomGenerator random(7);
    Star_Table_Type table;
    for (int k = 0; k < 200; ++k) {
        Star_Object &s = table.emplace_back();
        s.Star_Name = QStringLiteral("Planet %1").arg(k);
        s.Star_X = QString::number(1000 + k);
        s.Star_Y = QString::number(2000 - k);
        s.Owner = QStringLiteral("Race %1").arg(k % 16);
        s.Starbase = k % 3 ? QString() : QStringLiteral("SB%1").arg(k);
        s.report_age = QString::number(k % 9);
        s.population = pooledKey(random);
        s.color = PackedColor(0x10000 * k + k);
        if (k % 4)
            s.Style = qint16(k % 8);
    }
    Star_Table_Type sorted = table;
    QuickSort(sorted);

    QVERIFY(ascending(sorted));
    QCOMPARE(sorted.size(), table.size());
    std::vector<bool> seen(table.size());
    for (const Star_Object &s : sorted) {
        const int k = s.Star_Name.mid(7).toInt();
        QVERIFY(!seen[k]);
        seen[k] = true;
        QVERIFY2(s == table[k], qPrintable(s.Star_Name));
    }
}

void TestQuickSort::matchesProcedure_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("size");
    QTest::addColumn<quint32>("seed");
    const QList<std::pair<const char *, Layout>> layouts{
        {"random", Layout::Random},       {"wide", Layout::Wide},
        {"sorted", Layout::Sorted},       {"reversed", Layout::Reversed},
        {"all equal", Layout::AllEqual},  {"one raised", Layout::Raised},
        {"one lowered", Layout::Lowered}, {"organ pipe", Layout::OrganPipe},
        {"mostly zeros", Layout::Zeros},
    };
    const QList<int> sizes{2, 3, 4, 5, 7, 10, 17, 33, 64, 100, 257, 600};
    quint32 seed = 1;
    for (const auto &[name, layout] : layouts) {
        for (int size : sizes) {
            const int repeats = size <= 10 ? 30 : 4;
            for (int r = 0; r < repeats; ++r, ++seed)
                QTest::addRow("%s %d #%d", name, size, r) << int(layout) << size << seed;
        }
    }
    QTest::newRow("random 2000") << int(Layout::Random) << 2000 << 9001u;
    QTest::newRow("mostly zeros 2000") << int(Layout::Zeros) << 2000 << 9002u;
    QTest::newRow("wide 5000") << int(Layout::Wide) << 5000 << 9003u;
    QTest::newRow("regrown 3000") << int(Layout::Regrown) << 3000 << 9004u;
    QTest::newRow("regrown 3000, again") << int(Layout::Regrown) << 3000 << 9005u;
}

void TestQuickSort::matchesProcedure()
{
    QFETCH(int, layout);
    QFETCH(int, size);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    Star_Table_Type table = tableOf(keysFor(Layout(layout), size, random));
    Star_Table_Type expected = table;
    literalQuickSortRange(expected, 0, size - 1);
    const TableOrder order = QuickSort(table);
    QCOMPARE(names(table), names(expected));
    // The order names where each record came from: "P7" was at position 7.
    QCOMPARE(order.size(), size_t(size));
    for (int p = 0; p < size; ++p)
        QCOMPARE(QStringLiteral("P%1").arg(order[size_t(p)]), table[size_t(p)].Star_Name);
}

void TestQuickSort::subRange()
{
    QRandomGenerator random(11);
    for (int round = 0; round < 50; ++round) {
        const Star_Table_Type original = tableOf(keysFor(Layout::Random, 40, random));
        const int low = random.bounded(40);
        const int high = random.bounded(low, 40);
        Star_Table_Type table = original;
        Star_Table_Type expected = original;
        if (low < high)
            literalQuickSortRange(expected, low, high);
        QuickSort_Range(table, low, high);
        QCOMPARE(names(table), names(expected));
    }
}

void TestQuickSort::badRanges()
{
    Star_Table_Type table = tableOf({"3", "1", "2"});
    const Star_Table_Type before = table;
    for (auto [low, high] : QList<std::pair<int, int>>{{2, 1}, {-1, 2}, {0, 3}}) {
        try {
            QuickSort_Range(table, low, high);
            QFAIL(qPrintable(QStringLiteral("range %1..%2 accepted").arg(low).arg(high)));
        } catch (const RunError &e) {
            QCOMPARE(e.number(), int(RunError::SubscriptOutOfRange));
        }
    }
    QVERIFY(table == before);

    // A population beyond a double fails before anything has moved.
    table.push_back(tableOf({"1e999"}).front());
    const Star_Table_Type withHuge = table;
    QVERIFY_THROWS_EXCEPTION(RunError, QuickSort(table));
    QVERIFY(table == withHuge);
}

// Layouts that drive a naive version to the full depth of the table. With distinct keys the
// ascending order is the only possible result.
void TestQuickSort::largestTables_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("distinct");
    QTest::newRow("sorted") << int(Layout::Sorted) << true;
    QTest::newRow("reversed") << int(Layout::Reversed) << true;
    QTest::newRow("one raised") << int(Layout::Raised) << true;
    QTest::newRow("organ pipe") << int(Layout::OrganPipe) << true;
    QTest::newRow("all equal") << int(Layout::AllEqual) << false;
    QTest::newRow("mostly zeros") << int(Layout::Zeros) << false;
}

void TestQuickSort::largestTables()
{
    QFETCH(int, layout);
    QFETCH(bool, distinct);
    QRandomGenerator random(5);
    QStringList keys;
    if (distinct) {
        for (int k = 0; k < kMaxPlanets; ++k)
            keys << QString::number(k);
        if (Layout(layout) == Layout::Reversed)
            std::reverse(keys.begin(), keys.end());
        else if (Layout(layout) == Layout::Raised)
            keys[1234] = QStringLiteral("99999");
        else if (Layout(layout) == Layout::OrganPipe)
            std::reverse(keys.begin() + kMaxPlanets / 2, keys.end());
    } else {
        keys = keysFor(Layout(layout), kMaxPlanets, random);
    }
    Star_Table_Type table = tableOf(keys);
    QuickSort(table);
    QVERIFY(ascending(table));

    QStringList sortedNames = names(table);
    std::sort(sortedNames.begin(), sortedNames.end());
    QStringList allNames = names(tableOf(keys));
    std::sort(allNames.begin(), allNames.end());
    QCOMPARE(sortedNames, allNames);
    if (Layout(layout) == Layout::AllEqual)
        QCOMPARE(names(table), names(tableOf(keys)));
}

QTEST_GUILESS_MAIN(TestQuickSort)
#include "tst_quicksort.moc"

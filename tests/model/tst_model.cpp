#include "conversions.h"
#include "records.h"
#include "runerror.h"

#include <QTest>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>
#include <limits>

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data();
    void leadingNumber();
    void strictNumber_data();
    void strictNumber();
    void int16Rounding();
    void floorAndPlainText();
    void decimalTexts();
    void groupedNumbers_data();
    void groupedNumbers();
    void errorMessages();
    void startupState();
};

void TestModel::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("word") << "abc" << 0.0;
    QTest::newRow("plain") << "1200" << 1200.0;
    QTest::newRow("trailing text") << "1200 people" << 1200.0;
    QTest::newRow("leading blanks") << "  \t42" << 42.0;
    QTest::newRow("negative") << "-17x" << -17.0;
    QTest::newRow("fraction") << "2.5e3k" << 2500.0;
    QTest::newRow("lone dot") << "." << 0.0;
    QTest::newRow("dot fraction") << ".5" << 0.5;
    QTest::newRow("exponent without digits") << "12e" << 12.0;
    QTest::newRow("comma stops") << "12,5" << 12.0;
    QTest::newRow("underflow is zero") << "1e-999" << 0.0;
    QTest::newRow("underflow in zeros after the point")
        << "0." + QString(400, u'0') + "1" << 0.0;
    QTest::newRow("underflow of a long mantissa") << QString(400, u'9') + "e-800" << 0.0;
    QTest::newRow("zero with a huge exponent") << "0.000e99999" << 0.0;
    QTest::newRow("400 digits back in range") << "1" + QString(400, u'0') + "e-400" << 1.0;
}

void TestModel::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(conv::leadingNumber(text), value);
}

void TestModel::strictNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error"); // 0: converts
    QTest::newRow("integer") << "1050" << 1050.0 << 0;
    QTest::newRow("blanks around") << " 1050 " << 1050.0 << 0;
    QTest::newRow("negative fraction") << "-12.75" << -12.75 << 0;
    QTest::newRow("empty") << "" << 0.0 << 13;
    QTest::newRow("comma decimal") << "12,5" << 0.0 << 13;
    QTest::newRow("trailing letters") << "12a" << 0.0 << 13;
    QTest::newRow("word") << "north" << 0.0 << 13;
    QTest::newRow("too large") << "1e400" << 0.0 << 6;
    // Too many digits overflow like a large exponent does, whatever the mantissa's length.
    QTest::newRow("400 nines") << QString(400, u'9') << 0.0 << 6;
    QTest::newRow("1 and 400 zeros") << "1" + QString(400, u'0') << 0.0 << 6;
    QTest::newRow("400 nines, negative") << "-" + QString(400, u'9') + ".5" << 0.0 << 6;
    QTest::newRow("small mantissa, huge exponent") << "0.0001e99999999999999999999" << 0.0 << 6;
    QTest::newRow("400 zeros after the point") << "0." + QString(400, u'0') + "7" << 0.0 << 0;
    QTest::newRow("tiny exponent") << "1e-400" << 0.0 << 0;
}

void TestModel::strictNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, error);
    try {
        const double got = conv::strictNumber(text);
        QVERIFY2(error == 0, "expected a failure");
        QCOMPARE(got, value);
    } catch (const RunError &e) {
        QCOMPARE(e.number(), error);
    }
}

void TestModel::int16Rounding()
{
    QCOMPARE(conv::toInt16(12.5), qint16(12));
    QCOMPARE(conv::toInt16(13.5), qint16(14));
    QCOMPARE(conv::toInt16(-12.5), qint16(-12));
    QCOMPARE(conv::toInt16(1400.5), qint16(1400));
    QCOMPARE(conv::toInt16(1401.5), qint16(1402));
    QCOMPARE(conv::toInt16(12.6), qint16(13));
    QCOMPARE(conv::toInt16(32767.4), qint16(32767));
    QCOMPARE(conv::toInt16(-32768.5), qint16(-32768));
    // Whole numbers, the short path, up to both ends of the range.
    QCOMPARE(conv::toInt16(1050.0), qint16(1050));
    QCOMPARE(conv::toInt16(-1.0), qint16(-1));
    QCOMPARE(conv::toInt16(-0.0), qint16(0));
    QCOMPARE(conv::toInt16(32767.0), qint16(32767));
    QCOMPARE(conv::toInt16(-32768.0), qint16(-32768));

    for (double bad : {32767.5, -32768.6, 40000.0, 32768.0, -32769.0,
                       std::numeric_limits<double>::quiet_NaN()}) {
        try {
            conv::toInt16(bad);
            QFAIL(qPrintable(QStringLiteral("%1 converted").arg(bad)));
        } catch (const RunError &e) {
            QCOMPARE(e.number(), int(RunError::Overflow));
        }
    }
    QCOMPARE(conv::checkedInt16(-32768), qint16(-32768));
    QVERIFY_THROWS_EXCEPTION(RunError, conv::checkedInt16(32768));
}

void TestModel::floorAndPlainText()
{
    QCOMPARE(conv::floorWhole(-2.5f), -3.0f);
    QCOMPARE(conv::floorWhole(-0.5f), -1.0f);
    QCOMPARE(conv::floorWhole(1234.7f), 1234.0f);

    QCOMPARE(conv::plainNumber(1200), QStringLiteral("1200"));
    QCOMPARE(conv::plainNumber(0), QStringLiteral("0"));
    QCOMPARE(conv::plainNumber(2.5), QStringLiteral("2.5"));
    QCOMPARE(conv::plainNumber(-3), QStringLiteral("-3"));
    QCOMPARE(conv::plainNumber(1e20), QStringLiteral("100000000000000000000"));
    // The shortest text that reads back as the same double, never binary noise.
    QCOMPARE(conv::plainNumber(12.3), QStringLiteral("12.3"));
    QCOMPARE(conv::plainNumber(1234567.891), QStringLiteral("1234567.891"));
    QCOMPARE(conv::plainNumber(0.1 + 0.2), QStringLiteral("0.30000000000000004"));
    QCOMPARE(conv::plainNumber(-0.0), QStringLiteral("0"));
    QCOMPARE(conv::plainNumber(1e-7), QStringLiteral("0.0000001"));
    QCOMPARE(conv::plainNumber(123456789012345678.0), QStringLiteral("123456789012345680"));

    // Any double, the extremes included: fixed notation that reads back exactly, and no
    // longer than a text that is typed with up to 15 significant digits.
    std::mt19937_64 random(11);
    std::vector<double> values = {std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min(),
                                  -std::numeric_limits<double>::min()};
    for (int i = 0; i < 2000; ++i) {
        double value;
        const quint64 bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (const double value : values) {
        const QString text = conv::plainNumber(value);
        QVERIFY2(!text.contains(u'e') && !text.contains(u'E'), qPrintable(text));
        QCOMPARE(conv::strictNumber(text), value);
    }
    for (int i = 0; i < 2000; ++i) {
        // Up to 15 digits, the last not 0, with the point anywhere: "7", "1.25", "0.0304".
        const int digits = 1 + int(random() % 15);
        QString typed;
        for (int d = 0; d < digits; ++d)
            typed += QChar(u'0' + int(d == digits - 1 ? 1 + random() % 9 : random() % 10));
        const int decimals = int(random() % (digits + 3));
        if (decimals > 0) {
            typed = QString(std::max(0, decimals - digits + 1), u'0') + typed;
            typed.insert(typed.size() - decimals, u'.');
        }
        while (typed.size() > 1 && typed[0] == u'0' && typed[1] != u'.')
            typed.remove(0, 1);
        QCOMPARE(conv::plainNumber(conv::strictNumber(typed)), typed);
    }
}

// Every decimal text of 0 to 32767 comes back as it was given and ended by a NUL, however
// it is made; any other text is a string of its own with the same characters.
void TestModel::decimalTexts()
{
    for (int value = 0; value <= 32767; ++value) {
        const QString given = QString::number(value);
        const QString shared = conv::decimalText(given);
        if (shared != given || shared.constData()[shared.size()] != QChar(0))
            QFAIL(qPrintable(given));
    }
    for (const QString &text : {QStringLiteral("01050"), QStringLiteral("32768"),
                                QStringLiteral("-5"), QStringLiteral(" 12"), QStringLiteral("1.5"),
                                QString(), QStringLiteral("x")})
        QCOMPARE(conv::decimalText(text), text);
}

void TestModel::groupedNumbers_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("grouped");
    QTest::newRow("English") << "en_US" << "103423710" << "103,423,710";
    QTest::newRow("German") << "de_DE" << "103423710" << "103.423.710";
    QTest::newRow("German fraction") << "de_DE" << "1234567.891" << "1.234.567,891";
    QTest::newRow("Swiss") << "de_CH" << "1234567" << QString::fromUtf8("1’234’567");
    QTest::newRow("Indian") << "en_IN" << "10000000" << "1,00,00,000";
    QTest::newRow("negative") << "en_US" << "-2500.5" << "-2,500.5";
    QTest::newRow("short") << "en_US" << "999" << "999";
    QTest::newRow("zero") << "de_DE" << "0" << "0";
    // Past 64 bits the locale's separator, three by three.
    QTest::newRow("huge") << "de_DE" << "1e20" << "100.000.000.000.000.000.000";
    // C, as for scripts: no grouping at all.
    QTest::newRow("C") << "C" << "103423710.25" << "103423710.25";
    QTest::newRow("C, huge") << "C" << "1e20" << "100000000000000000000";
    // Text that is not one number stays as typed.
    QTest::newRow("words") << "en_US" << "1200 people" << "1200 people";
    QTest::newRow("empty") << "en_US" << "" << "";
    QTest::newRow("blanks around") << "en_US" << " 16634 " << "16,634";
}

void TestModel::groupedNumbers()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QString, grouped);
    const QLocale l(locale);
    QCOMPARE(conv::groupedText(text, l), grouped);
    if (text != grouped || text == u"0")
        QCOMPARE(conv::groupedNumber(conv::strictNumber(text), l), grouped);
}

void TestModel::errorMessages()
{
    RunError missing(RunError::FileNotFound);
    QCOMPARE(missing.message(), QStringLiteral("Error!!! 53 File not found"));

    RunError bad(RunError::TypeMismatch, QStringLiteral("X \"a\" is not a number"));
    bad.at(QStringLiteral("/tmp/u.map"), 7);
    QCOMPARE(bad.number(), 13);
    QCOMPARE(bad.line(), 7);
    QCOMPARE(bad.message(),
             QStringLiteral("Error!!! 13 Type mismatch: X \"a\" is not a number "
                            "(line 7 of /tmp/u.map)"));
    QCOMPARE(QString::fromUtf8(bad.what()), bad.message());
    QCOMPARE(RunError::standardText(9), QStringLiteral("Subscript out of range"));
}

void TestModel::startupState()
{
    Globals g;
    QVERIFY(g.Star_Table.empty());
    QCOMPARE(g.Last_Star_Index, qint16(-1));
    QCOMPARE(g.Last_Player_Index, qint16(-1));
    QVERIFY(!g.Map_Loaded);
    QVERIFY(!g.View_Zoom.has_value());
    QVERIFY(!g.View_Center_X.has_value());
    QCOMPARE(g.Zoom_Steps, qint16(10));
    for (const Player_Object &p : g.Player_Table) {
        QVERIFY(p.Player_Name.isEmpty());
        QVERIFY(!p.Player_Population && !p.Player_Starbases);
    }
    const Star_Object empty;
    QVERIFY(!empty.color && !empty.Style && empty.Owner.isEmpty());

    g.Zoom_Step = 4;
    g.Map_Loaded = true;
    g.applyStartupValues();
    QCOMPARE(g.Zoom_Step, qint16(0));
    QVERIFY(!g.Map_Loaded);

    // A 16-bit centre takes a number as the platform would: half to even, no wrap.
    g.setViewCenterY(12.6);
    QCOMPARE(g.View_Center_Y, qint16(13));
    g.setViewCenterY(1400.5);
    QCOMPARE(g.View_Center_Y, qint16(1400));
    QVERIFY_THROWS_EXCEPTION(RunError, g.setViewCenterY(32768));
    QCOMPARE(g.View_Center_Y, qint16(1400));
    g.View_Center_X = 12.6;
    QCOMPARE(*g.View_Center_X, 12.6);
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"

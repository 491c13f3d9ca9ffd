#include "palette.h"
#include "tables.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

class TestTables : public QObject {
    Q_OBJECT
private slots:
    void formatNames();
    void tsvAsTheCommandLineAlwaysWroteIt();
    void awkwardTextSurvivesEveryFormat_data();
    void awkwardTextSurvivesEveryFormat();
    void jsonNumbers_data();
    void jsonNumbers();
    void jsonKeepsEveryDigit();
    void raceTableInJson();
    void emptyTables();
    void bytesAsPlainTextWouldBe();
    void nearTable();
    void oddCellsReadBack();
};

namespace {

// An RFC 4180 reader, written from the RFC: quoted fields may hold commas, doubled quotes
// and line ends; records end with CR LF.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            if (!field.isEmpty())
                qFatal("a quote inside an unquoted field");
            quoted = true;
        } else if (c == u',') {
            record.append(field);
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record.append(field);
            field.clear();
            records.append(record);
            record.clear();
            ++i;
        } else {
            if (c == u'\n' || c == u'\r')
                qFatal("a bare line end outside quotes");
            field += c;
        }
    }
    if (quoted || !field.isEmpty() || !record.isEmpty())
        qFatal("the last record is not ended by CR LF");
    return records;
}

// Undoes the tab-separated form's escapes. A line ends at LF, CR or CR LF, as in most
// readers (Python's text files, spreadsheets).
QList<QStringList> parseTsv(const QString &text)
{
    QList<QStringList> records;
    for (const QString &line : text.split(QRegularExpression("\r\n|\r|\n"), Qt::SkipEmptyParts)) {
        QStringList record;
        for (const QString &cell : line.split(u'\t')) {
            QString plain;
            for (qsizetype i = 0; i < cell.size(); ++i) {
                if (cell[i] == u'\\' && i + 1 < cell.size()) {
                    const QChar next = cell[++i];
                    plain += next == u't'   ? QChar(u'\t')
                             : next == u'n' ? QChar(u'\n')
                             : next == u'r' ? QChar(u'\r')
                                            : next;
                } else {
                    plain += cell[i];
                }
            }
            record.append(plain);
        }
        records.append(record);
    }
    return records;
}

Globals universe(const QString &planetName, const QString &raceName)
{
    Globals g;
    Initialize_Colors(g);
    g.Star_Table = {{planetName, "1000", "1200", raceName, "SB", "3", "1200", 0x0000FF, 4},
                    {"Plain", "1100", "1300", "", "", "", "", kWhite, {}}};
    g.Last_Star_Index = 1;
    g.Player_Table[0].Player_Name = raceName;
    g.Player_Table[0].Player_Population = 12.5;
    g.Last_Player_Index = 0;
    return g;
}

} // namespace

void TestTables::formatNames()
{
    QCOMPARE(tableFormatNamed(u"tsv"), std::optional(TableFormat::Tsv));
    QCOMPARE(tableFormatNamed(u"csv"), std::optional(TableFormat::Csv));
    QCOMPARE(tableFormatNamed(u"json"), std::optional(TableFormat::Json));
    QCOMPARE(tableFormatNamed(u"JSON"), std::nullopt);
    QCOMPARE(tableFormatNamed(u""), std::nullopt);
}

void TestTables::tsvAsTheCommandLineAlwaysWroteIt()
{
    const Globals g = universe("Tab\there\\", "Zorn");
    QCOMPARE(formatTable(planetTable(g), TableFormat::Tsv),
             QStringLiteral("index\tname\tx\ty\towner\tstarbase\treport_age\tpopulation\tcolor\tstyle"
                            "\tmarker\tnote\n"
                            "0\tTab\\there\\\\\t1000\t1200\tZorn\tSB\t3\t1200\t#FF0000\t4\t\t\n"
                            "1\tPlain\t1100\t1300\t\t\t\t\t#FFFFFF\t\t\t\n"));
    QCOMPARE(formatTable(raceTable(g), TableFormat::Tsv),
             QStringLiteral("slot\tname\tcolor\tstyle\tpopulation\tstarbases\n"
                            "0\tZorn\t#0000FF\t4\t12.5\t\n"));
}

void TestTables::awkwardTextSurvivesEveryFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("tab") << "Alpha\tBeta";
    QTest::newRow("quotes") << "\"Quoted\" and \"more\"";
    QTest::newRow("commas") << "One, two,, three,";
    QTest::newRow("backslashes") << "C:\\stars\\\\n";
    QTest::newRow("newline") << "Line one\nline two\n";
    QTest::newRow("carriage return") << "Old\r\nstyle\r";
    QTest::newRow("control and unicode") << QString("Bell\x07 Ωmega ☄ \u00e9");
    QTest::newRow("only a quote") << "\"";
    QTest::newRow("blank") << " ";
}

// Whatever a name or a note holds, a reader of each format gets the same text back.
void TestTables::awkwardTextSurvivesEveryFormat()
{
    QFETCH(QString, name);
    Globals g = universe(name, name + "'s race");
    g.notes.set(*NotesStore::keyOf(g.Star_Table[0]), {Marker::Target, name + " note"});
    const Table planets = planetTable(g);

    const QList<QStringList> tsv = parseTsv(formatTable(planets, TableFormat::Tsv));
    QCOMPARE(tsv.size(), 3);
    QCOMPARE(tsv[1][1], name);
    QCOMPARE(tsv[1][4], name + "'s race");
    QCOMPARE(tsv[1][11], name + " note");

    const QList<QStringList> csv = parseCsv(formatTable(planets, TableFormat::Csv));
    QCOMPARE(csv.size(), 3);
    QCOMPARE(csv[0].size(), 12);
    QCOMPARE(csv[1], (QStringList{"0", name, "1000", "1200", name + "'s race", "SB", "3", "1200",
                                  "#FF0000", "4", "target", name + " note"}));
    QCOMPARE(csv[2].mid(10), (QStringList{"", ""})); // no note: empty cells

    QJsonParseError error;
    const QJsonDocument json =
        QJsonDocument::fromJson(formatTable(planets, TableFormat::Json).toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject first = json.array()[0].toObject();
    QCOMPARE(first["name"].toString(), name);
    QCOMPARE(first["owner"].toString(), name + "'s race");
    QCOMPARE(first["note"].toString(), name + " note");
    QCOMPARE(first["marker"].toString(), QStringLiteral("target"));

    const QJsonDocument races =
        QJsonDocument::fromJson(formatTable(raceTable(g), TableFormat::Json).toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(races.array()[0].toObject()["name"].toString(), name + "'s race");
    QCOMPARE(parseCsv(formatTable(raceTable(g), TableFormat::Csv))[1][1], name + "'s race");
}

void TestTables::jsonNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QJsonValue>("expected");
    QTest::newRow("digits") << "1200" << QJsonValue(1200);
    QTest::newRow("leading zeros") << "007" << QJsonValue(7);
    QTest::newRow("zero") << "0" << QJsonValue(0);
    QTest::newRow("fraction") << "12.5" << QJsonValue(12.5);
    QTest::newRow("exponent") << "1e3" << QJsonValue(1000);
    QTest::newRow("blanks around") << " 42 " << QJsonValue(42);
    QTest::newRow("more digits than a double holds") << "12345678901234567890"
                                                     << QJsonValue(12345678901234567890.0);
    QTest::newRow("empty") << "" << QJsonValue(QJsonValue::Null);
    QTest::newRow("not a number stays text") << "1200 people" << QJsonValue("1200 people");
    QTest::newRow("word") << "abc" << QJsonValue("abc");
}

void TestTables::jsonNumbers()
{
    QFETCH(QString, text);
    QFETCH(QJsonValue, expected);
    Globals g = universe("Alpha", "Zorn");
    g.Star_Table[0].population = text;
    const QString json = formatTable(planetTable(g), TableFormat::Json);
    QJsonParseError error;
    const QJsonArray rows = QJsonDocument::fromJson(json.toUtf8(), &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(rows[0].toObject()["population"], expected);
    // The other number fields are numbers, an unset colour or style null.
    QCOMPARE(rows[0].toObject()["x"], QJsonValue(1000));
    QCOMPARE(rows[0].toObject()["index"], QJsonValue(0));
    QCOMPARE(rows[0].toObject()["style"], QJsonValue(4));
    QCOMPARE(rows[0].toObject()["color"], QJsonValue("#FF0000"));
    QCOMPARE(rows[1].toObject()["style"], QJsonValue(QJsonValue::Null));
    QCOMPARE(rows[1].toObject()["report_age"], QJsonValue(QJsonValue::Null));
    // An empty owner or starbase is null as well: no owner, no starbase.
    QCOMPARE(rows[1].toObject()["owner"], QJsonValue(QJsonValue::Null));
    QCOMPARE(rows[1].toObject()["starbase"], QJsonValue(QJsonValue::Null));
    QCOMPARE(rows[0].toObject()["starbase"], QJsonValue("SB"));
}

// A number is printed from its own digits, so none is lost to a double on the way.
void TestTables::jsonKeepsEveryDigit()
{
    Globals g = universe("Alpha", "Zorn");
    for (const char *number : {"12345678901234567890", "-0.000000000000000000001",
                               "123456789012345678901234567890.5e-3", "1E+400"}) {
        g.Star_Table[0].population = QString::fromLatin1(number);
        const QString json = formatTable(planetTable(g), TableFormat::Json);
        QVERIFY2(json.contains(QStringLiteral("\"population\":%1,").arg(number)), qPrintable(json));
    }
    // What JSON does not write so is read as a number and printed plainly, as before.
    g.Star_Table[0].population = QStringLiteral("+.5");
    QVERIFY(formatTable(planetTable(g), TableFormat::Json).contains(u"\"population\":0.5,"));
}

void TestTables::raceTableInJson()
{
    Globals g = universe("Alpha", "Zorn");
    g.Player_Table[1].Player_Name = "Vell";
    g.Player_Table[1].Player_Starbases = 3;
    g.Last_Player_Index = 1;
    const QJsonArray rows =
        QJsonDocument::fromJson(formatTable(raceTable(g), TableFormat::Json).toUtf8()).array();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].toObject(),
             (QJsonObject{{"slot", 0}, {"name", "Zorn"}, {"color", "#0000FF"}, {"style", 4},
                          {"population", 12.5}, {"starbases", QJsonValue::Null}}));
    QCOMPARE(rows[1].toObject()["population"], QJsonValue(QJsonValue::Null));
    QCOMPARE(rows[1].toObject()["starbases"], QJsonValue(3));
}

void TestTables::emptyTables()
{
    const Globals g;
    QCOMPARE(formatTable(raceTable(g), TableFormat::Json), QStringLiteral("[\n]\n"));
    QCOMPARE(QJsonDocument::fromJson(formatTable(planetTable(g), TableFormat::Json).toUtf8())
                 .array()
                 .size(),
             0);
    QCOMPARE(formatTable(raceTable(g), TableFormat::Csv),
             QStringLiteral("slot,name,color,style,population,starbases\r\n"));
}

// The tables written straight into bytes against the plain way: each cell as a string,
// escaped with QString operations, the lines joined, then converted with toUtf8(). Random
// names and fields mix ASCII with accents, symbols, pairs of UTF-16 halves, a lone half and
// every character the formats escape.
void TestTables::bytesAsPlainTextWouldBe()
{
    const QString pieces[] = {"a", "Zorn", "\t", "\\", "\t", "\n", "\r", ",", "\"", " ",
                              "\u00e9", "\u03a9", "\u2604", "\U0001F680", QString(QChar(0xD800)),
                              "12", "0", "-3.5"};
    QRandomGenerator random(25);
    auto text = [&] {
        QString t;
        for (int n = int(random.bounded(5)); n > 0; --n)
            t += pieces[random.bounded(int(std::size(pieces)))];
        return t;
    };
    Globals g;
    for (int i = 0; i < 300; ++i) {
        Star_Object s{text(), text(), text(), text(), text(), text(), text(), {}, {}};
        if (random.bounded(2))
            s.color = random.generate() & 0xFFFFFF;
        if (random.bounded(2))
            s.Style = qint16(random.bounded(8));
        g.Star_Table.push_back(s);
    }
    for (int slot = 0; slot < kPlayerSlots; ++slot) {
        Player_Object &p = g.Player_Table[size_t(slot)];
        p.Player_Name = text();
        p.Player_Color = random.generate() & 0xFFFFFF;
        p.Player_Style = qint16(random.bounded(8));
        if (random.bounded(2))
            p.Player_Population = random.bounded(1e9);
    }
    g.Last_Player_Index = kPlayerSlots - 1;

    auto plainSeparated = [](const Table &t, const QString &separator, const QString &end,
                             auto escape) {
        QStringList lines;
        QStringList header;
        for (const TableColumn &c : t.columns)
            header << escape(c.name);
        lines << header.join(separator);
        for (qsizetype row = 0; row < t.rowCount(); ++row) {
            QStringList cells;
            for (qsizetype c = 0; c < t.columns.size(); ++c)
                cells << escape(t.cells[size_t(row * t.columns.size() + c)]);
            lines << cells.join(separator);
        }
        return (lines.join(end) + end).toUtf8();
    };
    auto tsv = [](QString cell) {
        return cell.replace("\\", "\\\\")
            .replace("\t", "\\t")
            .replace("\n", "\\n")
            .replace("\r", "\\r");
    };
    auto csv = [](QString cell) {
        if (!cell.contains(',') && !cell.contains('"') && !cell.contains('\n') &&
            !cell.contains('\r'))
            return cell;
        return '"' + cell.replace("\"", "\"\"") + '"';
    };
    for (const Table &table : {planetTable(g), raceTable(g)}) {
        const bool planets = table.columns.size() == 12;
        auto bytes = [&](TableFormat f) {
            return planets ? planetTableBytes(g, f) : raceTableBytes(g, f);
        };
        QCOMPARE(table.rowCount(), planets ? 300 : kPlayerSlots);
        QCOMPARE(bytes(TableFormat::Tsv), plainSeparated(table, "\t", "\n", tsv));
        QCOMPARE(bytes(TableFormat::Csv), plainSeparated(table, ",", "\r\n", csv));
        QCOMPARE(bytes(TableFormat::Json), formatTable(table, TableFormat::Json).toUtf8());
        QJsonParseError error;
        const QJsonArray rows = QJsonDocument::fromJson(bytes(TableFormat::Json), &error).array();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(rows.size(), table.rowCount());
        for (qsizetype row = 0; row < table.rowCount(); ++row) {
            const QString name = table.cells[size_t(row * table.columns.size() + 1)];
            if (!name.contains(QChar(0xD800)))
                QCOMPARE(rows[row].toObject()["name"].toString(), name);
        }
    }
}

// --near's rows in the order given, with their distance last, a number in JSON.
void TestTables::nearTable()
{
    const Globals g = universe("Alpha", "Zorn");
    const Table near = planetTable(g, {{1, 0}, {0, 141.42135}});
    const QString tsv = formatTable(near, TableFormat::Tsv);
    QVERIFY(tsv.startsWith(QStringLiteral("index\tname\tx\ty\towner\tstarbase\treport_age\t"
                                          "population\tcolor\tstyle\tmarker\tnote\tdistance\n"
                                          "1\tPlain\t")));
    QVERIFY(tsv.endsWith(QStringLiteral("\t4\t\t\t141.4\n")));
    const QJsonArray rows = QJsonDocument::fromJson(formatTable(near, TableFormat::Json).toUtf8()).array();
    QCOMPARE(rows[0].toObject()["distance"], QJsonValue(0));
    QCOMPARE(rows[1].toObject()["distance"], QJsonValue(141.4));
    QCOMPARE(formatTable(planetTable(g, {}), TableFormat::Csv).count(QStringLiteral("\r\n")), 1);
}

// What strict readers trip on: an empty cell alone on its line (read as no record), and a
// lone half of a UTF-16 pair, which has no UTF-8 form.
void TestTables::oddCellsReadBack()
{
    Table one;
    one.columns = {{"name", TableColumn::Text}};
    one.addRow({""});
    one.addRow({"a"});
    QCOMPARE(formatTable(one, TableFormat::Csv), QStringLiteral("name\r\n\"\"\r\na\r\n"));
    QCOMPARE(parseCsv(formatTable(one, TableFormat::Csv)),
             (QList<QStringList>{{"name"}, {""}, {"a"}}));

    one.cells = {QString(QChar(0xD800)) + u'x' + QString::fromUtf16(u"\U0001F600")};
    const QString json = formatTable(one, TableFormat::Json);
    QVERIFY2(json.contains(QStringLiteral("\"name\":\"\\ud800x\U0001F600\"")), qPrintable(json));
}

QTEST_GUILESS_MAIN(TestTables)
#include "tst_tables.moc"

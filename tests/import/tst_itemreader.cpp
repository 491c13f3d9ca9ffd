#include "dumpfile.h"
#include "itemreader.h"
#include "runerror.h"
#include "testfiles.h"

#include <QFileInfo>
#include <QTest>

class TestItemReader : public QObject {
    Q_OBJECT
private slots:
    void items_data();
    void items();
    void lineNumbers();
    void pastEnd();
    void tabsFoundWhileReading();
    void decoding();
    void unreadableFiles();
    void wholeFilesRead();
};

static QStringList readAll(const QString &text)
{
    ItemReader reader(text);
    QStringList items;
    while (!reader.atEnd())
        items << reader.next().toString();
    return items;
}

void TestItemReader::items_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("lines") << "head\na\tb\nc" << QStringList{"head", "a\tb", "c"};
    QTest::newRow("trailing line end") << "head\na\n" << QStringList{"head", "a"};
    QTest::newRow("crlf") << "head\r\na\r\nb\r\n" << QStringList{"head", "a", "b"};
    QTest::newRow("lone cr") << "head\ra\rb" << QStringList{"head", "a", "b"};
    QTest::newRow("comma splits") << "h\n7\t1\t2\tAlpha, b\n"
                                  << QStringList{"h", "7\t1\t2\tAlpha", "b"};
    QTest::newRow("leading spaces skipped, tabs kept") << "h\n   \tx \n"
                                                       << QStringList{"h", "\tx "};
    QTest::newRow("blank line is an empty item") << "h\n\na\n" << QStringList{"h", "", "a"};
    QTest::newRow("quoted keeps comma") << "h\n\"7\t1\t2\tAlpha, b\"\n"
                                        << QStringList{"h", "7\t1\t2\tAlpha, b"};
    QTest::newRow("text after closing quote dropped") << "h\n\"ab\"cd,e\n"
                                                      << QStringList{"h", "ab", "e"};
    QTest::newRow("unclosed quote ends with its line") << "h\n\"ab\ncd\n"
                                                       << QStringList{"h", "ab", "cd"};
    // The quote closed on the next line does not join the two lines: the first item is cut
    // at its line end, and the closing quote is an ordinary character of the next item.
    QTest::newRow("quote closed on a later line") << "h\n\"ab, c\nd\", e\n"
                                                  << QStringList{"h", "ab, c", "d\"", "e"};
    QTest::newRow("comma before line end") << "h\na,\nb" << QStringList{"h", "a", "", "b"};
}

void TestItemReader::items()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QCOMPARE(readAll(text), items);
}

void TestItemReader::lineNumbers()
{
    const QString text = QStringLiteral("h\r\na,b\n\n\"q\nz");
    ItemReader reader(text);
    QList<int> lines;
    while (!reader.atEnd()) {
        reader.next();
        lines << reader.line();
    }
    QCOMPARE(lines, (QList<int>{1, 2, 2, 3, 4, 5}));
}

void TestItemReader::pastEnd()
{
    ItemReader reader(u"");
    QVERIFY(reader.atEnd());
    try {
        reader.next();
        QFAIL("read past the end");
    } catch (const RunError &e) {
        QCOMPARE(e.number(), int(RunError::InputPastEnd));
    }
}

// The rules above, one character at a time and with nothing shared with the reader,
// which looks at many characters at once.
struct PlainItem {
    QString text;
    int line;
};

static QList<PlainItem> plainItems(const QString &text)
{
    const auto isLineEnd = [](QChar c) { return c == u'\n' || c == u'\r'; };
    QList<PlainItem> items;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    int line = 1;
    while (pos < n) {
        while (pos < n && text[pos] == u' ')
            ++pos;
        PlainItem item{{}, line};
        const bool quoted = pos < n && text[pos] == u'"';
        if (quoted) {
            for (++pos; pos < n && text[pos] != u'"' && !isLineEnd(text[pos]); ++pos)
                item.text += text[pos];
            if (pos < n && text[pos] == u'"')
                ++pos;
        }
        for (; pos < n && text[pos] != u',' && !isLineEnd(text[pos]); ++pos) {
            if (!quoted)
                item.text += text[pos];
        }
        if (pos < n && text[pos] == u',') {
            ++pos;
        } else if (pos < n) {
            pos += text[pos] == u'\r' && pos + 1 < n && text[pos + 1] == u'\n' ? 2 : 1;
            ++line;
        }
        items << item;
    }
    return items;
}

// Random texts long enough to cross many of the stretches the reader takes at once, with
// characters whose low byte is a comma, a line end or a tab (U+012C, U+010A, U+010D, U+0109)
// or that have the top bit set (U+800A): the reader gives the items, lines and first tabs
// that the rules give, and the same items whether asked for tabs or not.
void TestItemReader::tabsFoundWhileReading()
{
    // Letters mostly, so that many items are longer than a few characters.
    const QString alphabet = QStringLiteral("abcdefghijklmnopqrst\t\t\t\t,\n\r \"")
                             + QChar(0x012C) + QChar(0x010A) + QChar(0x010D) + QChar(0x0109)
                             + QChar(0x800A) + QChar(0x00E4);
    quint32 seed = 12345;
    auto nextRandom = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    for (int round = 0; round < 2000; ++round) {
        QString text;
        const int length = int(nextRandom() % 400);
        // Some texts have long stretches without any stop, so that an item spans several.
        const int letters = round % 4 == 0 ? 20 : int(alphabet.size());
        for (int i = 0; i < length; ++i)
            text += alphabet[int(nextRandom() % letters)];
        const QList<PlainItem> expected = plainItems(text);
        ItemReader plain(text), withTabs(text);
        for (const PlainItem &want : expected) {
            QCOMPARE(plain.next(), want.text);
            QCOMPARE(plain.line(), want.line);
            ItemTabs tabs;
            QCOMPARE(withTabs.next(tabs), want.text);
            QCOMPARE(withTabs.line(), want.line);
            qsizetype positions[ItemTabs::kMost];
            const int count = findTabs(want.text, positions, ItemTabs::kMost);
            QCOMPARE(tabs.count, count);
            for (int k = 0; k < count; ++k)
                QCOMPARE(tabs.at[k], positions[k]);
        }
        QVERIFY(plain.atEnd());
        QVERIFY(withTabs.atEnd());
    }
}

void TestItemReader::decoding()
{
    QCOMPARE(decodeDump("Caf\xC3\xA9"), QStringLiteral("Café"));
    QCOMPARE(decodeDump("\xEF\xBB\xBFhead"), QStringLiteral("head"));
    // Not valid UTF-8: read as Windows-1252, where 0x80 is the euro sign.
    QCOMPARE(decodeDump("Caf\xE9 \x80"), QStringLiteral("Café €"));
    QCOMPARE(decodeDump(QByteArray("\xFF\xFEh\0i\0", 6)), QStringLiteral("hi"));
    QCOMPARE(decodeDump(QByteArray("\xFE\xFF\0h\0i", 6)), QStringLiteral("hi"));
    QCOMPARE(decodeDump(QByteArray("a\0b", 3)).size(), 3);
    // UTF-16 without a byte-order mark, as some editors save "Unicode" text.
    const QString text = QStringLiteral("Number\tX\r\n1\t1000\tBéta\r\n");
    QByteArray le(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    QCOMPARE(decodeDump(le), text);
    QByteArray be = le;
    for (qsizetype i = 0; i + 1 < be.size(); i += 2)
        std::swap(be[i], be[i + 1]);
    QCOMPARE(decodeDump(be), text);
    // A stray NUL in an otherwise plain file is kept, not taken for UTF-16.
    QCOMPARE(decodeDump(QByteArray("Number\tX\n1\t1\0\t2\tA\n", 17)).size(), 17);
}

void TestItemReader::unreadableFiles()
{
    TestFiles files;
    const QString missing = files.path("nothing.map");
    try {
        readDumpFile(missing);
        QFAIL("read a missing file");
    } catch (const RunError &e) {
        QCOMPARE(e.number(), int(RunError::FileNotFound));
        QVERIFY(e.message().contains(missing));
    }
    const QString folder = files.path(".");
    QVERIFY_THROWS_EXCEPTION(RunError, readDumpFile(folder));
    QCOMPARE(readDumpFile(files.write("ok.map", "h\n1\t2\t3\tA\n")),
             QStringLiteral("h\n1\t2\t3\tA\n"));
}

// A file is read to its end whatever size it gave: a large one in full, and one that
// says it is empty while it is not (as the kernel's own files do) as well.
void TestItemReader::wholeFilesRead()
{
    TestFiles files;
    QByteArray large;
    for (int i = 0; large.size() < 300000; ++i)
        large += QByteArray::number(i) + "\t1\t2\tPlanet\n";
    QCOMPARE(readDumpFile(files.write("large.map", large)), QString::fromLatin1(large));
    if (QFileInfo("/proc/self/status").size() == 0) {
        const QString status = readDumpFile(QStringLiteral("/proc/self/status"));
        QVERIFY(status.startsWith(QLatin1String("Name:")));
        QVERIFY(status.endsWith(u'\n'));
    }
}

QTEST_GUILESS_MAIN(TestItemReader)
#include "tst_itemreader.moc"

#include "sharedtext.h"

#include <QTest>

#include <cstring>
#include <vector>

// Pieces share one buffer through its reference count; the sanitizer build turns a count
// off by one into a use after free or a leak.
class TestSharedText : public QObject {
    Q_OBJECT
private slots:
    void piecesOutliveTheText();
    void changingAPieceLeavesTheOthers();
    void theCallersTextIsNotWritten();
    void manyPieces();
};

namespace {
// Pieces of "alpha,beta\r\ngamma" as a reader hands them out: each after its end is read.
std::vector<QString> takeAll(SharedText &shared)
{
    const QStringView text = shared.view();
    std::vector<QString> pieces;
    pieces.push_back(shared.take(text.sliced(0, 5)));  // before a comma
    pieces.push_back(shared.take(text.sliced(6, 4)));  // before CR LF
    pieces.push_back(shared.take(text.sliced(12, 5))); // at the text's end
    pieces.push_back(shared.take(text.sliced(11, 0))); // empty
    return pieces;
}
} // namespace

void TestSharedText::piecesOutliveTheText()
{
    std::vector<QString> pieces;
    {
        SharedText shared(QStringLiteral("alpha,beta\r\ngamma")); // read-only data is copied
        pieces = takeAll(shared);
    }
    QCOMPARE(pieces, (std::vector<QString>{"alpha", "beta", "gamma", ""}));
    QVERIFY(!pieces[3].isNull());
    for (const QString &piece : pieces) // what a C interface reads
        QCOMPARE(qsizetype(std::char_traits<char16_t>::length(
                     reinterpret_cast<const char16_t *>(piece.utf16()))),
                 piece.size());
    pieces.erase(pieces.begin()); // the rest still hold the buffer
    QCOMPARE(pieces[1], "gamma");
}

void TestSharedText::changingAPieceLeavesTheOthers()
{
    std::vector<QString> pieces;
    {
        SharedText shared(QString::fromLatin1("alpha,beta\r\ngamma"));
        pieces = takeAll(shared);
    }
    pieces[0][0] = u'A';
    pieces[0] += QStringLiteral(" Prime, and a name longer than the whole text was");
    pieces[1].replace(0, 1, QStringLiteral("B"));
    QCOMPARE(pieces[0], "Alpha Prime, and a name longer than the whole text was");
    QCOMPARE(pieces[1], "Beta");
    QCOMPARE(pieces[2], "gamma");
    // The last piece alone may grow over the buffer in place.
    pieces.erase(pieces.begin(), pieces.begin() + 2);
    pieces[0].prepend(QStringLiteral("a ")).append(QStringLiteral(" ray"));
    QCOMPARE(pieces[0], "a gamma ray");
}

void TestSharedText::theCallersTextIsNotWritten()
{
    const QString text = QString::fromLatin1("alpha,beta\r\ngamma");
    std::vector<QString> pieces;
    {
        SharedText shared(text);
        pieces = takeAll(shared);
    }
    QCOMPARE(text, "alpha,beta\r\ngamma");
    QCOMPARE(pieces[1], "beta");
}

void TestSharedText::manyPieces()
{
    // More pieces than one batch of references, dropped in an order of their own.
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QString::number(i) + u'\n';
    std::vector<QString> pieces;
    {
        SharedText shared(std::move(text));
        const QStringView view = shared.view();
        for (qsizetype start = 0; start < view.size();) {
            const qsizetype end = view.indexOf(u'\n', start);
            pieces.push_back(shared.take(view.sliced(start, end - start)));
            start = end + 1;
        }
    }
    QCOMPARE(pieces.size(), 10000u);
    for (int i = 0; i < 10000; i += 3)
        pieces[i] = QString();
    for (int i = 1; i < 10000; i += 3)
        QCOMPARE(pieces[i], QString::number(i));
}

QTEST_GUILESS_MAIN(TestSharedText)
#include "tst_sharedtext.moc"

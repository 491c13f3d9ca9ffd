// The sample universe under examples/ is what a newcomer sees first, so it must read
// without a single error and every report line must name a planet of the map.
#include "mapreader.h"
#include "reportreader.h"

#include <QFile>
#include <QSet>
#include <QTest>

class TestSample : public QObject {
    Q_OBJECT
private slots:
    void readsCompletely();
    void reportsMatchTheMap();
};

namespace {

QString samplePath(const QString &name)
{
    return QStringLiteral(KAVORA_SAMPLE_DIR "/") + name;
}

QStringList lines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QStringList all = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!all.isEmpty() && all.last().isEmpty())
        all.removeLast();
    return all;
}

} // namespace

void TestSample::readsCompletely()
{
    Globals g;
    g.Map_File_Name = samplePath("universe.map");
    Open_Map_File(g);
    QCOMPARE(g.Last_Star_Index, 799);

    QStringList messages;
    const MessageFn message = [&](const QString &text) { messages << text; };
    QStringList captions;
    const StatusFn status = [&](const QString &text) { captions << text; };
    g.Player_File_Name = samplePath("turn41.pla");
    Open_Player_File(g, status, message);
    QCOMPARE(messages, QStringList());
    QCOMPARE(captions.last(), QStringLiteral("Done!"));
    QCOMPARE(g.Last_Player_Index, 8);
    const Player_Object first = g.Player_Table[0];

    g.Player_File_Name = samplePath("turn42.pla");
    Open_Player_File(g, status, message);
    QCOMPARE(messages, QStringList());
    QCOMPARE(g.Last_Player_Index, 8); // the second turn meets no new race

    double starbases = 0;
    for (int slot = 0; slot <= g.Last_Player_Index; ++slot) {
        const Player_Object &race = g.Player_Table[slot];
        QVERIFY2(race.Player_Population.value_or(0) > 0, qPrintable(race.Player_Name));
        QVERIFY2(race.Player_Starbases.value_or(0) >= 1, qPrintable(race.Player_Name));
        starbases += race.Player_Starbases.value_or(0);
    }
    QVERIFY(starbases >= 9 && starbases <= 40);
    // The later turn grew the first race's worlds.
    QVERIFY(g.Player_Table[0].Player_Population > first.Player_Population);
}

void TestSample::reportsMatchTheMap()
{
    QSet<QString> names;
    const QStringList map = lines(samplePath("universe.map"));
    for (qsizetype i = 1; i < map.size(); ++i) {
        const QStringList fields = map[i].split(u'\t');
        QCOMPARE(fields.size(), 4);
        QVERIFY2(!fields[3].contains(u',') && !fields[3].contains(u'"'), qPrintable(map[i]));
        names.insert(fields[3]);
    }
    QCOMPARE(names.size(), qsizetype(map.size() - 1)); // every name once

    for (const QString &report : {QStringLiteral("turn41.pla"), QStringLiteral("turn42.pla")}) {
        const QStringList text = lines(samplePath(report));
        QVERIFY(text.size() > 400);
        for (qsizetype i = 1; i < text.size(); ++i)
            QVERIFY2(names.contains(text[i].section(u'\t', 0, 0)), qPrintable(report + ": " + text[i]));
    }
}

QTEST_GUILESS_MAIN(TestSample)
#include "tst_sample.moc"

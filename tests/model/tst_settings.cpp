#include "settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_settings : public QObject {
    Q_OBJECT
private slots:
    void valuesSurviveAReopen();
    void damagedEntriesGiveTheirDefaultOneByOne();
    void garbageAndEmptyFilesReadAsEmpty();
};

void tst_settings::valuesSurviveAReopen()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kavora.ini");
    {
        Settings s(file);
        s.setText("folders/open", "/home/a, b");
        s.setTextList("recent/0", {"/u.map", "/t1.pla", "/t2.pla"});
        s.setTextList("recent/1", {"/only.map"});
        s.setInteger("n", -7);
        s.setFlag("legend", true);
        s.setRect("window/geometry", QRect(10, 20, 300, 200));
    }
    Settings s(file);
    QCOMPARE(s.text("folders/open"), QString("/home/a, b"));
    QCOMPARE(s.textList("recent/0"), QStringList({"/u.map", "/t1.pla", "/t2.pla"}));
    QCOMPARE(s.textList("recent/1"), QStringList({"/only.map"}));
    QCOMPARE(s.integer("n", 0), -7);
    QCOMPARE(s.flag("legend", false), true);
    QCOMPARE(s.rect("window/geometry"), std::optional<QRect>(QRect(10, 20, 300, 200)));
    QCOMPARE(s.childGroups("recent").size(), 0);   // plain keys, not groups
    s.remove("n");
    QCOMPARE(s.integer("n", 42), 42);
}

void tst_settings::damagedEntriesGiveTheirDefaultOneByOne()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("kavora.ini");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[General]\n"
            "n=twelve\n"
            "legend=maybe\n"
            "geometry=@Rect(1 2)\n"
            "empty=@Rect(0 0 0 0)\n"
            "good=5\n"
            "name=@ByteArray(\\xff)\n"
            "[races]\n"
            "Zorn\\colour=#ff8000\n");
    f.close();
    Settings s(file);
    QCOMPARE(s.integer("n", 3), 3);
    QCOMPARE(s.flag("legend", true), true);
    QCOMPARE(s.rect("geometry"), std::nullopt);
    QCOMPARE(s.rect("empty"), std::nullopt);
    QCOMPARE(s.integer("good", 0), 5);
    QCOMPARE(s.text("name", "fallback"), QString("fallback"));
    QCOMPARE(s.textList("missing"), QStringList());
    QCOMPARE(s.childGroups("races"), QStringList({"Zorn"}));
    QCOMPARE(s.text("races/Zorn/colour"), QString("#ff8000"));
}

void tst_settings::garbageAndEmptyFilesReadAsEmpty()
{
    QTemporaryDir dir;
    for (const QByteArray &content : {QByteArray(), QByteArray("\0\x01\x02[[[=\n==\n\xff\xfe", 11)}) {
        const QString file = dir.filePath("s.ini");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        Settings s(file);
        QCOMPARE(s.integer("n", 9), 9);
        QCOMPARE(s.text("t", "d"), QString("d"));
        QCOMPARE(s.rect("r"), std::nullopt);
        s.setInteger("n", 1);
        s.sync();
        QCOMPARE(Settings(file).integer("n", 9), 1);
    }
}

QTEST_GUILESS_MAIN(tst_settings)
#include "tst_settings.moc"

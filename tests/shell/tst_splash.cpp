#include "frmsplash.h"
#include "version.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void versionAndPicture();
    void closesOnTimer();
    void modalUntilClosed();
    void keys_data();
    void keys();
    void clicks_data();
    void clicks();
};

void TestSplash::versionAndPicture()
{
    frmSplash splash;
    // The three numbers come from the build's version, written without leading zeros.
    QCOMPARE(splash.findChild<QLabel *>("lblVersion")->text(),
             QStringLiteral("Version ") + QLatin1String(kavora::kVersionText));
    QVERIFY(splash.windowTitle().isEmpty());

    const QLabel *picture = splash.findChild<QLabel *>("Image1");
    QCOMPARE(picture->pixmap().size(), QSize(320, 200));
    QCOMPARE(picture->geometry(), splash.rect());

    // Three seconds, counted from loading.
    const QTimer *timer = splash.findChild<QTimer *>("Timer1");
    QCOMPARE(timer->interval(), frmSplash::kShowMilliseconds);
    QCOMPARE(frmSplash::kShowMilliseconds, 3000);
    QVERIFY(timer->isActive() && timer->isSingleShot());
}

void TestSplash::closesOnTimer()
{
    frmSplash splash(nullptr, 1);
    splash.show();
    QTRY_VERIFY(!splash.isVisible());
    QCOMPARE(splash.result(), int(QDialog::Accepted));
}

void TestSplash::modalUntilClosed()
{
    // exec() returns only once the splash has closed; a key press does it here.
    frmSplash splash;
    bool wasModal = false;
    QTimer::singleShot(0, this, [&] {
        wasModal = splash.isModal() && splash.isVisible();
        QTest::keyClick(&splash, Qt::Key_Space);
    });
    splash.exec();
    QVERIFY(wasModal);
    QVERIFY(!splash.isVisible());
}

void TestSplash::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("closes");

    QTest::newRow("letter") << int(Qt::Key_A) << "a" << true;
    QTest::newRow("digit") << int(Qt::Key_7) << "7" << true;
    QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << true;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << "\x1b" << true;
    // Keys that type nothing leave it alone.
    QTest::newRow("arrow") << int(Qt::Key_Left) << "" << false;
    QTest::newRow("Shift") << int(Qt::Key_Shift) << "" << false;
    QTest::newRow("F1") << int(Qt::Key_F1) << "" << false;
}

void TestSplash::keys()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(bool, closes);

    frmSplash splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&splash, &press);
    QCOMPARE(splash.isVisible(), !closes);
}

void TestSplash::clicks_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("closes");

    QTest::newRow("picture") << "Image1" << true;
    QTest::newRow("version line") << "lblVersion" << false;
    QTest::newRow("web line") << "Label1" << false;
    QTest::newRow("copyright line") << "lblCopyright" << false;
}

void TestSplash::clicks()
{
    QFETCH(QString, target);
    QFETCH(bool, closes);

    frmSplash splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    auto *picture = splash.findChild<QWidget *>("Image1");
    auto *widget = splash.findChild<QWidget *>(target);
    QVERIFY(widget);

    QPoint at = widget->rect().center();
    if (widget == picture) {
        // A point of the picture that no text line covers.
        at = QPoint(4, 4);
        const auto labels = splash.findChildren<QLabel *>();
        for (const QLabel *label : labels)
            QVERIFY(label == picture || !label->geometry().contains(at));
    }
    // A click goes to whatever lies on top at that point.
    QWidget *hit = splash.childAt(widget->mapTo(&splash, at));
    QCOMPARE(hit, widget);
    QTest::mouseClick(hit, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(splash.isVisible(), !closes);
}

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"

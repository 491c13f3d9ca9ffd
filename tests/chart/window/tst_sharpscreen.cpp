// The chart window on a screen of device pixel ratio 2: it shows the chart drawn twice as
// large at its logical 537 by 441, while the pointer, the readout, click-to-centre and
// saving stay in picture pixels and map units.
#include "chartpicture.h"
#include "chartwindowfixture.h"
#include "runerror.h"
#include "picturefile.h"
#include "scripteddialog.h"
#include "starmap.h"

#include <QApplication>
#include <QClipboard>
#include <QImageReader>
#include <QMdiArea>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestSharpScreen : public QObject {
    Q_OBJECT
private slots:
    void showsTheChartDrawnLarger();
    void pointerStaysInMapUnits();
    void savingAndCopying();
};

namespace {

// Extent 950..2150 by 950..1850, default centre (1550, 1400).
Globals universe()
{
    Globals g;
    g.applyStartupValues();
    g.Map_Loaded = true;
    g.Map_Max_X = 2000;
    g.Map_Max_Y = 1800;
    const struct {
        const char *name, *x, *y;
        qint16 style;
    } planets[] = {{"Alpha", "1200", "1100", FillUpwardDiagonal},
                   {"North", "2000", "1800", FillSolid},
                   {"Beta", "1500", "1300", -1}};
    for (const auto &p : planets) {
        Star_Object s;
        s.Star_Name = QString::fromLatin1(p.name);
        s.Star_X = QString::fromLatin1(p.x);
        s.Star_Y = QString::fromLatin1(p.y);
        s.color = kWhite;
        if (p.style >= 0) {
            s.Owner = QStringLiteral("Zorn");
            s.population = QStringLiteral("40000");
            s.color = 0x3366CC;
            s.Style = p.style;
        }
        g.Star_Table.push_back(s);
    }
    g.Last_Star_Index = qint16(g.Star_Table.size() - 1);
    return g;
}

struct Window : ChartWindowFixture {
    Window() : ChartWindowFixture(universe(), 0) {}

    // What Qt hands the picture: positions in logical pixels, fractions included.
    void send(QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton)
    {
        QMouseEvent event(type, at, chart()->mapToGlobal(at), button,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button),
                          Qt::NoModifier);
        QApplication::sendEvent(chart(), &event);
    }
};

QImage drawn(int scale)
{
    Globals g = universe();
    ImageSurface surface(ImageSurface::kPictureSize, scale);
    display_map(g, surface, {}, 0, 0, 0);
    return surface.Image();
}

} // namespace

void TestSharpScreen::showsTheChartDrawnLarger()
{
    Window w;
    QCOMPARE(w.chart()->devicePixelRatioF(), 2.0);
    QCOMPARE(w.chart()->size(), QSize(537, 441));

    const QImage shown = w.window->shownPicture();
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    QCOMPARE(shown.size(), QSize(1074, 882));
    QImage sharp = drawn(2);
    sharp.setDevicePixelRatio(2);
    QCOMPARE(shown, sharp);

    // On screen every device pixel is the sharp chart's own, not a blown-up small one.
    const QImage onScreen = w.chart()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(onScreen.size(), QSize(1074, 882));
    QCOMPARE(onScreen, sharp);
    // A failed redraw (a zoom that leaves no extent) leaves both pictures as they were.
    QVERIFY_THROWS_EXCEPTION(RunError, w.window->display_map(1, 0, 0));
    QCOMPARE(w.window->shownPicture(), sharp);
    QCOMPARE(w.window->picture(), drawn(1));
}

void TestSharpScreen::pointerStaysInMapUnits()
{
    Window w;
    // 1200 by 900 map units over 537 by 441 picture pixels, larger Y at the top.
    const QPointF at(100.5, 200.25);
    const double x = 950 + at.x() * 1200 / 537;
    const double y = 1850 - at.y() * 900 / 441;
    w.send(QEvent::MouseMove, at);
    QCOMPARE(w.window->windowTitle(),
             QStringLiteral("%1 %2").arg(std::floor(x)).arg(std::floor(y)));

    w.send(QEvent::MouseButtonPress, at, Qt::LeftButton);
    w.send(QEvent::MouseButtonRelease, at, Qt::LeftButton);
    QCOMPARE(*w.g.View_Center_X, std::floor(x));
    QCOMPARE(w.g.View_Center_Y, qint16(std::floor(y)));
    QCOMPARE(w.window->view().centreX, std::floor(x));
}

void TestSharpScreen::savingAndCopying()
{
    Window w;
    QCOMPARE(w.window->picture(), drawn(1));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.png"));
    SavePicture(w.window->picture(), path, pictureFormatFor(path));
    const QImage written = QImageReader(path).read();
    QCOMPARE(written.size(), QSize(537, 441));
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32), drawn(1));

    QApplication::clipboard()->clear();
    w.chart()->setFocus();
    QTest::keyClick(w.chart(), Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(1074, 882));
    QImage shown = copied.convertToFormat(QImage::Format_RGB32);
    shown.setDevicePixelRatio(1);
    QCOMPARE(shown, drawn(2));
}

int main(int argc, char **argv)
{
    // Before the application exists, as a high-resolution desktop would set it.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestSharpScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sharpscreen.moc"

#include "frmcolor.h"
#include "mainform.h"
#include "mainwindowfixture.h"
#include "palette.h"
#include "scripteddialog.h"
#include "starmap.h"
#include "testfiles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using Kind = ScriptedDialog::Kind;
using Question = ScriptedDialog::Question;

class TestMapCommands : public QObject {
    Q_OBJECT
private slots:
    void openMap();
    void openMapKeepsZoomAndStartsAfresh();
    void openMapCancelled();
    void unreadableMap_data();
    void unreadableMap();
    void openReport();
    void failingReportChangesNothing();
    void reportCancelled();
    void centreCommand();
    void reopenChartWindow_data();
    void reopenChartWindow();
    void redrawFailureIsReported();
    void saveBitmap();
    void saveCancelled();
    void saveFormatByName_data();
    void saveFormatByName();
    void saveFailure_data();
    void saveFailure();
    void raceColoursWindow();
    void raceColourRedrawsTheChart();
    void filesFromCommandLine();
    void commandLineMapFailing();
    void mapWithoutExtentDraws();
    void dataChangesAreAnnounced();
    void loadHistoryCountsMatches();
    void undoLastReport();
    void reportFitInTheStatusBar();
    void choosePlanet();
};

namespace {

const Question kOpenMap{
    Kind::Open, "Open Quelmar Map File", "Quelmar Map File (*.map)|*.map", 0, {}};
const Question kOpenReport{
    Kind::Open, "Open Quelmar Player File", "Quelmar Player File (*.pla)|*.pla", 0, {}};
// The bitmap filter stays first; PNG images, SVG and PDF follow.
const Question kSave{Kind::Save, "Save Map as Bitmap",
                     "Bitmaps (*.bmp)|*.bmp|PNG images (*.png)|*.png|SVG drawings (*.svg)|*.svg|"
                     "PDF documents (*.pdf)|*.pdf",
                     0, {}};

struct Session : MainWindowFixture {
    Session() : MainWindowFixture({{"Gamma", "zorn", "", "1", "500"}}) {}

    starmap *chart() const { return form.chartWindow(); }
    QImage picture() const { return chart()->picture(); }

    template <typename T = QWidget> T *control(const char *name) const
    {
        auto *widget = chart()->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
};

int countPixels(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

QRgb onScreen(PackedColor colour)
{
    return 0xFF000000u | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

} // namespace

void TestMapCommands::openMap()
{
    Session s;
    // The hourglass shows while the map is read. The caption is written at once when it
    // has not changed for a while, so the first text of the reading shows the pointer.
    QTest::qWait(mainform::kStatusRepaintMs * 2);
    std::optional<Qt::CursorShape> pointerWhileReading;
    connect(&s.form, &QWidget::windowTitleChanged, this, [&] {
        if (!pointerWhileReading && QGuiApplication::overrideCursor())
            pointerWhileReading = QGuiApplication::overrideCursor()->shape();
    });

    s.openMap(s.mapPath);

    QCOMPARE(s.dialog.asked(), QList<Question>{kOpenMap});
    QCOMPARE(s.g.Map_File_Name, s.mapPath);
    QVERIFY(s.g.Map_Loaded);
    QCOMPARE(s.g.Last_Star_Index, qint16(MainWindowFixture::kPlanets.size() - 1));
    QVERIFY(s.chart());
    QVERIFY(s.chart()->isVisible());
    QCOMPARE(s.form.workspace()->subWindowList(), QList<QMdiSubWindow *>{s.chart()});
    QVERIFY(s.g.Chart_Shown);
    // Centred on the middle of the map, the whole map while the zoom is unset.
    QVERIFY(!s.g.View_Zoom);
    QCOMPARE(s.g.View_Center_X, std::optional<double>(1550));
    QCOMPARE(s.g.View_Center_Y, qint16(1400));
    QVERIFY(countPixels(s.picture(), 0xFFFFFFFF) >= MainWindowFixture::kPlanets.size());
    QTRY_COMPARE(s.form.windowTitle(), s.mapPath);
    QCOMPARE(pointerWhileReading, std::optional<Qt::CursorShape>(Qt::WaitCursor));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMapCommands::openMapKeepsZoomAndStartsAfresh()
{
    Session s;
    s.openMap(s.mapPath);
    s.chart()->display_map(0.5, 1600, 1500);
    s.g.Player_Table[3].Player_Color = 0x123456;
    s.g.Player_Table[3].Player_Name = QStringLiteral("Tesk");
    const QPointer<starmap> window = s.chart();

    const QString other = s.files.write("other.map", mapText({{"1000", "1000", "Solo"}}));
    s.openMap(other);

    QCOMPARE(s.chart(), window.data()); // the same chart window draws the new map
    QCOMPARE(s.g.Star_Table.size(), size_t(1));
    QCOMPARE(s.g.View_Zoom, std::optional<double>(0.5));
    QCOMPARE(s.g.View_Center_X, std::optional<double>(950 + (1150 - 950) / 2.0));
    QCOMPARE(s.g.Player_Table[3].Player_Color, kDefaultPalette[3].color);
    // A new universe: the races of the old one are gone.
    QVERIFY(s.g.Player_Table[3].Player_Name.isEmpty());
    QCOMPARE(s.g.Last_Player_Index, qint16(-1));
}

void TestMapCommands::openMapCancelled()
{
    Session s;
    s.g.Map_File_Name = QStringLiteral("earlier.map");
    s.dialog.cancelNext();
    s.item("mnu_Open")->trigger();

    QCOMPARE(s.dialog.asked(), QList<Question>{kOpenMap});
    QCOMPARE(s.g.Map_File_Name, QStringLiteral("earlier.map"));
    QVERIFY(!s.g.Map_Loaded);
    QVERIFY(!s.chart());
    QVERIFY(s.form.workspace()->subWindowList().isEmpty());
    QCOMPARE(s.form.windowTitle(), QStringLiteral("Quelmar Kavora"));
}

void TestMapCommands::unreadableMap_data()
{
    QTest::addColumn<bool>("mapBefore");
    QTest::addColumn<QByteArray>("text"); // empty: no such file
    QTest::addColumn<QString>("start");   // how the message begins
    QTest::addColumn<QString>("where");   // a part it must contain

    const QByteArray shortLine = "Planet\tX\tY\tName\n1\t1000\t1000\tOne\n2\t1100\t1200\n";
    const QByteArray notNumber = "Planet\tX\tY\tName\n1\t1000\t1000\tOne\n2\t11OO\t1200\tTwo\n";
    QTest::newRow("short line, first map")
        << false << shortLine << "Error!!! 5 Invalid procedure call or argument"
        << "line 3 of ";
    QTest::newRow("short line, replacing a map")
        << true << shortLine << "Error!!! 5 Invalid procedure call or argument"
        << "line 3 of ";
    QTest::newRow("coordinate not a number") << true << notNumber << "Error!!! 13 Type mismatch"
                                             << "line 3 of ";
    QTest::newRow("no such file") << true << QByteArray() << "Error!!! 53 File not found"
                                  << "missing.map";
}

void TestMapCommands::unreadableMap()
{
    QFETCH(bool, mapBefore);
    QFETCH(QByteArray, text);
    QFETCH(QString, start);
    QFETCH(QString, where);

    Session s;
    if (mapBefore)
        s.openMap(s.mapPath);
    QTRY_COMPARE(s.form.windowTitle(), mapBefore ? s.mapPath : QStringLiteral("Quelmar Kavora"));
    const Globals before = s.g;
    const qint64 key = mapBefore ? s.picture().cacheKey() : 0;
    s.dialog.clearAsked();

    const QString bad =
        text.isEmpty() ? s.files.path("missing.map") : s.files.write("bad.map", text);
    s.openMap(bad);

    QCOMPARE(s.dialog.asked().size(), 2);
    const QStringList messages = s.dialog.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(start), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(where), qPrintable(messages[0]));
    QVERIFY(!QGuiApplication::overrideCursor());

    // The loaded map stays, on screen and in the tables.
    QCOMPARE(s.g.Star_Table, before.Star_Table);
    QCOMPARE(s.g.Map_File_Name, before.Map_File_Name);
    QCOMPARE(s.g.Map_Loaded, mapBefore);
    QCOMPARE(s.g.Player_Table, before.Player_Table);
    QTRY_COMPARE(s.form.windowTitle(), mapBefore ? s.mapPath : QStringLiteral("Quelmar Kavora"));
    if (mapBefore)
        QCOMPARE(s.picture().cacheKey(), key);
    else
        QVERIFY(!s.chart());
}

void TestMapCommands::openReport()
{
    Session s;
    s.openMap(s.mapPath);
    s.chart()->display_map(0.2, 1500, 1300);
    const QImage unowned = s.picture();
    s.dialog.clearAsked();

    s.openReport(s.reportPath);

    // The first report dialog after a map starts beside it.
    Question asked = kOpenReport;
    asked.folder = QFileInfo(s.mapPath).absolutePath();
    QCOMPARE(s.dialog.asked(), QList<Question>{asked});
    QCOMPARE(s.g.Player_File_Name, s.reportPath);
    QTRY_COMPARE(s.form.windowTitle(), QStringLiteral("Done!"));
    QVERIFY(!QGuiApplication::overrideCursor());
    // Redrawn at the same view, with the races' zones.
    QCOMPARE(s.g.View_Zoom, std::optional<double>(0.2));
    QCOMPARE(s.g.View_Center_X, std::optional<double>(1500));
    QCOMPARE(s.g.View_Center_Y, qint16(1300));
    QVERIFY(s.picture() != unowned);
    QCOMPARE(s.g.Player_Table[0].Player_Name, QStringLiteral("Zorn"));
    QCOMPARE(s.g.Player_Table[1].Player_Name, QStringLiteral("Vell"));
    QCOMPARE(s.g.Player_Table[2].Player_Name, QStringLiteral("zorn"));
    for (int slot = 0; slot < 3; ++slot)
        QVERIFY(countPixels(s.picture(), onScreen(kDefaultPalette[slot].color)) > 0);
}

void TestMapCommands::failingReportChangesNothing()
{
    Session s;
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    const Globals before = s.g;
    const QImage shown = s.picture();
    QByteArray text = reportText({{"Delta", "Kesh", "", "2", "1000000"}});
    text += "Gamma\tZorn\n";
    s.openReport(s.files.write("broken.pla", text));

    const QStringList messages = s.dialog.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(QStringLiteral("Error!!! 5 ")), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(QStringLiteral("line 3 of ")), qPrintable(messages[0]));
    // Nothing is read while the box waits: the normal pointer, not the hourglass.
    QCOMPARE(s.dialog.messagePointers(), QList<Qt::CursorShape>{Qt::ArrowCursor});
    // Nothing of it is merged; the caption and the status bar say so.
    QCOMPARE(s.g.Star_Table, before.Star_Table);
    QCOMPARE(s.g.Player_Table, before.Player_Table);
    QCOMPARE(s.g.Player_File_Name, s.reportPath);
    QTRY_COMPARE(s.form.windowTitle(), QStringLiteral("Not merged: broken.pla"));
    QCOMPARE(s.form.reportFit()->text(), QStringLiteral("Not merged: broken.pla"));
    QCOMPARE(s.form.loaded().reports.size(), 1);
    QCOMPARE(s.picture(), shown);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMapCommands::reportCancelled()
{
    Session s;
    s.openMap(s.mapPath);
    const Globals before = s.g;
    const qint64 key = s.picture().cacheKey();
    s.dialog.clearAsked();
    s.dialog.cancelNext();
    s.item("mnuOpenPlayerFile")->trigger();

    Question asked = kOpenReport;
    asked.folder = QFileInfo(s.mapPath).absolutePath();
    QCOMPARE(s.dialog.asked(), QList<Question>{asked});
    QCOMPARE(s.g.Player_File_Name, before.Player_File_Name);
    QCOMPARE(s.g.Star_Table, before.Star_Table);
    QCOMPARE(s.picture().cacheKey(), key);
}

void TestMapCommands::centreCommand()
{
    Session s;
    s.openMap(s.mapPath);
    s.chart()->display_map(0.7, 1234.5, 1111);

    s.item("mnu_Center")->trigger();

    QCOMPARE(s.g.View_Zoom, std::optional<double>(0.7));
    QCOMPARE(s.g.View_Center_X, std::optional<double>(1550));
    QCOMPARE(s.g.View_Center_Y, qint16(1400));
    QVERIFY(s.dialog.messages().isEmpty());
}

void TestMapCommands::reopenChartWindow_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("centre command") << "centre";
    QTest::newRow("opening a report") << "report";
    QTest::newRow("opening a map") << "map";
}

void TestMapCommands::reopenChartWindow()
{
    QFETCH(QString, how);
    Session s;
    s.openMap(s.mapPath);
    for (const char *box : {"Starbases_Option", "All_Option"})
        QTest::mouseClick(s.control(box), Qt::LeftButton);
    QTest::mouseClick(s.control("Zoom_In_Button"), Qt::LeftButton);
    QTest::mouseClick(s.control("Zoom_In_Button"), Qt::LeftButton);
    QTest::mouseClick(s.control("Up_Button"), Qt::LeftButton);
    s.chart()->setWindowTitle(QStringLiteral("1500 1400"));

    const QPointer<starmap> closed = s.chart();
    QVERIFY(closed->close());
    QVERIFY(!s.g.Chart_Shown);
    QVERIFY(!s.chart());
    QTRY_VERIFY(!closed);
    QTRY_VERIFY(s.form.workspace()->subWindowList().isEmpty());

    if (how == u"centre")
        s.item("mnu_Center")->trigger();
    else if (how == u"report")
        s.openReport(s.reportPath);
    else
        s.openMap(s.mapPath);

    QVERIFY(s.chart());
    QVERIFY(s.chart()->isVisible());
    QVERIFY(s.g.Chart_Shown);
    QCOMPARE(s.chart()->windowTitle(), QStringLiteral("Star Map"));
    for (const char *box : {"Starbases_Option", "Populated_Option", "All_Option"})
        QVERIFY(!s.control<QCheckBox>(box)->isChecked());
    QCOMPARE(s.control<QComboBox>("ZoomList")->currentText(), QStringLiteral("2"));
    QCOMPARE(s.g.Zoom_Step, qint16(2));
    QCOMPARE(s.g.View_Zoom, std::optional<double>(double(0.2f)));
    // The centre command and a map centre the chart; a report keeps the view.
    QCOMPARE(s.g.View_Center_Y, qint16(how == u"report" ? 1440 : 1400));
    QVERIFY(s.dialog.messages().isEmpty());
}

void TestMapCommands::redrawFailureIsReported()
{
    Session s;
    s.openMap(s.mapPath);
    const qint64 key = s.picture().cacheKey();
    // A zoom of 1 leaves the chart no width at all.
    s.g.View_Zoom = 1;

    s.item("mnu_Center")->trigger();

    const QStringList messages = s.dialog.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(QStringLiteral("Error!!! 5 ")), qPrintable(messages[0]));
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(s.picture().cacheKey(), key);
    QVERIFY(s.form.isVisible());

    s.g.View_Zoom = 0.5;
    s.item("mnu_Center")->trigger();
    QCOMPARE(s.dialog.messages().size(), 1);
    QVERIFY(s.picture().cacheKey() != key);
}

void TestMapCommands::saveBitmap()
{
    Session s;
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    s.chart()->display_map(0.4, 1400, 1300);
    s.dialog.clearAsked();

    // No extension is added to the name as chosen.
    const QString path = s.files.path("chart");
    s.dialog.answerFile(path);
    s.item("mnuSaveBmp")->trigger();

    QCOMPARE(s.dialog.asked(), QList<Question>{kSave});
    QVERIFY(!QFile::exists(path + QStringLiteral(".bmp")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(2), QByteArray("BM"));
    file.close();

    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage written = reader.read();
    QCOMPARE(written.size(), QSize(537, 441));
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32),
             s.picture().convertToFormat(QImage::Format_RGB32));
    QVERIFY(s.dialog.messages().isEmpty());
}

void TestMapCommands::saveCancelled()
{
    Session s;
    s.openMap(s.mapPath);
    s.dialog.clearAsked();
    s.dialog.cancelNext();
    s.item("mnuSaveBmp")->trigger();

    QCOMPARE(s.dialog.asked(), QList<Question>{kSave});
    QVERIFY(QDir(s.files.path({})).entryList({"*.bmp", "chart*"}, QDir::Files).isEmpty());
}

void TestMapCommands::saveFormatByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");

    QTest::newRow("png") << "chart.png" << QByteArray("png");
    QTest::newRow("PNG in capitals") << "CHART.PNG" << QByteArray("png");
    QTest::newRow("mixed case") << "chart.pNg" << QByteArray("png");
    QTest::newRow("bmp") << "chart.bmp" << QByteArray("bmp");
    QTest::newRow("png inside the name") << "chart.png.bmp" << QByteArray("bmp");
    QTest::newRow("png without the dot") << "chartpng" << QByteArray("bmp");
    QTest::newRow("another extension") << "chart.jpg" << QByteArray("bmp");
}

// The name alone decides the format; the picture read back is the chart as drawn.
void TestMapCommands::saveFormatByName()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);

    Session s;
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    s.chart()->display_map(0.3, 1500, 1350);
    const QString path = s.files.path(name);
    // An existing file is replaced (the real dialog has asked first).
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    s.dialog.answerFile(path);
    s.item("mnuSaveBmp")->trigger();

    QVERIFY(s.dialog.messages().isEmpty());
    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage written = reader.read();
    QCOMPARE(written.size(), QSize(537, 441));
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32),
             s.picture().convertToFormat(QImage::Format_RGB32));
}

void TestMapCommands::saveFailure_data()
{
    QTest::addColumn<QString>("name"); // inside the test folder
    QTest::addColumn<QString>("start");

    QTest::newRow("folder does not exist") << "nowhere/chart.bmp"
                                           << "Error!!! 76 Path not found";
    QTest::newRow("name of a folder") << "folder"
                                      << "Error!!! 75 Path/File access error";
    QTest::newRow("png, folder does not exist") << "nowhere/chart.png"
                                                << "Error!!! 76 Path not found";
}

void TestMapCommands::saveFailure()
{
    QFETCH(QString, name);
    QFETCH(QString, start);

    Session s;
    QVERIFY(QDir(s.files.path({})).mkdir(QStringLiteral("folder")));
    s.openMap(s.mapPath);
    const QString path = s.files.path(name);
    s.dialog.answerFile(path);
    s.item("mnuSaveBmp")->trigger();

    const QStringList messages = s.dialog.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(start), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(path), qPrintable(messages[0]));
    QVERIFY(!QFileInfo(path).isFile());
    QVERIFY(s.form.isVisible());
}

void TestMapCommands::raceColoursWindow()
{
    Session s;
    auto windows = [&s] { return s.form.findChildren<frmColor *>(); };

    // Also before any map: the list is then empty.
    s.item("mnuPlayerColors")->trigger();
    QCOMPARE(windows().size(), 1);
    const QPointer<frmColor> first = windows().first();
    QVERIFY(first->isVisible() && first->isWindow());
    QCOMPARE(first->windowTitle(), QStringLiteral("Race Colors"));
    QVERIFY(!first->isModal());
    QVERIFY(!QApplication::activeModalWidget());

    // Asking again, from the menu or from the chart, shows the same window.
    s.item("mnuPlayerColors")->trigger();
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    QTest::mouseClick(s.control("Race_Color_Button"), Qt::LeftButton);
    QCOMPARE(windows(), QList<frmColor *>{first.data()});
    QVERIFY(first->isVisible());
    // Loaded once: the races of the report read meanwhile are not in its list.
    auto raceCount = [](frmColor *window) {
        return window->findChild<QComboBox *>(QStringLiteral("RaceName"))->count();
    };
    QCOMPARE(raceCount(first), 0);

    // Once closed, the next request opens a new one, which lists every race.
    first->close();
    QTRY_VERIFY(!first);
    QTest::mouseClick(s.control("Race_Color_Button"), Qt::LeftButton);
    QCOMPARE(windows().size(), 1);
    QVERIFY(windows().first()->isVisible());
    QVERIFY(s.g.Last_Player_Index >= 1);
    QCOMPARE(raceCount(windows().first()), s.g.Last_Player_Index + 1);
}

void TestMapCommands::raceColourRedrawsTheChart()
{
    Session s;
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    s.chart()->display_map(0.1, 1500, 1300);
    const PackedColor chosen = 0x00345678; // in no default slot
    QCOMPARE(countPixels(s.picture(), onScreen(chosen)), 0);
    s.item("mnuPlayerColors")->trigger();
    frmColor *colours = s.form.findChild<frmColor *>();

    // Pick Zorn, the first race, from the list, then a new colour.
    auto *races = colours->findChild<QComboBox *>(QStringLiteral("RaceName"));
    races->showPopup();
    QAbstractItemView *list = races->view();
    QTRY_VERIFY(list->isVisible());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    s.dialog.answerColor(chosen);
    QTest::mouseClick(colours->findChild<QWidget *>(QStringLiteral("Player_Color_Selection")),
                      Qt::LeftButton);

    QVERIFY(countPixels(s.picture(), onScreen(chosen)) > 0);
    QCOMPARE(s.g.View_Zoom, std::optional<double>(0.1));
    QCOMPARE(s.g.View_Center_X, std::optional<double>(1500));
    QCOMPARE(s.g.View_Center_Y, qint16(1300));

    // With the chart window closed, a colour change opens it again.
    QPointer<starmap> closed = s.chart();
    closed->close();
    QTRY_VERIFY(!closed);
    s.dialog.answerColor(0x00876543);
    QTest::mouseClick(colours->findChild<QWidget *>(QStringLiteral("Player_Color_Selection")),
                      Qt::LeftButton);
    QVERIFY(s.chart());
    QVERIFY(countPixels(s.picture(), onScreen(0x00876543)) > 0);
    QCOMPARE(s.g.View_Center_X, std::optional<double>(1500));
}

void TestMapCommands::filesFromCommandLine()
{
    Session s;
    const QString second = s.files.write("second.pla", reportText({{"Delta", "Tesk", "", "", ""}}));

    s.form.openFiles({s.mapPath, s.reportPath, second});

    QVERIFY(s.dialog.asked().isEmpty());
    QVERIFY(s.g.Map_Loaded);
    QCOMPARE(s.g.Map_File_Name, s.mapPath);
    QCOMPARE(s.g.Player_File_Name, second);
    QCOMPARE(s.g.Last_Player_Index, qint16(3));
    QCOMPARE(s.g.Player_Table[3].Player_Name, QStringLiteral("Tesk"));
    QVERIFY(s.chart() && s.chart()->isVisible());
    QTRY_COMPARE(s.form.windowTitle(), QStringLiteral("Done!"));
    QVERIFY(countPixels(s.picture(), onScreen(kDefaultPalette[3].color)) > 0);
}

void TestMapCommands::commandLineMapFailing()
{
    Session s;
    // The failed map is the one message; its reports are not each refused in turn.
    s.form.openFiles({s.files.path("missing.map"), s.reportPath, s.reportPath});
    QStringList messages = s.dialog.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].startsWith(QStringLiteral("Error!!! 53 ")));
    QCOMPARE(s.dialog.asked().size(), 1);
    QVERIFY(!s.g.Map_Loaded);
    QVERIFY(!s.chart());

    // Reports alone, as a file manager passes a double-clicked one: no map is read from
    // them, and the user hears once that a map comes first.
    Session reportsOnly;
    reportsOnly.form.openFiles({reportsOnly.reportPath, reportsOnly.reportPath});
    messages = reportsOnly.dialog.messages();
    QCOMPARE(messages, QStringList{QStringLiteral("Please open a map first.")});
    QVERIFY(!reportsOnly.g.Map_Loaded);
    QVERIFY(reportsOnly.g.Map_File_Name.isEmpty());

    // With a map loaded, a report first is merged like any other.
    s.form.openMap(s.mapPath);
    const int asked = int(s.dialog.asked().size());
    s.form.openFiles({s.reportPath});
    QCOMPARE(s.dialog.asked().size(), asked);
    QCOMPARE(s.g.Player_File_Name, s.reportPath);
    QVERIFY(s.g.Last_Player_Index >= 0);
}

// Windows that show the data follow it through the main window's signals, one per change.
void TestMapCommands::dataChangesAreAnnounced()
{
    Session s;
    QSignalSpy opened(&s.form, &mainform::mapOpened);
    QSignalSpy merged(&s.form, &mainform::reportMerged);
    QSignalSpy undone(&s.form, &mainform::reportUndone);
    QSignalSpy recoloured(&s.form, &mainform::coloursChanged);
    QSignalSpy closed(&s.form, &mainform::chartClosed);
    auto counts = [&] {
        return QList<qsizetype>{opened.size(), merged.size(), undone.size(), recoloured.size(),
                                closed.size()};
    };

    s.openMap(s.files.write("bad.map", "header\n1\tx\t1\tBad\n"));
    QCOMPARE(counts(), (QList<qsizetype>{0, 0, 0, 0, 0}));
    s.openMap(s.mapPath);
    QCOMPARE(counts(), (QList<qsizetype>{1, 0, 0, 0, 0}));
    s.openReport(s.reportPath);
    QCOMPARE(counts(), (QList<qsizetype>{1, 1, 0, 0, 0}));
    // A report that fails changes nothing, so there is nothing to announce.
    s.openReport(s.files.write("broken.pla", "h\nGamma\tZorn\n"));
    QCOMPARE(counts(), (QList<qsizetype>{1, 1, 0, 0, 0}));
    s.form.raceColoursChanged();
    QCOMPARE(counts(), (QList<qsizetype>{1, 1, 0, 1, 0}));
    s.chart()->close();
    QCOMPARE(counts(), (QList<qsizetype>{1, 1, 0, 1, 1}));
    s.dialog.cancelNext();
    s.item("mnuOpenPlayerFile")->trigger();
    QCOMPARE(counts(), (QList<qsizetype>{1, 1, 0, 1, 1}));
    s.trigger("mnuUndoReport");
    QCOMPARE(counts(), (QList<qsizetype>{1, 1, 1, 1, 1}));
    s.form.undoLastReport(); // nothing left to take back
    QCOMPARE(counts(), (QList<qsizetype>{1, 1, 1, 1, 1}));
}

void TestMapCommands::loadHistoryCountsMatches()
{
    Session s;
    QVERIFY(s.form.loaded().mapPath.isEmpty());
    s.openMap(s.mapPath);
    s.openReport(s.reportPath);
    const QString other = s.files.write("other.pla", reportText({{"Alpha", "Zorn", "", "1", "5"},
                                                                 {"Nowhere", "Zorn", "", "1", "5"},
                                                                 {"alpha", "", "", "", ""},
                                                                 {"Elsewhere", "", "", "", ""}}));
    s.openReport(other);
    QCOMPARE(s.form.loaded().mapPath, s.mapPath);
    QCOMPARE(s.form.loaded().planets, 5);
    QList<std::pair<QString, ReportTally>> tallies;
    for (const LoadedReport &report : s.form.loaded().reports)
        tallies.append({report.path, report.tally});
    QCOMPARE(tallies, (QList<std::pair<QString, ReportTally>>{{s.reportPath, {3, 0, 3, 0}},
                                                              {other, {1, 3, 1, 1}}}));

    // A new map starts the list again.
    s.openMap(s.mapPath);
    QVERIFY(s.form.loaded().reports.isEmpty());
}

// Undo puts the tables back as they were before the report and redraws the chart; the item
// is there while a report is merged.
void TestMapCommands::undoLastReport()
{
    Session s;
    QAction *undo = s.item("mnuUndoReport");
    QVERIFY(!undo->isEnabled());
    s.openMap(s.mapPath);
    QVERIFY(!undo->isEnabled());
    const Globals mapped = s.g;
    const QImage white = s.picture();
    s.openReport(s.reportPath);
    QVERIFY(undo->isEnabled());
    QVERIFY(s.picture() != white);

    undo->trigger();
    QCOMPARE(s.g.Star_Table, mapped.Star_Table);
    QCOMPARE(s.g.Player_Table, mapped.Player_Table);
    QCOMPARE(s.g.Last_Player_Index, mapped.Last_Player_Index);
    QCOMPARE(s.picture(), white);
    QVERIFY(s.form.loaded().reports.isEmpty());
    QVERIFY(!undo->isEnabled());
    QCOMPARE(s.form.reportFit()->text(), QStringLiteral("Undone: player.pla"));
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(s.dialog.messages().isEmpty());
}

void TestMapCommands::reportFitInTheStatusBar()
{
    Session s;
    s.openMap(s.mapPath);
    QLabel *fit = s.form.reportFit();
    QVERIFY(fit->isVisible());
    s.openReport(s.reportPath);
    QCOMPARE(fit->text(), QStringLiteral("player.pla: 3 of 3 lines matched planets of universe.map"));
    QCOMPARE(fit->property("warning").toBool(), false);

    const QString foreign = s.files.write(
        "foreign.pla", reportText({{"Elsewhere", "Zorn", "", "1", "5"}, {"Nowhere", "Zorn", "", "1", "5"}}));
    s.openReport(foreign);
    QCOMPARE(fit->text(), QStringLiteral("foreign.pla: only 0 of 2 lines name a planet of "
                                         "universe.map; is it from another universe?"));
    QCOMPARE(fit->property("warning").toBool(), true);
    QVERIFY(s.dialog.messages().isEmpty()); // merged without an error, only the warning says so

    s.openMap(s.mapPath);
    QCOMPARE(fit->text(), QString());
    QCOMPARE(fit->property("warning").toBool(), false);
}

void TestMapCommands::choosePlanet()
{
    Session s;
    QSignalSpy chosen(&s.form, &mainform::planetChosen);
    s.form.choosePlanet(0); // no map yet: nothing, and no message
    QVERIFY(chosen.isEmpty());
    QVERIFY(s.dialog.asked().isEmpty());

    s.openMap(s.mapPath);
    s.chart()->close();
    QTRY_VERIFY(!s.chart());
    s.form.choosePlanet(2); // Beta, 1500 by 1300, on a reopened chart window
    QVERIFY(s.chart());
    QCOMPARE(s.g.View_Center_X, std::optional<double>(1500));
    QCOMPARE(s.g.View_Center_Y, qint16(1300));
    QCOMPARE(s.chart()->ringedPosition(), std::optional<QPointF>(QPointF(1500, 1300)));
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen[0][0].toInt(), 2);
    s.form.choosePlanet(5);
    QCOMPARE(chosen.size(), 1);
}

void TestMapCommands::mapWithoutExtentDraws()
{
    // Largest X exactly 800, then largest Y exactly 900: the map, every redraw after it
    // and a report all draw without a message.
    for (const QList<MapLine> &planets :
         {QList<MapLine>{{"800", "1200", "Alpha"}, {"700", "1000", "Beta"}},
          QList<MapLine>{{"1200", "900", "Alpha"}, {"1000", "850", "Beta"}}}) {
        Session s;
        s.openMap(s.files.write("flat.map", mapText(planets)));
        s.openReport(s.reportPath);
        s.chart()->findChild<QPushButton *>(QStringLiteral("Zoom_In_Button"))->click();
        s.item("mnu_Center")->trigger();
        QCOMPARE(s.dialog.messages(), QStringList());
        QVERIFY(s.g.Map_Loaded && s.g.Chart_Shown);
        QVERIFY(countPixels(s.picture(), qRgb(0, 0, 0)) <
                s.picture().width() * s.picture().height());
    }
}

QTEST_MAIN(TestMapCommands)
#include "tst_mapcommands.moc"

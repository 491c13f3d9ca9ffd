#include "commandline.h"
#include "explorerrenderer.h"
#include "filenames.h"
#include "stepmarks.h"
#include "imagesurface.h"
#include "picturelayout.h"
#include "legend.h"
#include "legendstrip.h"
#include "loaduniverse.h"
#include "palette.h"
#include "renderer.h"
#include "notesfile.h"
#include "planetgeometry.h"
#include "planmarks.h"
#include "reportreader.h"
#include "search.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <cmath>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// The command line is run as a user would run it: the real binary, real files.
class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void usageErrors_data();
    void usageErrors();
    void options();
    void planetTable();
    void raceTable();
    void keptColoursOnlyWhenAsked();
    void tableFormats();
    void changeTable();
    void foreignReportWarns();
    void unreadableFiles();
    void render();
    void renderMapWithoutExtent();
    void renderEmptyView();
    void renderExplorerSize();
    void nearAndNotes();
    void renderSelectionAndRings();
    void renderScaledWithLegend();
    void renderSharperTitledAndVectors();
    void renderChanges();
    void writeFailure();
    void renderKeepsOutputOnFailure();
    void renderIntoSpecialFiles();
    void helpAndVersion();
    void toolkitOptions();
    void toolkitOptionsEndAtDoubleDash();
    void namesThatAreNotUtf8();
    void noDisplay();
    void badInputCorpus();

private:
    struct Run {
        int status;
        QString out, err;
    };
    Run kavora(const QStringList &arguments, const QProcessEnvironment &environment = {});

    TestFiles m_files;
    QString m_map, m_report;
};

namespace {

// A map and one report read in process, as the command line reads them.
Globals loaded(const QString &map, const QString &report)
{
    Globals g;
    loadUniverse(g, map, {report});
    return g;
}

} // namespace

TestCommandLine::Run TestCommandLine::kavora(const QStringList &arguments,
                                             const QProcessEnvironment &environment)
{
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KAVORA_BINARY), arguments);
    if (!process.waitForFinished(60000))
        qFatal("kavora did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void TestCommandLine::initTestCase()
{
    m_map = m_files.write("u.map", mapText({{"1200", "1300", "Alpha"},
                                            {"1500", "1400", "Be\\ta"},
                                            {"1800", "1700", "Tab\tbed"},
                                            {"2000", "1800", "Delta"}}));
    m_report = m_files.write("r.pla", reportText({{"Alpha", "Zorn", "", "1", "25000"},
                                                  {"Be\\ta", "Krell", "SB", "0", "1e20"}}));
}

void TestCommandLine::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("hint");
    QTest::newRow("unknown option") << QStringList{"--bogus", "m.map"} << "unknown option --bogus";
    QTest::newRow("missing value") << QStringList{"--render"} << "--render needs a value";
    QTest::newRow("bad extension") << QStringList{"--render", "out.jpg", "m.map"} << ".bmp, .png, .svg or .pdf";
    QTest::newRow("no map") << QStringList{"--planets"} << "no map file given";
    QTest::newRow("two modes") << QStringList{"--planets", "--races", "m.map"} << "only one of";
    QTest::newRow("zoom of 1") << QStringList{"--render", "o.bmp", "--zoom", "1", "m.map"}
                               << "from 0 to below 1";
    QTest::newRow("zoom not a number") << QStringList{"--render", "o.bmp", "--zoom", "x", "m.map"}
                                       << "takes a number";
    QTest::newRow("centre without comma") << QStringList{"--render", "o.bmp", "--center", "5",
                                                         "m.map"}
                                          << "X,Y";
    QTest::newRow("centre X out of range")
        << QStringList{"--render", "o.bmp", "--center", "1e300,5", "m.map"}
        << "--center: X must lie within -32768 to 32767";
    QTest::newRow("unknown label kind") << QStringList{"--render", "o.bmp", "--labels", "some",
                                                       "m.map"}
                                        << "not \"some\"";
    QTest::newRow("bad colour") << QStringList{"--render", "o.bmp", "--race-color", "Zorn=red",
                                               "m.map"}
                                << "NAME=#RRGGBB";
    QTest::newRow("size too small") << QStringList{"--render", "o.png", "--size", "15x100", "m.map"}
                                    << "--size takes WxH, each from 16 to 8192";
    QTest::newRow("size too large") << QStringList{"--render", "o.png", "--size", "100x8193", "m.map"}
                                    << "--size takes WxH";
    QTest::newRow("size one number") << QStringList{"--render", "o.png", "--size", "640", "m.map"}
                                     << "--size takes WxH";
    QTest::newRow("size times scale too large")
        << QStringList{"--render", "o.png", "--size", "64x8192", "--scale", "3", "m.map"}
        << "--size times --scale is at most 16384 pixels each way";
    QTest::newRow("within without near") << QStringList{"--planets", "--within", "5", "m.map"}
                                         << "--within needs --near";
    QTest::newRow("within negative") << QStringList{"--planets", "--near", "A", "--within", "-1",
                                                    "m.map"}
                                     << "--within takes a distance of 0 or more";
    QTest::newRow("near with races") << QStringList{"--races", "--near", "A", "m.map"}
                                     << "--near can only go with --planets";
    QTest::newRow("select without size") << QStringList{"--render", "o.png", "--select", "A", "m.map"}
                                         << "--select needs --size";
    QTest::newRow("rings without select") << QStringList{"--render", "o.png", "--size", "64x64",
                                                         "--rings", "81", "m.map"}
                                          << "--rings needs --select";
    QTest::newRow("rings not distances") << QStringList{"--render", "o.png", "--size", "64x64",
                                                        "--select", "A", "--rings", "81,x", "m.map"}
                                         << "not \"81,x\"";
    QTest::newRow("notes with races") << QStringList{"--races", "--notes", "n.json", "m.map"}
                                      << "--notes can only go with --planets or --render";
    QTest::newRow("size not numbers") << QStringList{"--render", "o.png", "--size", "axb", "m.map"}
                                      << "--size takes WxH";
    QTest::newRow("render options without render") << QStringList{"--planets", "--zoom", "0.5",
                                                                   "m.map"}
                                                   << "go with --render";
    // Options belong to the command-line modes: in window mode they are a mistake too,
    // reported before any window opens.
    QTest::newRow("render option in window mode") << QStringList{"m.map", "--zoom", "0.5"}
                                                  << "--zoom can only go with --render";
    QTest::newRow("unknown option in window mode") << QStringList{"m.map", "-x"}
                                                   << "unknown option -x";
    for (const char *scale : {"0", "9", "1.5", "two", "-2"})
        QTest::addRow("scale %s", scale)
            << QStringList{"--render", "o.png", "--scale", scale, "m.map"}
            << (QString::fromLatin1(scale) == u"two" ? "--scale takes a number"
                                                     : "--scale takes a whole number from 1 to 8");
    QTest::newRow("legend without render") << QStringList{"--races", "--legend", "m.map"}
                                           << "--legend can only go with --render";
    QTest::newRow("unknown format") << QStringList{"--planets", "--format", "xml", "m.map"}
                                    << "--format takes tsv, csv or json, not \"xml\"";
    // Whatever an argument holds, the hint stays one line.
    QTest::newRow("line end in a value")
        << QStringList{"--planets", "--format", "a\nb\x1b[2J", "m.map"}
        << "not \"a\\x0Ab\\x1B[2J\"";
    QTest::newRow("format in capitals") << QStringList{"--races", "--format", "CSV", "m.map"}
                                        << "not \"CSV\"";
    QTest::newRow("changes on the chart window's picture")
        << QStringList{"--render", "o.png", "--changes", "m.map"}
        << "--changes with --render needs --size";
    QTest::newRow("changes with two modes")
        << QStringList{"--changes", "--render", "o.png", "--size", "64x64", "--races", "m.map"}
        << "only one of";
    QTest::newRow("format with render and changes")
        << QStringList{"--changes", "--format", "csv", "--render", "o.png", "--size", "64x64", "m.map"}
        << "--format can only go with --planets, --races or --changes";
    QTest::newRow("format with render") << QStringList{"--render", "o.png", "--format", "csv",
                                                       "m.map"}
                                        << "--format can only go with --planets, --races or --changes";
    QTest::newRow("unknown palette") << QStringList{"--races", "--palette", "bright", "m.map"}
                                     << "--palette takes classic or distinct, not \"bright\"";
}

void TestCommandLine::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, hint);
    try {
        parseCommandLine(arguments);
        QFAIL("accepted");
    } catch (const UsageError &error) {
        QVERIFY2(error.hint.contains(hint), qPrintable(error.hint));
    }
    const Run run = kavora(arguments);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.err.count(u'\n'), 1); // a one-line hint
    QVERIFY(run.err.contains(hint));
    QVERIFY(run.out.isEmpty());
}

void TestCommandLine::options()
{
    const CommandLineOptions o = parseCommandLine(
        {"--render", "Out.PNG", "--zoom", "0.5", "--center", "1600,-1500.5", "--labels",
         "populated,starbases", "--race-color", "A=B=#ff0000", "m.map", "a.pla", "b.pla"});
    QCOMPARE(o.mode, CommandLineOptions::Mode::Render);
    QCOMPARE(o.output, QStringLiteral("Out.PNG"));
    QCOMPARE(o.zoom, std::optional<double>(0.5));
    QCOMPARE(o.centerX, 1600.0);
    QCOMPARE(o.centerY, -1500.5);
    QVERIFY(!o.labelAll && o.labelPopulated && o.labelStarbases);
    QCOMPARE(o.raceColors.size(), 1);
    QCOMPARE(o.raceColors[0].first, QStringLiteral("A=B")); // the last '=' splits
    QCOMPARE(o.raceColors[0].second, PackedColor(0x0000FF));
    // Files reach the readers with their full path, whatever the working folder.
    const QDir here = QDir::current();
    QCOMPARE(o.files, (QStringList{here.absoluteFilePath("m.map"), here.absoluteFilePath("a.pla"),
                                   here.absoluteFilePath("b.pla")}));
    QCOMPARE(parseCommandLine({"/data/u.map", "../r.pla"}).files,
             (QStringList{"/data/u.map", QFileInfo(here, "../r.pla").absoluteFilePath()}));

    // One parser for every mode: a file may come first, "--" ends the options.
    CommandLineOptions gui = parseCommandLine({"m.map", "a.pla"});
    QCOMPARE(gui.mode, CommandLineOptions::Mode::Gui);
    QCOMPARE(parseCommandLine({"m.map", "--planets"}).mode, CommandLineOptions::Mode::Planets);
    gui = parseCommandLine({"--", "-m.map", "--planets"});
    QCOMPARE(gui.mode, CommandLineOptions::Mode::Gui);
    QCOMPARE(gui.files, (QStringList{here.absoluteFilePath("-m.map"),
                                     here.absoluteFilePath("--planets")}));
    QVERIFY(!isCommandLineMode({"m.map"}));
    QVERIFY(isCommandLineMode({"--races", "m.map"}));
    QVERIFY(isCommandLineMode({"m.map", "--races"}));
    QVERIFY(isCommandLineMode({"m.map", "-h"}));
    QVERIFY(isCommandLineMode({"m.map", "--bogus"})); // reported as a usage error

    // The colour scheme goes with every mode, the windows' too.
    QCOMPARE(parseCommandLine({"m.map"}).palette, std::nullopt);
    gui = parseCommandLine({"--palette", "distinct", "m.map"});
    QCOMPARE(gui.mode, CommandLineOptions::Mode::Gui);
    QCOMPARE(gui.palette, ColourScheme::Distinct);
    QVERIFY(!isCommandLineMode({"--palette", "classic"}));
    QCOMPARE(parseCommandLine({"--render", "o.png", "--palette", "classic", "m.map"}).palette,
             ColourScheme::Classic);
    // --changes is a mode of its own, or with --render, in either order, a flag.
    QVERIFY(!parseCommandLine({"--changes", "m.map"}).changes);
    for (const QStringList &arguments :
         {QStringList{"--changes", "--render", "o.png", "--size", "64x64", "m.map"},
          QStringList{"--render", "o.png", "m.map", "--size", "64x64", "--changes"}}) {
        const CommandLineOptions marked = parseCommandLine(arguments);
        QCOMPARE(marked.mode, CommandLineOptions::Mode::Render);
        QCOMPARE(marked.output, QStringLiteral("o.png"));
        QVERIFY(marked.changes);
    }
}

void TestCommandLine::planetTable()
{
    const Run run = kavora({"--planets", m_map, m_report});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    const QStringList lines = run.out.split(u'\n');
    QCOMPARE(lines.size(), 6); // header, four planets, the final line end
    QCOMPARE(lines[0], QStringLiteral("index\tname\tx\ty\towner\tstarbase\treport_age\tpopulation\t"
                                      "color\tstyle\tmarker\tnote"));
    // The report sorted the table by population: the unowned and empty ones first. No notes
    // file: the last two columns are empty.
    QCOMPARE(lines[1], QStringLiteral("0\tDelta\t2000\t1800\t\t\t\t\t#FFFFFF\t\t\t"));
    QCOMPARE(lines[2], QStringLiteral("1\tTab\\tbed\t1800\t1700\t\t\t\t\t#FFFFFF\t\t\t"));
    QCOMPARE(lines[3], QStringLiteral("2\tAlpha\t1200\t1300\tZorn\t\t1\t25000\t#0000FF\t4\t\t"));
    QCOMPARE(lines[4], QStringLiteral("3\tBe\\\\ta\t1500\t1400\tKrell\tSB\t0\t1e20\t#00FF00\t4\t\t"));

    const Run mapOnly = kavora({"--planets", m_map});
    QCOMPARE(mapOnly.out.split(u'\n')[1], QStringLiteral("0\tAlpha\t1200\t1300\t\t\t\t\t#FFFFFF\t\t\t"));
    // The mode may follow the files; the same table, not a window reading "--planets".
    QCOMPARE(kavora({m_map, m_report, "--planets"}).out, run.out);
}

void TestCommandLine::raceTable()
{
    const Run run = kavora({"--races", m_map, m_report, m_report});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QStringLiteral("slot\tname\tcolor\tstyle\tpopulation\tstarbases\n"
                                     "0\tZorn\t#0000FF\t4\t25000\t\n"
                                     "1\tKrell\t#00FF00\t4\t100000000000000000000\t1\n"));
    QCOMPARE(kavora({"--races", m_map}).out,
             QStringLiteral("slot\tname\tcolor\tstyle\tpopulation\tstarbases\n"));
    // The other scheme's first two slots: #77FF66 hatched "/", #CC11BB hatched "/".
    QCOMPARE(kavora({"--races", "--palette", "distinct", m_map, m_report}).out,
             QStringLiteral("slot\tname\tcolor\tstyle\tpopulation\tstarbases\n"
                            "0\tZorn\t#77FF66\t4\t25000\t\n"
                            "1\tKrell\t#CC11BB\t4\t100000000000000000000\t1\n"));
    // Totals as typed in the report, not the nearest double's binary noise.
    const QString typed = m_files.write(
        "typed.pla", reportText({{"Alpha", "Zorn", "", "1", "12.3"},
                                 {"Be\\ta", "Krell", "", "0", "1234567.891"}}));
    QCOMPARE(kavora({"--races", m_map, typed}).out,
             QStringLiteral("slot\tname\tcolor\tstyle\tpopulation\tstarbases\n"
                            "0\tZorn\t#0000FF\t4\t12.3\t\n"
                            "1\tKrell\t#00FF00\t4\t1234567.891\t\n"));
}

// The command line leaves the user's settings alone unless --kept-colours asks for the
// colours kept there, so a script gives the same output on any machine.
void TestCommandLine::keptColoursOnlyWhenAsked()
{
    TestFiles config;
    QVERIFY(QDir().mkpath(config.path("Kavora")));
    config.write("Kavora/Kavora.ini", "[keptColours]\n0\\name=Zorn\n0\\colour=#123456\n"
                                      "0\\style=6\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", QFileInfo(config.path("Kavora")).absolutePath());
    const QString header = QStringLiteral("slot\tname\tcolor\tstyle\tpopulation\tstarbases\n");
    QCOMPARE(kavora({"--races", m_map, m_report}, environment).out,
             header +
                 "0\tZorn\t#0000FF\t4\t25000\t\n1\tKrell\t#00FF00\t4\t100000000000000000000\t1\n");
    const Run kept = kavora({"--races", "--kept-colours", m_map, m_report}, environment);
    QCOMPARE(kept.status, 0);
    QCOMPARE(kept.out,
             header +
                 "0\tZorn\t#123456\t6\t25000\t\n1\tKrell\t#00FF00\t4\t100000000000000000000\t1\n");
    // The planets take them too (no notes file: the marker and note columns stay empty).
    QVERIFY(kavora({"--planets", m_map, m_report, "--kept-colours"}, environment)
                .out.contains(u"\tZorn\t\t1\t25000\t#123456\t6\t\t\n"));
    QCOMPARE(kavora({"--kept-colours", m_map}).status, 2); // no command-line mode
}

// The same tables as CSV and JSON; a name with a tab and a backslash comes back intact.
void TestCommandLine::tableFormats()
{
    const Run tsv = kavora({"--planets", m_map, m_report});
    QCOMPARE(kavora({"--planets", "--format", "tsv", m_map, m_report}).out, tsv.out);

    const Run csv = kavora({"--format", "csv", "--planets", m_map, m_report});
    QCOMPARE(csv.status, 0);
    QCOMPARE(csv.out, QStringLiteral("index,name,x,y,owner,starbase,report_age,population,color,style,"
                                     "marker,note\r\n"
                                     "0,Delta,2000,1800,,,,,#FFFFFF,,,\r\n"
                                     "1,Tab\tbed,1800,1700,,,,,#FFFFFF,,,\r\n"
                                     "2,Alpha,1200,1300,Zorn,,1,25000,#0000FF,4,,\r\n"
                                     "3,Be\\ta,1500,1400,Krell,SB,0,1e20,#00FF00,4,,\r\n"));

    const Run json = kavora({"--planets", m_map, m_report, "--format", "json"});
    QCOMPARE(json.status, 0);
    QJsonParseError error;
    const QJsonArray planets = QJsonDocument::fromJson(json.out.toUtf8(), &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(planets.size(), 4);
    QCOMPARE(planets[1].toObject()["name"], QJsonValue("Tab\tbed"));
    QCOMPARE(planets[1].toObject()["population"], QJsonValue(QJsonValue::Null));
    QCOMPARE(planets[3].toObject(),
             (QJsonObject{{"index", 3}, {"name", "Be\\ta"}, {"x", 1500}, {"y", 1400},
                          {"owner", "Krell"}, {"starbase", "SB"}, {"report_age", 0},
                          {"population", 1e20}, {"color", "#00FF00"}, {"style", 4},
                          {"marker", ""}, {"note", ""}}));

    const Run races = kavora({"--races", "--format", "json", m_map, m_report});
    const QJsonArray raceRows = QJsonDocument::fromJson(races.out.toUtf8()).array();
    QCOMPARE(raceRows.size(), 2);
    QCOMPARE(raceRows[0].toObject()["population"], QJsonValue(25000));
    QCOMPARE(raceRows[0].toObject()["starbases"], QJsonValue(QJsonValue::Null));
    QCOMPARE(kavora({"--races", "--format", "csv", m_map, m_report}).out,
             QStringLiteral("slot,name,color,style,population,starbases\r\n"
                            "0,Zorn,#0000FF,4,25000,\r\n"
                            "1,Krell,#00FF00,4,100000000000000000000,1\r\n"));
}

// Each report's changes in what the reports before it left, numbered by step.
void TestCommandLine::changeTable()
{
    const QString later = m_files.write("r2.pla", reportText({{"Alpha", "Krell", "", "2", "20000"},
                                                             {"Be\\ta", "Krell", "SB", "1", "2e20"},
                                                             {"Delta", "Zorn", "", "2", "7"}}));
    const Run run = kavora({"--changes", m_map, m_report, later});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out,
             QStringLiteral("step\tplanet\tx\ty\tkind\trace_before\trace_after\tpopulation_before\t"
                            "population_after\tdifference\n"
                            "1\tAlpha\t1200\t1300\tfirst seen\t\tZorn\t\t25000\t\n"
                            "1\tBe\\\\ta\t1500\t1400\tfirst seen\t\tKrell\t\t1e20\t\n"
                            "2\tAlpha\t1200\t1300\tnew owner\tZorn\tKrell\t25000\t20000\t-5000\n"
                            "2\tBe\\\\ta\t1500\t1400\tpopulation up\tKrell\tKrell\t1e20\t2e20\t"
                            "+100000000000000000000\n"
                            "2\tDelta\t2000\t1800\tfirst seen\t\tZorn\t\t7\t\n"));
    QCOMPARE(kavora({"--changes", m_map}).out.count(u'\n'), 1); // the header alone

    const Run json = kavora({"--changes", "--format", "json", m_map, m_report, later});
    const QJsonArray rows = QJsonDocument::fromJson(json.out.toUtf8()).array();
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[2].toObject(),
             (QJsonObject{{"step", 2}, {"planet", "Alpha"}, {"x", 1200}, {"y", 1300},
                          {"kind", "new owner"}, {"race_before", "Zorn"}, {"race_after", "Krell"},
                          {"population_before", 25000}, {"population_after", 20000},
                          {"difference", -5000}}));
    QCOMPARE(rows[0].toObject()["population_before"], QJsonValue(QJsonValue::Null));
    QVERIFY(kavora({"--changes", "--format", "csv", m_map, m_report})
                .out.startsWith("step,planet,x,y,kind,race_before,race_after,"));
}

// A report of another universe reads without an error, so the command line says so; the
// exit status and the output stay as for any report.
void TestCommandLine::foreignReportWarns()
{
    const QString foreign = m_files.write("foreign.pla", reportText({{"Elsewhere", "Zorn", "", "1", "5"},
                                                                    {"Nowhere", "Zorn", "", "1", "5"},
                                                                    {"Alpha", "", "", "1", ""}}));
    const Run run = kavora({"--races", m_map, m_report, foreign});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QStringLiteral("foreign.pla: only 0 of 2 lines name a planet of u.map; is it "
                                     "from another universe?\n"));
    QCOMPARE(run.out, kavora({"--races", m_map, m_report}).out);
}

void TestCommandLine::unreadableFiles()
{
    const QString bad = m_files.write("bad.map", "h\n1\t2\t3\tA\n1\tx\t3\tB\n");
    Run run = kavora({"--planets", bad});
    QCOMPARE(run.status, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.startsWith(QStringLiteral("Error!!! 13 ")), qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("line 3 of ") + bad));

    // A report that fails part-way is a failure here, not a partial table.
    const QString half = m_files.write("half.pla", "h\nAlpha\tZorn\t\t1\t5\t\nBeta\tZorn\t1\t2\n");
    run = kavora({"--races", m_map, half});
    QCOMPARE(run.status, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.contains(QStringLiteral("line 3 of ") + half));

    run = kavora({"--races", m_files.path("none.map")});
    QCOMPARE(run.status, 1);
    QVERIFY(run.err.startsWith(QStringLiteral("Error!!! 53 File not found")));
}

void TestCommandLine::render()
{
    const QString out = m_files.path("chart.bmp");
    const Run run = kavora({"--render", out, "--labels", "all", "--race-color", "Krell=#FF8000",
                            m_map, m_report});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(2), QByteArray("BM"));
    const QImage written(out);
    QCOMPARE(written.size(), QSize(ImageSurface::kWidth, ImageSurface::kHeight));

    // The same chart drawn in process through the window's path, pixel for pixel.
    Globals g = loaded(m_map, m_report);
    for (Star_Object &s : g.Star_Table) {
        if (s.Owner == u"Krell")
            s.color = 0x0080FF;
    }
    ImageSurface surface;
    LabelOptions labels;
    labels.all = true;
    const ChartView view = display_map(g, surface, labels, {}, 0, 0);
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32),
             surface.Image().convertToFormat(QImage::Format_RGB32));

    // And what a user would look for: a planet's dot, and Krell's zone in the new colour
    // (it is the most populous, so it lies on top of Zorn's).
    const QPointF at = view.toPixel({1500, 1400}, written.size());
    const QPoint planet(int(std::floor(at.x())), int(std::floor(at.y())));
    QCOMPARE(written.pixel(planet), qRgb(255, 255, 255));
    int orange = 0;
    for (int dy = -20; dy <= 20; ++dy) {
        for (int dx = -20; dx <= 20; ++dx)
            orange += written.pixel(planet + QPoint(dx, dy)) == qRgb(255, 128, 0);
    }
    QVERIFY2(orange > 41 * 41 / 16, qPrintable(QString::number(orange))); // a hatch, not a dot

    // Zoom and centre move the picture.
    const QString zoomed = m_files.path("zoomed.png");
    QCOMPARE(kavora({"--render", zoomed, "--zoom", "0.5", "--center", "1600,1500", m_map}).status,
             0);
    QVERIFY(QImage(zoomed).convertToFormat(QImage::Format_RGB32) !=
            QImage(out).convertToFormat(QImage::Format_RGB32));
}

// --scale draws the chart larger, --legend adds the strip; without them the output is the
// chart picture alone, and with them the chart still sits at the top left as drawn.
void TestCommandLine::renderScaledWithLegend()
{
    Globals g = loaded(m_map, m_report);
    QVERIFY(g.Last_Player_Index >= 1);
    auto chartAt = [&](int scale) {
        Globals same = g;
        ImageSurface surface(ImageSurface::kPictureSize, scale);
        display_map(same, surface, {}, {}, 0, 0);
        return surface.Image();
    };
    auto rendered = [&](const QString &name, const QStringList &options) {
        const QString out = m_files.path(name);
        const Run run = kavora(QStringList{"--render", out} + options + QStringList{m_map, m_report});
        if (run.status != 0)
            qWarning("%s", qPrintable(run.err));
        return QImage(out).convertToFormat(QImage::Format_RGB32);
    };

    QCOMPARE(rendered("one.png", {"--scale", "1"}), chartAt(1));
    QCOMPARE(rendered("two.png", {"--scale", "2"}), chartAt(2));

    const QImage withLegend = rendered("legend.bmp", {"--legend"});
    const QSize strip = legendSize(g, true);
    QCOMPARE(withLegend.size(), QSize(537 + strip.width(), 441));
    QCOMPARE(withLegend.copy(0, 0, 537, 441), chartAt(1));
    QCOMPARE(withLegend, chartWithLegend(chartAt(1), g));

    const QImage both = rendered("both.png", {"--legend", "--scale", "3"});
    QCOMPARE(both.size(), QSize(537 + legendSize(g, true, 3).width(), 441) * 3);
    QCOMPARE(both.copy(0, 0, 537 * 3, 441 * 3), chartAt(3));
}

// --changes on the explorer's view marks what the last report changed, under its title in
// the legend, pixel for pixel as the explorer draws them.
void TestCommandLine::renderChanges()
{
    const QString later = m_files.write("r2.pla", reportText({{"Alpha", "Krell", "", "2", "20000"},
                                                             {"Be\\ta", "Krell", "", "1", "1e20"}}));
    Globals g;
    const LoadHistory history = loadUniverse(g, m_map, {m_report, later});
    const QString out = m_files.path(QStringLiteral("changes.png"));
    const QStringList common{"--render", out, "--size", "400x300", "--legend", m_map, m_report, later};
    QCOMPARE(kavora(common).status, 0);
    const QImage plain = QImage(out).convertToFormat(QImage::Format_RGB32);
    const Run run = kavora(common + QStringList{"--changes"});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const QImage marked = QImage(out).convertToFormat(QImage::Format_RGB32);
    QVERIFY(marked != plain);

    ExplorerScene scene;
    scene.view = explorerViewFor(QSize(400, 300), mapExtent(g.Map_Max_X, g.Map_Max_Y), 0, 0, 0);
    scene.legend = true;
    scene.changes = stepMarks(g, listedChanges(history, 1));
    scene.changesTitle = QStringLiteral("r2.pla: changes since r.pla");
    QCOMPARE(scene.changes.size(), size_t(2)); // Alpha changed hands, Beta lost its starbase
    ImageSurface surface(scene.view.picture);
    ExplorerRenderer().draw(g, surface, scene);
    QCOMPARE(marked, surface.Image().convertToFormat(QImage::Format_RGB32));
}

void TestCommandLine::writeFailure()
{
    // A full disk shows only when the written text is flushed: exit 1 and a message that
    // names the output, never 0 with nothing written.
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("needs /dev/full");
    for (const QStringList &arguments : {QStringList{"--planets", m_map},
                                         QStringList{"--races", m_map, m_report},
                                         QStringList{"--help"}}) {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(KAVORA_BINARY), arguments);
        QVERIFY(process.waitForFinished(60000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), 1);
        QVERIFY2(err.startsWith(u"Error!!! 57 ") && err.contains(u"(standard output)"),
                 qPrintable(err));
    }
}

// --size draws the explorer's view: that many pixels, one scale on both axes, fitted and
// centred, or closer by --zoom about --center; pixel for pixel what the explorer draws.
void TestCommandLine::renderExplorerSize()
{
    const Globals g = loaded(m_map, m_report);
    const MapExtent extent = mapExtent(g.Map_Max_X, g.Map_Max_Y);

    struct Case {
        QStringList options;
        QSize size;
        double zoom, x, y;
    };
    const QList<Case> cases = {
        {{"--size", "800x300", "--labels", "all"}, QSize(800, 300), 0, 0, 0},
        {{"--size", "300X800", "--zoom", "0.5", "--center", "1600,1500"}, QSize(300, 800), 0.5,
         1600, 1500},
        {{"--size", "16x16"}, QSize(16, 16), 0, 0, 0},
        {{"--size", "640x480", "--legend"}, QSize(640, 480), 0, 0, 0},
    };
    for (const Case &c : cases) {
        const QString out = m_files.path(QStringLiteral("explorer.png"));
        const Run run = kavora(QStringList{"--render", out} + c.options + QStringList{m_map, m_report});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        const QImage written = QImage(out).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(written.size(), c.size);

        ExplorerScene scene;
        scene.view = explorerViewFor(c.size, extent, c.zoom, c.x, c.y);
        scene.labels.all = c.options.contains(QStringLiteral("all"));
        scene.legend = c.options.contains(QStringLiteral("--legend"));
        ImageSurface surface(c.size);
        const ExplorerDrawing drawing = ExplorerRenderer().draw(g, surface, scene);
        QCOMPARE(written, surface.Image().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(drawing.labels.empty(), !scene.labels.all);
        QCOMPARE(drawing.legend.isEmpty(), !scene.legend); // in the corner, no strip beside
        // One scale on both axes: the picture's corners span W and H times the same units.
        const ChartView view = drawing.chartView;
        QVERIFY(std::abs((view.right - view.left) / c.size.width() -
                         (view.top - view.bottom) / c.size.height()) < 1e-9);
    }
    // Without --size the chart window's picture, as before: see render().
}

// The explorer's view three times sharper with a title, and the chart as SVG and PDF: each
// file arrives with its size (what they hold is the picture layer's test).
void TestCommandLine::renderSharperTitledAndVectors()
{
    const Globals g = loaded(m_map, m_report);
    const QString out = m_files.path(QStringLiteral("alliance.png"));
    Run run = kavora({"--render", out, "--scale", "3", "--size", "1600x1200", "--legend",
                      "--labels", "all", "--title", "Turn 12, north", m_map, m_report});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QImage written = QImage(out).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(written.size(), QSize(4800, 3600 + 3 * titleStripHeight()));
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(QSize(1600, 1200), mapExtent(g.Map_Max_X, g.Map_Max_Y));
    scene.labels.all = true;
    scene.legend = true;
    scene.scale = 3;
    ImageSurface surface(QSize(1600, 1200), 3);
    ExplorerRenderer().draw(g, surface, scene);
    QCOMPARE(written.copy(QRect(QPoint(0, 3 * titleStripHeight()), QSize(4800, 3600))),
             surface.Image());

    for (const char *name : {"chart.svg", "chart.PDF"}) {
        const QString vector = m_files.path(QLatin1String(name));
        run = kavora({"--render", vector, "--legend", m_map, m_report});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QFile file(vector);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray start = file.read(400);
        QVERIFY2(QByteArray(name).endsWith("svg") ? start.contains("<svg") : start.startsWith("%PDF-"),
                 name);
    }
    // In window mode "--title" stays the toolkit's option, as before.
    QCOMPARE(withoutToolkitOptions({"--title", "Mine", m_map}), QStringList{m_map});
}

// --near lists the planets nearest first with their distance, --within only those that
// near; the markers and notes come from the file beside the map or from --notes.
void TestCommandLine::nearAndNotes()
{
    const QString map = m_files.write("near.map", mapText({{"1200", "1300", "Alpha"},
                                                           {"1500", "1400", "Be\\ta"},
                                                           {"1800", "1700", "Tab\tbed"},
                                                           {"900", "1000", "Delta"}}));
    const Run near = kavora({"--planets", "--near", "Alpha", "--within", "425", map});
    QCOMPARE(near.status, 0);
    QStringList lines = near.out.split(u'\n');
    QCOMPARE(lines.size(), 5); // the header, three planets, the final line end
    QVERIFY(lines[0].endsWith(QStringLiteral("\tmarker\tnote\tdistance")));
    QVERIFY(lines[1].startsWith(QStringLiteral("0\tAlpha\t")) && lines[1].endsWith(u"\t0.0"));
    QVERIFY(lines[2].startsWith(QStringLiteral("1\tBe\\\\ta\t")) && lines[2].endsWith(u"\t316.2"));
    QVERIFY(lines[3].startsWith(QStringLiteral("3\tDelta\t")) && lines[3].endsWith(u"\t424.3"));
    const Run all = kavora({"--planets", "--near", "Tab\tbed", "--format", "csv", map});
    QCOMPARE(all.out.count(QStringLiteral("\r\n")), 5);
    QVERIFY(all.out.section(QStringLiteral("\r\n"), 4, 4).startsWith(QStringLiteral("3,Delta,")));
    const Run unknown = kavora({"--planets", "--near", "alpha", map});
    QCOMPARE(unknown.status, 2);
    QVERIFY(unknown.err.contains(QStringLiteral("no planet named \"alpha\" for --near")));
    QVERIFY(unknown.out.isEmpty());
    // A name that would move the terminal's cursor is shown escaped, on one line.
    const Run escaped = kavora({"--planets", "--near", "al\npha\x1b[2J", map});
    QVERIFY(escaped.err.contains(
        QStringLiteral("no planet named \"al\\x0Apha\\x1B[2J\" for --near")));

    // The notes beside the map; the awkward note comes out escaped as the format wants.
    NotesStore notes;
    notes.set({"Alpha", 1200, 1300}, {Marker::Target, QStringLiteral("go\tnow, \"fast\"\nor not")});
    m_files.write("near.notes.json", notesJson(notes));
    lines = kavora({"--planets", map}).out.split(u'\n');
    QVERIFY(lines[1].endsWith(QStringLiteral("\ttarget\tgo\\tnow, \"fast\"\\nor not")));
    QVERIFY(lines[2].endsWith(QStringLiteral("\t\t")));
    const QJsonArray json = QJsonDocument::fromJson(
        kavora({"--planets", "--format", "json", map}).out.toUtf8()).array();
    QCOMPARE(json[0].toObject()["note"].toString(), QStringLiteral("go\tnow, \"fast\"\nor not"));
    // An ally's file instead; one that is missing is a file that could not be read.
    NotesStore shared;
    shared.set({"Delta", 900, 1000}, {Marker::Ally, {}});
    const QString ally = m_files.write("ally.json", notesJson(shared));
    lines = kavora({"--planets", "--notes", ally, map}).out.split(u'\n');
    QVERIFY(lines[1].endsWith(QStringLiteral("\t\t")));
    QVERIFY(lines[4].endsWith(QStringLiteral("\tally\t")));
    const Run missing = kavora({"--planets", "--notes", m_files.path("none.json"), map});
    QCOMPARE(missing.status, 1);
    QVERIFY(missing.err.contains(QStringLiteral("Error!!! 53 File not found")));
    // A damaged file beside the map is only a warning: the table still comes.
    m_files.write("near.notes.json", "{\"version\": 1, \"planets\": [");
    const Run damaged = kavora({"--planets", map});
    QCOMPARE(damaged.status, 0);
    QVERIFY(damaged.err.startsWith(QStringLiteral("kavora: warning: Error!!! 321")));
    QCOMPARE(damaged.out.count(u'\n'), 5);
    const Run damagedAsked = kavora({"--planets", "--notes", m_files.path("near.notes.json"), map});
    QCOMPARE(damagedAsked.status, 1);
}

// --select selects as a click in the explorer would: ringed, centred, labelled; --rings
// round it. Pixel for pixel what the explorer draws for that scene.
void TestCommandLine::renderSelectionAndRings()
{
    const Globals g = loaded(m_map, m_report);
    const QString out = m_files.path(QStringLiteral("rings.png"));
    const Run run = kavora({"--render", out, "--size", "400x300", "--select", "Alpha", "--rings",
                            "100,250", "--labels", "starbases", m_map, m_report});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    ExplorerScene scene;
    scene.selected = findStar(g, u"Alpha");
    scene.view = explorerViewFor({400, 300}, mapExtent(g.Map_Max_X, g.Map_Max_Y), 0, 0, 0)
                     .centredOn(planetPosition(g.Star_Table[size_t(scene.selected)]));
    scene.labels.starbases = true;
    scene.rings = {100, 250};
    scene.ringSelected = true;
    ImageSurface surface(QSize(400, 300));
    const ExplorerDrawing drawing = ExplorerRenderer().draw(g, surface, scene);
    const QImage written = QImage(out).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(written, surface.Image().convertToFormat(QImage::Format_RGB32));
    QCOMPARE(drawing.labels.front().planet, scene.selected);
    // The ring of 100 units left of the planet, in the ring colour.
    const QPointF centre = scene.view.toPixel({1200, 1300});
    const QPoint left(int(std::floor(centre.x() - 100 / scene.view.unitsPerPixel)),
                      int(std::floor(centre.y())));
    QCOMPARE(written.pixel(left), rgbFromPacked(kRingColor));
    // With --center the view stays where it was asked to be.
    const Run centred = kavora({"--render", out, "--size", "400x300", "--select", "Alpha",
                                "--center", "1600,1500", m_map});
    QCOMPARE(centred.status, 0);
    const Run unknown = kavora({"--render", out, "--size", "64x64", "--select", "Nope", m_map});
    QCOMPARE(unknown.status, 2);
    QVERIFY(unknown.err.contains(QStringLiteral("no planet named \"Nope\" for --select")));
}

// A view that holds no planet is drawn all the same, but said so: a typo in --center is
// more likely than a wish for a black picture.
void TestCommandLine::renderEmptyView()
{
    const QString out = m_files.path("empty.png");
    Run run = kavora({"--render", out, "--zoom", "0.9", "--center", "30000,30000", m_map});
    QCOMPARE(run.status, 0);
    QVERIFY(!QImage(out).isNull());
    QVERIFY2(run.err.startsWith(u"kavora: no planet lies in the view drawn") &&
                 run.err.count(u'\n') == 1,
             qPrintable(run.err));
    run =
        kavora({"--render", out, "--size", "64x64", "--zoom", "0.9", "--center", "-3000,5", m_map});
    QVERIFY2(run.status == 0 && run.err.startsWith(u"kavora: no planet"), qPrintable(run.err));
    run = kavora({"--render", out, "--zoom", "0.9", "--center", "1500,1400", m_map});
    QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.err));
}

void TestCommandLine::renderMapWithoutExtent()
{
    // Largest X exactly 800 or largest Y exactly 900: an axis of one map unit, still drawn.
    for (const QList<MapLine> &planets : {QList<MapLine>{{"800", "1200", "A"}},
                                          QList<MapLine>{{"1200", "900", "A"}}}) {
        const QString out = m_files.path("flat.png");
        QFile::remove(out);
        const Run run = kavora({"--render", out, m_files.write("flat.map", mapText(planets))});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(QImage(out).size(), QSize(ImageSurface::kWidth, ImageSurface::kHeight));
    }
}

void TestCommandLine::renderKeepsOutputOnFailure()
{
    const QString out = m_files.write("keep.png", "not an image, but mine");
    Run run = kavora({"--render", out, m_map, m_files.path("missing.pla")});
    QCOMPARE(run.status, 1);
    run = kavora({"--render", out, "--race-color", "Nobody=#000000", m_map, m_report});
    QCOMPARE(run.status, 2);
    QVERIFY(run.err.contains(QStringLiteral("no race named \"Nobody\"")));
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("not an image, but mine"));

    run = kavora({"--render", m_files.path("no/such/folder/x.bmp"), m_map});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.startsWith(QStringLiteral("Error!!! 76 Path not found")), qPrintable(run.err));
}

namespace {

mode_t fileType(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}

} // namespace

// The output is followed through a link; a regular file is replaced whole, with its
// permissions; a device or a pipe is written in place, never replaced by a file.
void TestCommandLine::renderIntoSpecialFiles()
{
    // A link to a regular file: the file gets the chart, the link stays a link.
    const QString target = m_files.write("target.png", "old");
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QString toTarget = m_files.path("to-target.png");
    QVERIFY(QFile::link(target, toTarget));
    QCOMPARE(kavora({"--render", toTarget, m_map}).status, 0);
    QCOMPARE(fileType(toTarget), mode_t(S_IFLNK));
    QCOMPARE(QImage(target).size(), QSize(ImageSurface::kWidth, ImageSurface::kHeight));
    const QFile::Permissions ownerGroupOther(0x7077); // not the ...User bits
    QCOMPARE(QFile::permissions(target) & ownerGroupOther,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

    // A pipe that nobody reads: refused at once, not waited on, and still a pipe.
    const QString pipe = m_files.path("pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString toPipe = m_files.path("to-pipe.png");
    QVERIFY(QFile::link(pipe, toPipe));
    Run run = kavora({"--render", toPipe, m_map});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(u"no program reads from it") && run.err.contains(toPipe),
             qPrintable(run.err));
    QCOMPARE(fileType(pipe), mode_t(S_IFIFO));
    // With a reader the chart flows through it.
    QProcess reader;
    reader.setStandardOutputFile(m_files.path("through-pipe.png"));
    reader.start(QStringLiteral("cat"), {pipe});
    QVERIFY(reader.waitForStarted());
    run = kavora({"--render", toPipe, m_map});
    QVERIFY(reader.waitForFinished(60000));
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QCOMPARE(QImage(m_files.path("through-pipe.png")).size(),
             QSize(ImageSurface::kWidth, ImageSurface::kHeight));
    QCOMPARE(fileType(pipe), mode_t(S_IFIFO));
    // A vector picture flows through it the same way.
    const QString svgToPipe = m_files.path("to-pipe.svg");
    QVERIFY(QFile::link(pipe, svgToPipe));
    reader.setStandardOutputFile(m_files.path("through-pipe.svg"));
    reader.start(QStringLiteral("cat"), {pipe});
    QVERIFY(reader.waitForStarted());
    run = kavora({"--render", svgToPipe, m_map});
    QVERIFY(reader.waitForFinished(60000));
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QFile svg(m_files.path("through-pipe.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));
    QCOMPARE(fileType(pipe), mode_t(S_IFIFO));

    // A device: written in place, so a full one says so. Root gets a device node of its
    // own, since a fault here would replace the node; anyone else cannot replace /dev/full.
    QString device = QStringLiteral("/dev/full");
    if (::geteuid() == 0) {
        device = m_files.path("full");
        if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("cannot make a device node here");
    } else if (fileType(device) != S_IFCHR) {
        QSKIP("needs /dev/full");
    }
    const QString toDevice = m_files.path("to-device.bmp");
    QVERIFY(QFile::link(device, toDevice));
    run = kavora({"--render", toDevice, m_map});
    QCOMPARE(run.status, 1);
    QCOMPARE(fileType(device), mode_t(S_IFCHR));
    QVERIFY2(run.err.startsWith(u"Error!!! 57 ") && run.err.contains(toDevice),
             qPrintable(run.err));
    QVERIFY2(run.err.contains(u"No space left on device"), qPrintable(run.err));
}

void TestCommandLine::helpAndVersion()
{
    Run run = kavora({"--version"});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QStringLiteral("Kavora 0.5.1\n"));
    run = kavora({"--help"});
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.contains(QStringLiteral("--render OUT")));
    // In any position, and in window mode too: the usage, not a window that fails to read
    // "-h" as a map.
    for (const QStringList &arguments : {QStringList{"-h"}, QStringList{m_map, "-h"},
                                         QStringList{"--planets", m_map, "--help"}}) {
        const Run help = kavora(arguments);
        QCOMPARE(help.status, 0);
        QCOMPARE(help.out, run.out);
    }
    QCOMPARE(kavora({m_map, "--version"}).out, QStringLiteral("Kavora 0.5.1\n"));
    // They win over any mistake around them, but after "--" they are file names.
    QCOMPARE(kavora({"--frob", "--help"}).out, run.out);
    QCOMPARE(kavora({"--render", "out.jpg", "--version", "--zoom"}).out,
             QStringLiteral("Kavora 0.5.1\n"));
    QCOMPARE(parseCommandLine({"--", "--help"}).mode, CommandLineOptions::Mode::Gui);
}

void TestCommandLine::toolkitOptions()
{
    // The toolkit's options and their values go, in every spelling; ours and the files stay.
    const QStringList given{"-platform", "offscreen", "m.map", "--style=Fusion", "-reverse",
                            "--planets", "-qwindowgeometry", "800x600", "-stylesheet=a.qss",
                            "a.pla", "--format", "csv", "-session"};
    QCOMPARE(withoutToolkitOptions(given),
             (QStringList{"m.map", "--planets", "a.pla", "--format", "csv"}));
    // After "--" everything is a file, and a name that only starts like an option stays.
    QCOMPARE(withoutToolkitOptions({"--", "-style", "x.map"}),
             (QStringList{"--", "-style", "x.map"}));
    QCOMPARE(withoutToolkitOptions({"-platforms", "-reverse=1", "-"}),
             (QStringList{"-platforms", "-reverse=1", "-"}));

    // The real binary: no usage error for them, in a command-line mode or with a window.
    const Run run = kavora({"-platform", "offscreen", "--planets", m_map, "--style=Fusion"});
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.startsWith(u"index\t"));
    QVERIFY(!isCommandLineMode(withoutToolkitOptions({"-style", "Fusion", m_map})));
}

// After "--" even Qt's own options are file names: a map called "-platform" opens as one.
void TestCommandLine::toolkitOptionsEndAtDoubleDash()
{
    QCOMPARE(toolkitArguments({"-style", "Fusion", "u.map", "--", "-platform", "r.pla"}),
             (QStringList{"-style", "Fusion", "u.map"}));
    QCOMPARE(toolkitArguments({"-reverse", "u.map"}), (QStringList{"-reverse", "u.map"}));

    TestFiles here;
    here.write("-platform", mapText({{"1200", "1300", "Alpha"}}));
    here.write("r.pla", reportText({{"Alpha", "Zorn", "", "1", "5"}}));
    QProcess process;
    process.setWorkingDirectory(QFileInfo(here.path("r.pla")).absolutePath());
    process.start(QStringLiteral(KAVORA_BINARY), {"--planets", "--", "-platform", "r.pla"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(process.readAllStandardOutput().contains("\tAlpha\t1200\t1300\tZorn\t"));
    // With the windows: they open (and keep running) rather than Qt aborting on a platform
    // called "r.pla".
    process.start(QStringLiteral(KAVORA_BINARY), {"--", "-platform", "r.pla"});
    QVERIFY(process.waitForStarted());
    const bool ended = process.waitForFinished(2500);
    if (ended)
        QFAIL(qPrintable(QStringLiteral("ended with %1: %2")
                             .arg(process.exitCode())
                             .arg(QString::fromLocal8Bit(process.readAllStandardError()))));
    process.kill();
    process.waitForFinished();
}

// Qt cannot decode a name that is not UTF-8 and encode it back to the same bytes, so such
// a name is refused before anything is read or written, in every mode.
void TestCommandLine::namesThatAreNotUtf8()
{
    const QString folder = QFileInfo(m_map).absolutePath();
    auto withBadName = [&](const QString &arguments) {
        QProcess process;
        process.setWorkingDirectory(folder);
        // The shell makes the byte 0xFF, which no QString argument can carry.
        process.start(QStringLiteral("sh"),
                      {"-c", QStringLiteral("exec \"$0\" %1").arg(arguments), KAVORA_BINARY});
        if (!process.waitForFinished(60000))
            qFatal("kavora did not finish");
        return Run{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                   QString::fromUtf8(process.readAllStandardError())};
    };
    const QStringList before = QDir(folder).entryList(QDir::Files);
    for (const QString &arguments :
         {QStringLiteral("--render \"$(printf 'bad\\377out.png')\" u.map"),
          QStringLiteral("--planets \"$(printf 'bad\\377in.map')\""),
          QStringLiteral("\"$(printf 'bad\\377in.map')\""), // the windows' mode
          QStringLiteral("--races u.map -- \"$(printf 'bad\\377in.pla')\"")}) {
        const Run run = withBadName(arguments);
        QVERIFY2(run.status == 2, qPrintable(arguments + u' ' + run.err));
        QCOMPARE(run.err.count(u'\n'), 1);
        QVERIFY2(run.err.startsWith(u"kavora: ") && run.err.contains(u"bad\\xFF"),
                 qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files), before); // nothing written under another name

    QCOMPARE(escapedBytes("bad\xffout.png"), QStringLiteral("bad\\xFFout.png"));
    QCOMPARE(escapedBytes("Gr\xc3\xbc\xc3\x9f"
                          "e\xed\xa0\x80\n\xc2\x9b"),                          // a UTF-16 half,
             QStringLiteral("Gr\u00fc\u00dfe\\xED\\xA0\\x80\\x0A\\xC2\\x9B")); // LF, CSI
}

// Without a display the command-line modes still work, whatever platform the environment
// asks for; the windows say why they cannot open instead of aborting.
void TestCommandLine::noDisplay()
{
    const QString out = m_files.path("headless.png");
    for (const char *platform : {"wayland", "xcb", "", "wayland;xcb"}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        if (*platform)
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
        else
            environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        Run run = kavora({"--planets", m_map}, environment);
        QVERIFY2(run.status == 0 && run.out.startsWith(u"index\t"), qPrintable(run.err));
        run = kavora({"--races", "--format", "json", m_map, m_report}, environment);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QFile::remove(out);
        run = kavora({"--render", out, m_map}, environment);
        QVERIFY2(run.status == 0 && !QImage(out).isNull(), qPrintable(run.err));

        run = kavora({m_map}, environment);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err,
                 QStringLiteral("kavora: no display to open a window on (DISPLAY and "
                                "WAYLAND_DISPLAY are unset); use --render FILE to draw the chart "
                                "into a file\n"));
    }
    QVERIFY(missingDisplay({}, QString(), {}, {}));
    QVERIFY(missingDisplay({}, "wayland-egl", {}, {}));
    QVERIFY(!missingDisplay({}, "offscreen", {}, {}));
    QVERIFY(!missingDisplay({"-platform", "offscreen"}, "xcb", {}, {}));
    QVERIFY(!missingDisplay({"-platform=minimal"}, "xcb", {}, {}));
    QVERIFY(!missingDisplay({}, "xcb;offscreen", {}, {}));
    QVERIFY(!missingDisplay({}, "xcb", ":0", {}));
    QVERIFY(!missingDisplay({}, "wayland", {}, "wayland-0"));
}

void TestCommandLine::badInputCorpus()
{
    // Every damaged file of the corpus: read as defined, or exit 1 with a message that
    // names the file. Never a crash, never a hang.
    const QDir folder(testDataPath(QStringLiteral("bad")));
    const QStringList names = folder.entryList({"*.map", "*.pla"}, QDir::Files);
    QVERIFY(names.size() > 20);
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        const bool map = name.endsWith(u".map");
        const Run run = kavora(map ? QStringList{"--planets", path}
                                   : QStringList{"--races", m_map, path});
        QVERIFY2(run.status == 0 || run.status == 1, qPrintable(name));
        if (run.status == 1) {
            QVERIFY2(run.err.startsWith(u"Error!!! ") &&
                         run.err.contains(QFileInfo(path).absoluteFilePath()),
                     qPrintable(run.err));
            QVERIFY(run.out.isEmpty());
        } else {
            QVERIFY(run.out.startsWith(map ? u"index\t" : u"slot\t"));
        }
    }
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"

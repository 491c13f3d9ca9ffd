// The cases, each named case/variant/planets so that the report can lay them out as a
// table: "read_map/kavora/32767", "read_map/baseline/32767".
#include "baseline.h"
#include "changelistmodel.h"
#include "chartinput.h"
#include "conversions.h"
#include "explorerrenderer.h"
#include "fixtures.h"
#include "imagesurface.h"
#include "legendstrip.h"
#include "loaduniverse.h"
#include "mapreader.h"
#include "notesfile.h"
#include "planetnames.h"
#include "planetpicker.h"
#include "planetlistmodel.h"
#include "raceoverviewmodel.h"
#include "renderer.h"
#include "reportreader.h"
#include "picturefile.h"
#include "search.h"
#include "stepmarks.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <malloc.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRepetitions = 9;
constexpr int kBaselineRepetitions = 5;
constexpr int kOnceRepetitions = 3;
constexpr double kMinTime = 0.2;
constexpr int kSizes[] = {kSmallUniverse, kMediumUniverse, kLargestUniverse};

// The readers' status line: the callback keeps a copy of the text in its own buffer, as
// the main window's does between two repaints of its caption.
struct Caption {
    QString text;
    StatusFn fn()
    {
        return [this](const QString &t) { keepStatus(text, t); };
    }
};

double seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void readMapKavora(benchmark::State &state, int planets)
{
    const BenchUniverse &u = benchUniverse(planets);
    Caption caption;
    const StatusFn status = caption.fn();
    for (auto _ : state) {
        Globals g = u.started;
        g.Map_File_Name = u.mapPath;
        const auto start = Clock::now();
        Open_Map_File(g, status);
        state.SetIterationTime(seconds(start));
        benchmark::DoNotOptimize(g.Star_Table.data());
    }
}

void readMapBaseline(benchmark::State &state, int planets)
{
    const BenchUniverse &u = benchUniverse(planets);
    Caption caption;
    const StatusFn status = caption.fn();
    for (auto _ : state) {
        const auto start = Clock::now();
        baseline::MapRead map = baseline::readMap(u.mapPath, status);
        state.SetIterationTime(seconds(start));
        benchmark::DoNotOptimize(map.stars.data());
    }
}

void mergeKavora(benchmark::State &state, int planets)
{
    const BenchUniverse &u = benchUniverse(planets);
    Caption caption;
    const StatusFn status = caption.fn();
    for (auto _ : state) {
        Globals g = u.mapped;
        g.Player_File_Name = u.reportPaths[0];
        const auto start = Clock::now();
        readPlayerFile(g, status);
        state.SetIterationTime(seconds(start));
        benchmark::DoNotOptimize(g.Star_Table.data());
    }
}

// The literal sort recurses once per record of a run of equal populations, thousands deep
// at the largest size: it gets a thread with room for that.
void mergeBaseline(benchmark::State &state, int planets)
{
    const BenchUniverse &u = benchUniverse(planets);
    Caption caption;
    const StatusFn status = caption.fn();
    for (auto _ : state) {
        Globals g = u.mapped;
        double elapsed = 0;
        std::unique_ptr<QThread> worker(QThread::create([&] {
            const auto start = Clock::now();
            baseline::mergeReport(g, u.reportPaths[0], status);
            elapsed = seconds(start);
        }));
        worker->setStackSize(512u << 20);
        worker->start();
        worker->wait();
        state.SetIterationTime(elapsed);
        benchmark::DoNotOptimize(g.Star_Table.data());
    }
}

// A turn later: the first player's next report, about one planet in ten changed, merged
// over the first one with its step of the history, as the main window merges it.
void mergeStepKavora(benchmark::State &state, int planets)
{
    const BenchUniverse &u = benchUniverse(planets);
    Caption caption;
    const StatusFn status = caption.fn();
    for (auto _ : state) {
        Globals g = u.afterFirst;
        LoadHistory history;
        g.Player_File_Name = u.laterReportPath;
        const auto start = Clock::now();
        ReportTally tally;
        ReportStep step = readPlayerFile(g, status, &tally);
        history.add(u.laterReportPath, tally, std::move(step));
        state.SetIterationTime(seconds(start));
        benchmark::DoNotOptimize(history.reports.data());
    }
}

// The same report merged as Kavora merged reports before they became steps.
void mergeStepBaseline(benchmark::State &state, int planets)
{
    const BenchUniverse &u = benchUniverse(planets);
    Caption caption;
    const StatusFn status = caption.fn();
    for (auto _ : state) {
        Globals g = u.afterFirst;
        const auto start = Clock::now();
        baseline::mergeWithoutHistory(g, u.laterReportPath, status);
        state.SetIterationTime(seconds(start));
        benchmark::DoNotOptimize(g.Star_Table.data());
    }
}

// The map, the first report and the later one, as the main window holds them.
struct TwoTurns {
    explicit TwoTurns(int planets)
    {
        const BenchUniverse &u = benchUniverse(planets);
        history = loadUniverse(g, u.mapPath, {u.reportPaths[0], u.laterReportPath});
    }
    Globals g;
    LoadHistory history;
};

// The changes window's model and proxy filled with the later report's changes.
void changesFill(benchmark::State &state, int planets)
{
    const TwoTurns t(planets);
    ChangeListModel model(t.g, t.history);
    ChangeListProxy proxy(model);
    for (auto _ : state) {
        model.reload();
        benchmark::DoNotOptimize(proxy.rowCount());
    }
    state.counters["rows"] = model.rowCount();
}

// Taking the later report back; the merge before each undo is not timed.
void undoStep(benchmark::State &state, int planets)
{
    const TwoTurns t(planets);
    for (auto _ : state) {
        Globals g = t.g;
        LoadHistory history = t.history;
        const auto start = Clock::now();
        history.undoLast(g);
        state.SetIterationTime(seconds(start));
        benchmark::DoNotOptimize(g.Star_Table.data());
    }
}

// The heap that a history of 50 steps holds beyond a history of one, each step a turn
// changing about one planet in ten: the difference in bytes allocated, so the table and
// everything else both hold cancel out.
void historyMemory(benchmark::State &state, int planets)
{
    const BenchUniverse &u = benchUniverse(planets);
    const QList<QByteArray> turns = laterTurns(planets, 50);
    QList<QString> texts;
    for (const QByteArray &turn : turns)
        texts << QString::fromUtf8(turn);
    double megabytes = 0, stepBytes = 0;
    for (auto _ : state) {
        Globals g = u.mapped;
        LoadHistory history;
        g.Player_File_Name = u.reportPaths[0];
        ReportStep first = readPlayerFile(g);
        history.add(u.reportPaths[0], {}, std::move(first));
        const size_t oneStep = mallinfo2().uordblks;
        for (const QString &text : texts) {
            ReportTally tally;
            ReportStep step = mergeReportText(g, text, QStringLiteral("turn.pla"), {}, &tally);
            history.add(QStringLiteral("turn.pla"), tally, std::move(step));
        }
        megabytes = (double(mallinfo2().uordblks) - double(oneStep)) / (1024.0 * 1024.0);
        stepBytes = 0;
        for (const LoadedReport &report : history.reports)
            stepBytes += double(report.step.bytes());
        benchmark::DoNotOptimize(history.reports.data());
    }
    state.counters["steps"] = double(texts.size() + 1);
    state.counters["MB_above_one_step"] = megabytes;
    state.counters["MB_in_steps"] = stepBytes / (1024.0 * 1024.0);
}

enum class View { Whole, WholeLabelled, DenseZoom };

void drawChart(benchmark::State &state, Surface &surface, int planets, View view)
{
    const BenchUniverse &u = benchUniverse(planets);
    Globals g = u.charted;
    const LabelOptions labels{view == View::WholeLabelled, false, false};
    const double zoom = view == View::DenseZoom ? 0.9 : 0;
    const double x = view == View::DenseZoom ? u.denseX : 0;
    const double y = view == View::DenseZoom ? u.denseY : 0;
    for (auto _ : state) {
        display_map(g, surface, labels, zoom, x, y);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
}

void drawKavora(benchmark::State &state, int planets, View view)
{
    ImageSurface surface;
    drawChart(state, surface, planets, view);
}

void drawBaseline(benchmark::State &state, int planets, View view)
{
    baseline::PainterSurface surface;
    drawChart(state, surface, planets, view);
}

// The labelled chart of the largest universe written in `format`; the baseline for PNG is
// Qt's default compression level, which the writer used before it asked for a fast one.
void writePicture(benchmark::State &state, int planets, const char *format, bool baseline)
{
    const BenchUniverse &u = benchUniverse(planets);
    Globals g = u.charted;
    ImageSurface surface;
    display_map(g, surface, {true, false, false}, 0, 0, 0);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.") + QLatin1String(format));
    for (auto _ : state) {
        if (baseline)
            surface.Image().save(path, format);
        else
            SavePicture(surface.Image(), path, format);
    }
}

// The legend of every race of the largest universe put beside its chart.
void addLegend(benchmark::State &state, int planets)
{
    const BenchUniverse &u = benchUniverse(planets);
    Globals g = u.charted;
    ImageSurface surface;
    display_map(g, surface, {}, 0, 0, 0);
    for (auto _ : state) {
        const QImage both = chartWithLegend(surface.Image(), g);
        benchmark::DoNotOptimize(both.constBits());
    }
}

// The full redraw of the largest universe N times larger, all labels.
void drawScaled(benchmark::State &state, int planets, int scale)
{
    ImageSurface surface(ImageSurface::kPictureSize, scale);
    drawChart(state, surface, planets, View::WholeLabelled);
}

// The chart window's search: the first planet in table order whose name is the text.
void searchLast(benchmark::State &state, int planets)
{
    const BenchUniverse &u = benchUniverse(planets);
    const Globals &g = u.charted;
    const QString wanted = u.lastName;
    for (auto _ : state)
        benchmark::DoNotOptimize(findStar(g, wanted));
}

// The chart window's caption under the pointer: the picture position taken back to map
// units, both floored in single precision and written plainly, "X Y".
void hoverText(benchmark::State &state)
{
    const Globals &g = benchUniverse(kLargestUniverse).charted;
    const ChartView view = viewFor(0, 0, 0, g.Map_Max_X, g.Map_Max_Y);
    const QSize picture(ImageSurface::kWidth, ImageSurface::kHeight);
    QPointF pixel(0.5, 0.5);
    for (auto _ : state) {
        const QString caption = pointerReadout(view, pixel, picture);
        benchmark::DoNotOptimize(caption.constData());
        pixel = QPointF(std::fmod(pixel.x() + 7.3, picture.width()),
                        std::fmod(pixel.y() + 3.1, picture.height()));
    }
}

// The chart window's gestures: an event reaches the chart's input reader, which asks for a
// step, and the step is drawn with display_map, as the window does between the event and
// the new picture.
// `scale` is the screen's pixel ratio: the window draws the chart once, that many times
// larger.
struct GestureChart {
    GestureChart(int planets, bool labelled, int scale = 1)
        : g(benchUniverse(planets).charted), labels{labelled, labelled, labelled},
          surface(ImageSurface::kPictureSize, scale), input([this] { return frame(); })
    {
        input.attach(&picture);
        QObject::connect(&input, &ChartInput::stepRequested, [this](const ChartInput::Step &s) {
            if (s.zoomStep)
                g.Zoom_Step = *s.zoomStep;
            g.View_Zoom = s.zoom;
            view = display_map(g, surface, labels, g.View_Zoom, s.centreX, s.centreY);
            ++redraws;
        });
        view = display_map(g, surface, labels, 0, 0, 0);
    }
    ChartInput::Frame frame() const
    {
        return ChartInput::frameFor(g, view, ImageSurface::kPictureSize);
    }
    void send(QEvent &&event) { QCoreApplication::sendEvent(&picture, &event); }
    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at)
    {
        send(QMouseEvent(type, at, at, button, held, Qt::NoModifier));
    }

    Globals g;
    LabelOptions labels;
    ImageSurface surface;
    ChartView view{};
    QObject picture;
    ChartInput input;
    int redraws = 0;
};

// One wheel notch, in and out in turn between the whole map and step 2, about a point off
// the middle.
void chartWheel(benchmark::State &state, int planets, bool labelled, int scale = 1)
{
    GestureChart c(planets, labelled, scale);
    const QPointF at(150, 300);
    int n = 0;
    for (auto _ : state) {
        const int notch = (n++ % 4) < 2 ? 120 : -120;
        c.send(QWheelEvent(at, at, {}, {0, notch}, Qt::NoButton, Qt::NoModifier,
                           Qt::NoScrollPhase, false));
        benchmark::DoNotOptimize(c.surface.Image().constBits());
    }
}

// One pointer move of a middle-button drag at zoom 0.1, to and fro, and its redraw.
void chartDrag(benchmark::State &state, int planets, bool labelled)
{
    GestureChart c(planets, labelled);
    c.send(QWheelEvent({268, 220}, {268, 220}, {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false));
    c.mouse(QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, {200, 200});
    int n = 0;
    for (auto _ : state) {
        const QPointF to = (n++ % 2) ? QPointF(200, 200) : QPointF(215, 191);
        c.mouse(QEvent::MouseMove, Qt::NoButton, Qt::MiddleButton, to);
        QCoreApplication::sendPostedEvents(&c.input);
        benchmark::DoNotOptimize(c.surface.Image().constBits());
    }
}

// Fifty drag moves that arrive while a redraw runs, then the event loop: one redraw for
// them all, so a drag never falls behind the pointer. Counted as redraws per burst.
void chartDragBurst(benchmark::State &state, int planets)
{
    GestureChart c(planets, false);
    c.mouse(QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, {200, 200});
    int bursts = 0;
    const int before = c.redraws;
    for (auto _ : state) {
        for (int i = 1; i <= 50; ++i)
            c.mouse(QEvent::MouseMove, Qt::NoButton, Qt::MiddleButton,
                    {200.0 + (bursts % 2 ? -i : i), 200});
        QCoreApplication::sendPostedEvents(&c.input);
        ++bursts;
    }
    state.counters["redraws_per_burst"] = double(c.redraws - before) / std::max(bursts, 1);
}

// The planet under the pointer for the tooltip, the dot index built once for the view.
void tooltipLookup(benchmark::State &state, int planets)
{
    const Globals &g = benchUniverse(planets).charted;
    const ChartView view = viewFor(0, 0, 0, g.Map_Max_X, g.Map_Max_Y);
    PlanetPicker picker;
    picker.rebuild(g, view, ImageSurface::kPictureSize);
    QPointF pixel(0.5, 0.5);
    for (auto _ : state) {
        benchmark::DoNotOptimize(picker.nearest(pixel));
        pixel = QPointF(std::fmod(pixel.x() + 7.3, 537), std::fmod(pixel.y() + 3.1, 441));
    }
}

// The dot index itself, built on the first tooltip after a redraw.
void tooltipIndex(benchmark::State &state, int planets)
{
    const Globals &g = benchUniverse(planets).charted;
    const ChartView view = viewFor(0, 0, 0, g.Map_Max_X, g.Map_Max_Y);
    PlanetPicker picker;
    for (auto _ : state)
        picker.rebuild(g, view, ImageSurface::kPictureSize);
}

// The completion list after one keystroke, typing "Planet 12" and a text found inside
// names, in turn.
void completionKeystroke(benchmark::State &state, int planets)
{
    PlanetNames names;
    names.rebuild(benchUniverse(planets).charted);
    const QString texts[] = {"p", "pl", "pla", "plan", "plane", "planet", "planet ", "planet 1",
                             "planet 12", "1", "12", "123", "anet 3"};
    int n = 0;
    for (auto _ : state) {
        const QStringList shown = names.matching(texts[n++ % std::size(texts)]);
        benchmark::DoNotOptimize(shown.constData());
    }
}

// The sorted names, made again for a new map or report.
void completionIndex(benchmark::State &state, int planets)
{
    PlanetNames names;
    for (auto _ : state)
        names.rebuild(benchUniverse(planets).charted);
}

// What a newcomer's first run and a recent entry do: the sample map, then both reports.
void openSample(benchmark::State &state)
{
    const QString folder = QStringLiteral(KAVORA_SAMPLE_DIR "/");
    Caption caption;
    const StatusFn status = caption.fn();
    for (auto _ : state) {
        Globals g;
        loadUniverse(g, folder + "universe.map",
                     {folder + "turn41.pla", folder + "turn42.pla"}, status);
        benchmark::DoNotOptimize(g.Star_Table.data());
    }
}

enum class ExplorerCase { Draw, Labels, Step, LabelsClose };

// The chart explorer on a full-HD picture, the map fitted: a redraw as it is, a redraw
// considering every planet's label, and a step that zooms in or out a notch about a point
// off the middle, or drags, and draws, as the window does for each wheel or drag event.
// LabelsClose: every label considered, sixteen times closer than the fit, where the dots are
// at their largest.
void explorerDraw(benchmark::State &state, int planets, ExplorerCase what,
                  QSize picture = QSize(1920, 1080))
{
    const Globals &g = benchUniverse(planets).charted;
    const MapExtent extent = mapExtent(g.Map_Max_X, g.Map_Max_Y);
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(picture, extent);
    scene.labels.all = what == ExplorerCase::Labels || what == ExplorerCase::LabelsClose;
    if (what == ExplorerCase::LabelsClose)
        scene.view.unitsPerPixel /= 16;
    ImageSurface surface(picture);
    ExplorerRenderer renderer;
    renderer.draw(g, surface, scene); // the label order, worked out once per data change
    int step = 0;
    for (auto _ : state) {
        if (what == ExplorerCase::Step) {
            const QPointF pointer(700, 400);
            switch (step++ % 4) {
            case 0: scene.view = scene.view.zoomedAbout(pointer, 1.25, extent); break;
            case 1: scene.view = scene.view.dragged(QPointF(15, -9)); break;
            case 2: scene.view = scene.view.zoomedAbout(pointer, 1 / 1.25, extent); break;
            default: scene.view = scene.view.dragged(QPointF(-15, 9)); break;
            }
        }
        const ExplorerDrawing drawing = renderer.draw(g, surface, scene);
        benchmark::DoNotOptimize(surface.Image().constBits());
        benchmark::DoNotOptimize(drawing.labels.data());
    }
}

// The explorer redraw with the later report's changes marked, about one planet in ten, or
// (the baseline) the same universe and view without them.
void explorerChanges(benchmark::State &state, int planets, bool marked)
{
    const TwoTurns t(planets);
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(QSize(1920, 1080), mapExtent(t.g.Map_Max_X, t.g.Map_Max_Y));
    if (marked)
        scene.changes = stepMarks(t.g, listedChanges(t.history, 1));
    ImageSurface surface(scene.view.picture);
    ExplorerRenderer renderer;
    for (auto _ : state) {
        renderer.draw(t.g, surface, scene);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
    state.counters["marks"] = double(scene.changes.size());
}

// The marks built from the later report's changes, as the main window builds them after
// every report, undo or choice in the changes window.
void changeMarks(benchmark::State &state, int planets)
{
    const TwoTurns t(planets);
    size_t count = 0;
    for (auto _ : state) {
        const std::vector<ChangeMark> marks = stepMarks(t.g, listedChanges(t.history, 1));
        count = marks.size();
        benchmark::DoNotOptimize(marks.data());
    }
    state.counters["marks"] = double(count);
}

void listFill(benchmark::State &state, int planets)
{
    const Globals &g = benchUniverse(planets).charted;
    PlanetListModel model(g);
    PlanetListProxy proxy(model);
    for (auto _ : state) {
        model.reload();
        benchmark::DoNotOptimize(proxy.rowCount());
    }
}

void listSort(benchmark::State &state, int planets, int column)
{
    const Globals &g = benchUniverse(planets).charted;
    PlanetListModel model(g);
    PlanetListProxy proxy(model);
    bool ascending = true;
    for (auto _ : state) {
        proxy.sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
        benchmark::DoNotOptimize(proxy.index(0, 0).row());
    }
}

void listFilter(benchmark::State &state, int planets)
{
    const Globals &g = benchUniverse(planets).charted;
    PlanetListModel model(g);
    PlanetListProxy proxy(model);
    proxy.sort(PlanetListModel::Name);
    const QString typed[] = {"a", "al", "alp", "al", "a", ""};
    int k = 0;
    for (auto _ : state) {
        proxy.setFilterText(typed[k++ % 6]);
        benchmark::DoNotOptimize(proxy.rowCount());
    }
}

// What the two windows' models do after a merge: the sorted planet list and the race rows.
void listsUpdate(benchmark::State &state, int planets)
{
    const Globals &g = benchUniverse(planets).charted;
    PlanetListModel list(g);
    PlanetListProxy proxy(list);
    proxy.sort(PlanetListModel::Population, Qt::DescendingOrder);
    RaceOverviewModel races(g);
    for (auto _ : state) {
        list.reload();
        races.reload();
        benchmark::DoNotOptimize(proxy.rowCount() + races.rowCount());
    }
}

// The Distance column and the "within" box of a list sorted nearest first: a keystroke in
// "within" ("1", "15", "150", "15", "1", ""), or a new planet to measure from.
void listWithin(benchmark::State &state, int planets, bool newOrigin)
{
    const Globals &g = benchUniverse(planets).charted;
    PlanetListModel model(g);
    PlanetListProxy proxy(model);
    proxy.setOrigin(QPointF(2500, 2500));
    proxy.sort(PlanetListModel::Distance);
    const std::optional<double> typed[] = {1, 15, 150, 15, 1, std::nullopt};
    int k = 0;
    for (auto _ : state) {
        if (newOrigin) {
            const Star_Object &from = g.Star_Table[size_t((k++ * 7919) % g.Star_Table.size())];
            proxy.setOrigin(planetPlace(from));
        } else {
            proxy.setWithin(typed[k++ % 6]);
        }
        benchmark::DoNotOptimize(proxy.rowCount());
    }
}

// The markers of 1,000 planets and three range rings round the selection, on the explorer's
// full-HD redraw; the case without them is explorer_draw with the same selection.
void explorerPlanning(benchmark::State &state, int planets, bool planning)
{
    Globals g = benchUniverse(planets).charted;
    const QSize picture(1920, 1080);
    ExplorerScene scene;
    scene.view = ExplorerView::fitted(picture, mapExtent(g.Map_Max_X, g.Map_Max_Y));
    scene.selected = int(g.Star_Table.size() / 2);
    if (planning) {
        for (int i = 0; i < 1000; ++i) {
            const Star_Object &planet = g.Star_Table[size_t(i * 31 % g.Star_Table.size())];
            g.notes.set(*NotesStore::keyOf(planet), {kMarkers[i % 5], QStringLiteral("note")});
        }
        scene.rings = {81, 162, 405};
    }
    ImageSurface surface(picture);
    ExplorerRenderer renderer;
    renderer.draw(g, surface, scene);
    for (auto _ : state) {
        const ExplorerDrawing drawing = renderer.draw(g, surface, scene);
        benchmark::DoNotOptimize(surface.Image().constBits());
        benchmark::DoNotOptimize(drawing.markers);
    }
}

// A note on every planet of the largest universe, a marker on every other one.
NotesStore everyPlanetNoted(int planets)
{
    NotesStore notes;
    const Globals &g = benchUniverse(planets).charted;
    int i = 0;
    for (const Star_Object &planet : g.Star_Table) {
        const Marker marker = i % 2 ? kMarkers[i % 5] : Marker::None;
        notes.set(*NotesStore::keyOf(planet),
                  {marker, QStringLiteral("Fleet %1 due on turn %2, \"hold\"").arg(i).arg(i % 90)});
        ++i;
    }
    return notes;
}

void notesFile(benchmark::State &state, int planets, bool reading)
{
    const NotesStore notes = everyPlanetNoted(planets);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("universe.notes.json"));
    writeNotesFile(path, notes);
    for (auto _ : state) {
        if (reading) {
            const NotesRead read = readNotesFile(path);
            if (read.problem || read.notes.size() != notes.size())
                state.SkipWithError("the notes did not read back");
            benchmark::DoNotOptimize(read.notes.size());
        } else {
            writeNotesFile(path, notes);
        }
    }
    state.counters["notes"] = notes.size();
}

// The command line run on the map, the first report and the later one: --changes, and
// --planets as the baseline.
void twoTurnsProcess(benchmark::State &state, int planets, const char *mode)
{
    const BenchUniverse &u = benchUniverse(planets);
    const QStringList arguments{QLatin1String(mode), u.mapPath, u.reportPaths[0],
                                u.laterReportPath};
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral(KAVORA_BINARY), arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            state.SkipWithError("kavora failed");
    }
}

// The program as a whole process on the universe's map and reports, output to /dev/null.
void kavoraProcess(benchmark::State &state, int planets, const QStringList &options)
{
    const BenchUniverse &u = benchUniverse(planets);
    const QStringList arguments = options + QStringList{u.mapPath} + u.reportPaths;
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral(KAVORA_BINARY), arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            state.SkipWithError("kavora failed");
    }
}

void planetsProcess(benchmark::State &state, int planets, const char *format,
                    const QStringList &more = {})
{
    kavoraProcess(state, planets, QStringList{"--planets", "--format", QLatin1String(format)} + more);
}

// `kavora --render OUT.svg|.pdf|.png` of the chart as a whole process; the file's size is
// kept as a counter.
void renderProcess(benchmark::State &state, int planets, const char *suffix)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("chart.") + QLatin1String(suffix));
    kavoraProcess(state, planets, {"--render", out});
    state.counters["MB"] = double(QFileInfo(out).size()) / (1 << 20);
}

// `once`: one iteration per run, for cases that take seconds; three runs give the median.
template <typename Fn>
benchmark::internal::Benchmark *add(const std::string &name, Fn fn, bool once = false)
{
    auto *b = benchmark::RegisterBenchmark(name.c_str(), fn)
                  ->Unit(benchmark::kMillisecond)
                  ->ReportAggregatesOnly(true);
    if (once)
        return b->Iterations(1)->Repetitions(kOnceRepetitions);
    return b->Repetitions(kRepetitions)->MinTime(kMinTime);
}

std::string named(const char *what, const char *variant, int planets)
{
    return std::string(what) + '/' + variant + '/' + std::to_string(planets);
}

} // namespace

void registerBenchmarks()
{
    for (int n : kSizes) {
        add(named("read_map", "kavora", n), [n](auto &s) { readMapKavora(s, n); })->UseManualTime();
        add(named("read_map", "baseline", n), [n](auto &s) { readMapBaseline(s, n); })
            ->UseManualTime()
            ->Repetitions(kBaselineRepetitions);
    }
    for (int n : kSizes) {
        add(named("merge_report", "kavora", n), [n](auto &s) {
            mergeKavora(s, n);
        })->UseManualTime();
        // Seconds a run at the largest size: one iteration per run there.
        const bool once = n == kLargestUniverse;
        auto *literal = add(
            named("merge_report", "baseline", n), [n](auto &s) { mergeBaseline(s, n); }, once);
        literal->UseManualTime();
        if (!once)
            literal->Repetitions(kBaselineRepetitions);
    }
    for (int n : kSizes) {
        add(named("merge_step", "kavora", n), [n](auto &s) { mergeStepKavora(s, n); })
            ->UseManualTime();
        add(named("merge_step", "baseline", n), [n](auto &s) { mergeStepBaseline(s, n); })
            ->UseManualTime();
    }
    add(named("changes_fill", "kavora", kLargestUniverse),
        [](auto &s) { changesFill(s, kLargestUniverse); });
    add(named("undo", "kavora", kLargestUniverse), [](auto &s) {
        undoStep(s, kLargestUniverse);
    })->UseManualTime();
    add(named("history_memory", "kavora", kLargestUniverse),
        [](auto &s) { historyMemory(s, kLargestUniverse); }, true)
        ->Repetitions(1);
    add(named("changes_process", "kavora", kLargestUniverse),
        [](auto &s) { twoTurnsProcess(s, kLargestUniverse, "--changes"); }, true);
    add(named("changes_process", "baseline", kLargestUniverse),
        [](auto &s) { twoTurnsProcess(s, kLargestUniverse, "--planets"); }, true);
    const struct {
        const char *name;
        View view;
    } draws[] = {{"draw_zoom0", View::Whole},
                 {"draw_labels", View::WholeLabelled},
                 {"draw_zoom09", View::DenseZoom}};
    for (const auto &d : draws) {
        for (int n : kSizes) {
            const View view = d.view;
            add(named(d.name, "kavora", n), [n, view](auto &s) { drawKavora(s, n, view); });
            add(named(d.name, "baseline", n), [n, view](auto &s) {
                drawBaseline(s, n, view);
            })->Repetitions(kBaselineRepetitions);
        }
    }
    add(named("write_bmp", "kavora", kLargestUniverse),
        [](auto &s) { writePicture(s, kLargestUniverse, "bmp", false); });
    add(named("write_png", "kavora", kLargestUniverse),
        [](auto &s) { writePicture(s, kLargestUniverse, "png", false); });
    add(named("write_png", "baseline", kLargestUniverse),
        [](auto &s) { writePicture(s, kLargestUniverse, "png", true); });
    add(named("legend", "kavora", kLargestUniverse), [](auto &s) {
        addLegend(s, kLargestUniverse);
    })->Unit(benchmark::kMicrosecond);
    for (int scale : {2, 4}) {
        const std::string id = "draw_scale" + std::to_string(scale);
        for (int n : kSizes)
            add(named(id.c_str(), "kavora", n), [n, scale](auto &s) { drawScaled(s, n, scale); });
    }
    for (int n : kSizes)
        add(named("search_last", "kavora", n), [n](auto &s) {
            searchLast(s, n);
        })->Unit(benchmark::kMicrosecond);
    add(named("hover_text", "kavora", kLargestUniverse), [](auto &s) {
        hoverText(s);
    })->Unit(benchmark::kNanosecond);
    for (const bool labelled : {false, true}) {
        add(named(labelled ? "chart_wheel_labels" : "chart_wheel", "kavora", kLargestUniverse),
            [labelled](auto &s) { chartWheel(s, kLargestUniverse, labelled); });
        add(named(labelled ? "chart_drag_labels" : "chart_drag", "kavora", kLargestUniverse),
            [labelled](auto &s) { chartDrag(s, kLargestUniverse, labelled); });
    }
    add(named("chart_wheel_sharp", "kavora", kLargestUniverse),
        [](auto &s) { chartWheel(s, kLargestUniverse, true, 2); });
    add(named("chart_drag_burst", "kavora", kLargestUniverse),
        [](auto &s) { chartDragBurst(s, kLargestUniverse); });
    add(named("tooltip_lookup", "kavora", kLargestUniverse), [](auto &s) {
        tooltipLookup(s, kLargestUniverse);
    })->Unit(benchmark::kMicrosecond);
    add(named("tooltip_index", "kavora", kLargestUniverse),
        [](auto &s) { tooltipIndex(s, kLargestUniverse); });
    add(named("completion", "kavora", kLargestUniverse), [](auto &s) {
        completionKeystroke(s, kLargestUniverse);
    })->Unit(benchmark::kMicrosecond);
    add(named("completion_index", "kavora", kLargestUniverse),
        [](auto &s) { completionIndex(s, kLargestUniverse); });
    add(named("open_sample", "kavora", kSamplePlanets), openSample);
    const struct {
        const char *name;
        ExplorerCase what;
    } explorers[] = {{"explorer_draw", ExplorerCase::Draw},
                     {"explorer_labels", ExplorerCase::Labels},
                     {"explorer_step", ExplorerCase::Step},
                     {"explorer_labels_close", ExplorerCase::LabelsClose}};
    for (const auto &e : explorers) {
        const ExplorerCase what = e.what;
        add(named(e.name, "kavora", kLargestUniverse),
            [what](auto &s) { explorerDraw(s, kLargestUniverse, what); });
    }
    // A 4K screen.
    add(named("explorer_4k", "kavora", kLargestUniverse), [](auto &s) {
        explorerDraw(s, kLargestUniverse, ExplorerCase::Draw, QSize(3840, 2160));
    });
    add(named("explorer_4k_labels", "kavora", kLargestUniverse), [](auto &s) {
        explorerDraw(s, kLargestUniverse, ExplorerCase::Labels, QSize(3840, 2160));
    });
    add(named("explorer_changes", "kavora", kLargestUniverse),
        [](auto &s) { explorerChanges(s, kLargestUniverse, true); });
    add(named("explorer_changes", "baseline", kLargestUniverse),
        [](auto &s) { explorerChanges(s, kLargestUniverse, false); });
    add(named("change_marks", "kavora", kLargestUniverse),
        [](auto &s) { changeMarks(s, kLargestUniverse); });
    const int n = kLargestUniverse;
    add(named("list_fill", "kavora", n), [n](auto &s) { listFill(s, n); });
    const struct {
        const char *name;
        int column;
    } sorts[] = {{"list_sort_name", PlanetListModel::Name},
                 {"list_sort_owner", PlanetListModel::Owner},
                 {"list_sort_population", PlanetListModel::Population}};
    for (const auto &sort : sorts) {
        const int column = sort.column;
        add(named(sort.name, "kavora", n), [n, column](auto &s) { listSort(s, n, column); });
    }
    add(named("list_filter", "kavora", n), [n](auto &s) { listFilter(s, n); });
    add(named("lists_update", "kavora", n), [n](auto &s) { listsUpdate(s, n); });
    add(named("planets_json", "kavora", n), [n](auto &s) { planetsProcess(s, n, "json"); }, true);
    add(named("planets_json", "baseline", n), [n](auto &s) { planetsProcess(s, n, "tsv"); }, true);
    add(named("planets_tsv", "kavora", n), [n](auto &s) { planetsProcess(s, n, "tsv"); }, true);
    add(named("planets_tsv", "baseline", n), [n](auto &s) { kavoraProcess(s, n, {"--races"}); },
        true);
    add(named("render_svg", "kavora", n), [n](auto &s) { renderProcess(s, n, "svg"); }, true);
    add(named("render_svg", "baseline", n), [n](auto &s) { renderProcess(s, n, "png"); }, true);
    add(named("render_pdf", "kavora", n), [n](auto &s) { renderProcess(s, n, "pdf"); }, true);
    add(named("render_pdf", "baseline", n), [n](auto &s) { renderProcess(s, n, "png"); }, true);
    add(named("list_within", "kavora", n), [n](auto &s) { listWithin(s, n, false); });
    add(named("list_distance", "kavora", n), [n](auto &s) { listWithin(s, n, true); });
    add(named("explorer_planning", "kavora", n), [n](auto &s) { explorerPlanning(s, n, true); });
    add(named("explorer_selected", "kavora", n), [n](auto &s) { explorerPlanning(s, n, false); });
    add(named("notes_read", "kavora", n), [n](auto &s) { notesFile(s, n, true); });
    add(named("notes_write", "kavora", n), [n](auto &s) { notesFile(s, n, false); });
    // --near against --planets on the same files, five runs each as the process is short.
    add(named("planets_near", "kavora", n), [n](auto &s) {
        planetsProcess(s, n, "tsv", {"--near", benchUniverse(n).lastName, "--within", "150"});
    }, true)->Repetitions(5);
    add(named("planets_near", "baseline", n), [n](auto &s) { planetsProcess(s, n, "tsv"); }, true)
        ->Repetitions(5);
}

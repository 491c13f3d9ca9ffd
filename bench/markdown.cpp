#include "markdown.h"

#include "fixtures.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTextStream>
#include <QThread>

#include <optional>

namespace {

double toMilliseconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return value / 1e6;
    case benchmark::kMicrosecond:
        return value / 1e3;
    case benchmark::kMillisecond:
        return value;
    case benchmark::kSecond:
        return value * 1e3;
    }
    return value;
}

struct Case {
    const char *id;
    const char *title;
    bool hasBaseline;
};

const Case kCases[] = {
    {"read_map", "read the map", true},
    {"merge_report", "merge a report, with its sort", true},
    {"draw_zoom0", "full redraw, zoom 0, no labels", true},
    {"draw_labels", "full redraw, zoom 0, all labels", true},
    {"draw_zoom09", "full redraw, zoom 0.9 on the densest part", true},
    {"legend", "put the race legend beside the chart", false},
    {"draw_scale2", "full redraw twice as large, all labels", false},
    {"draw_scale4", "full redraw four times as large, all labels", false},
    {"write_bmp", "write the chart as BMP", false},
    {"write_png", "write the chart as PNG (baseline: default compression)", true},
    {"search_last", "search for the last planet", false},
    {"hover_text", "hover readout text", false},
    {"chart_wheel", "chart window wheel step, event to picture, no labels", false},
    {"chart_wheel_labels", "chart window wheel step, every label box ticked", false},
    {"chart_wheel_sharp", "chart window wheel step at pixel ratio 2, every label box ticked",
     false},
    {"chart_drag", "chart window drag step, event to picture, no labels", false},
    {"chart_drag_labels", "chart window drag step, every label box ticked", false},
    {"chart_drag_burst", "chart window drag, 50 moves during a redraw, then one redraw", false},
    {"tooltip_lookup", "tooltip: the planet under one pointer position", false},
    {"tooltip_index", "tooltip: the dot index, built once per redraw", false},
    {"completion", "search completion list for one keystroke", false},
    {"completion_index", "search completion names, sorted once per table", false},
    {"open_sample", "open the sample universe (map and two reports)", false},
    {"explorer_draw", "explorer redraw, 1920 by 1080, no labels", false},
    {"explorer_labels", "explorer redraw, 1920 by 1080, every label considered", false},
    {"explorer_step", "explorer wheel or drag step, 1920 by 1080, no labels", false},
    {"explorer_labels_close",
     "explorer redraw, 1920 by 1080, 16 times closer than the fit (5-pixel dots), every label "
     "considered",
     false},
    {"explorer_changes",
     "explorer redraw with a later report's changes marked (baseline: unmarked)", true},
    {"change_marks", "explorer marks built from a later report's changes", false},
    {"list_fill", "planet list filled", false},
    {"list_sort_name", "planet list sorted by name", false},
    {"list_sort_owner", "planet list sorted by owner", false},
    {"list_sort_population", "planet list sorted by population", false},
    {"list_filter", "planet list, one keystroke in the filter box", false},
    {"lists_update", "planet list and race overview after a report merge", false},
    {"planets_json", "kavora --planets --format json, whole process (baseline: tsv)", true},
    {"planets_tsv", "kavora --planets, whole process (baseline: kavora --races)", true},
    {"render_svg", "kavora --render chart.svg, whole process (baseline: chart.png)", true},
    {"render_pdf", "kavora --render chart.pdf, whole process (baseline: chart.png)", true},
    {"explorer_4k", "explorer redraw, 3840 by 2160, no labels", false},
    {"explorer_4k_labels", "explorer redraw, 3840 by 2160, every label considered", false},
    {"merge_step", "merge a later report with its history step (baseline: without)", true},
    {"changes_fill", "changes window filled with a later report's changes", false},
    {"undo", "undo the later report", false},
    {"history_memory", "50 reports merged into a history (time of the 49 later ones)", false},
    {"changes_process", "kavora --changes of two reports, whole process (baseline: --planets)",
     true},
};

struct Target {
    const char *id;
    int planets;
    double milliseconds; // 0: none asked
    double speedUp;      // 0: none asked
};

const Target kTargets[] = {
    {"read_map", kLargestUniverse, 5, 0},     {"merge_report", kLargestUniverse, 20, 100},
    {"draw_zoom0", kLargestUniverse, 20, 0},  {"draw_zoom09", kLargestUniverse, 20, 0},
    {"draw_labels", kLargestUniverse, 50, 0}, {"draw_labels", kSmallUniverse, 2, 0},
    {"open_sample", kSamplePlanets, 10, 0},
    {"explorer_draw", kLargestUniverse, 16, 0}, {"explorer_labels", kLargestUniverse, 25, 0},
    {"explorer_step", kLargestUniverse, 16, 0},
    {"explorer_labels_close", kLargestUniverse, 25, 0},
    {"explorer_changes", kLargestUniverse, 16, 0}, {"change_marks", kLargestUniverse, 5, 0},
    {"chart_wheel", kLargestUniverse, 8, 0},    {"chart_wheel_labels", kLargestUniverse, 16, 0},
    {"chart_drag", kLargestUniverse, 8, 0},     {"chart_drag_labels", kLargestUniverse, 16, 0},
    {"chart_wheel_sharp", kLargestUniverse, 16, 0},
    {"tooltip_lookup", kLargestUniverse, 0.05, 0}, {"completion", kLargestUniverse, 10, 0},
    {"draw_scale2", kLargestUniverse, 100, 0}, {"write_png", kLargestUniverse, 15, 0},
    {"list_fill", kLargestUniverse, 100, 0}, {"list_sort_name", kLargestUniverse, 60, 0},
    {"list_sort_owner", kLargestUniverse, 60, 0}, {"list_sort_population", kLargestUniverse, 60, 0},
    {"list_filter", kLargestUniverse, 30, 0}, {"lists_update", kLargestUniverse, 50, 0},
    // JSON at most 1.3 times the time of TSV: the "baseline" here is the TSV run.
    {"planets_json", kLargestUniverse, 2000, 1 / 1.3},
    // The planet table at most 1.5 times the race table, as whole processes.
    {"planets_tsv", kLargestUniverse, 0, 1 / 1.5},
    {"render_svg", kLargestUniverse, 1000, 0}, {"render_pdf", kLargestUniverse, 1000, 0},
    {"explorer_4k", kLargestUniverse, 16, 0}, {"explorer_4k_labels", kLargestUniverse, 33, 0},
    // The history step at most 1.2 times the merge without it, --changes at most 1.5 times
    // --planets: ratios only, so no time of their own.
    {"merge_step", kLargestUniverse, 0, 1 / 1.2},
    {"changes_fill", kLargestUniverse, 50, 0},
    {"undo", kLargestUniverse, 20, 0},
    {"changes_process", kLargestUniverse, 0, 1 / 1.5},
};
constexpr double kPeakTargetMegabytes = 60;
constexpr double kHistoryTargetMegabytes = 30; // 50 steps above one

QString key(const char *id, const char *variant, int planets)
{
    return QStringLiteral("%1/%2/%3").arg(QLatin1String(id), QLatin1String(variant)).arg(planets);
}

// Three significant figures, in a unit that keeps the number readable.
QString duration(double ms)
{
    if (ms >= 1000)
        return QString::number(ms / 1000, 'f', ms >= 10000 ? 1 : 2) + QStringLiteral(" s");
    if (ms >= 1)
        return QString::number(ms, 'f', ms >= 100 ? 0 : (ms >= 10 ? 1 : 2)) + QStringLiteral(" ms");
    if (ms >= 1e-3)
        return QString::number(ms * 1e3, 'f', ms >= 0.1 ? 0 : (ms >= 0.01 ? 1 : 2)) +
               QStringLiteral(" µs");
    return QString::number(ms * 1e6, 'f', 0) + QStringLiteral(" ns");
}

QString ratio(double r)
{
    return QString::number(r, 'f', r >= 100 ? 0 : (r >= 10 ? 1 : 2)) + u'×';
}

QString firstMatch(const QString &text, const QString &pattern)
{
    const QRegularExpressionMatch m = QRegularExpression(pattern).match(text);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

void MedianCollector::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.error_occurred)
            continue;
        const std::string &name = run.run_name.function_name;
        // A case run once has no aggregates: its one run is the median.
        const bool median = run.run_type == Run::RT_Aggregate ? run.aggregate_name == "median"
                                                              : run.repetitions <= 1;
        if (!median)
            continue;
        m_medians[name] = toMilliseconds(run.GetAdjustedRealTime(), run.time_unit);
        m_repetitions[name] = long(std::max<int64_t>(run.repetitions, 1));
        for (const auto &[counter, value] : run.counters)
            m_counters[name][counter] = value.value;
    }
}

QString loadAverage()
{
    return readAll(QStringLiteral("/proc/loadavg")).section(u' ', 0, 2);
}

void writeMarkdown(const QString &path, const MedianCollector &results, const RunFacts &facts)
{
    const auto &medians = results.medians();
    auto median = [&](const QString &k) -> std::optional<double> {
        const auto found = medians.find(k.toStdString());
        if (found == medians.end())
            return std::nullopt;
        return found->second;
    };
    const QString cpuInfo = readAll(QStringLiteral("/proc/cpuinfo"));
    const QString cpu = firstMatch(cpuInfo, QStringLiteral("model name\\s*:([^\\n]*)"));

    QString text;
    QTextStream out(&text);
    out << "# Benchmarks\n\n"
        << "Written by `bash tools/bench`, which builds the suite in `build-bench/` (Release) and "
           "rewrites this file; the figures below are from its last run, as measured.\n\n"
        << "## Machine\n\n"
        << "- CPU: " << (cpu.isEmpty() ? QStringLiteral("unknown") : cpu) << ", "
        << QThread::idealThreadCount() << " cores\n"
        << "- System: " << QSysInfo::prettyProductName() << ", kernel " << QSysInfo::kernelVersion()
        << "\n"
        << "- Compiler: " << KAVORA_COMPILER << ", Release build (-O3)\n"
        << "- Qt: " << qVersion() << "\n"
        << "- Run: " << QDateTime::currentDateTimeUtc().toString(Qt::ISODate) << "; load average "
        << "(1, 5, 15 min) " << facts.loadBefore << " before, " << facts.loadAfter << " after\n\n"
        << "The machine is shared: other engineers build and test on the same two cores, so "
           "single figures can be off by tens of percent: run it when the machine is quiet. The "
           "load averages above say how quiet it was; the run itself keeps one core busy, which "
           "adds about 1 to the load "
           "average. Each figure is the median of several runs (the runs columns), each run "
           "timing as many iterations as fit in 0.2 s (one iteration for the literal merge at "
           "the largest size); compare orders of magnitude, not digits.\n\n"
        << "## Command\n\n"
        << "```\nbash tools/bench\n```\n\n"
        << "## Medians\n\n"
        << "Universes from the seeded generator of the tests (`syntheticUniverse`, seed 7): "
           "coordinates 1000 to 4000 on both axes, 16 races, names repeated about once in 25. "
           "Reading and merging use the map and one report; the charts show the map after four "
           "players' reports, about four planets in five owned, zones in the default palette. "
           "The zoom 0.9 view is centred on the place with the most zones.\n\n"
        << "| case | planets | Kavora | runs | baseline | runs | baseline ÷ Kavora |\n"
        << "|---|--:|--:|--:|--:|--:|--:|\n";
    const int sizes[] = {kSmallUniverse, kSamplePlanets, kMediumUniverse, kLargestUniverse};
    for (const Case &c : kCases) {
        for (int n : sizes) {
            const QString k = key(c.id, "kavora", n);
            const std::optional<double> mine = median(k);
            if (!mine)
                continue;
            out << "| " << c.title << " | " << QLocale(QLocale::English).toString(n) << " | "
                << duration(*mine) << " | " << results.repetitions().at(k.toStdString()) << " | ";
            const QString baselineKey = key(c.id, "baseline", n);
            const std::optional<double> plain = c.hasBaseline ? median(baselineKey) : std::nullopt;
            if (plain)
                out << duration(*plain) << " | "
                    << results.repetitions().at(baselineKey.toStdString()) << " | "
                    << ratio(*plain / *mine) << " |\n";
            else
                out << "| | |\n";
        }
    }

    out << "\n## Targets\n\n| target | measured | |\n|---|--:|---|\n";
    for (const Target &t : kTargets) {
        const Case *c = std::find_if(std::begin(kCases), std::end(kCases),
                                     [&](const Case &x) { return qstrcmp(x.id, t.id) == 0; });
        const std::optional<double> mine = median(key(t.id, "kavora", t.planets));
        out << "| " << c->title << ", " << QLocale(QLocale::English).toString(t.planets)
            << " planets:";
        if (t.milliseconds > 0)
            out << " ≤ " << t.milliseconds << " ms";
        if (t.milliseconds > 0 && t.speedUp > 0)
            out << " and";
        if (t.speedUp > 0)
            out << " ≥ " << QString::number(t.speedUp, 'g', 3) << "× the baseline";
        out << " | ";
        if (!mine) {
            out << "not run | |\n";
            continue;
        }
        out << duration(*mine);
        bool met = t.milliseconds <= 0 || *mine <= t.milliseconds;
        if (t.speedUp > 0) {
            const std::optional<double> plain = median(key(t.id, "baseline", t.planets));
            if (plain) {
                out << ", " << ratio(*plain / *mine);
                met = met && *plain / *mine >= t.speedUp;
            }
        }
        out << " | " << (met ? "met" : "missed") << " |\n";
    }
    {
        out << "| memory of a history of 50 reports, each changing a tenth of 32,767 planets: ≤ "
            << kHistoryTargetMegabytes << " MB above one report | ";
        const auto found =
            results.counters().find(key("history_memory", "kavora", kLargestUniverse).toStdString());
        if (found != results.counters().end() && found->second.count("MB_above_one_step")) {
            const double above = found->second.at("MB_above_one_step");
            out << QString::number(above, 'f', 1) << " MB | "
                << (above <= kHistoryTargetMegabytes ? "met" : "missed") << " |\n";
        } else {
            out << "not run | |\n";
        }
    }
    out << "| peak memory of a rendered largest universe: ≤ " << kPeakTargetMegabytes << " MB | ";
    if (facts.peakKilobytes > 0) {
        const double mb = facts.peakKilobytes / 1024.0;
        out << QString::number(mb, 'f', 1) << " MB | "
            << (mb <= kPeakTargetMegabytes ? "met" : "missed") << " |\n";
    } else {
        out << "not measured | |\n";
    }

    out << "\n## What the cases measure\n\n"
        << "- **Read the map**: `Open_Map_File` on the dump on disk (page cache warm), with a "
           "status callback that keeps the caption text. Baseline: the same item reader, but the "
           "table grown by one slot per planet (a new array of references each time) and a "
           "record created per slot.\n"
        << "- **Merge a report**: `readPlayerFile` on the first report over a freshly read map, "
           "its sort included. Baseline: a linear scan of the table for each line's planet, then "
           "the literal sort (`tests/support/literalsort.h`), which parses both populations at "
           "every comparison and degrades to n² comparisons on the long run of planets with "
           "population 0. At the largest size a run takes seconds, so each run there is one "
           "iteration; it runs on a thread with a 512 MB stack for its recursion.\n"
        << "- **Full redraw**: `display_map` onto the chart's `ImageSurface`, everything from "
           "the clear to the last label. Baseline: the same renderer (so the same reading of the "
           "planet table) onto a surface that asks Qt for every call on its own: a fresh "
           "`QPainter` and `QBrush` (Qt's hatch "
           "patterns) for each zone, a fresh painter and `drawText` for each label.\n"
        << "- **Write the chart as BMP**: `SavePicture` of the 537 by 441 picture to a file.\n"
        << "- **Search**: `findStar`, the chart window's linear first-match scan over "
           "`Star_Name`, for the last planet in table order whose name is unique, so the "
           "whole table is walked.\n"
        << "- **Hover readout**: `pointerReadout`, the chart window's caption text: the "
           "pointer's picture position taken back to map units, floored and written as "
           "\"X Y\".\n"
        << "- **Open the sample universe**: `Open_Map_File` on `examples/universe.map`, then "
           "`readPlayerFile` on both of its reports, into fresh tables: what `bash tools/run` "
           "and a recent-files entry ask of the readers.\n"
        << "- **Planet list**: the window's table model and sort/filter proxy, without the view: "
           "filling is a reload of the model over the charted table with the proxy attached; a "
           "sort sorts the proxy by one column (alternating the order); a keystroke sets the "
           "filter text to the next of \"a\", \"al\", \"alp\", \"al\", \"a\", \"\" with the "
           "list sorted by name. The update after a merge reloads the planet list and the race "
           "overview's models (the merge itself not timed).\n"
        << "- **History**: the first player's report a turn later (about one planet in ten changed: "
           "new owners, starbases built and lost, more or fewer people) merged over the first "
           "one by `readPlayerFile` and added to a `LoadHistory`; the baseline is the same merge "
           "as it was before reports became steps (`baseline::mergeWithoutHistory`: each line "
           "applied as read, totals added line by line, nothing recorded). The changes window "
           "is its model and proxy reloaded over that step; undo is `LoadHistory::undoLast` of "
           "it. The memory case merges 49 more such turns after the first report and takes the "
           "heap in use (`mallinfo2`) after them less the heap after the first.\n"
        << "- **Table formats**: `kavora --planets --format json` on the largest map and its "
           "four reports as a whole process, output to /dev/null; the baseline is the same run "
           "with `--format tsv`.\n"
        << "- **Whole processes**: `kavora --planets` against `kavora --races` of the same "
           "files, and `kavora --render chart.svg` or `chart.pdf` against `chart.png`, each "
           "run three times in one run of the suite, side by side; the SVG's size is printed "
           "as its MB counter.\n"
        << "- **Explorer on a 4K screen**: as the full-HD case, on a 3840 by 2160 picture.\n"
        << "- **Changes on the command line**: `kavora --changes` on the largest map, the first "
           "report and its later turn as a whole process, output to /dev/null; the baseline is "
           "`kavora --planets` on the same files.\n"
        << "- **Peak memory**: maximum resident set size reported by `/usr/bin/time -v` for\n\n"
        << "  ```\n  "
        << (facts.peakCommand.isEmpty() ? QStringLiteral("(not run)") : facts.peakCommand)
        << "\n  ```\n";

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(text.toUtf8());
}

// kavora_bench [--markdown FILE] [--peak-kb N --peak-command TEXT] [benchmark flags]
//     runs the cases and, with --markdown, writes the report there.
// kavora_bench --write-universe FOLDER
//     writes the largest universe's map and reports and prints their paths, one a line.
// kavora_bench --render OUT MAP REPORT...
//     reads the files and draws the chart with all labels into OUT, as the program's own
//     --render does: tools/bench measures its peak memory when the program lacks that.
#include "fixtures.h"
#include "imagesurface.h"
#include "markdown.h"
#include "renderer.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

void registerBenchmarks();

namespace {

int renderChart(const QStringList &arguments)
{
    if (arguments.size() < 2) {
        std::fputs("usage: kavora_bench --render OUT MAP [REPORT...]\n", stderr);
        return 2;
    }
    Globals g = loadedUniverse(arguments.mid(1));
    ImageSurface surface;
    display_map(g, surface, {true, false, false}, 0, 0, 0);
    return surface.Image().save(arguments[0], "BMP") ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList arguments = app.arguments().mid(1);
    if (arguments.value(0) == QLatin1String("--write-universe")) {
        for (const QString &path : writeLargestUniverse(arguments.value(1)))
            std::printf("%s\n", qPrintable(path));
        return 0;
    }
    if (arguments.value(0) == QLatin1String("--render"))
        return renderChart(arguments.mid(1));

    // Our own options out, Google Benchmark's in.
    QString markdown;
    RunFacts facts;
    std::vector<char *> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--markdown") && hasValue)
            markdown = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(argv[i], "--peak-kb") && hasValue)
            facts.peakKilobytes = QByteArray(argv[++i]).toLongLong();
        else if (!std::strcmp(argv[i], "--peak-command") && hasValue)
            facts.peakCommand = QString::fromLocal8Bit(argv[++i]);
        else
            rest.push_back(argv[i]);
    }
    int count = int(rest.size());
    benchmark::Initialize(&count, rest.data());
    if (benchmark::ReportUnrecognizedArguments(count, rest.data()))
        return 2;

    registerBenchmarks();
    facts.loadBefore = loadAverage();
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    facts.loadAfter = loadAverage();
    if (!markdown.isEmpty())
        writeMarkdown(markdown, collector, facts);
    benchmark::Shutdown();
    return 0;
}

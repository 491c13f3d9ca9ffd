#include "fixtures.h"

#include "chartview.h"
#include "conversions.h"
#include "loaduniverse.h"
#include "mapreader.h"
#include "palette.h"
#include "renderer.h"
#include "reportreader.h"
#include "universe.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <vector>

namespace {

constexpr quint32 kUniverseSeed = 7;
constexpr int kChangedPercent = 10;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QStringList writeUniverse(const QString &folder, int planets)
{
    const SyntheticUniverse universe = syntheticUniverse(planets, kUniverseSeed);
    QStringList paths{folder + QStringLiteral("/universe-%1.map").arg(planets)};
    writeFile(paths[0], universe.mapText());
    for (int r = 1; r <= kChartReports; ++r) {
        paths << folder + QStringLiteral("/player%1-%2.pla").arg(r).arg(planets);
        writeFile(paths.last(), universe.reportText(quint32(r)));
    }
    paths << folder + QStringLiteral("/player1-later-%1.pla").arg(planets);
    writeFile(paths.last(), reportText(universe.laterTurn(universe.report(1), 100, kChangedPercent)));
    return paths;
}

Globals startedGlobals()
{
    Globals g;
    Initialize_Colors(g);
    g.applyStartupValues();
    return g;
}

// The zoom 0.9 window is a tenth of the map each way. Zones are counted on a grid of
// cells by their centres; a window widened by a typical half zone then sees about the
// zones that reach into it, and the centre with the most is the worst for overdraw.
void findDensestView(BenchUniverse &u)
{
    const Globals &g = u.charted;
    const ChartView whole = viewFor(0, 0, 0, g.Map_Max_X, g.Map_Max_Y);
    const ChartView zoomed = viewFor(0.9, 0, 0, g.Map_Max_X, g.Map_Max_Y);
    constexpr double kCell = 10;
    const double halfZone = std::log(1e5) * 15 / 2;
    const int columns = int((whole.right - whole.left) / kCell) + 1;
    const int rows = int((whole.top - whole.bottom) / kCell) + 1;
    // sums[(r + 1) * (columns + 1) + c + 1]: zones in cells below r and left of c, inclusive.
    std::vector<int> sums(size_t(rows + 1) * (columns + 1), 0);
    auto at = [&](int r, int c) -> int & { return sums[size_t(r + 1) * (columns + 1) + c + 1]; };
    for (const Star_Object &p : g.Star_Table) {
        if (p.Owner.isEmpty())
            continue;
        const int c =
            std::clamp(int((conv::strictNumber(p.Star_X) - whole.left) / kCell), 0, columns - 1);
        const int r =
            std::clamp(int((conv::strictNumber(p.Star_Y) - whole.bottom) / kCell), 0, rows - 1);
        ++at(r, c);
    }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            at(r, c) += at(r - 1, c) + at(r, c - 1) - at(r - 1, c - 1);

    const int spanX = int(((zoomed.right - zoomed.left) / 2 + halfZone) / kCell);
    const int spanY = int(((zoomed.top - zoomed.bottom) / 2 + halfZone) / kCell);
    int best = -1;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int r0 = std::max(r - spanY, 0) - 1, r1 = std::min(r + spanY, rows - 1);
            const int c0 = std::max(c - spanX, 0) - 1, c1 = std::min(c + spanX, columns - 1);
            const int zones = at(r1, c1) - at(r0, c1) - at(r1, c0) + at(r0, c0);
            if (zones > best) {
                best = zones;
                u.denseX = whole.left + (c + 0.5) * kCell;
                u.denseY = whole.bottom + (r + 0.5) * kCell;
            }
        }
    }
}

QString lastUniqueName(const Star_Table_Type &table)
{
    QHash<QString, int> uses;
    for (const Star_Object &p : table)
        ++uses[p.Star_Name];
    for (auto p = table.rbegin(); p != table.rend(); ++p) {
        if (uses.value(p->Star_Name) == 1)
            return p->Star_Name;
    }
    return table.back().Star_Name;
}

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

} // namespace

Globals loadedUniverse(const QStringList &files)
{
    Globals g;
    loadUniverse(g, files.value(0), files.mid(1));
    return g;
}

const BenchUniverse &benchUniverse(int planets)
{
    static std::map<int, std::unique_ptr<BenchUniverse>> built;
    std::unique_ptr<BenchUniverse> &u = built[planets];
    if (u)
        return *u;
    u = std::make_unique<BenchUniverse>();
    u->planets = planets;
    QStringList files = writeUniverse(folder().path(), planets);
    u->mapPath = files.takeFirst();
    u->laterReportPath = files.takeLast();
    u->reportPaths = files;
    u->started = startedGlobals();
    u->mapped = loadedUniverse({u->mapPath});
    u->afterFirst = loadedUniverse({u->mapPath, u->reportPaths[0]});
    u->charted = loadedUniverse(QStringList{u->mapPath} + u->reportPaths);
    findDensestView(*u);
    u->lastName = lastUniqueName(u->charted.Star_Table);
    return *u;
}

QStringList writeLargestUniverse(const QString &folder)
{
    QStringList paths = writeUniverse(folder, kLargestUniverse);
    paths.removeLast(); // the later turn is for the history cases only
    return paths;
}

QList<QByteArray> laterTurns(int planets, int turns)
{
    const SyntheticUniverse universe = syntheticUniverse(planets, kUniverseSeed);
    QList<QByteArray> texts;
    QList<ReportLine> turn = universe.report(1);
    for (int t = 2; t <= turns; ++t) {
        turn = universe.laterTurn(turn, quint32(100 + t), kChangedPercent);
        texts << reportText(turn);
    }
    return texts;
}

#include "legend.h"

#include "conversions.h"
#include "chartfont.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 8;
constexpr int kRowHeight = 16;
constexpr int kTextTop = 2; // the text cell's top in its row
constexpr QSize kSwatch(14, 10);
constexpr int kSwatchTop = 3;
constexpr int kGap = 10;
// A race name from a report may be any length and a total up to 309 digits; past this many
// picture pixels a text is cut with an ellipsis, so the strip (and the image) stays a
// sensible size.
constexpr int kLongestName = 220;

const QString kRaceHeader = QStringLiteral("Race");
const QString kPopulationHeader = QStringLiteral("Population");
const QString kStarbasesHeader = QStringLiteral("Starbases");

struct Row {
    PackedColor color;
    qint16 style;
    QString name, population, starbases;
};

std::vector<Row> rowsOf(const Globals &globals)
{
    std::vector<Row> rows;
    for (int slot = 0; slot <= globals.Last_Player_Index && slot < kPlayerSlots; ++slot) {
        const Player_Object &p = globals.Player_Table[size_t(slot)];
        rows.push_back({p.Player_Color, p.Player_Style, p.Player_Name,
                        conv::plainNumber(p.Player_Population.value_or(0)),
                        conv::plainNumber(p.Player_Starbases.value_or(0))});
    }
    return rows;
}

// Where the columns go: the name after the swatch, then the two totals right-aligned.
struct Layout {
    std::vector<Row> rows;
    bool totals;
    int nameLeft, populationRight, starbasesRight, width, height;
};

// `name`, or as much of it as fits kLongestName with "…" after it.
QString shortened(const QString &name, ChartTextMetric &metric)
{
    if (metric.width(name) <= kLongestName)
        return name;
    const QString ellipsis(QChar(0x2026));
    qsizetype fits = 0;
    for (qsizetype step = name.size() / 2; step > 0; step /= 2) {
        while (fits + step <= name.size() && metric.width(name.left(fits + step) + ellipsis) <= kLongestName)
            fits += step;
    }
    if (fits > 0 && name[fits - 1].isHighSurrogate())
        --fits;
    return name.left(fits) + ellipsis;
}

Layout layoutOf(const Globals &globals, bool totals, int scale)
{
    Layout l{rowsOf(globals), totals, 0, 0, 0, 0, 0};
    ChartTextMetric metric(std::clamp(scale, 1, kMaxChartScale));
    for (Row &row : l.rows) {
        row.name = shortened(row.name, metric);
        row.population = shortened(row.population, metric);
        row.starbases = shortened(row.starbases, metric);
    }
    int names = totals ? metric.width(kRaceHeader) : 0;
    int populations = metric.width(kPopulationHeader);
    int starbases = metric.width(kStarbasesHeader);
    for (const Row &row : l.rows) {
        names = std::max(names, metric.width(row.name));
        if (totals) {
            populations = std::max(populations, metric.width(row.population));
            starbases = std::max(starbases, metric.width(row.starbases));
        }
    }
    l.nameLeft = kMargin + kSwatch.width() + kGap / 2;
    l.width = l.nameLeft + names + kMargin;
    if (totals) {
        l.populationRight = l.nameLeft + names + kGap + populations;
        l.starbasesRight = l.populationRight + kGap + starbases;
        l.width = l.starbasesRight + kMargin;
    }
    const int lines = int(l.rows.size()) + (totals ? 1 : 0);
    l.height = 2 * kMargin + lines * kRowHeight;
    return l;
}

void print(Surface &surface, double x, double y, const QString &text)
{
    surface.CurrentX(x);
    surface.CurrentY(y);
    surface.Print(text);
}

} // namespace

QSize legendSize(const Globals &globals, bool totals, int scale)
{
    const Layout l = layoutOf(globals, totals, scale);
    return {l.width, l.height};
}

void drawLegend(Surface &surface, QSize picture, const Globals &globals, bool totals, int scale)
{
    const Layout l = layoutOf(globals, totals, scale);
    ChartTextMetric metric(std::clamp(scale, 1, kMaxChartScale));
    surface.Scale(0, 0, picture.width(), picture.height());
    int top = kMargin;
    auto rightAligned = [&](int right, const QString &text) {
        print(surface, right - metric.width(text), top + kTextTop, text);
    };
    if (totals) {
        print(surface, l.nameLeft, top + kTextTop, kRaceHeader);
        rightAligned(l.populationRight, kPopulationHeader);
        rightAligned(l.starbasesRight, kStarbasesHeader);
        top += kRowHeight;
    }
    for (const Row &row : l.rows) {
        // The swatch is the zone's fill inside a white edge, so a hatch reads as a box.
        surface.DrawWidth(1);
        surface.DrawStyle(DrawSolid);
        surface.FillColor(row.color);
        surface.FillStyle(row.style);
        surface.Line(kMargin, top + kSwatchTop, kSwatch.width(), kSwatch.height());
        print(surface, l.nameLeft, top + kTextTop, row.name);
        if (totals) {
            rightAligned(l.populationRight, row.population);
            rightAligned(l.starbasesRight, row.starbases);
        }
        top += kRowHeight;
    }
}

#include "legend.h"

#include "changemarks.h"
#include "conversions.h"
#include "chartfont.h"
#include "planmarks.h"
#include "palette.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <bit>
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

// A filled mark takes the new owner's colour on the chart; here it is a neutral grey.
constexpr PackedColor kMarkGrey = packedFromRgb(0xFFA0A0A0);

// Read when a legend is laid out, so they are in the language the program runs in.
QString raceHeader()
{
    return QCoreApplication::translate("Legend", "Race");
}
QString planetsHeader()
{
    return QCoreApplication::translate("Legend", "Planets");
}
QString populationHeader()
{
    return QCoreApplication::translate("Legend", "Population");
}
QString starbasesHeader()
{
    return QCoreApplication::translate("Legend", "Starbases");
}

void print(Surface &surface, double x, double y, const QString &text)
{
    surface.CurrentX(x);
    surface.CurrentY(y);
    surface.Print(text);
}

// How many planets each of the first `races` slots owns, by the owner's name.
std::vector<int> planetsOwned(const Globals &globals, int races)
{
    std::vector<int> owned(size_t(std::max(races, 0)), 0);
    QHash<QString, int> slotOf;
    for (int slot = races - 1; slot >= 0; --slot) // the first slot of a name counts it
        slotOf.insert(globals.Player_Table[size_t(slot)].Player_Name, slot);
    // Neighbouring planets often share an owner: the last lookup is reused.
    const QString *lastOwner = nullptr;
    int lastSlot = -1;
    for (int i = 0; i <= globals.lastPlanet(); ++i) {
        const QString &owner = globals.Star_Table[size_t(i)].Owner;
        if (owner.isEmpty())
            continue;
        if (!lastOwner || owner != *lastOwner) {
            lastOwner = &owner;
            lastSlot = slotOf.value(owner, -1);
        }
        if (lastSlot >= 0)
            ++owned[size_t(lastSlot)];
    }
    return owned;
}

QString shortened(const QString &name, ChartTextMetric &metric)
{
    return elidedText(name, kLongestName, metric);
}

} // namespace

int MarkLegend::rows() const
{
    const int count = std::popcount(unsigned(kinds.toInt()));
    return count == 0 ? 0 : count + (title.isEmpty() ? 0 : 1);
}

Legend::Legend(const Globals &globals, bool totals, int scale, int rows, const MarkLegend &marks,
               std::vector<Marker> markers, const std::optional<QLocale> &numbers)
    : m_totals(totals),
      m_metric(std::make_unique<ChartTextMetric>(std::clamp(scale, 1, kMaxChartScale))),
      m_markers(std::move(markers))
{
    ChartTextMetric &metric = *m_metric;
    const int races = std::min<int>(globals.Last_Player_Index + 1, kPlayerSlots);
    const int shown = rows < 0 ? races : std::min(races, rows);
    auto number = [&numbers](double value) {
        return numbers ? conv::groupedNumber(value, *numbers) : conv::plainNumber(value);
    };
    const std::vector<int> owned = totals ? planetsOwned(globals, shown) : std::vector<int>();
    for (int slot = 0; slot < shown; ++slot) {
        const Player_Object &p = globals.Player_Table[size_t(slot)];
        m_rows.push_back({p.Player_Color, p.Player_Style, shortened(p.Player_Name, metric),
                          totals ? number(owned[size_t(slot)]) : QString(),
                          shortened(number(p.Player_Population.value_or(0)), metric),
                          shortened(number(p.Player_Starbases.value_or(0)), metric)});
    }
    int names = totals ? metric.width(raceHeader()) : 0;
    int planets = metric.width(planetsHeader());
    int populations = metric.width(populationHeader());
    int starbases = metric.width(starbasesHeader());
    for (const Row &row : m_rows) {
        names = std::max(names, metric.width(row.name));
        if (totals) {
            planets = std::max(planets, metric.width(row.planets));
            populations = std::max(populations, metric.width(row.population));
            starbases = std::max(starbases, metric.width(row.starbases));
        }
    }
    for (Marker marker : m_markers)
        names = std::max(names, metric.width(markerTitle(marker)));
    int markTexts = 0;
    for (ChangeMarkKind kind : kChangeMarkKinds) {
        if (marks.kinds & kind) {
            m_marks.push_back({kind, changeMarkText(kind)});
            markTexts = std::max(markTexts, metric.width(m_marks.back().text));
        }
    }
    int titleWidth = 0;
    if (!m_marks.empty() && !marks.title.isEmpty()) {
        m_marksTitle = shortened(marks.title, metric);
        titleWidth = metric.width(m_marksTitle);
    }
    m_nameLeft = kMargin + kSwatch.width() + kGap / 2;
    int width = m_nameLeft + names + kMargin;
    if (totals) {
        m_planetsRight = m_nameLeft + names + kGap + planets;
        m_populationRight = m_planetsRight + kGap + populations;
        m_starbasesRight = m_populationRight + kGap + starbases;
        width = m_starbasesRight + kMargin;
    }
    // A mark's text and the title have the whole row.
    if (!m_marks.empty())
        width = std::max({width, m_nameLeft + markTexts + kMargin, kMargin + titleWidth + kMargin});
    m_size = QSize(width, heightFor(int(m_rows.size()), totals, markerRows() + markRows()));
}

Legend::~Legend() = default;

int Legend::heightFor(int rows, bool totals, int markRows)
{
    return 2 * kMargin + (rows + (totals ? 1 : 0) + markRows) * kRowHeight;
}

int Legend::rowsFitting(int height, bool totals, int markRows)
{
    return std::max(0, (height - 2 * kMargin) / kRowHeight - (totals ? 1 : 0) - markRows);
}

void Legend::draw(Surface &surface, QPoint topLeft) const
{
    const int left = topLeft.x();
    int top = topLeft.y() + kMargin;
    auto rightAligned = [&](int right, const QString &text) {
        print(surface, left + right - m_metric->width(text), top + kTextTop, text);
    };
    if (m_totals) {
        print(surface, left + m_nameLeft, top + kTextTop, raceHeader());
        rightAligned(m_planetsRight, planetsHeader());
        rightAligned(m_populationRight, populationHeader());
        rightAligned(m_starbasesRight, starbasesHeader());
        top += kRowHeight;
    }
    for (const Row &row : m_rows) {
        // The swatch is the zone's fill inside a white edge, so a hatch reads as a box.
        surface.DrawWidth(1);
        surface.DrawStyle(DrawSolid);
        surface.FillColor(row.color);
        surface.FillStyle(row.style);
        surface.Line(left + kMargin, top + kSwatchTop, kSwatch.width(), kSwatch.height());
        print(surface, left + m_nameLeft, top + kTextTop, row.name);
        if (m_totals) {
            rightAligned(m_planetsRight, row.planets);
            rightAligned(m_populationRight, row.population);
            rightAligned(m_starbasesRight, row.starbases);
        }
        top += kRowHeight;
    }
    // The symbol stands where a race's swatch does, centred in its box.
    const QPoint symbolInSwatch((kSwatch.width() - kMarkerSymbolSide) / 2,
                                (kSwatch.height() - kMarkerSymbolSide) / 2);
    for (Marker marker : m_markers) {
        drawMarkerSymbol(surface, marker, QPoint(left + kMargin, top + kSwatchTop) + symbolInSwatch);
        print(surface, left + m_nameLeft, top + kTextTop, markerTitle(marker));
        top += kRowHeight;
    }
    if (!m_marksTitle.isEmpty()) {
        print(surface, left + kMargin, top + kTextTop, m_marksTitle);
        top += kRowHeight;
    }
    for (const MarkRow &row : m_marks) {
        const QPoint centre(left + kMargin + kSwatch.width() / 2,
                            top + kSwatchTop + kSwatch.height() / 2);
        drawChangeMark(surface, centre, row.kind, kMarkGrey);
        print(surface, left + m_nameLeft, top + kTextTop, row.text);
        top += kRowHeight;
    }
}

QSize legendSize(const Globals &globals, bool totals, int scale)
{
    return Legend(globals, totals, scale).size();
}

QSize legendStripSize(const Globals &globals, int beside, int scale)
{
    const QSize natural = legendSize(globals, true, scale);
    return {natural.width(), std::max(natural.height(), beside)};
}

void drawLegend(Surface &surface, QSize picture, const Globals &globals, bool totals, int scale)
{
    surface.Scale(0, 0, picture.width(), picture.height());
    Legend(globals, totals, scale).draw(surface, QPoint(0, 0));
}

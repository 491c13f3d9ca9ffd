#include "renderer.h"

#include "conversions.h"
#include "runerror.h"

#include <cmath>
#include <limits>

namespace {

constexpr qsizetype kLabelCapacity = 128;

// A planet's texts live in their own allocations, scattered once a sort has moved the
// records, so a pass over a large table waits on memory at every planet. Asking for the
// texts of a planet some way ahead overlaps those waits. Inlined by force: GCC takes a
// function that only prefetches for one without effect and drops its calls.
constexpr int kPrefetchAhead = 12;

[[gnu::always_inline]] inline void prefetch(const QString &text)
{
    __builtin_prefetch(text.constData());
}

[[gnu::always_inline]] inline void prefetchPlanet(const Star_Table_Type &table, int i, int last,
                                                  bool labelled)
{
    if (i + kPrefetchAhead > last)
        return;
    const Star_Object &ahead = table[size_t(i + kPrefetchAhead)];
    prefetch(ahead.Star_X);
    prefetch(ahead.Star_Y);
    prefetch(ahead.population);
    if (labelled) {
        prefetch(ahead.Star_Name);
        prefetch(ahead.Owner);
    }
}

// After a zone the pen is solid and the fill solid white again, as Place_Star leaves them.
void restorePen(Surface &surface)
{
    surface.DrawWidth(1);
    surface.DrawStyle(DrawSolid);
    surface.FillColor(kWhite);
    surface.FillStyle(FillSolid);
}

} // namespace

ChartCanvas::ChartCanvas(Surface &surface, const LabelOptions &labels)
    : surface(surface), labels(labels)
{
    label.reserve(kLabelCapacity);
}

ChartView display_map(Globals &globals, Surface &surface, const LabelOptions &labels,
                      std::optional<double> Zoom_Factor, std::optional<double> center_x,
                      std::optional<double> center_y, bool minimised)
{
    surface.Cls();
    surface.BackColor(0);
    const ChartView view = viewFor(Zoom_Factor.value_or(0), center_x.value_or(0),
                                   center_y.value_or(0), globals.Map_Max_X, globals.Map_Max_Y);
    StoredView::of(Zoom_Factor, view).storeIn(globals);
    if (minimised)
        return view;
    drawChart(globals, surface, labels, view);
    return view;
}

void drawChart(const Globals &globals, Surface &surface, const LabelOptions &labels,
               const ChartView &view)
{
    surface.Scale(view.left, view.top, view.right, view.bottom);
    // The mark stays on the middle of the map wherever the view goes.
    surface.CurrentX(view.defaultX);
    surface.CurrentY(view.defaultY);
    surface.Print(QStringLiteral("+"));

    ChartCanvas canvas(surface, labels);
    drawZones(canvas, globals);
    drawDotsAndLabels(canvas, globals);
}

void drawZones(ChartCanvas &canvas, const Globals &globals)
{
    const int last = globals.lastPlanet();
    Surface &surface = canvas.surface;
    if (!surface.fillsBoxesTogether()) {
        for (int i = 0; i <= last; ++i)
            Place_Star(canvas, globals.Star_Table[i], PlaceZone);
        return;
    }
    // The squares Place_Star would draw, gathered first; a planet that fails still leaves
    // the zones before it painted, as one by one.
    std::vector<FilledBox> &zones = canvas.zones;
    zones.clear();
    auto paint = [&] {
        if (zones.empty())
            return;
        surface.FillBoxes(zones);
        restorePen(surface);
    };
    try {
        for (int i = 0; i <= last; ++i) {
            prefetchPlanet(globals.Star_Table, i, last, false);
            const Star_Object &Z = globals.Star_Table[i];
            if (Z.Owner.isEmpty())
                continue;
            const qint16 X = conv::toInt16(planetCoordinate(Z.Star_X));
            const qint16 Y = conv::toInt16(planetCoordinate(Z.Star_Y));
            const double side = zoneSize(Z);
            // DrawSquare's box.
            zones.push_back({X - side / 2, Y - side / 2, side, side, Z.color.value_or(0),
                             Z.Style.value_or(FillSolid)});
        }
    } catch (...) {
        paint();
        throw;
    }
    paint();
}

void drawDotsAndLabels(ChartCanvas &canvas, const Globals &globals)
{
    const int last = globals.lastPlanet();
    const LabelOptions &l = canvas.labels;
    const bool labelled = l.all || l.populated || l.starbases;
    for (int i = 0; i <= last; ++i) {
        prefetchPlanet(globals.Star_Table, i, last, labelled);
        Place_Star(canvas, globals.Star_Table[i], PlaceDotAndLabel);
    }
}

void Place_Star(ChartCanvas &canvas, const Star_Object &Z, qint16 Mode)
{
    Surface &surface = canvas.surface;
    if (Mode == PlaceZone) {
        if (Z.Owner.isEmpty())
            return;
        surface.DrawWidth(1);
        surface.DrawStyle(DrawInvisible);
        surface.FillColor(Z.color.value_or(0));
        surface.FillStyle(Z.Style.value_or(FillSolid));
        DrawSquare(surface, conv::toInt16(planetCoordinate(Z.Star_X)),
                   conv::toInt16(planetCoordinate(Z.Star_Y)), zoneSize(Z));
        restorePen(surface);
    } else if (Mode == PlaceDotAndLabel) {
        // The dot sits at the coordinates taken in single precision.
        const float x = static_cast<float>(planetCoordinate(Z.Star_X));
        const float y = static_cast<float>(planetCoordinate(Z.Star_Y));
        surface.PSet(x, y, kWhite);
        if (planetLabel(Z, canvas.labels, canvas.label))
            surface.Print(canvas.label);
    }
}

void DrawSquare(Surface &surface, qint16 X, qint16 Y, double zone_size)
{
    surface.Line(X - zone_size / 2, Y - zone_size / 2, zone_size, zone_size);
}

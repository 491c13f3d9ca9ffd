#include "renderer.h"

#include "conversions.h"
#include "runerror.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kMissingPopulation = 700000; // an owned planet the report gives no figure
constexpr double kZoneFactor = 15;
constexpr double kStarbaseZoneFactor = 25.5;
constexpr qsizetype kLabelCapacity = 128;

double populationOf(const QString &text)
{
    if (text.isEmpty() || text == u"0")
        return 0;
    try {
        return conv::leadingNumber(text);
    } catch (const RunError &) {
        // Only a figure beyond double's range gets here: "1e400" is as large as can be,
        // "-1e400" as missing as any other negative figure.
        return text.trimmed().startsWith(u'-') ? 0 : std::numeric_limits<double>::max();
    }
}

// Planets 0 to Last_Star_Index, read once; never past the table's end.
int lastIndex(const Globals &globals)
{
    return std::min<int>(globals.Last_Star_Index, int(globals.Star_Table.size()) - 1);
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
    globals.View_Zoom = Zoom_Factor;

    const ChartView view = viewFor(Zoom_Factor.value_or(0), center_x.value_or(0),
                                   center_y.value_or(0), globals.Map_Max_X, globals.Map_Max_Y);
    globals.View_Center_X = view.centreX;
    globals.setViewCenterY(view.centreY);
    if (minimised)
        return view;

    surface.Scale(view.left, view.top, view.right, view.bottom);
    // The mark stays on the middle of the map wherever the view goes.
    surface.CurrentX(view.defaultX);
    surface.CurrentY(view.defaultY);
    surface.Print(QStringLiteral("+"));

    ChartCanvas canvas(surface, labels);
    drawZones(canvas, globals);
    drawDotsAndLabels(canvas, globals);
    return view;
}

void drawZones(ChartCanvas &canvas, const Globals &globals)
{
    const int last = lastIndex(globals);
    for (int i = 0; i <= last; ++i)
        Place_Star(canvas, globals.Star_Table[i], PlaceZone);
}

void drawDotsAndLabels(ChartCanvas &canvas, const Globals &globals)
{
    const int last = lastIndex(globals);
    for (int i = 0; i <= last; ++i)
        Place_Star(canvas, globals.Star_Table[i], PlaceDotAndLabel);
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
        DrawSquare(surface, conv::toInt16(conv::strictNumber(Z.Star_X)),
                   conv::toInt16(conv::strictNumber(Z.Star_Y)), zoneSize(Z));
        surface.DrawWidth(1);
        surface.DrawStyle(DrawSolid);
        surface.FillColor(kWhite);
        surface.FillStyle(FillSolid);
    } else if (Mode == PlaceDotAndLabel) {
        // The dot sits at the coordinates taken in single precision.
        const float x = static_cast<float>(conv::strictNumber(Z.Star_X));
        const float y = static_cast<float>(conv::strictNumber(Z.Star_Y));
        surface.PSet(x, y, kWhite);
        if (planetLabel(Z, canvas.labels, canvas.label))
            surface.Print(canvas.label);
    }
}

void DrawSquare(Surface &surface, qint16 X, qint16 Y, double zone_size)
{
    surface.Line(X - zone_size / 2, Y - zone_size / 2, zone_size, zone_size);
}

double zoneSize(const Star_Object &planet)
{
    double people = populationOf(planet.population);
    if (!(people > 0))
        people = planet.Owner.isEmpty() ? 1 : kMissingPopulation;
    return std::log(people) * (planet.Starbase.isEmpty() ? kZoneFactor : kStarbaseZoneFactor);
}

bool planetLabel(const Star_Object &planet, const LabelOptions &labels, QString &text)
{
    const bool owned = !planet.Owner.isEmpty();
    const bool starbase = owned && !planet.Starbase.isEmpty();
    const bool wanted = labels.all || (owned && labels.populated) || (starbase && labels.starbases);
    if (!wanted)
        return false;
    // resize(0) keeps the buffer's capacity, so a redraw reuses one allocation.
    text.resize(0);
    text += planet.Star_Name;
    if (owned) {
        text += u' ';
        text += planet.Owner;
        if (starbase)
            text += QLatin1String(" (s)");
    }
    return true;
}

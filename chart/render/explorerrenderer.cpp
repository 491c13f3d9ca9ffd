#include "explorerrenderer.h"

#include "chartfont.h"
#include "palette.h"
#include "renderer.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr PackedColor kBlack = 0;
constexpr PackedColor kRingColour = 0x0000FFFF; // yellow, apart from the white dots
constexpr int kBarHeight = 3;
constexpr int kTickHeight = 9;
constexpr int kSwatchWidth = 20;
constexpr int kSwatchHeight = 10;
constexpr int kGap = 6;

// A filled box in picture pixels, outlined in white or not.
void box(Surface &surface, const QRect &pixels, PackedColor fill, qint16 style, bool outline)
{
    surface.DrawWidth(1);
    surface.DrawStyle(outline ? DrawSolid : DrawInvisible);
    surface.FillColor(fill);
    surface.FillStyle(style);
    surface.Line(pixels.x(), pixels.y(), pixels.width(), pixels.height());
}

void text(Surface &surface, QPoint topLeft, const QString &line)
{
    surface.CurrentX(topLeft.x());
    surface.CurrentY(topLeft.y());
    surface.Print(line);
}

// A ring of points around the middle of a pixel.
void ring(Surface &surface, QPoint pixel, int radius)
{
    const int points = 8 * radius;
    for (int i = 0; i < points; ++i) {
        const double angle = 2 * std::numbers::pi * i / points;
        surface.PSet(pixel.x() + 0.5 + radius * std::cos(angle),
                     pixel.y() + 0.5 + radius * std::sin(angle), kRingColour);
    }
}

} // namespace

ScaleBar scaleBarFor(const ExplorerView &view)
{
    ScaleBar bar;
    const int width = view.picture.width();
    const double target = width / 5.0 * view.unitsPerPixel;
    if (!(target > 0) || !std::isfinite(target))
        return bar;
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    double best = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (std::abs(std::log(m * power / target)) < std::abs(std::log(best / target)))
            best = m * power;
    }
    bar.mapUnits = best;
    bar.pixels = static_cast<int>(std::lround(best / view.unitsPerPixel));
    bar.text = QStringLiteral("%1 units").arg(QString::number(best, 'g', 6));
    const int bottom = view.picture.height() - ExplorerRenderer::kMargin;
    // Too small a picture for a bar and its text: none.
    if (width >= 4 * ExplorerRenderer::kMargin && bottom > 3 * kTickHeight)
        bar.bar = QRect(ExplorerRenderer::kMargin, bottom - kBarHeight, bar.pixels, kBarHeight);
    return bar;
}

QString explorerStatus(const Globals &globals, std::optional<QPointF> pointerMap, int selected)
{
    QStringList parts;
    if (pointerMap)
        parts << QStringLiteral("%1 %2").arg(qint64(std::floor(pointerMap->x())))
                     .arg(qint64(std::floor(pointerMap->y())));
    if (selected >= 0 && selected <= globals.lastPlanet()) {
        const Star_Object &p = globals.Star_Table[size_t(selected)];
        parts << p.Star_Name;
        parts << (p.Owner.isEmpty() ? QStringLiteral("unowned")
                                    : QStringLiteral("owner %1").arg(p.Owner));
        parts << QStringLiteral("population %1")
                     .arg(p.population.isEmpty() ? QStringLiteral("unknown") : p.population);
        parts << (p.Starbase.isEmpty() ? QStringLiteral("no starbase")
                                       : QStringLiteral("starbase %1").arg(p.Starbase));
    }
    return parts.join(QStringLiteral("    "));
}

ExplorerRenderer::ExplorerRenderer() = default;

ExplorerDrawing ExplorerRenderer::draw(const Globals &globals, Surface &surface,
                                       const ExplorerScene &scene)
{
    ExplorerDrawing drawing;
    const MapExtent extent = mapExtent(globals.Map_Max_X, globals.Map_Max_Y);
    const QSize picture = scene.view.picture;
    drawing.chartView = scene.view.chartView(extent);

    surface.Cls();
    surface.BackColor(kBlack);
    drawChart(globals, surface, LabelOptions{}, drawing.chartView);

    if (m_order.size() != size_t(globals.lastPlanet() + 1) &&
        (scene.labels.all || scene.labels.populated || scene.labels.starbases))
        m_order = labelPriority(globals);
    // The scale bar and the legend go on top; labels keep out of their way.
    drawing.scaleBar = scaleBarFor(scene.view);
    if (scene.legend)
        drawing.legend = legendPanel(globals, picture);
    const QRect reserved[] = {scaleBarArea(drawing.scaleBar), drawing.legend};
    drawing.labels = placeLabels(globals, m_order, drawing.chartView, picture, scene.labels,
                                 scene.selected, m_metrics, reserved);

    // Everything from here on is placed in picture pixels.
    surface.Scale(0, 0, picture.width(), picture.height());
    for (const PlacedLabel &label : drawing.labels)
        text(surface, label.box.topLeft(), label.text);
    if (!drawing.labels.empty() && drawing.labels.front().planet == scene.selected)
        ring(surface, drawing.labels.front().box.topLeft(), kRingRadius);

    drawScaleBar(surface, drawing.scaleBar);
    drawLegend(globals, surface, drawing.legend);
    return drawing;
}

void ExplorerRenderer::drawScaleBar(Surface &surface, const ScaleBar &bar)
{
    if (bar.bar.isEmpty())
        return;
    const QRect &b = bar.bar;
    box(surface, b, kWhite, FillSolid, false);
    box(surface, QRect(b.left(), b.bottom() + 1 - kTickHeight, 1, kTickHeight), kWhite, FillSolid,
        false);
    box(surface, QRect(b.right(), b.bottom() + 1 - kTickHeight, 1, kTickHeight), kWhite,
        FillSolid, false);
    text(surface, QPoint(b.left() + 4, b.bottom() + 1 - kTickHeight - m_metrics.height()),
         bar.text);
}

// The races in slot order, a swatch in each one's colour and hatch beside its name, on a
// black panel in the upper right corner; rows that do not fit the picture are left out.
QRect ExplorerRenderer::legendPanel(const Globals &globals, QSize picture)
{
    const int races = globals.Last_Player_Index + 1;
    if (races <= 0)
        return {};
    const int rowHeight = legendRowHeight();
    int nameWidth = 0;
    for (int slot = 0; slot < races; ++slot)
        nameWidth = std::max(nameWidth, m_metrics.width(globals.Player_Table[slot].Player_Name));
    const int rows = std::min(races, (picture.height() - 2 * kMargin - kGap) / rowHeight);
    const int width = kGap + kSwatchWidth + kGap + nameWidth + kGap;
    if (rows <= 0 || width + 2 * kMargin > picture.width())
        return {};
    return {picture.width() - kMargin - width, kMargin, width, rows * rowHeight + kGap};
}

int ExplorerRenderer::legendRowHeight() const
{
    return std::max(m_metrics.height(), kSwatchHeight) + 2;
}

QRect ExplorerRenderer::scaleBarArea(const ScaleBar &bar)
{
    if (bar.bar.isEmpty())
        return {};
    const int top = bar.bar.bottom() + 1 - kTickHeight - m_metrics.height();
    const int width = std::max(bar.bar.width(), 4 + m_metrics.width(bar.text));
    return {bar.bar.left(), top, width, bar.bar.bottom() + 1 - top};
}

void ExplorerRenderer::drawLegend(const Globals &globals, Surface &surface, const QRect &panel)
{
    if (panel.isEmpty())
        return;
    const int rowHeight = legendRowHeight();
    const int rows = (panel.height() - kGap) / rowHeight;
    box(surface, panel, kBlack, FillSolid, true);
    for (int slot = 0; slot < rows; ++slot) {
        const Player_Object &race = globals.Player_Table[slot];
        const int top = panel.top() + kGap / 2 + slot * rowHeight + 1;
        box(surface,
            QRect(panel.left() + kGap, top + (rowHeight - 2 - kSwatchHeight) / 2, kSwatchWidth,
                  kSwatchHeight),
            race.Player_Color, race.Player_Style, true);
        text(surface, QPoint(panel.left() + kGap + kSwatchWidth + kGap, top), race.Player_Name);
    }
}

#include "explorerrenderer.h"

#include "changemarks.h"
#include "chartfont.h"
#include "conversions.h"
#include "distances.h"
#include "legend.h"
#include "palette.h"
#include "planetgeometry.h"
#include "planmarks.h"
#include "renderer.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr PackedColor kBlack = 0;
constexpr int kBarHeight = 3;
constexpr int kTickHeight = 9;

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
    bar.text = QCoreApplication::translate("ExplorerRenderer", "%1 units")
                   .arg(QString::number(best, 'g', 6));
    const int bottom = view.picture.height() - ExplorerRenderer::kMargin;
    // Too small a picture for a bar and its text: none.
    if (width >= 4 * ExplorerRenderer::kMargin && bottom > 3 * kTickHeight)
        bar.bar = QRect(ExplorerRenderer::kMargin, bottom - kBarHeight, bar.pixels, kBarHeight);
    return bar;
}

QString explorerStatus(const Globals &globals, std::optional<QPointF> pointerMap, int selected)
{
    QStringList parts;
    const bool hasSelection = selected >= 0 && selected <= globals.lastPlanet();
    if (pointerMap) {
        parts << QStringLiteral("%1 %2").arg(qint64(std::floor(pointerMap->x())))
                     .arg(qint64(std::floor(pointerMap->y())));
        if (hasSelection) {
            if (const auto place = planetPlace(globals.Star_Table[size_t(selected)]))
                parts << QCoreApplication::translate("ExplorerRenderer", "distance %1")
                             .arg(QLocale().toString(mapDistance(*place, *pointerMap), 'f', 1));
        }
    }
    if (hasSelection) {
        const Star_Object &p = globals.Star_Table[size_t(selected)];
        parts << p.Star_Name;
        parts << (p.Owner.isEmpty()
                      ? QCoreApplication::translate("ExplorerRenderer", "unowned")
                      : QCoreApplication::translate("ExplorerRenderer", "owner %1").arg(p.Owner));
        parts << QCoreApplication::translate("ExplorerRenderer", "population %1")
                     .arg(p.population.isEmpty()
                              ? QCoreApplication::translate("ExplorerRenderer", "unknown")
                              : conv::groupedText(p.population));
        parts << (p.Starbase.isEmpty()
                      ? QCoreApplication::translate("ExplorerRenderer", "no starbase")
                      : QCoreApplication::translate("ExplorerRenderer", "starbase %1")
                            .arg(p.Starbase));
    }
    return parts.join(QStringLiteral("    "));
}

ExplorerRenderer::ExplorerRenderer() = default;

ChartTextMetric &ExplorerRenderer::metrics(int scale)
{
    scale = std::clamp(scale, 1, kMaxChartScale);
    if (!m_metrics || m_metrics->scale() != scale)
        m_metrics = std::make_unique<ChartTextMetric>(scale);
    return *m_metrics;
}

ExplorerDrawing ExplorerRenderer::draw(const Globals &globals, Surface &surface,
                                       const ExplorerScene &scene)
{
    ExplorerDrawing drawing;
    const MapExtent extent = mapExtent(globals.Map_Max_X, globals.Map_Max_Y);
    const QSize picture = scene.view.picture;
    ChartTextMetric &metric = metrics(scene.scale);
    drawing.chartView = scene.view.chartView(extent);

    surface.Cls();
    surface.BackColor(kBlack);
    drawChart(globals, surface, LabelOptions{}, drawing.chartView);
    const int dotSize = scene.view.dotSize(extent);
    if (dotSize > 1)
        growDots(globals, surface, dotSize);
    // Everything from here on is placed in picture pixels.
    surface.Scale(0, 0, picture.width(), picture.height());
    drawPlanning(globals, surface, scene, drawing);

    if (m_order.size() != size_t(globals.lastPlanet() + 1) &&
        (scene.labels.all || scene.labels.populated || scene.labels.starbases))
        m_order = labelPriority(globals);
    // The scale bar and the legend go on top; labels keep out of their way.
    drawing.scaleBar = scaleBarFor(scene.view);
    std::optional<Legend> legend;
    if (scene.legend) {
        // Races that do not fit under one another are left out; a legend wider than the
        // picture is not drawn at all.
        std::vector<Marker> markers = globals.notes.markersInUse();
        const int markerRows = int(markers.size());
        const MarkLegend marks{changeMarkKinds(scene.changes), scene.changesTitle};
        legend.emplace(globals, true, metric.scale(),
                       Legend::rowsFitting(picture.height() - 2 * kMargin, true,
                                           markerRows + marks.rows()),
                       marks, std::move(markers), scene.numbers);
        const QSize size = legend->size();
        if (legend->rows() + legend->markerRows() > 0 && size.width() + 2 * kMargin <= picture.width() &&
            size.height() + 2 * kMargin <= picture.height())
            drawing.legend = QRect(QPoint(picture.width() - kMargin - size.width(), kMargin), size);
    }
    const QRect reserved[] = {scaleBarArea(drawing.scaleBar, metric), drawing.legend};
    drawing.labels = placeLabels(globals, m_order, drawing.chartView, picture, scene.labels,
                                 scene.selected, metric, reserved, dotSize);

    // Labels and the bar's text get a dark halo, so they read on the brightest hatch.
    // Under the labels, so that their text stays readable.
    drawChangeMarks(surface, globals, drawing.chartView, picture, scene.changes);
    surface.TextHalo(true);
    for (const PlacedLabel &label : drawing.labels)
        text(surface, label.box.topLeft(), label.text);
    if (!drawing.labels.empty() && drawing.labels.front().planet == scene.selected)
        drawing.selectedDot = dotPixel(drawing.chartView, picture,
                                       planetPosition(globals.Star_Table[size_t(scene.selected)]));
    labelRings(surface, scene, drawing, metric);

    drawScaleBar(surface, drawing.scaleBar, metric.height());
    surface.TextHalo(false);
    if (!drawing.legend.isEmpty()) {
        box(surface, drawing.legend, kBlack, FillSolid, true);
        legend->draw(surface, drawing.legend.topLeft());
    }
    return drawing;
}

// Every dot again as a square of `size` pixels around its one-pixel dot, over the zones, in
// the chart's own units: the same point and pixel as the one-pixel dot.
void ExplorerRenderer::growDots(const Globals &globals, Surface &surface, int size)
{
    surface.DrawWidth(size);
    const int last = globals.lastPlanet();
    for (int i = 0; i <= last; ++i) {
        const QPointF at = planetPosition(globals.Star_Table[size_t(i)]);
        surface.PSet(at.x(), at.y(), kWhite);
    }
    surface.DrawWidth(1);
}

void ExplorerRenderer::drawPlanning(const Globals &globals, Surface &surface,
                                    const ExplorerScene &scene, ExplorerDrawing &drawing)
{
    const QSize picture = scene.view.picture;
    m_selectedCentre.reset();
    if (scene.selected >= 0 && scene.selected <= globals.lastPlanet()) {
        // Round the planet's place itself, so a ring of 81 reads 81 units on the scale.
        if (const auto place = planetPlace(globals.Star_Table[size_t(scene.selected)]))
            m_selectedCentre = scene.view.toPixel(*place);
    }
    if (m_selectedCentre) {
        for (double ring : scene.rings) {
            const double radius = ring / scene.view.unitsPerPixel;
            drawing.ringRadii.push_back(radius);
            drawCircle(surface, *m_selectedCentre, radius, picture, kRingColor);
        }
        if (scene.ringSelected)
            drawCircle(surface, *m_selectedCentre, kSelectionRingRadius, picture, kSelectionColor);
    }

    // A symbol reaches kMarkerSymbolSide beyond its corner; those off the picture are skipped.
    m_symbolBoxes.clear();
    const QRect reach(QPoint(-kMarkerOffset.x() - kMarkerSymbolSide, -kMarkerOffset.y() - kMarkerSymbolSide),
                      picture + QSize(2 * kMarkerSymbolSide + 2 * std::abs(kMarkerOffset.x()),
                                      2 * kMarkerSymbolSide + 2 * std::abs(kMarkerOffset.y())));
    for (const auto &[key, note] : globals.notes.entries()) {
        if (note.marker == Marker::None)
            continue;
        const QPoint dot = dotPixel(drawing.chartView, picture, QPointF(key.x, key.y));
        if (!reach.contains(dot))
            continue;
        appendMarkerBoxes(m_symbolBoxes, note.marker, dot + kMarkerOffset);
        ++drawing.markers;
    }
    surface.FillBoxes(m_symbolBoxes);
}

void ExplorerRenderer::labelRings(Surface &surface, const ExplorerScene &scene,
                                  const ExplorerDrawing &drawing, ChartTextMetric &metric)
{
    if (!m_selectedCentre)
        return;
    const QSize picture = scene.view.picture;
    for (size_t i = 0; i < drawing.ringRadii.size(); ++i) {
        const QString label = conv::plainNumber(scene.rings[i]);
        const QRect box = ringLabelBox(*m_selectedCentre, drawing.ringRadii[i],
                                       QSize(metric.width(label), metric.height()), picture);
        if (!box.isEmpty())
            text(surface, box.topLeft(), label);
    }
}

void ExplorerRenderer::drawScaleBar(Surface &surface, const ScaleBar &bar, int textHeight)
{
    if (bar.bar.isEmpty())
        return;
    const QRect &b = bar.bar;
    box(surface, b, kWhite, FillSolid, false);
    box(surface, QRect(b.left(), b.bottom() + 1 - kTickHeight, 1, kTickHeight), kWhite, FillSolid,
        false);
    box(surface, QRect(b.right(), b.bottom() + 1 - kTickHeight, 1, kTickHeight), kWhite,
        FillSolid, false);
    text(surface, QPoint(b.left() + 4, b.bottom() + 1 - kTickHeight - textHeight), bar.text);
}

QRect ExplorerRenderer::scaleBarArea(const ScaleBar &bar, ChartTextMetric &metrics)
{
    if (bar.bar.isEmpty())
        return {};
    const int top = bar.bar.bottom() + 1 - kTickHeight - metrics.height();
    const int width = std::max(bar.bar.width(), 4 + metrics.width(bar.text));
    return {bar.bar.left(), top, width, bar.bar.bottom() + 1 - top};
}

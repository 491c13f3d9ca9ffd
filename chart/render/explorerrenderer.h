// Draws the chart explorer's picture: the chart as the chart window draws it, on a view of
// the picture's own size and one scale, with dots that grow as the view closes in; then the
// labels that fit (the selected planet's first) with a dark halo, the change marks, the
// scale bar and the legend. The selection's ring is the window's overlay. The
// window and `kavora --render --size` share it.
#pragma once

#include "changemark.h"
#include "chartfont.h"
#include "explorerview.h"
#include "labelplacer.h"
#include "records.h"
#include "surface.h"

#include <QLocale>
#include <QRect>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

struct ExplorerScene {
    ExplorerView view;
    LabelOptions labels; // the chart window's rules, combined by union
    int selected = -1; // index in Star_Table, -1 for none
    bool legend = false;
    // How many times larger the surface draws the picture (ImageSurface's scale): text is
    // measured at that size, so labels placed at it never collide.
    int scale = 1;
    // The legend's totals grouped by this locale (the window's); plain when unset.
    std::optional<QLocale> numbers;
    // Drawn beside their planets and explained in the legend, under the title of the
    // report whose changes they are; none when empty.
    std::vector<ChangeMark> changes;
    QString changesTitle;
};

// A round length in map units (1, 2 or 5 times a power of ten) close to a fifth of the
// picture's width, and how many pixels it takes.
struct ScaleBar {
    double mapUnits = 0;
    int pixels = 0;
    QRect bar;     // the white bar, in picture pixels; empty when the picture is too small
    QString text;  // "200 units"
};
ScaleBar scaleBarFor(const ExplorerView &view);

// What a redraw drew, for the window's pointer work and for tests.
struct ExplorerDrawing {
    ChartView chartView;
    std::vector<PlacedLabel> labels;
    ScaleBar scaleBar;
    QRect legend; // empty when not drawn
    // The selected planet's dot, where the window's ring goes; unset when none is selected.
    std::optional<QPoint> selectedDot;
};

// The explorer's status line: the map position under the pointer (whole parts, as the chart
// window's readout) and the selected planet's name, owner, population and starbase.
QString explorerStatus(const Globals &globals, std::optional<QPointF> pointerMap, int selected);

class ExplorerRenderer {
public:
    ExplorerRenderer();

    // Clears `surface` (whose picture is scene.view.picture) and draws the whole picture.
    // Throws RunError as the chart's drawing does; the picture is then incomplete.
    ExplorerDrawing draw(const Globals &globals, Surface &surface, const ExplorerScene &scene);
    // The planets or their populations changed: the label order is worked out again.
    void dataChanged() { m_order.clear(); }

    static constexpr int kMargin = 8;

private:
    void growDots(const Globals &globals, Surface &surface, int size);
    void drawScaleBar(Surface &surface, const ScaleBar &bar, int textHeight);
    // The pixels the bar and its text take.
    QRect scaleBarArea(const ScaleBar &bar, ChartTextMetric &metrics);

    ChartTextMetric &metrics(int scale);

    std::unique_ptr<ChartTextMetric> m_metrics; // at the scale last drawn
    std::vector<int> m_order; // label priority, built on first need after a change
    QString m_text;
};

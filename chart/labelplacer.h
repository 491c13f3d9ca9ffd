// Which planet labels the explorer draws: tried in priority order, each kept only where its
// box overlaps no label already kept and lies inside the picture. Pixels only; the drawing
// is the explorer renderer's.
#pragma once

#include "chartview.h"
#include "records.h"
#include "renderer.h"

#include <QRawFont>
#include <QRect>
#include <QSize>

#include <memory>
#include <span>
#include <vector>

// The explorer's label choice: the same rules as the chart window's check boxes, one at a time.
enum class LabelChoice { None, Starbases, Populated, All };
LabelOptions labelOptionsFor(LabelChoice choice);

// Text widths in the chart font, in pixels, as the surface lays a label out: glyph after
// glyph at their advances. Each character's advance is looked up once.
class LabelMetrics {
public:
    explicit LabelMetrics(const QRawFont &font);
    ~LabelMetrics();
    int width(QStringView text);
    int height() const { return m_height; }

private:
    int advance(QChar c);
    int slowWidth(QStringView text) const;

    QRawFont m_font;
    int m_height = 0;
    std::unique_ptr<int[]> m_advances; // per UTF-16 code unit; -1 unknown
};

// Which pixels placed labels cover, one bit per pixel, so a test costs a few word
// operations per row of the box whatever the number of labels already placed.
class OccupancyGrid {
public:
    explicit OccupancyGrid(QSize picture);
    bool isFree(const QRect &box) const; // box must lie inside the picture
    void occupy(const QRect &box);       // clipped to the picture

private:
    int m_width, m_height, m_stride;
    std::vector<quint64> m_bits;
};

struct PlacedLabel {
    int planet;   // index in Star_Table
    QRect box;    // picture pixels the label's text cell covers
    QString text;
};

// Planet indexes in label priority: owned starbase planets first, then larger population,
// then name, then table order.
std::vector<int> labelPriority(const Globals &globals);

// The labels to draw on a picture of `picture` pixels showing `view`: `selected` (if not
// -1) always, first, with every label text; then the planets that have a label under
// `labels`, in `order`, each where it fits. A label's box has its top-left corner on the
// pixel of the planet's dot. No label but the selected one overlaps `reserved` (what is
// drawn over the labels). Throws TypeMismatch for a coordinate that is not a number.
std::vector<PlacedLabel> placeLabels(const Globals &globals, std::span<const int> order,
                                     const ChartView &view, QSize picture,
                                     const LabelOptions &labels, int selected,
                                     LabelMetrics &metrics,
                                     std::span<const QRect> reserved = {});

// The pixel of a map point's dot on that picture, as the surface finds it.
QPoint dotPixel(const ChartView &view, QSize picture, QPointF map);

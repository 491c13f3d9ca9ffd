// Which planet labels the explorer draws: tried in priority order, each kept only where its
// box overlaps no label already kept and lies inside the picture. Pixels only; the drawing
// is the explorer renderer's.
#pragma once

#include "chartview.h"
#include "planetgeometry.h"
#include "records.h"

#include <QRect>
#include <QSize>

#include <span>
#include <vector>

// How wide a label's text is and how tall its line, in picture pixels. The chart font's
// metric implements it; the placer needs nothing else of the font.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual int width(QStringView text) = 0;
    virtual int height() const = 0;
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

// How far right of its dot's pixel a label starts, clear of a dot `dotSize` pixels wide
// (centred on that pixel, the extra pixel right and below): none for a one-pixel dot.
int labelShift(int dotSize);

// The labels to draw on a picture of `picture` pixels showing `view`: `selected` (if not
// -1) always, first, with every label text; then the planets that have a label under
// `labels`, in `order`, each where it fits. A label's box has its top-left corner on the
// row of the planet's dot, labelShift(dotSize) right of it. No label overlaps `reserved`
// (what is drawn over the labels): the selected one moves to the dot's left or above it
// to keep out, and stays where it would be only when no side is free.
// Throws TypeMismatch for a coordinate that is not a number.
std::vector<PlacedLabel> placeLabels(const Globals &globals, std::span<const int> order,
                                     const ChartView &view, QSize picture,
                                     const LabelOptions &labels, int selected,
                                     TextMeasure &metrics,
                                     std::span<const QRect> reserved = {}, int dotSize = 1);

#include "labelplacer.h"

#include <algorithm>
#include <cmath>

OccupancyGrid::OccupancyGrid(QSize picture)
    : m_width(std::max(picture.width(), 1)), m_height(std::max(picture.height(), 1)),
      m_stride((m_width + 63) / 64), m_bits(size_t(m_stride) * size_t(m_height), 0)
{
}

bool OccupancyGrid::isFree(const QRect &box) const
{
    const int first = box.left() >> 6;
    const int last = box.right() >> 6;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const quint64 *row = &m_bits[size_t(y) * size_t(m_stride)];
        for (int word = first; word <= last; ++word) {
            const int from = std::max(box.left(), word * 64) - word * 64;
            const int to = std::min(box.right(), word * 64 + 63) - word * 64;
            const quint64 mask = (~quint64(0) >> (63 - to)) & (~quint64(0) << from);
            if (row[word] & mask)
                return false;
        }
    }
    return true;
}

void OccupancyGrid::occupy(const QRect &pixels)
{
    const QRect box = pixels & QRect(0, 0, m_width, m_height);
    if (box.isEmpty())
        return;
    const int first = box.left() >> 6;
    const int last = box.right() >> 6;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        quint64 *row = &m_bits[size_t(y) * size_t(m_stride)];
        for (int word = first; word <= last; ++word) {
            const int from = std::max(box.left(), word * 64) - word * 64;
            const int to = std::min(box.right(), word * 64 + 63) - word * 64;
            row[word] |= (~quint64(0) >> (63 - to)) & (~quint64(0) << from);
        }
    }
}

std::vector<int> labelPriority(const Globals &globals)
{
    struct Key {
        bool starbase;
        double population;
        int index;
    };
    const int last = globals.lastPlanet();
    std::vector<Key> keys;
    keys.reserve(size_t(last + 1));
    for (int i = 0; i <= last; ++i) {
        const Star_Object &p = globals.Star_Table[size_t(i)];
        keys.push_back({!p.Owner.isEmpty() && !p.Starbase.isEmpty(), planetPopulation(p), i});
    }
    const Star_Table_Type &table = globals.Star_Table;
    std::sort(keys.begin(), keys.end(), [&table](const Key &a, const Key &b) {
        if (a.starbase != b.starbase)
            return a.starbase;
        if (a.population != b.population)
            return a.population > b.population;
        const int byName =
            table[size_t(a.index)].Star_Name.compare(table[size_t(b.index)].Star_Name);
        if (byName != 0)
            return byName < 0;
        return a.index < b.index;
    });
    std::vector<int> order;
    order.reserve(keys.size());
    for (const Key &k : keys)
        order.push_back(k.index);
    return order;
}

int labelShift(int dotSize)
{
    return dotSize > 1 ? dotSize / 2 + 1 : 0;
}

namespace {

// The selected planet's label: right of the dot and down as any label, else the first of
// left and down, right and up, left and up that keeps out of `reserved`, preferring a box
// inside the picture.
QRect selectedBox(QPoint at, QSize size, int shift, QRect inside, std::span<const QRect> reserved)
{
    const QRect sides[] = {
        QRect(QPoint(at.x() + shift, at.y()), size),
        QRect(QPoint(at.x() - shift - size.width(), at.y()), size),
        QRect(QPoint(at.x() + shift, at.y() - size.height()), size),
        QRect(QPoint(at.x() - shift - size.width(), at.y() - size.height()), size),
    };
    auto free = [&](const QRect &box) {
        return std::none_of(reserved.begin(), reserved.end(),
                            [&](const QRect &area) { return area.intersects(box); });
    };
    for (bool mustFit : {true, false}) {
        for (const QRect &box : sides) {
            if (free(box) && (!mustFit || inside.contains(box)))
                return box;
        }
    }
    return sides[0];
}

} // namespace

std::vector<PlacedLabel> placeLabels(const Globals &globals, std::span<const int> order,
                                     const ChartView &view, QSize picture,
                                     const LabelOptions &labels, int selected,
                                     TextMeasure &metrics, std::span<const QRect> reserved,
                                     int dotSize)
{
    std::vector<PlacedLabel> placed;
    OccupancyGrid grid(picture);
    const QRect inside(QPoint(0, 0), picture);
    const int height = metrics.height();
    const int shift = labelShift(dotSize);
    QString text;
    const int last = globals.lastPlanet();

    if (selected >= 0 && selected <= last) {
        const Star_Object &p = globals.Star_Table[size_t(selected)];
        planetLabel(p, LabelOptions{true, true, true}, text);
        const QPoint at = dotPixel(view, picture, planetPosition(p));
        const QRect box =
            selectedBox(at, QSize(metrics.width(text), height), shift, inside, reserved);
        grid.occupy(box);
        placed.push_back({selected, box, text});
    }
    if (!labels.all && !labels.populated && !labels.starbases)
        return placed;
    for (const QRect &area : reserved)
        grid.occupy(area);

    for (int index : order) {
        if (index == selected || index < 0 || index > last)
            continue;
        const Star_Object &p = globals.Star_Table[size_t(index)];
        // A dot outside the picture has a label that cannot lie inside it: skip it before
        // the text is made or measured.
        const QPoint at = dotPixel(view, picture, planetPosition(p));
        if (!inside.contains(at))
            continue;
        // In a crowded picture most labels fail at their first column already: test that
        // before the text is made and measured. A label holds its first column, so this
        // turns away only labels the whole test would (or ones without any width, which
        // show nothing).
        const QRect firstColumn(QPoint(at.x() + shift, at.y()), QSize(1, height));
        if (!inside.contains(firstColumn) || !grid.isFree(firstColumn))
            continue;
        if (!planetLabel(p, labels, text))
            continue;
        const QRect box(QPoint(at.x() + shift, at.y()), QSize(metrics.width(text), height));
        if (!inside.contains(box) || !grid.isFree(box))
            continue;
        grid.occupy(box);
        placed.push_back({index, box, text});
    }
    return placed;
}

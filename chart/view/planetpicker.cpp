#include "planetpicker.h"

#include "conversions.h"
#include "planetgeometry.h"
#include "runerror.h"

#include <QCoreApplication>
#include <QRect>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// The pixel the surface sets for a planet's dot; false for a planet without one (its
// coordinates are not numbers).
bool planetDot(const Star_Object &planet, const ChartView &view, QSize picture, QPoint &pixel)
{
    try {
        pixel = dotPixel(view, picture, planetPosition(planet));
    } catch (const RunError &) {
        return false;
    }
    return true;
}

} // namespace

void PlanetPicker::clear()
{
    m_picture = {};
    m_columns = m_rows = 0;
    m_cellStart.clear();
    m_dots.clear();
}

void PlanetPicker::rebuild(const Globals &globals, const ChartView &view, QSize picture)
{
    clear();
    m_picture = picture;
    // The grid covers the picture and a margin of the largest reach, so a pointer on the
    // edge still finds a dot just outside it.
    const int m = m_margin;
    m_columns = (picture.width() + 2 * m) / kCell + 1;
    m_rows = (picture.height() + 2 * m) / kCell + 1;
    const QRect covered(-m, -m, picture.width() + 2 * m, picture.height() + 2 * m);
    auto cellOf = [this, m](QPoint p) {
        return ((p.y() + m) / kCell) * m_columns + (p.x() + m) / kCell;
    };

    // Counting sort by cell: the dots of one cell lie together, in table order.
    std::vector<Dot> found;
    const int last = globals.lastPlanet();
    for (int i = 0; i <= last; ++i) {
        QPoint pixel;
        if (planetDot(globals.Star_Table[size_t(i)], view, picture, pixel) &&
            covered.contains(pixel))
            found.push_back({pixel, i});
    }
    m_cellStart.assign(size_t(m_columns * m_rows + 1), 0);
    for (const Dot &dot : found)
        ++m_cellStart[size_t(cellOf(dot.pixel) + 1)];
    for (size_t c = 1; c < m_cellStart.size(); ++c)
        m_cellStart[c] += m_cellStart[c - 1];
    m_dots.resize(found.size());
    std::vector<int> next(m_cellStart.begin(), m_cellStart.end() - 1);
    for (const Dot &dot : found)
        m_dots[size_t(next[size_t(cellOf(dot.pixel))]++)] = dot;
}

int PlanetPicker::nearest(QPointF pointer, int reach) const
{
    reach = std::clamp(reach, 0, m_margin);
    if (m_dots.empty() || !std::isfinite(pointer.x()) || !std::isfinite(pointer.y()))
        return -1;
    if (std::abs(pointer.x()) > (1 << 20) || std::abs(pointer.y()) > (1 << 20))
        return -1;
    const QPoint at(int(std::floor(pointer.x())), int(std::floor(pointer.y())));
    if (!QRect(QPoint(0, 0), m_picture).contains(at))
        return -1;
    // A dot within reach lies `reach` either side; cells are counted from -m_margin.
    const int firstColumn = std::max(0, (at.x() - reach + m_margin) / kCell);
    const int lastColumn = std::min(m_columns - 1, (at.x() + reach + m_margin) / kCell);
    const int firstRow = std::max(0, (at.y() - reach + m_margin) / kCell);
    const int lastRow = std::min(m_rows - 1, (at.y() + reach + m_margin) / kCell);

    int best = -1;
    int bestDistance = reach * reach + 1;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const int cell = row * m_columns + column;
            for (int d = m_cellStart[size_t(cell)]; d < m_cellStart[size_t(cell + 1)]; ++d) {
                const Dot &dot = m_dots[size_t(d)];
                const int dx = dot.pixel.x() - at.x();
                const int dy = dot.pixel.y() - at.y();
                const int distance = dx * dx + dy * dy;
                if (distance < bestDistance || (distance == bestDistance && dot.planet < best)) {
                    best = dot.planet;
                    bestDistance = distance;
                }
            }
        }
    }
    return best;
}

void PicturePicker::drawn(const ChartView &view, QSize picture)
{
    m_view = view;
    m_picture = picture;
    m_stale = true;
}

int PicturePicker::nearest(QPointF pointer, int reach)
{
    if (m_stale) {
        m_picker.rebuild(m_globals, m_view, m_picture);
        m_stale = false;
    }
    const int planet = m_picker.nearest(pointer, reach);
    return planet <= m_globals.lastPlanet() ? planet : -1;
}

QString PicturePicker::toolTipAt(QPointF pointer)
{
    const int planet = nearest(pointer);
    if (planet < 0)
        return {};
    const Star_Object &star = m_globals.Star_Table[size_t(planet)];
    return planetTooltip(star, m_globals.notes.find(star));
}

QString shortNote(const QString &note)
{
    const QString ellipsis(QChar(0x2026));
    QStringList lines = note.split(u'\n');
    bool cut = lines.size() > kTooltipNoteLines;
    if (cut)
        lines.resize(kTooltipNoteLines);
    for (QString &line : lines) {
        line.remove(u'\r');
        if (line.size() > kTooltipNoteWidth) {
            qsizetype keep = kTooltipNoteWidth;
            if (line[keep - 1].isHighSurrogate())
                --keep;
            line = line.left(keep) + ellipsis;
        }
    }
    if (cut)
        lines.last() += ellipsis;
    return lines.join(u'\n');
}

QString planetTooltip(const Star_Object &planet, const PlanetNote *note)
{
    auto orUnknown = [](const QString &text) {
        return text.trimmed().isEmpty() ? QCoreApplication::translate("PlanetPicker", "unknown")
                                        : text;
    };
    // Any starbase text, even a blank, is a starbase.
    const QString starbase =
        planet.Starbase.isEmpty()             ? QCoreApplication::translate("PlanetPicker", "none")
        : planet.Starbase.trimmed().isEmpty() ? QCoreApplication::translate("PlanetPicker", "yes")
                                              : planet.Starbase;
    QStringList lines{
        planet.Star_Name,
        QCoreApplication::translate("PlanetPicker", "Owner: ") +
            (planet.Owner.isEmpty() ? QCoreApplication::translate("PlanetPicker", "unowned")
                                    : planet.Owner),
        QCoreApplication::translate("PlanetPicker", "Population: ") +
            conv::groupedText(orUnknown(planet.population)),
        QCoreApplication::translate("PlanetPicker", "Starbase: ") + starbase,
        QCoreApplication::translate("PlanetPicker", "Report age: ") + orUnknown(planet.report_age),
        QCoreApplication::translate("PlanetPicker", "Coordinates: ") + planet.Star_X +
            QStringLiteral(", ") + planet.Star_Y,
    };
    if (note && note->marker != Marker::None)
        lines << QCoreApplication::translate("PlanetPicker", "Marker: ") +
                     markerTitle(note->marker);
    if (note && !note->text.isEmpty())
        lines << QCoreApplication::translate("PlanetPicker", "Note: ") + shortNote(note->text);
    return lines.join(u'\n');
}

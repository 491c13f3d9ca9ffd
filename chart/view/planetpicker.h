// Which planet dot lies under a pointer: the pixel positions of the dots of one drawn view,
// kept in a grid of small cells so that a lookup visits a few cells, not the whole table.
// Any chart widget can keep one; the tooltip text of a planet is here too.
#pragma once

#include "chartview.h"
#include "records.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

class PlanetPicker {
public:
    static constexpr int kReach = 4; // pixels from the pointer to a dot that still counts

    // `maxReach`: the farthest reach nearest() will be asked for.
    explicit PlanetPicker(int maxReach = kReach) : m_margin(maxReach) {}

    // The dots of `globals`' planets as drawn with `view` on a picture of `picture` pixels.
    // A planet whose coordinates are not numbers has no dot and is left out.
    void rebuild(const Globals &globals, const ChartView &view, QSize picture);
    void clear();

    // The planet (table index) whose dot is nearest to the pixel under `pointer`, within
    // `reach` pixels (at most the picker's largest reach); the lower index among equally
    // near ones; -1 for none and for a pointer off the picture.
    int nearest(QPointF pointer, int reach = kReach) const;

private:
    struct Dot {
        QPoint pixel;
        int planet;
    };
    static constexpr int kCell = 8;

    int m_margin; // the grid reaches this far beyond the picture
    QSize m_picture;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<int> m_cellStart; // dots of cell c are m_dots[m_cellStart[c] .. [c + 1])
    std::vector<Dot> m_dots;
};

// The picker of one chart picture, kept by its window: told of every redraw (and of every
// change of the planets), it indexes the dots again on the first lookup after it, so a
// burst of redraws costs no index at all.
class PicturePicker {
public:
    PicturePicker(const Globals &globals, int maxReach = PlanetPicker::kReach)
        : m_globals(globals), m_picker(maxReach)
    {
    }

    // The picture now shows `view` on `picture` pixels.
    void drawn(const ChartView &view, QSize picture);
    // The planets changed under the same picture.
    void planetsChanged() { m_stale = true; }

    // As PlanetPicker::nearest, on the dots of the picture last drawn.
    int nearest(QPointF pointer, int reach = PlanetPicker::kReach);
    // The tooltip of the planet under the pointer, empty for none.
    QString toolTipAt(QPointF pointer);

private:
    const Globals &m_globals;
    PlanetPicker m_picker;
    ChartView m_view{};
    QSize m_picture;
    bool m_stale = true;
};

// The planet's tooltip, one fact a line: name, owner or "unowned", population, starbase,
// report age and coordinates; then its marker and note, if it has them, a long note cut short.
QString planetTooltip(const Star_Object &planet, const PlanetNote *note = nullptr);
// A note as a tooltip shows it: at most kTooltipNoteLines lines of kTooltipNoteWidth
// characters, "…" where it was cut.
inline constexpr int kTooltipNoteLines = 6;
inline constexpr int kTooltipNoteWidth = 80;
QString shortNote(const QString &note);

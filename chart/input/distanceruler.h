// The distance ruler of both chart windows: a line of one or more legs, each end on the
// point where the right button went down or came up, or on the planet whose dot lies within
// reach of it. Its reading gives each leg, the total and, with a fleet speed, the turns.
// The ends are held in map units, so the ruler stays on its places while the view moves.
// It knows pixels and the window's mappings between pixels and map units, nothing of the
// window that shows it; it is an overlay, never in a saved picture.
#pragma once

#include "chartoverlay.h"
#include "planetpicker.h"

#include <QPointF>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QKeyEvent;
class QMouseEvent;

class DistanceRuler : public ChartOverlay {
public:
    using ToMap = std::function<QPointF(QPointF pixel)>;
    using ToPixel = std::function<QPointF(QPointF map)>;
    struct Planet {
        QString name;
        QPointF map;
    };
    // The planet an end at `pixel` snaps to, if any.
    using Snap = std::function<std::optional<Planet>(QPointF pixel)>;

    // An end this close to a planet's dot, in pixels, sits on the planet.
    static constexpr int kSnapReach = 12;
    // A left press and release this close together is a click, which takes the ruler away.
    static constexpr int kClickSlack = 3;

    DistanceRuler(ToMap toMap, ToPixel toPixel) : m_toMap(std::move(toMap)), m_toPixel(std::move(toPixel)) {}

    // Ends snap to the planets of `globals` as last drawn in `picker` (whose largest reach
    // must be kSnapReach or more).
    static Snap snapToPlanets(PicturePicker &picker, const Globals &globals);
    void setSnap(Snap snap) { m_snap = std::move(snap); }
    // Units per turn; 0 or less shows no turns.
    void setSpeed(double speed) { m_speed = speed; }
    double speed() const { return m_speed; }

    // A right press starts a new ruler (with Shift, while one is shown, a new leg from its
    // last end), moves with the button stretch the last leg, the release keeps it on screen
    // (a press and release in one place shows nothing). A left click or the next plain right
    // press takes it away. True when what the ruler shows changed.
    bool mouseEvent(const QMouseEvent &event);
    // Escape takes it away; true when that changed what shows.
    bool keyEvent(const QKeyEvent &event);

    void start(QPointF pixel);
    // A new end at `pixel`, the last leg from the end before it; a ruler not yet shown starts.
    void addLeg(QPointF pixel);
    void moveTo(QPointF pixel);
    // The button came up: the ruler stays, or goes if it never showed.
    void release();
    void clear();
    // Takes the ruler away, shown or being drawn; true when there was one.
    bool dismiss();

    // Shown once it has a leg: from the first move away from the press until clear().
    bool isShown() const { return m_ends.size() >= 2; }
    // The right button is held and moves the last end.
    bool isDragging() const { return m_dragging; }

    struct End {
        QPointF map;
        QString planet; // the planet it snapped to; empty for a free point
    };
    const std::vector<End> &ends() const { return m_ends; }
    int legs() const { return std::max(0, int(m_ends.size()) - 1); }
    // Length of leg `i` in map units, and of all legs together.
    double legLength(int i) const;
    double distance() const;
    // One line per leg, "Grabial to Touvouthim: 58.5" (a free end as its whole coordinates,
    // "1200 1100"), then "Total: 117.0" for more than one leg; with a speed the last line
    // ends ", 2 turns at 81".
    QString label() const;

    void paint(QPainter &painter) const override;

private:
    End endAt(QPointF pixel) const;

    ToMap m_toMap;
    ToPixel m_toPixel;
    Snap m_snap;
    double m_speed = 0;
    std::vector<End> m_ends;
    bool m_dragging = false;
    QPointF m_pressedAt;      // where the right button went down
    bool m_leftDown = false;
    QPointF m_leftPressedAt;
};

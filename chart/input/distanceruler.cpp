#include "distanceruler.h"

#include "conversions.h"
#include "distances.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QStringList>

#include <cmath>

namespace {

QString wholePosition(QPointF map)
{
    return conv::plainNumber(conv::floorWhole(float(map.x()))) + u' ' +
           conv::plainNumber(conv::floorWhole(float(map.y())));
}

QString endText(const DistanceRuler::End &end)
{
    return end.planet.isEmpty() ? wholePosition(end.map) : end.planet;
}

} // namespace

DistanceRuler::Snap DistanceRuler::snapToPlanets(PicturePicker &picker, const Globals &globals)
{
    return [&picker, &globals](QPointF pixel) -> std::optional<Planet> {
        const int index = picker.nearest(pixel, kSnapReach);
        if (index < 0 || index > globals.lastPlanet())
            return std::nullopt;
        const Star_Object &planet = globals.Star_Table[size_t(index)];
        const std::optional<QPointF> place = planetPlace(planet);
        if (!place)
            return std::nullopt;
        return Planet{planet.Star_Name, *place};
    };
}

DistanceRuler::End DistanceRuler::endAt(QPointF pixel) const
{
    if (m_snap) {
        if (const std::optional<Planet> planet = m_snap(pixel))
            return {planet->map, planet->name};
    }
    return {m_toMap(pixel), {}};
}

bool DistanceRuler::mouseEvent(const QMouseEvent &event)
{
    const QPointF at = event.position();
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (event.button() == Qt::LeftButton) {
            m_leftDown = true;
            m_leftPressedAt = at;
            return false;
        }
        if (event.button() != Qt::RightButton)
            return false;
        if ((event.modifiers() & Qt::ShiftModifier) && isShown() && !m_dragging) {
            const size_t before = m_ends.size();
            addLeg(at);
            return m_ends.size() != before;
        } else {
            // Nothing shows until the pointer moves, but a ruler left over goes.
            const bool shown = isShown();
            start(at);
            return shown;
        }
    case QEvent::MouseMove:
        if (!m_dragging)
            return false;
        if (!(event.buttons() & Qt::RightButton)) {
            // The release went elsewhere: the ruler stays as it was last seen.
            release();
            return !isShown();
        }
        if (m_ends.size() == 1 && at == m_pressedAt)
            return false;
        {
            const size_t count = m_ends.size();
            const End before = m_ends.back();
            moveTo(at);
            return m_ends.size() != count || m_ends.back().map != before.map ||
                   m_ends.back().planet != before.planet;
        }
    case QEvent::MouseButtonRelease:
        if (event.button() == Qt::LeftButton) {
            const bool click = m_leftDown && (at - m_leftPressedAt).manhattanLength() <= kClickSlack;
            m_leftDown = false;
            if (click && isShown() && !m_dragging) {
                clear();
                return true;
            }
            return false;
        }
        if (event.button() == Qt::RightButton && m_dragging)
            release();
        return false;
    default:
        return false;
    }
}

bool DistanceRuler::keyEvent(const QKeyEvent &event)
{
    if (event.key() != Qt::Key_Escape || (!isShown() && !m_dragging))
        return false;
    const bool shown = isShown();
    clear();
    return shown;
}

void DistanceRuler::start(QPointF pixel)
{
    m_ends = {endAt(pixel)};
    m_dragging = true;
    m_pressedAt = pixel;
}

void DistanceRuler::addLeg(QPointF pixel)
{
    if (m_ends.empty()) {
        start(pixel);
        return;
    }
    const End end = endAt(pixel);
    // A second press in the same place adds no leg of no length.
    if (m_ends.size() < 2 || end.map != m_ends.back().map)
        m_ends.push_back(end);
    m_dragging = true;
    m_pressedAt = pixel;
}

void DistanceRuler::moveTo(QPointF pixel)
{
    if (m_ends.empty())
        return;
    if (m_ends.size() == 1)
        m_ends.push_back(endAt(pixel));
    else
        m_ends.back() = endAt(pixel);
}

void DistanceRuler::release()
{
    m_dragging = false;
    if (!isShown())
        m_ends.clear();
}

void DistanceRuler::clear()
{
    m_ends.clear();
    m_dragging = false;
}

bool DistanceRuler::dismiss()
{
    const bool active = isShown() || m_dragging;
    clear();
    return active;
}

double DistanceRuler::legLength(int i) const
{
    if (i < 0 || i + 1 >= int(m_ends.size()))
        return 0;
    return mapDistance(m_ends[size_t(i)].map, m_ends[size_t(i) + 1].map);
}

double DistanceRuler::distance() const
{
    double total = 0;
    for (int i = 0; i < legs(); ++i)
        total += legLength(i);
    return total;
}

QString DistanceRuler::label() const
{
    QStringList lines;
    for (int i = 0; i < legs(); ++i)
        lines << QCoreApplication::translate("DistanceRuler", "%1 to %2: %3")
                     .arg(endText(m_ends[size_t(i)]), endText(m_ends[size_t(i) + 1]),
                          distanceText(legLength(i)));
    if (legs() > 1)
        lines << QCoreApplication::translate("DistanceRuler", "Total: ") + distanceText(distance());
    if (!lines.isEmpty() && m_speed > 0)
        lines.last() += QStringLiteral(", ") + turnsText(distance(), m_speed);
    return lines.join(u'\n');
}

void DistanceRuler::paint(QPainter &painter) const
{
    if (!isShown())
        return;
    QPolygonF line;
    for (const End &end : m_ends)
        line << m_toPixel(end.map);
    painter.save();
    // A dark edge keeps the line readable over white dots and light zones alike.
    painter.setPen(QPen(Qt::black, 3));
    painter.drawPolyline(line);
    painter.setPen(QPen(Qt::yellow, 1));
    painter.drawPolyline(line);
    // A small ring where an end sits on a planet.
    painter.setBrush(Qt::NoBrush);
    for (size_t i = 0; i < m_ends.size(); ++i) {
        if (!m_ends[i].planet.isEmpty())
            painter.drawEllipse(line[qsizetype(i)], 4, 4);
    }

    const QString text = label();
    const QPointF last = line.last();
    const QFontMetrics metrics(painter.font());
    const QRect textSize =
        metrics.boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignLeft | Qt::AlignTop, text);
    const QRect widget = painter.window();
    // Beside the last end, moved back inside the widget where it would leave it.
    QRect box(last.toPoint() + QPoint(10, 10), textSize.size() + QSize(8, 4));
    if (box.right() > widget.right())
        box.moveRight(int(last.x()) - 10);
    if (box.bottom() > widget.bottom())
        box.moveBottom(int(last.y()) - 10);
    box.moveLeft(std::max(box.left(), widget.left()));
    box.moveTop(std::max(box.top(), widget.top()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 200));
    painter.drawRect(box);
    painter.setPen(Qt::yellow);
    painter.drawText(box.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop, text);
    painter.restore();
}

#include "starfield.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace {

// A small generator of our own, so that the picture is the same on every system.
class Sky {
public:
    explicit Sky(quint32 seed) : m_state(seed ? seed : 1) {}
    int next(int bound)
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return int(m_state % quint32(bound));
    }

private:
    quint32 m_state;
};

struct Zone {
    QColor colour;
    Qt::BrushStyle hatch;
};

} // namespace

QPixmap starfield(QSize size, QRect zoneArea, quint32 seed)
{
    QPixmap picture(size);
    QPainter painter(&picture);

    QLinearGradient deep(0, 0, 0, size.height());
    deep.setColorAt(0, QColor(2, 4, 22));
    deep.setColorAt(1, QColor(18, 8, 40));
    painter.fillRect(picture.rect(), deep);

    Sky sky(seed);
    const int area = size.width() * size.height();

    // A few owned planets in their zones, as the chart shows them.
    const Zone zones[] = {{QColor(0, 0, 255), Qt::BDiagPattern},
                          {QColor(0, 255, 0), Qt::BDiagPattern},
                          {QColor(255, 128, 128), Qt::FDiagPattern}};
    for (const Zone &zone : zones) {
        const int side = std::min({10 + sky.next(14), zoneArea.width(), zoneArea.height()});
        const QRect square(zoneArea.left() + sky.next(zoneArea.width() - side + 1),
                           zoneArea.top() + sky.next(zoneArea.height() - side + 1), side, side);
        const QPoint centre = square.center();
        painter.fillRect(square, QBrush(zone.colour, zone.hatch));
        painter.setPen(zone.colour);
        painter.drawRect(square);
        painter.fillRect(QRect(centre, QSize(2, 2)), Qt::white);
    }

    for (int i = 0, stars = area / 250; i < stars; ++i) {
        const int shade = 90 + sky.next(166);
        const QPoint at(sky.next(size.width()), sky.next(size.height()));
        if (sky.next(12) == 0) {
            // A brighter star with a small cross of light.
            painter.setPen(QColor(shade, shade, 255, 160));
            painter.drawLine(at - QPoint(2, 0), at + QPoint(2, 0));
            painter.drawLine(at - QPoint(0, 2), at + QPoint(0, 2));
        }
        painter.setPen(QColor(shade, shade, std::min(255, shade + 30)));
        painter.drawPoint(at);
    }
    return picture;
}

#include "paintersurface.h"

#include "chartfont.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPeriod = 8; // hatches repeat every 8 picture pixels both ways

QColor colourOf(PackedColor color)
{
    return QColor::fromRgb(rgbFromPacked(color));
}

// A device position as a pixel index, kept far inside int.
int pixelIndex(double position)
{
    constexpr double kFar = 1 << 30;
    if (std::isnan(position))
        return -(1 << 30);
    return static_cast<int>(std::floor(std::clamp(position, -kFar, kFar)));
}

// The hatch lines of `style` inside `box`, through the centres of the pixels hatchSets()
// sets: rows y = 8k, columns x = 8k, and the diagonals x + y = 8k ("/") and x - y = 8k
// ("\"), whose pixel centres lie on x + y = 8k + 1 and x - y = 8k.
QPainterPath hatchLines(qint16 style, const QRectF &box)
{
    const bool rows = style == FillHorizontal || style == FillCross;
    const bool columns = style == FillVertical || style == FillCross;
    const bool upward = style == FillUpwardDiagonal || style == FillDiagonalCross;
    const bool downward = style == FillDownwardDiagonal || style == FillDiagonalCross;
    const double l = box.left(), r = box.right(), t = box.top(), b = box.bottom();
    QPainterPath path;
    // A pixel is inside when its centre is: from the near edge on, the far edge excluded.
    auto firstCentre = [](double from) { return std::ceil((from - 0.5) / kPeriod) * kPeriod + 0.5; };
    if (rows) {
        for (double y = firstCentre(t); y < b; y += kPeriod) {
            path.moveTo(l, y);
            path.lineTo(r, y);
        }
    }
    if (columns) {
        for (double x = firstCentre(l); x < r; x += kPeriod) {
            path.moveTo(x, t);
            path.lineTo(x, b);
        }
    }
    if (upward) {
        for (double c = std::ceil((l + t - 1) / kPeriod) * kPeriod + 1; c < r + b; c += kPeriod) {
            const double from = std::max(l, c - b), to = std::min(r, c - t);
            if (from < to) {
                path.moveTo(from, c - from);
                path.lineTo(to, c - to);
            }
        }
    }
    if (downward) {
        for (double c = std::ceil((l - b) / kPeriod) * kPeriod; c < r - t; c += kPeriod) {
            const double from = std::max(l, t + c), to = std::min(r, b + c);
            if (from < to) {
                path.moveTo(from, from - c);
                path.lineTo(to, to - c);
            }
        }
    }
    return path;
}

} // namespace

PainterSurface::PainterSurface(QPainter &painter, QSize picture)
    : m_painter(painter), m_picture(picture), m_font(chartFontFamily())
{
    m_font.setPixelSize(10);
    m_font.setKerning(false);
    // One glyph per letter, as the bitmap draws them: a ligature ("fi" as one glyph) would
    // make a PDF's "Mufia" read back, and be searched for, as another word.
    m_font.setStyleStrategy(QFont::PreferNoShaping);
    // The glyphs stay outlines; hinting only gives them the whole-pixel advances the
    // bitmap has, so a PDF's text is as wide as the boxes the labels were placed in (an
    // SVG viewer lays its text out itself).
    m_font.setHintingPreference(QFont::PreferFullHinting);
    // The line and the cell's ascent of the raster's font, so text lines fall on the same
    // rows as in the bitmap.
    const QRawFont raster = chartFont();
    m_ascent = static_cast<int>(std::ceil(raster.ascent()));
    m_lineHeight = m_ascent + static_cast<int>(std::ceil(raster.descent()));
    m_white.setFillRule(Qt::WindingFill); // two points on one pixel stay one square
    m_hatchPen.setCapStyle(Qt::FlatCap);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setFont(m_font);
}

PainterSurface::~PainterSurface()
{
    if (m_painter.isActive())
        finish();
}

void PainterSurface::finish()
{
    if (m_white.isEmpty())
        return;
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(m_whiteBrush);
    m_painter.drawPath(m_white);
    m_white = QPainterPath();
    m_white.setFillRule(Qt::WindingFill);
}

const QImage &PainterSurface::Image() const
{
    static const QImage none;
    return none;
}

void PainterSurface::fill(const QRectF &area, const QBrush &brush)
{
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(brush);
    m_painter.drawRect(area);
}

void PainterSurface::Cls()
{
    // Whatever was gathered lies under the new background.
    m_white = QPainterPath();
    m_white.setFillRule(Qt::WindingFill);
    fill(QRectF(QPointF(0, 0), m_picture), QBrush(colourOf(m_backColor)));
    m_currentX = 0;
    m_currentY = 0;
}

void PainterSurface::BackColor(PackedColor color)
{
    m_backColor = color;
    Cls();
}

void PainterSurface::Scale(double x1, double y1, double x2, double y2)
{
    checkScaleWindow(x1, y1, x2, y2);
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
}

QPoint PainterSurface::pixelAt(double x, double y) const
{
    return {pixelIndex(userToDevice(x, m_x1, m_x2, m_picture.width())),
            pixelIndex(userToDevice(y, m_y1, m_y2, m_picture.height()))};
}

void PainterSurface::FillColor(PackedColor color)
{
    if (color == m_fillColor && m_fillBrush.style() != Qt::NoBrush)
        return;
    m_fillColor = color;
    m_fillBrush = QBrush(colourOf(color));
    m_hatchPen.setColor(colourOf(color));
}

void PainterSurface::Line(double x, double y, double w, double h)
{
    const double ax = userToDevice(x, m_x1, m_x2, m_picture.width());
    const double bx = userToDevice(x + w, m_x1, m_x2, m_picture.width());
    const double ay = userToDevice(y, m_y1, m_y2, m_picture.height());
    const double by = userToDevice(y + h, m_y1, m_y2, m_picture.height());
    const QRectF whole(QPointF(std::min(ax, bx), std::min(ay, by)),
                       QPointF(std::max(ax, bx), std::max(ay, by)));
    const QRectF box = whole & QRectF(QPointF(0, 0), m_picture);
    if (!(box.width() > 0 && box.height() > 0))
        return;
    finish();
    if (m_fillBrush.style() == Qt::NoBrush)
        FillColor(m_fillColor);
    if (m_fillStyle == FillSolid) {
        fill(box, m_fillBrush);
    } else if (m_fillStyle >= FillHorizontal && m_fillStyle <= FillDiagonalCross) {
        const QPainterPath lines = hatchLines(m_fillStyle, box);
        if (!lines.isEmpty()) {
            // A diagonal of the raster is one pixel a row: as much ink as a line 1/√2 wide.
            const bool diagonal = m_fillStyle == FillUpwardDiagonal ||
                                  m_fillStyle == FillDownwardDiagonal ||
                                  m_fillStyle == FillDiagonalCross;
            m_hatchPen.setWidthF(diagonal ? M_SQRT1_2 : 1.0);
            m_painter.setPen(m_hatchPen);
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawPath(lines);
        }
    }
    if (m_drawStyle != DrawInvisible) {
        const double pen = m_drawWidth;
        if (whole.width() <= 2 * pen || whole.height() <= 2 * pen) {
            fill(box, m_whiteBrush);
        } else {
            QPen outline(Qt::white, pen);
            outline.setJoinStyle(Qt::MiterJoin);
            m_painter.setPen(outline);
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawRect(whole.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
        }
    }
}

void PainterSurface::FillBoxes(std::span<const FilledBox> boxes)
{
    if (boxes.empty())
        return;
    if (m_zonePixels.size() != m_picture)
        m_zonePixels = QImage(m_picture, QImage::Format_RGB32);
    m_pixelBoxes.clear();
    for (const FilledBox &box : boxes) {
        // The pixels whose centres lie inside, as the bitmap paints them.
        const double ax = userToDevice(box.x, m_x1, m_x2, m_picture.width());
        const double bx = userToDevice(box.x + box.w, m_x1, m_x2, m_picture.width());
        const double ay = userToDevice(box.y, m_y1, m_y2, m_picture.height());
        const double by = userToDevice(box.y + box.h, m_y1, m_y2, m_picture.height());
        auto centre = [](double v) { return pixelIndex(std::ceil(v - 0.5)); };
        const QRect pixels(QPoint(centre(std::min(ax, bx)), centre(std::min(ay, by))),
                           QPoint(centre(std::max(ax, bx)) - 1, centre(std::max(ay, by)) - 1));
        m_pixelBoxes.push_back({pixels, rgbFromPacked(box.color), box.style});
    }
    m_zoneFill.paint(m_zonePixels, m_pixelBoxes, 1, &m_shown);
    DrawStyle(DrawInvisible);
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (!m_shown[i])
            continue;
        FillColor(boxes[i].color);
        FillStyle(boxes[i].style);
        Line(boxes[i].x, boxes[i].y, boxes[i].w, boxes[i].h);
    }
    FillColor(boxes.back().color);
    FillStyle(boxes.back().style);
}

void PainterSurface::PSet(double x, double y, PackedColor color)
{
    const QPoint centre = pixelAt(x, y);
    const int before = (m_drawWidth - 1) / 2;
    const QRect square(centre.x() - before, centre.y() - before, m_drawWidth, m_drawWidth);
    m_currentX = x;
    m_currentY = y;
    if (!square.intersects(QRect(QPoint(0, 0), m_picture)))
        return;
    if (color == kWhite) {
        m_white.addRect(square);
    } else {
        finish();
        fill(square, QBrush(colourOf(color)));
    }
}

void PainterSurface::Print(const QString &text)
{
    const QPoint corner = pixelAt(m_currentX, m_currentY);
    m_currentX = m_x1;
    m_currentY += m_lineHeight * (m_y2 - m_y1) / m_picture.height();
    if (corner.x() >= m_picture.width() || corner.y() >= m_picture.height() ||
        corner.y() + m_lineHeight <= 0 || text.isEmpty())
        return;
    if (corner.x() < 0 && corner.x() + QFontMetrics(m_font).horizontalAdvance(text) <= 0)
        return;
    const QPointF baseline(corner.x(), corner.y() + m_ascent);
    if (m_haloOn) {
        // The bitmap's halo is every pixel within one of the glyphs: here, an outline of
        // the glyphs one pixel wide on each side, under them.
        QPainterPath outline;
        outline.addText(baseline, m_font, text);
        m_painter.strokePath(outline, m_haloPen);
    }
    m_painter.setPen(m_textPen);
    m_painter.drawText(baseline, text);
}

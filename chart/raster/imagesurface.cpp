#include "imagesurface.h"

#include "clip.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr QRgb kForeground = rgbFromPacked(kWhite);
constexpr QRgb kHalo = rgbFromPacked(0);
constexpr size_t kLabelGlyphs = 128;

// A device position as a pixel index, kept far inside int so that absurd coordinates
// (a point a million screens away) clip instead of overflowing.
int pixelIndex(double position)
{
    constexpr double kFar = 1 << 30;
    if (std::isnan(position))
        return -1;
    return static_cast<int>(std::floor(std::clamp(position, -kFar, kFar)));
}

// First pixel whose centre is at or after `position`, clamped to 0..limit.
int firstCentreFrom(double position, int limit)
{
    const double index = std::ceil(position - 0.5);
    if (!(index > 0))
        return 0; // also NaN
    return index >= limit ? limit : static_cast<int>(index);
}

} // namespace

namespace {

int lineHeightOf(const QRawFont &font)
{
    return static_cast<int>(std::ceil(font.ascent())) + static_cast<int>(std::ceil(font.descent()));
}

// Draws `text` in `font` as QPainter draws one glyph run (monochrome, glyph after glyph at
// their advances) and calls ink(x, y) for each pixel it paints, relative to the pen's
// start on the baseline. `margin` is room enough for glyphs that reach beyond their cell.
template <typename Ink>
void forEachInkPixel(const QRawFont &font, const QString &text, int margin, Ink &&ink)
{
    const size_t length = static_cast<size_t>(text.size());
    std::vector<quint32> glyphs(length);
    std::vector<QPointF> advances(length);
    int count = static_cast<int>(length); // fewer when surrogate pairs make one glyph
    if (!font.glyphIndexesForChars(text.constData(), count, glyphs.data(), &count) ||
        !font.advancesForGlyphIndexes(glyphs.data(), advances.data(), count,
                                      QRawFont::SeparateAdvances))
        return;
    std::vector<QPointF> positions(static_cast<size_t>(count));
    qreal width = 0;
    for (int i = 0; i < count; ++i) {
        positions[size_t(i)] = QPointF(width, 0);
        width += advances[size_t(i)].x();
    }
    QImage cell(int(std::ceil(width)) + 2 * margin, 3 * margin, QImage::Format_RGB32);
    cell.fill(Qt::black);
    {
        QPainter painter(&cell);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
        painter.setPen(QColor::fromRgb(kForeground));
        QGlyphRun run;
        run.setRawFont(font);
        run.setRawData(glyphs.data(), positions.data(), count);
        painter.drawGlyphRun(QPointF(margin, margin), run);
    }
    for (int y = 0; y < cell.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(cell.constScanLine(y));
        for (int x = 0; x < cell.width(); ++x) {
            if (line[x] == kForeground)
                ink(x - margin, y - margin);
        }
    }
}

// From this size on, the zones wait for the white drawn over them (see FillBoxes).
constexpr qsizetype kDeferZonesBytes = qsizetype(4) << 20;

} // namespace

ImageSurface::ImageSurface(QSize picture, int scale)
    : m_image(picture * std::clamp(scale, 1, kMaxDrawScale), QImage::Format_RGB32),
      m_font(chartFont(std::clamp(scale, 1, kMaxDrawScale))),
      m_white(m_font, m_image.width(), m_image.height()), m_picture(picture),
      m_scale(std::clamp(scale, 1, kMaxDrawScale)), m_deviceWidth(m_image.width()),
      m_deviceHeight(m_image.height())
{
    m_ascent = static_cast<int>(std::ceil(m_font.ascent()));
    // The current point moves by the scale-1 line, so text lines fall on the same picture
    // rows at every scale.
    m_lineHeight = m_scale == 1 ? lineHeightOf(m_font) : lineHeightOf(chartFont());
    m_glyphRun.setRawFont(m_font);
    m_glyphs.resize(kLabelGlyphs);
    m_advances.resize(kLabelGlyphs);
    m_positions.resize(kLabelGlyphs);
    m_pendingFill = m_backColor;
}

ImageSurface::~ImageSurface()
{
    if (m_painter.isActive())
        m_painter.end();
}

void ImageSurface::flushFill() const
{
    if (m_pendingFill) {
        m_image.fill(*m_pendingFill);
        m_pendingFill.reset();
    }
}

void ImageSurface::settle() const
{
    flushFill();
    if (m_painter.isActive())
        m_painter.end();
    if (m_zonesPending) {
        paintZones(true);
        return;
    }
    // A halo goes under the dots gathered with it, so that no planet vanishes beside a label.
    const bool halo = m_haloText && !m_haloText->isEmpty();
    if (halo)
        m_haloText->paintHalo(m_image, kHalo, m_scale);
    if (!m_white.isEmpty())
        m_white.paint(m_image, kForeground);
    if (halo)
        m_haloText->paint(m_image, kForeground);
}

void ImageSurface::paintZones(bool whiteOver) const
{
    WhiteLayer *under = m_whiteUnder && !m_whiteUnder->isEmpty() ? m_whiteUnder.get() : nullptr;
    WhiteLayer *halo =
        whiteOver && m_haloText && !m_haloText->isEmpty() ? m_haloText.get() : nullptr;
    if (halo)
        halo->spreadHalo(m_scale);
    // In the order settle() paints them, each band's rows as soon as its boxes are in.
    m_zoneFill.paint(m_image, m_pixelBoxes, m_scale, nullptr, m_zoneBackground,
                     [&](int top, int bottom) {
                         if (under)
                             under->paintRows(m_image, kForeground, &m_zoneFill, top, bottom);
                         if (!whiteOver)
                             return;
                         if (halo)
                             halo->paintHaloRows(m_image, kHalo, m_scale, top, bottom);
                         m_white.paintRows(m_image, kForeground, nullptr, top, bottom);
                         if (halo)
                             halo->paintRows(m_image, kForeground, nullptr, top, bottom);
                     });
    if (under)
        under->finishRows();
    if (whiteOver)
        m_white.finishRows();
    if (halo)
        halo->finishRows();
    m_zonesPending = false;
}

void ImageSurface::discard()
{
    if (m_painter.isActive())
        m_painter.end();
    m_zonesPending = false;
    if (m_whiteUnder)
        m_whiteUnder->clear();
    m_white.clear();
    if (m_haloText)
        m_haloText->clear();
}

WhiteLayer &ImageSurface::haloLayer()
{
    if (!m_haloText)
        m_haloText = std::make_unique<WhiteLayer>(m_font, m_image.width(), m_image.height());
    return *m_haloText;
}

void ImageSurface::Cls()
{
    discard();
    m_pendingFill = m_backColor;
    m_currentX = 0;
    m_currentY = 0;
}

void ImageSurface::BackColor(PackedColor color)
{
    m_backColor = rgbFromPacked(color);
    discard();
    m_pendingFill = m_backColor;
}

void ImageSurface::Scale(double x1, double y1, double x2, double y2)
{
    checkScaleWindow(x1, y1, x2, y2);
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
}

QPoint ImageSurface::pixelAt(double x, double y) const
{
    return {pixelIndex(userToDevice(x, m_x1, m_x2, m_picture.width())),
            pixelIndex(userToDevice(y, m_y1, m_y2, m_picture.height()))};
}

QRect ImageSurface::devicePixels(const QRect &picturePixels) const
{
    // Kept within int: a point far outside the picture stays far outside.
    constexpr int kFar = 1 << 27;
    const QRect r = intersection(picturePixels, QRect(-kFar, -kFar, 2 * kFar, 2 * kFar));
    if (r.isEmpty())
        return {};
    return {r.x() * m_scale, r.y() * m_scale, r.width() * m_scale, r.height() * m_scale};
}

QRect ImageSurface::boxPixels(double x, double y, double w, double h) const
{
    const double ax = userToDevice(x, m_x1, m_x2, m_deviceWidth);
    const double bx = userToDevice(x + w, m_x1, m_x2, m_deviceWidth);
    const double ay = userToDevice(y, m_y1, m_y2, m_deviceHeight);
    const double by = userToDevice(y + h, m_y1, m_y2, m_deviceHeight);
    const int left = firstCentreFrom(std::min(ax, bx), m_deviceWidth);
    const int right = firstCentreFrom(std::max(ax, bx), m_deviceWidth);
    const int top = firstCentreFrom(std::min(ay, by), m_deviceHeight);
    const int bottom = firstCentreFrom(std::max(ay, by), m_deviceHeight);
    if (right <= left || bottom <= top)
        return {};
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void ImageSurface::paintPixels(const QRect &pixels, QRgb colour)
{
    const QRect clipped = intersection(pixels, m_image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        std::fill(row(y) + clipped.left(), row(y) + clipped.right() + 1, colour);
}

void ImageSurface::Line(double x, double y, double w, double h)
{
    const QRect box = boxPixels(x, y, w, h);
    if (box.isEmpty())
        return;
    settle();
    if (m_fillStyle == FillSolid) {
        paintPixels(box, m_fillColor);
    } else if (m_fillStyle != FillTransparent) {
        for (int py = box.top(); py <= box.bottom(); ++py) {
            QRgb *line = row(py);
            for (int px = box.left(); px <= box.right(); ++px) {
                if (hatchSets(m_fillStyle, px / m_scale, py / m_scale))
                    line[px] = m_fillColor;
            }
        }
    }
    if (m_drawStyle != DrawInvisible) {
        const int w1 = m_drawWidth * m_scale - 1;
        paintPixels(QRect(box.topLeft(), QPoint(box.right(), box.top() + w1)), kForeground);
        paintPixels(QRect(QPoint(box.left(), box.bottom() - w1), box.bottomRight()), kForeground);
        paintPixels(QRect(box.topLeft(), QPoint(box.left() + w1, box.bottom())), kForeground);
        paintPixels(QRect(QPoint(box.right() - w1, box.top()), box.bottomRight()), kForeground);
    }
}

void ImageSurface::PSet(double x, double y, PackedColor color)
{
    const QPoint centre = pixelAt(x, y);
    if (m_drawWidth == 1 && m_scale == 1 && rgbFromPacked(color) == kForeground) {
        m_white.addPixel(centre.x(), centre.y()); // a dot, as nearly every point is
        m_currentX = x;
        m_currentY = y;
        return;
    }
    const int before = (m_drawWidth - 1) / 2;
    const QRect square =
        devicePixels(QRect(centre.x() - before, centre.y() - before, m_drawWidth, m_drawWidth));
    if (rgbFromPacked(color) == kForeground) {
        m_white.addPixels(square);
    } else {
        settle();
        paintPixels(square, rgbFromPacked(color));
    }
    m_currentX = x;
    m_currentY = y;
}

void ImageSurface::Print(const QString &text)
{
    const QPoint corner = pixelAt(m_currentX, m_currentY);
    // Text that starts well right of or below the picture cannot reach into it. Just
    // outside it can: a "J" or a combining accent reaches left of its cell, a "Ǘ" above it.
    // A line height is more than any glyph reaches back.
    if (corner.x() < m_picture.width() + m_lineHeight &&
        corner.y() < m_picture.height() + m_lineHeight && corner.x() > -(1 << 20) &&
        corner.y() > -(1 << 20)) {
        if (m_scale > 1 && text == u"+") {
            drawEnlargedMark(corner, text);
        } else {
            const QPoint baseline(corner.x() * m_scale, corner.y() * m_scale + m_ascent);
            if (m_haloOn) {
                WhiteLayer &layer = haloLayer();
                if (!layer.addText(baseline, text))
                    gatherText(layer, baseline, text);
            } else if (!m_white.addText(baseline, text)) {
                drawText(baseline, text);
            }
        }
    }
    m_currentX = m_x1;
    m_currentY += m_lineHeight * (m_y2 - m_y1) / m_picture.height();
}

// The mark drawn in the scale-1 font, each of its pixels becoming a block.
void ImageSurface::drawEnlargedMark(QPoint corner, const QString &text)
{
    const QRawFont font = chartFont();
    const int ascent = static_cast<int>(std::ceil(font.ascent()));
    forEachInkPixel(font, text, 2 * lineHeightOf(font), [&](int x, int y) {
        m_white.addPixels(devicePixels(QRect(corner.x() + x, corner.y() + ascent + y, 1, 1)));
    });
}

void ImageSurface::drawText(QPoint baseline, const QString &text)
{
    if (!m_painter.isActive()) {
        if (m_zonesPending)
            paintZones(false); // the zones go under the text, the white gathered over them
        flushFill();           // and so does the picture's fill
        m_painter.begin(&m_image);
        m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
        m_painter.setPen(QColor::fromRgb(kForeground));
    }
    const size_t length = static_cast<size_t>(text.size());
    if (length > m_glyphs.size()) {
        m_glyphs.resize(length);
        m_advances.resize(length);
        m_positions.resize(length);
    }
    int count = static_cast<int>(length); // fewer when surrogate pairs make one glyph
    if (!m_font.glyphIndexesForChars(text.constData(), count, m_glyphs.data(), &count) ||
        !m_font.advancesForGlyphIndexes(m_glyphs.data(), m_advances.data(), count,
                                        QRawFont::SeparateAdvances))
        return;
    qreal x = 0;
    for (int i = 0; i < count; ++i) {
        m_positions[i] = QPointF(x, 0);
        x += m_advances[i].x();
    }
    m_glyphRun.setRawData(m_glyphs.data(), m_positions.data(), count);
    m_painter.drawGlyphRun(baseline, m_glyphRun);
}

void ImageSurface::gatherText(WhiteLayer &layer, QPoint baseline, const QString &text)
{
    forEachInkPixel(m_font, text, 2 * m_lineHeight * m_scale, [&](int x, int y) {
        layer.addPixels(QRect(baseline.x() + x, baseline.y() + y, 1, 1));
    });
}

const QImage &ImageSurface::Image() const
{
    settle();
    return m_image;
}

void ImageSurface::paintInOrder(std::span<const PixelBox> boxes)
{
    auto *const bits = reinterpret_cast<QRgb *>(m_image.bits());
    const qsizetype stride = m_image.bytesPerLine() / qsizetype(sizeof(QRgb));
    for (const PixelBox &box : boxes) {
        const QRect r = box.pixels; // inside the image, as boxPixels clips
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb *line = bits + y * stride;
            if (box.style == FillSolid) {
                std::fill(line + r.left(), line + r.right() + 1, box.colour);
                continue;
            }
            for (int x = r.left(); x <= r.right(); ++x) {
                if (hatchSets(box.style, x / m_scale, y / m_scale))
                    line[x] = box.colour;
            }
        }
    }
}

void ImageSurface::FillBoxes(std::span<const FilledBox> boxes)
{
    if (boxes.empty())
        return;
    // A pending fill, and white points gathered over it, go in with the boxes: the fill
    // band by band before them, the white where no box sets a pixel.
    std::optional<QRgb> background;
    if (m_pendingFill && !m_painter.isActive() && !(m_haloText && !m_haloText->isEmpty()))
        background = std::exchange(m_pendingFill, std::nullopt);
    else
        settle();
    m_pixelBoxes.clear();
    qint64 area = 0;
    for (const FilledBox &box : boxes) {
        const QRect pixels = boxPixels(box.x, box.y, box.w, box.h);
        if (!pixels.isEmpty()) {
            m_pixelBoxes.push_back({pixels, rgbFromPacked(box.color), box.style});
            area += qint64(pixels.width()) * pixels.height();
        }
    }
    // ZoneFill's bookkeeping pays off where boxes overlap many times over, as the zones of a
    // large map do; boxes that together cover less than the picture (the explorer's change
    // marks) are painted faster one after the other. The pixels are the same either way.
    if (area < qint64(m_deviceWidth) * m_deviceHeight) {
        if (background) {
            m_image.fill(*background);
            m_white.paint(m_image, kForeground);
        }
        paintInOrder(m_pixelBoxes);
    } else if (m_image.sizeInBytes() < kDeferZonesBytes) {
        // A small picture stays in the cache, and its boxes are still in it now.
        m_zoneFill.paint(m_image, m_pixelBoxes, m_scale, nullptr, background);
        if (background)
            m_white.paint(m_image, kForeground, &m_zoneFill);
    } else {
        // A large picture's zones are painted when the picture is next needed, together
        // with the white drawn over them by then; the white drawn before them waits apart.
        if (background && !m_white.isEmpty()) {
            if (!m_whiteUnder)
                m_whiteUnder =
                    std::make_unique<WhiteLayer>(m_font, m_image.width(), m_image.height());
            m_white.swapPixels(*m_whiteUnder);
        }
        m_zoneBackground = background;
        m_zonesPending = true;
    }
    m_drawStyle = DrawInvisible;
    m_fillColor = rgbFromPacked(boxes.back().color);
    m_fillStyle = boxes.back().style;
}

#include "whitelayer.h"

#include "clip.h"
#include "zonefill.h"

#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

constexpr int kUnknown = -2;
constexpr int kUnusable = -1;
constexpr int kCodeUnits = 0x10000;
constexpr QRgb kInk = 0xFFFFFFFF;
constexpr QRgb kPaper = 0xFF000000;

// A glyph is laid out once into a scratch image with room around its pen position; a
// usable glyph touches no edge of it, so its pixels lie within these reaches of the pen.
// The room is for the 10-pixel font and grows with larger ones.
constexpr int kScratchWidth = 160;
constexpr int kScratchHeight = 80;
constexpr int kReachLeft = 40; // pen x in the scratch image
constexpr int kReachUp = 56;   // baseline y in the scratch image
constexpr double kBasePixelSize = 10;

int roomFactor(const QRawFont &font)
{
    return std::max(1, int(std::ceil(font.pixelSize() / kBasePixelSize)));
}

} // namespace

// Row i of the glyph covers pixels pen + left + j (bit j) on line baseline + top + i.
struct WhiteLayer::Glyph {
    int advance;
    int left;
    int top;
    int height;
    int width; // of its widest row, in pixels (below 64)
    size_t firstRow;
};

WhiteLayer::WhiteLayer(const QRawFont &font, int width, int height)
    : m_font(font), m_width(width), m_height(height), m_stride((width + 63) / 64 + 1),
      m_bits(size_t(m_stride) * height, 0), m_firstRow(height), m_lastRow(-1),
      m_glyphOfChar(new int[kCodeUnits]), m_scratchWidth(kScratchWidth * roomFactor(font)),
      m_scratchHeight(kScratchHeight * roomFactor(font)),
      m_reachLeft(kReachLeft * roomFactor(font)), m_reachUp(kReachUp * roomFactor(font))
{
    std::fill_n(m_glyphOfChar.get(), kCodeUnits, kUnknown);
}

WhiteLayer::~WhiteLayer() = default;

void WhiteLayer::markRows(int first, int last)
{
    m_firstRow = std::min(m_firstRow, first);
    m_lastRow = std::max(m_lastRow, last);
}

void WhiteLayer::addPixels(const QRect &pixels)
{
    const QRect r = intersection(pixels, QRect(0, 0, m_width, m_height));
    if (r.isEmpty())
        return;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        quint64 *row = &m_bits[size_t(y) * m_stride];
        for (int x = r.left(); x <= r.right(); ++x)
            row[x >> 6] |= quint64(1) << (x & 63);
    }
    markRows(r.top(), r.bottom());
}

// Asked for every character of every label, so the known answer comes first.
inline const WhiteLayer::Glyph *WhiteLayer::glyphFor(QChar c)
{
    const int known = m_glyphOfChar[c.unicode()];
    if (known >= 0)
        return &m_glyphs[size_t(known)];
    return known == kUnusable ? nullptr : layOutGlyph(c);
}

// Lays the character's glyph out the way the surface's painter draws it: one glyph run,
// the chart's monochrome font, white pen, no antialiasing.
const WhiteLayer::Glyph *WhiteLayer::layOutGlyph(QChar c)
{
    int &known = m_glyphOfChar[c.unicode()];
    known = kUnusable;
    quint32 index = 0;
    int count = 1;
    QPointF advance;
    if (c.isSurrogate() || !m_font.glyphIndexesForChars(&c, 1, &index, &count) || count != 1 ||
        !m_font.advancesForGlyphIndexes(&index, &advance, 1, QRawFont::SeparateAdvances) ||
        advance.x() < 0 || advance.x() != std::floor(advance.x()) || advance.x() > 1e4)
        return nullptr;

    QImage scratch(m_scratchWidth, m_scratchHeight, QImage::Format_RGB32);
    scratch.fill(kPaper);
    {
        QPainter painter(&scratch);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
        painter.setPen(QColor::fromRgb(kInk));
        QGlyphRun run;
        run.setRawFont(m_font);
        const QPointF origin(0, 0);
        run.setRawData(&index, &origin, 1);
        painter.drawGlyphRun(QPointF(m_reachLeft, m_reachUp), run);
    }
    int left = m_scratchWidth, right = -1, top = m_scratchHeight, bottom = -1;
    for (int y = 0; y < m_scratchHeight; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
        for (int x = 0; x < m_scratchWidth; ++x) {
            if (line[x] == kPaper)
                continue;
            const bool edge =
                x == 0 || y == 0 || x == m_scratchWidth - 1 || y == m_scratchHeight - 1;
            if (line[x] != kInk || edge)
                return nullptr; // grey pixels, or a glyph the scratch may have cut
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right - left >= 64)
        return nullptr;
    Glyph glyph{int(advance.x()), left - m_reachLeft, top - m_reachUp, 0,
                right - left + 1, m_glyphRows.size()};
    if (right >= 0) {
        glyph.height = bottom - top + 1;
        for (int y = top; y <= bottom; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
            quint64 bits = 0;
            for (int x = left; x <= right; ++x) {
                if (line[x] == kInk)
                    bits |= quint64(1) << (x - left);
            }
            m_glyphRows.push_back(bits);
        }
    }
    known = int(m_glyphs.size());
    m_glyphs.push_back(glyph);
    return &m_glyphs[size_t(known)];
}

void WhiteLayer::addGlyph(const Glyph &glyph, int x, int baseline)
{
    const int firstY = std::max(baseline + glyph.top, 0);
    const int lastY = std::min(baseline + glyph.top + glyph.height, m_height) - 1;
    int start = x + glyph.left;
    if (firstY > lastY || start >= m_width || start <= -64)
        return;
    const quint64 *rows = &m_glyphRows[glyph.firstRow] + (firstY - baseline - glyph.top);
    int cut = 0;
    if (start < 0) {
        cut = -start;
        start = 0;
    }
    const int word = start >> 6;
    const int shift = start & 63;
    quint64 *row = &m_bits[size_t(firstY) * m_stride + word];
    // Word by word, and only the words the glyph reaches: the next glyph of the label reads
    // them back at once, and a store reaches a load of the same word quickly, not a load of
    // two words together (which is what the compiler makes of a pair of neighbours).
    if (shift + glyph.width - cut <= 64) {
        for (int y = firstY; y <= lastY; ++y, row += m_stride)
            row[0] |= (*rows++ >> cut) << shift;
    } else {
        for (int y = firstY; y <= lastY; ++y, row += m_stride) {
            const quint64 bits = *rows++ >> cut;
            row[0] |= bits << shift;
            asm("" ::: "memory"); // keeps the two words two stores
            row[1] |= bits >> (64 - shift);
        }
    }
    markRows(firstY, lastY);
}

bool WhiteLayer::addText(QPoint baseline, QStringView text)
{
    for (QChar c : text) {
        if (!glyphFor(c))
            return false;
    }
    if (baseline.y() + (m_scratchHeight - m_reachUp) <= 0 || baseline.y() - m_reachUp >= m_height)
        return true;
    int x = baseline.x();
    for (QChar c : text) {
        if (x - m_reachLeft >= m_width)
            break;
        const Glyph &glyph = m_glyphs[size_t(m_glyphOfChar[c.unicode()])];
        if (x + (m_scratchWidth - m_reachLeft) > 0)
            addGlyph(glyph, x, baseline.y());
        x += glyph.advance;
    }
    return true;
}

void WhiteLayer::spreadHalo(int radius)
{
    if (isEmpty())
        return;
    radius = std::clamp(radius, 1, 63);
    // Each gathered row widened by the radius to both sides; paintHaloRows() then ors rows
    // over the radius up and down: the square of side 2 radius + 1 around every pixel.
    const int rows = m_lastRow - m_firstRow + 1;
    m_spread.assign(size_t(rows) * m_stride, 0);
    for (int y = m_firstRow; y <= m_lastRow; ++y) {
        const quint64 *row = &m_bits[size_t(y) * m_stride];
        quint64 *out = &m_spread[size_t(y - m_firstRow) * m_stride];
        for (int w = 0; w < m_stride; ++w) {
            quint64 bits = row[w];
            for (int d = 1; d <= radius; ++d) {
                bits |= (row[w] << d) | (row[w] >> d);
                if (w > 0)
                    bits |= row[w - 1] >> (64 - d);
                if (w + 1 < m_stride)
                    bits |= row[w + 1] << (64 - d);
            }
            out[w] = bits;
        }
    }
}

void WhiteLayer::paintHaloRows(QImage &image, QRgb colour, int radius, int top, int bottom)
{
    if (isEmpty())
        return;
    radius = std::clamp(radius, 1, 63);
    const int first = std::max({m_firstRow - radius, 0, top});
    const int last = std::min({m_lastRow + radius, m_height - 1, bottom});
    for (int y = first; y <= last; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int from = std::max(y - radius, m_firstRow) - m_firstRow;
        const int to = std::min(y + radius, m_lastRow) - m_firstRow;
        for (int w = 0; w < m_stride; ++w) {
            quint64 bits = 0;
            for (int r = from; r <= to; ++r)
                bits |= m_spread[size_t(r) * m_stride + w];
            for (; bits != 0; bits &= bits - 1) {
                const int x = w * 64 + std::countr_zero(bits);
                if (x < m_width)
                    line[x] = colour;
            }
        }
    }
}

void WhiteLayer::paintHalo(QImage &image, QRgb colour, int radius)
{
    spreadHalo(radius);
    paintHaloRows(image, colour, radius, 0, m_height - 1);
}

void WhiteLayer::paintRows(QImage &image, QRgb colour, const ZoneFill *under, int top,
                           int bottom)
{
    const int coveredWords = under ? under->words() : 0;
    const int first = std::max(m_firstRow, top);
    const int last = std::min(m_lastRow, bottom);
    for (int y = first; y <= last; ++y) {
        quint64 *row = &m_bits[size_t(y) * m_stride];
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int w = 0; w < m_stride; ++w) {
            quint64 shown = row[w];
            if (w < coveredWords)
                shown &= ~under->claimedWord(y, w);
            for (quint64 bits = shown; bits != 0; bits &= bits - 1) {
                const int x = w * 64 + std::countr_zero(bits);
                if (x < m_width)
                    line[x] = colour;
            }
            row[w] = 0;
        }
    }
}

void WhiteLayer::finishRows()
{
    m_firstRow = m_height;
    m_lastRow = -1;
}

void WhiteLayer::paint(QImage &image, QRgb colour, const ZoneFill *under)
{
    paintRows(image, colour, under, m_firstRow, m_lastRow);
    finishRows();
}

void WhiteLayer::swapPixels(WhiteLayer &other)
{
    std::swap(m_bits, other.m_bits);
    std::swap(m_firstRow, other.m_firstRow);
    std::swap(m_lastRow, other.m_lastRow);
}

void WhiteLayer::clear()
{
    for (int y = m_firstRow; y <= m_lastRow; ++y)
        std::fill_n(&m_bits[size_t(y) * m_stride], m_stride, 0);
    m_firstRow = m_height;
    m_lastRow = -1;
}

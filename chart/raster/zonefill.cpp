#include "zonefill.h"

#include "clip.h"
#include "palette.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr int kPeriod = 8; // hatches repeat every 8 picture pixels both ways
constexpr int kBands = kPeriod;
constexpr quint64 kAll = ~quint64(0);

// Bits `from` to `to` (0 to 63) of a word.
constexpr quint64 bitRange(int from, int to)
{
    return (kAll << from) & (kAll >> (63 - to));
}

// Set bits of a word. std::popcount is a library call where the processor is not assumed
// to count bits itself, and this runs for every word a box claims in.
constexpr int bitCount(quint64 bits)
{
    bits -= (bits >> 1) & 0x5555555555555555ULL;
    bits = (bits & 0x3333333333333333ULL) + ((bits >> 2) & 0x3333333333333333ULL);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return int((bits * 0x0101010101010101ULL) >> 56);
}

static_assert(bitCount(0) == 0 && bitCount(kAll) == 64 && bitCount(0x8000000000000001ULL) == 2 &&
              bitCount(0x0F0F0F0F0F0F0F0FULL) == 32);

// Of the 64 positions from `base` on, those from `first` to `last`.
constexpr quint64 rangeInWord(int base, int first, int last)
{
    return bitRange(std::max(first - base, 0), std::min(last - base, 63));
}

} // namespace

void ZoneFill::reset(int width, int height, int scale)
{
    if (width != m_width || height != m_height || scale != m_scale) {
        m_width = width;
        m_height = height;
        m_scale = scale;
        m_words = (width + 63) / 64;
        m_rowWords = (height + 63) / 64;

        m_claimedRowTemplate.assign(size_t(m_words), 0);
        if (width % 64 != 0)
            m_claimedRowTemplate.back() = kAll << (width % 64);

        m_bandMask.assign(size_t(kBands) * size_t(m_words), 0);
        for (int x = 0; x < width; ++x)
            m_bandMask[size_t((x / scale) % kBands) * size_t(m_words) + size_t(x / 64)] |=
                quint64(1) << (x % 64);

        m_lineRows.assign(size_t(m_rowWords), 0);
        m_summaryTemplate.assign(size_t(kPatterns) * size_t(m_words) * size_t(m_rowWords), 0);
        for (int y = 0; y < height; ++y) {
            const int hatchRow = (y / scale) % kPeriod;
            const quint64 bit = quint64(1) << (y % 64);
            if (hatchRow == 0)
                m_lineRows[size_t(y / 64)] |= bit;
            auto mark = [&](int pattern, int w) {
                m_summaryTemplate[summaryIndex(pattern, w) + size_t(y / 64)] |= bit;
            };
            for (int w = 0; w < m_words; ++w) {
                mark(kAny, w);
                if (band(0, w) != 0)
                    mark(kVertical, w);
                if (band(-hatchRow & (kPeriod - 1), w) != 0)
                    mark(kUpward, w);
                if (band(hatchRow, w) != 0)
                    mark(kDownward, w);
            }
        }
        m_summary.resize(m_summaryTemplate.size());
        m_claimed.resize(size_t(m_words) * size_t(height));
    }
    for (int y = 0; y < height; ++y)
        std::memcpy(&m_claimed[size_t(y) * size_t(m_words)], m_claimedRowTemplate.data(),
                    m_claimedRowTemplate.size() * sizeof(quint64));
    std::copy(m_summaryTemplate.begin(), m_summaryTemplate.end(), m_summary.begin());
    m_unclaimed = long(width) * height;
}

void ZoneFill::paint(QImage &image, std::span<const PixelBox> boxes, int scale,
                     std::vector<bool> *shown, std::optional<QRgb> background,
                     const std::function<void(int top, int bottom)> &afterBand)
{
    if (shown)
        shown->assign(boxes.size(), false);
    if (image.isNull())
        return;
    reset(image.width(), image.height(), std::max(1, scale));
    // Taken once: each call of scanLine() on a writable image checks whether it must detach.
    m_bits = reinterpret_cast<quint32 *>(image.bits());
    m_stride = image.bytesPerLine() / qsizetype(sizeof(quint32));
    sortIntoBands(boxes);

    // Band after band of 64 rows, so that the rows being painted stay in the cache while
    // every box that reaches them is painted, and the fill before them costs no pass over
    // the image of its own.
    for (int band = 0; band < m_rowWords; ++band) {
        const int top = band * 64;
        const int bottom = std::min(top + 63, m_height - 1);
        if (background) {
            for (int y = top; y <= bottom; ++y)
                std::fill(pixelRow(y), pixelRow(y) + m_width, *background);
        }
        const long bandDone = m_unclaimed - long(bottom - top + 1) * m_width;
        for (int k = m_bandStart[size_t(band) + 1]; k-- > m_bandStart[size_t(band)];) {
            const BandBox &box = m_bandBoxes[size_t(k)];
            const long before = m_unclaimed;
            paintBand(box, band);
            if (shown && m_unclaimed < before)
                (*shown)[size_t(box.index)] = true;
            if (m_unclaimed == bandDone)
                break;
        }
        if (afterBand)
            afterBand(top, bottom);
    }
    m_bits = nullptr;
}

void ZoneFill::sortIntoBands(std::span<const PixelBox> boxes)
{
    const QRect image(0, 0, m_width, m_height);
    m_clipped.resize(boxes.size());
    m_bandStart.assign(size_t(m_rowWords) + 2, 0);
    // A counting sort: how many boxes reach each band, then their indices in painting order.
    for (size_t i = 0; i < boxes.size(); ++i) {
        QRect r = intersection(boxes[i].pixels, image);
        if (!paints(boxes[i].style))
            r = QRect();
        m_clipped[i] = r;
        if (r.isEmpty())
            continue;
        for (int band = r.top() / 64; band <= r.bottom() / 64; ++band)
            ++m_bandStart[size_t(band) + 2];
    }
    for (size_t band = 2; band < m_bandStart.size(); ++band)
        m_bandStart[band] += m_bandStart[band - 1];
    m_bandBoxes.resize(size_t(m_bandStart.back()));
    for (size_t i = 0; i < boxes.size(); ++i) {
        const QRect &r = m_clipped[i];
        if (r.isEmpty())
            continue;
        const BandBox entry{r, boxes[i].colour, boxes[i].style, int(i)};
        for (int band = r.top() / 64; band <= r.bottom() / 64; ++band)
            m_bandBoxes[size_t(m_bandStart[size_t(band) + 1]++)] = entry;
    }
}

inline void ZoneFill::claimWord(int y, int w, quint64 pattern, QRgb colour)
{
    quint64 &claimed = m_claimed[size_t(y) * size_t(m_words) + size_t(w)];
    quint64 want = pattern & ~claimed;
    if (want == 0)
        return;
    claimed |= want;
    m_unclaimed -= bitCount(want);

    quint32 *const pixels = pixelRow(y) + w * 64;
    if (want == kAll) {
        std::fill(pixels, pixels + 64, colour);
    } else {
        for (; want != 0; want &= want - 1)
            pixels[std::countr_zero(want)] = colour;
    }

    // Which patterns this word has no unclaimed pixel of any more.
    const quint64 free = ~claimed;
    const quint64 rowBit = quint64(1) << (y % 64);
    const int hatchRow = (m_scale == 1 ? y : y / m_scale) & (kPeriod - 1);
    const quint64 left[kPatterns] = {free, band(0, w) & free,
                                     band(-hatchRow & (kPeriod - 1), w) & free,
                                     band(hatchRow, w) & free};
    for (int p = 0; p < kPatterns; ++p) {
        if (left[p] == 0)
            summary(p, w)[y / 64] &= ~rowBit;
    }
}

bool ZoneFill::paints(qint16 style)
{
    switch (style) {
    case FillSolid:
    case FillHorizontal:
    case FillVertical:
    case FillCross:
    case FillUpwardDiagonal:   // x + y a multiple of 8
    case FillDownwardDiagonal: // x - y a multiple of 8
    case FillDiagonalCross:
        return true;
    default: // transparent and unknown styles paint nothing
        return false;
    }
}

void ZoneFill::paintBand(const BandBox &box, int yw)
{
    const QRect &r = box.pixels;
    switch (box.style) {
    case FillSolid:
        paintBandIn<FillSolid>(r, box.colour, yw);
        break;
    case FillHorizontal:
        paintBandIn<FillHorizontal>(r, box.colour, yw);
        break;
    case FillVertical:
        paintBandIn<FillVertical>(r, box.colour, yw);
        break;
    case FillCross:
        paintBandIn<FillCross>(r, box.colour, yw);
        break;
    case FillUpwardDiagonal:
        paintBandIn<FillUpwardDiagonal>(r, box.colour, yw);
        break;
    case FillDownwardDiagonal:
        paintBandIn<FillDownwardDiagonal>(r, box.colour, yw);
        break;
    default:
        paintBandIn<FillDiagonalCross>(r, box.colour, yw);
        break;
    }
}

// One style's own copy, so that choosing what a row of it sets costs nothing per row.
template <int Style> void ZoneFill::paintBandIn(const QRect &r, QRgb colour, int yw)
{
    const int n = m_scale;
    // Which pixels of a row a style sets follows from hatchSets() of the scale-1 pixel:
    // whole rows for solid and for the lines of horizontal and cross, one or two column
    // bands for the others.
    auto rowPattern = [&](int y, int w) -> quint64 {
        const int hatchRow = (n == 1 ? y : y / n) & (kPeriod - 1);
        if constexpr (Style == FillVertical)
            return band(0, w);
        else if constexpr (Style == FillCross)
            return hatchRow == 0 ? kAll : band(0, w);
        else if constexpr (Style == FillUpwardDiagonal)
            return band(-hatchRow & (kPeriod - 1), w);
        else if constexpr (Style == FillDownwardDiagonal)
            return band(hatchRow, w);
        else if constexpr (Style == FillDiagonalCross)
            return band(-hatchRow & (kPeriod - 1), w) | band(hatchRow, w);
        else // solid, and horizontal on its line rows
            return kAll;
    };
    const quint64 lines = m_lineRows[size_t(yw)];
    const quint64 inBox = rangeInWord(yw * 64, r.top(), r.bottom());
    const size_t at = size_t(yw);
    for (int w = r.left() / 64; w <= r.right() / 64; ++w) {
        const quint64 columns = rangeInWord(w * 64, r.left(), r.right());
        quint64 rows = 0;
        if constexpr (Style == FillSolid)
            rows = summary(kAny, w)[at];
        else if constexpr (Style == FillHorizontal)
            rows = summary(kAny, w)[at] & lines;
        else if constexpr (Style == FillVertical)
            rows = summary(kVertical, w)[at];
        else if constexpr (Style == FillCross)
            rows = (summary(kAny, w)[at] & lines) | (summary(kVertical, w)[at] & ~lines);
        else if constexpr (Style == FillUpwardDiagonal)
            rows = summary(kUpward, w)[at];
        else if constexpr (Style == FillDownwardDiagonal)
            rows = summary(kDownward, w)[at];
        else
            rows = summary(kUpward, w)[at] | summary(kDownward, w)[at];
        for (rows &= inBox; rows != 0; rows &= rows - 1) {
            const int y = yw * 64 + std::countr_zero(rows);
            claimWord(y, w, rowPattern(y, w) & columns, colour);
        }
    }
}

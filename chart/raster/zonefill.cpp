#include "zonefill.h"

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
                     std::vector<bool> *shown)
{
    if (shown)
        shown->assign(boxes.size(), false);
    if (image.isNull())
        return;
    reset(image.width(), image.height(), std::max(1, scale));
    for (size_t i = boxes.size(); i-- > 0 && m_unclaimed > 0;) {
        const long before = m_unclaimed;
        paintBox(image, boxes[i]);
        if (shown)
            (*shown)[i] = m_unclaimed < before;
    }
}

void ZoneFill::claimWord(QImage &image, int y, int w, quint64 pattern, QRgb colour)
{
    quint64 &claimed = m_claimed[size_t(y) * size_t(m_words) + size_t(w)];
    quint64 want = pattern & ~claimed;
    if (want == 0)
        return;
    claimed |= want;
    m_unclaimed -= std::popcount(want);

    auto *const pixels = reinterpret_cast<quint32 *>(image.scanLine(y)) + w * 64;
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

void ZoneFill::paintBox(QImage &image, const PixelBox &box)
{
    const QRect r = box.pixels & QRect(0, 0, m_width, m_height);
    if (r.isEmpty())
        return;
    const qint16 style = box.style;
    switch (style) {
    case FillSolid:
    case FillHorizontal:
    case FillVertical:
    case FillCross:
    case FillUpwardDiagonal:   // x + y a multiple of 8
    case FillDownwardDiagonal: // x - y a multiple of 8
    case FillDiagonalCross:
        break;
    default: // transparent and unknown styles paint nothing
        return;
    }
    const int n = m_scale;
    const QRgb colour = box.colour;
    // Which pixels of a row a style sets follows from hatchSets() of the scale-1 pixel:
    // whole rows for solid and for the lines of horizontal and cross, one or two column
    // bands for the others.
    auto rowPattern = [&](int y, int w) -> quint64 {
        const int hatchRow = (n == 1 ? y : y / n) & (kPeriod - 1);
        switch (style) {
        case FillVertical:
            return band(0, w);
        case FillCross:
            return hatchRow == 0 ? kAll : band(0, w);
        case FillUpwardDiagonal:
            return band(-hatchRow & (kPeriod - 1), w);
        case FillDownwardDiagonal:
            return band(hatchRow, w);
        case FillDiagonalCross:
            return band(-hatchRow & (kPeriod - 1), w) | band(hatchRow, w);
        default: // solid, and horizontal on its line rows
            return kAll;
        }
    };
    for (int w = r.left() / 64; w <= r.right() / 64; ++w) {
        const quint64 columns = rangeInWord(w * 64, r.left(), r.right());
        const quint64 *any = summary(kAny, w);
        const quint64 *vertical = summary(kVertical, w);
        const quint64 *upward = summary(kUpward, w);
        const quint64 *downward = summary(kDownward, w);
        for (int yw = r.top() / 64; yw <= r.bottom() / 64; ++yw) {
            quint64 rows = 0;
            switch (style) {
            case FillSolid:
                rows = any[yw];
                break;
            case FillHorizontal:
                rows = any[yw] & m_lineRows[size_t(yw)];
                break;
            case FillVertical:
                rows = vertical[yw];
                break;
            case FillCross:
                rows =
                    (any[yw] & m_lineRows[size_t(yw)]) | (vertical[yw] & ~m_lineRows[size_t(yw)]);
                break;
            case FillUpwardDiagonal:
                rows = upward[yw];
                break;
            case FillDownwardDiagonal:
                rows = downward[yw];
                break;
            default:
                rows = upward[yw] | downward[yw];
                break;
            }
            rows &= rangeInWord(yw * 64, r.top(), r.bottom());
            for (; rows != 0; rows &= rows - 1) {
                const int y = yw * 64 + std::countr_zero(rows);
                claimWord(image, y, w, rowPattern(y, w) & columns, colour);
            }
        }
    }
}

#include "zonefill.h"

#include "palette.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

constexpr int kPeriod = 8; // hatches repeat every 8 picture pixels both ways

// The first unclaimed position at or after x in one forest row, halving the path on the
// way so that later lookups through the same claimed stretch are short.
inline int findUnclaimed(quint16 *next, int x)
{
    while (next[x] != x) {
        next[x] = next[next[x]];
        x = next[x];
    }
    return x;
}

} // namespace

void ZoneFill::reset(int width, int height, int scale)
{
    if (width != m_width || height != m_height || scale != m_scale) {
        m_width = width;
        m_height = height;
        m_scale = scale;
        m_period = kPeriod * scale;
        m_allStride = width + 1;
        m_residueStride = width + m_period;
        m_rowTemplateAll.resize(size_t(m_allStride));
        m_rowTemplateResidue.resize(size_t(m_residueStride));
        std::iota(m_rowTemplateAll.begin(), m_rowTemplateAll.end(), quint16(0));
        std::iota(m_rowTemplateResidue.begin(), m_rowTemplateResidue.end(), quint16(0));
        m_all.resize(size_t(m_allStride) * height);
        m_residue.resize(size_t(m_residueStride) * height);
        m_unclaimedInRow.resize(size_t(height));
    }
    for (int y = 0; y < height; ++y) {
        std::memcpy(&m_all[size_t(y) * m_allStride], m_rowTemplateAll.data(),
                    m_rowTemplateAll.size() * sizeof(quint16));
        std::memcpy(&m_residue[size_t(y) * m_residueStride], m_rowTemplateResidue.data(),
                    m_rowTemplateResidue.size() * sizeof(quint16));
    }
    std::fill(m_unclaimedInRow.begin(), m_unclaimedInRow.end(), width);
    m_unclaimed = long(width) * height;
}

void ZoneFill::paint(QImage &image, std::span<const PixelBox> boxes, int scale)
{
    reset(image.width(), image.height(), std::max(1, scale));
    for (auto box = boxes.rbegin(); box != boxes.rend() && m_unclaimed > 0; ++box)
        paintBox(image, *box);
}

inline void ZoneFill::claim(quint32 *line, int y, int x, QRgb colour)
{
    line[x] = colour;
    m_all[size_t(y) * m_allStride + x] = quint16(x + 1);
    m_residue[size_t(y) * m_residueStride + x] = quint16(x + m_period);
    --m_unclaimedInRow[y];
    --m_unclaimed;
}

void ZoneFill::claimSpan(quint32 *line, int y, int from, int to, QRgb colour)
{
    quint16 *next = &m_all[size_t(y) * m_allStride];
    for (int x = findUnclaimed(next, from); x <= to; x = findUnclaimed(next, x + 1))
        claim(line, y, x, colour);
}

void ZoneFill::claimResidue(quint32 *line, int y, int residue, int from, int to, QRgb colour)
{
    quint16 *next = &m_residue[size_t(y) * m_residueStride];
    // A power-of-two period (scales 1, 2, 4 and 8) takes a mask instead of two divisions.
    const int first = (m_period & (m_period - 1)) == 0
                          ? from + ((residue - from) & (m_period - 1))
                          : from + ((residue - from) % m_period + m_period) % m_period;
    for (int x = findUnclaimed(next, first); x <= to; x = findUnclaimed(next, x + m_period))
        claim(line, y, x, colour);
}

void ZoneFill::claimBand(quint32 *line, int y, int residue, int from, int to, QRgb colour)
{
    for (int k = 0; k < m_scale; ++k)
        claimResidue(line, y, residue * m_scale + k, from, to, colour);
}

void ZoneFill::paintBox(QImage &image, const PixelBox &box)
{
    const QRect r = box.pixels & QRect(0, 0, m_width, m_height);
    if (r.isEmpty())
        return;
    const int left = r.left(), right = r.right();
    const QRgb colour = box.colour;
    uchar *const bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    auto line = [&](int y) { return reinterpret_cast<quint32 *>(bits + y * bytesPerLine); };
    // Which pixels of a row a style sets follows from hatchSets() of the scale-1 pixel:
    // whole rows for solid and for the lines of horizontal and cross, one band of N column
    // residues for the others.
    const int n = m_scale;
    auto hatchRow = [n](int y) { return (n == 1 ? y : y / n) & (kPeriod - 1); };
    switch (box.style) {
    case FillSolid:
        for (int y = r.top(); y <= r.bottom(); ++y) {
            if (m_unclaimedInRow[y] > 0)
                claimSpan(line(y), y, left, right, colour);
        }
        break;
    case FillHorizontal:
        for (int y = r.top(); y <= r.bottom(); ++y) {
            if (hatchRow(y) != 0) {
                y = (y / m_period + 1) * m_period - 1; // on to the next line's first row
                continue;
            }
            if (m_unclaimedInRow[y] > 0)
                claimSpan(line(y), y, left, right, colour);
        }
        break;
    case FillVertical:
    case FillCross:
        for (int y = r.top(); y <= r.bottom(); ++y) {
            if (m_unclaimedInRow[y] == 0)
                continue;
            if (box.style == FillCross && hatchRow(y) == 0)
                claimSpan(line(y), y, left, right, colour);
            else
                claimBand(line(y), y, 0, left, right, colour);
        }
        break;
    case FillUpwardDiagonal:   // x + y a multiple of 8
    case FillDownwardDiagonal: // x - y a multiple of 8
    case FillDiagonalCross:
        for (int y = r.top(); y <= r.bottom(); ++y) {
            if (m_unclaimedInRow[y] == 0)
                continue;
            const int upward = -hatchRow(y) & (kPeriod - 1);
            const int downward = hatchRow(y);
            if (box.style != FillDownwardDiagonal)
                claimBand(line(y), y, upward, left, right, colour);
            if (box.style != FillUpwardDiagonal &&
                !(box.style == FillDiagonalCross && downward == upward))
                claimBand(line(y), y, downward, left, right, colour);
        }
        break;
    default: // transparent and unknown styles paint nothing
        break;
    }
}

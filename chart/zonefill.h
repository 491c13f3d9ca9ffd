// Paints a run of filled boxes onto an image with every pixel written at most once, giving
// exactly the picture that painting them one after the other would. The zone pass at the
// largest map overdraws the picture hundreds of times; this keeps it to about one write a
// pixel whatever the overlap.
#pragma once

#include <QImage>
#include <QRect>

#include <span>
#include <vector>

// A box in device pixels with the colour and hatchSets() style it fills with; at a scale N
// a device pixel (x, y) takes the hatch bit of (x / N, y / N).
struct PixelBox {
    QRect pixels;
    QRgb colour;
    qint16 style;
};

// A pixel shows the last box in order that covers it and whose style sets it; pixels no
// box sets keep what the image had. So the boxes are taken from the last to the first, and
// each one writes only the pixels that no later box has claimed. Per row, two "next
// unclaimed pixel" forests (union-find with path halving) find those pixels: one over every
// pixel for solid rows, one over each column residue modulo 8N for the hatches, whose lines
// take N residues per row. A box row then costs N lookups plus one step per pixel it claims.
class ZoneFill {
public:
    // Paints `boxes` (in painting order) onto `image`, which must be Format_RGB32 or
    // Format_ARGB32 and narrower than 65,000 pixels, with hatches `scale` times larger.
    void paint(QImage &image, std::span<const PixelBox> boxes, int scale = 1);

private:
    void reset(int width, int height, int scale);
    void paintBox(QImage &image, const PixelBox &box);
    void claimSpan(quint32 *line, int y, int from, int to, QRgb colour);
    void claimResidue(quint32 *line, int y, int residue, int from, int to, QRgb colour);
    // The N device columns of one scale-1 hatch column residue.
    void claimBand(quint32 *line, int y, int residue, int from, int to, QRgb colour);
    void claim(quint32 *line, int y, int x, QRgb colour);

    int m_width = 0;
    int m_height = 0;
    int m_scale = 0;
    int m_period = 0; // of the hatches, in device pixels
    int m_allStride = 0;
    int m_residueStride = 0;
    // Row y, pixel x: m_all[y * m_allStride + x] leads towards the first unclaimed pixel at or
    // after x; m_residue likewise towards the first unclaimed one at or after x with the same
    // x mod 8. Unclaimed pixels (and the ends past the row) point to themselves.
    std::vector<quint16> m_all;
    std::vector<quint16> m_residue;
    std::vector<quint16> m_rowTemplateAll;
    std::vector<quint16> m_rowTemplateResidue;
    std::vector<int> m_unclaimedInRow;
    long m_unclaimed = 0;
};

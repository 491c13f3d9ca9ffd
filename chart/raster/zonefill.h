// Paints a run of filled boxes onto an image with every pixel written at most once, giving
// exactly the picture that painting them one after the other would. The zone pass at the
// largest map overdraws the picture hundreds of times; this keeps it to about one write a
// pixel whatever the overlap.
#pragma once

#include <QImage>
#include <QRect>

#include <functional>
#include <optional>
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
// each one writes only the pixels that no later box has claimed. This goes band by band of
// 64 rows, each band with the boxes that reach it, so that a large picture is written
// while its rows are in the cache. The claimed pixels are one bit each, 64 to a word, so a
// box tests and claims 64 pixels of a row at a time. Above those words, a summary per
// column of words says which rows still hold an unclaimed pixel there, in all and in each
// line pattern of the hatches; a box visits only such words. A box thus costs a few
// summary words, plus one step per word it claims in and one per pixel it writes, however
// often the boxes overlap.
class ZoneFill {
public:
    // Paints `boxes` (in painting order) onto `image`, which must be Format_RGB32 or
    // Format_ARGB32, with hatches `scale` times larger. With `shown`, says per box whether
    // any pixel shows it: boxes that later ones hide wholly are left out of a drawing that
    // paints every box (a vector picture) without changing what it shows.
    // With `background`, the image is first filled with that colour. With `afterBand`, it
    // is called with the first and last row of each band once the band is painted, while
    // its rows are still in the cache: what goes over the boxes is written there cheaply.
    void paint(QImage &image, std::span<const PixelBox> boxes, int scale = 1,
               std::vector<bool> *shown = nullptr, std::optional<QRgb> background = {},
               const std::function<void(int top, int bottom)> &afterBand = {});

    // After paint(): bit x % 64 of the result is set where a box set pixel x of word
    // x / 64 in row y (and past the row's end).
    quint64 claimedWord(int y, int w) const
    {
        return m_claimed[size_t(y) * size_t(m_words) + size_t(w)];
    }
    int words() const { return m_words; }

private:
    // The pixel sets the styles are made of: every pixel, and the lines of the vertical,
    // upward and downward hatches. Horizontal lines are every pixel of some rows.
    enum Pattern { kAny, kVertical, kUpward, kDownward, kPatterns };

    void reset(int width, int height, int scale);
    static bool paints(qint16 style);
    // A box clipped to the image, as each band it reaches keeps it: the bands' own copies
    // lie one after the other, where the boxes they come from are spread over the list.
    struct BandBox {
        QRect pixels;
        QRgb colour;
        qint16 style;
        int index; // in the list painted
    };
    // Each box clipped to the image (empty when it paints nothing), and the boxes reaching
    // each band of 64 rows: m_bandBoxes[m_bandStart[b]] to before m_bandStart[b + 1].
    void sortIntoBands(std::span<const PixelBox> boxes);
    // Paints the rows of band yw that the box covers.
    void paintBand(const BandBox &box, int yw);
    template <int Style> void paintBandIn(const QRect &r, QRgb colour, int yw);
    // Claims the pixels of word w in row y that `pattern` sets and no later box has.
    void claimWord(int y, int w, quint64 pattern, QRgb colour);
    quint32 *pixelRow(int y) const { return m_bits + qsizetype(y) * m_stride; }
    // The columns of hatch band b, (x / N) mod 8 == b, in word w.
    quint64 band(int b, int w) const { return m_bandMask[size_t(b) * size_t(m_words) + size_t(w)]; }
    size_t summaryIndex(int pattern, int w) const
    {
        return (size_t(pattern) * size_t(m_words) + size_t(w)) * size_t(m_rowWords);
    }
    quint64 *summary(int pattern, int w) { return &m_summary[summaryIndex(pattern, w)]; }

    int m_width = 0;
    int m_height = 0;
    int m_scale = 0;
    int m_words = 0;    // claimed-pixel words per row
    int m_rowWords = 0; // summary words per column of words
    // Bit x % 64 of word x / 64 of a row: pixel x is claimed. Bits past the row's end are set.
    std::vector<quint64> m_claimed;
    std::vector<quint64> m_claimedRowTemplate;
    // Per pattern and word column w, bit y: word w of row y still holds an unclaimed pixel
    // of that pattern.
    std::vector<quint64> m_summary;
    std::vector<quint64> m_summaryTemplate;
    std::vector<quint64> m_bandMask; // per band, per word of a row
    std::vector<quint64> m_lineRows; // bit y: row y is a horizontal hatch line
    long m_unclaimed = 0;
    std::vector<QRect> m_clipped;
    std::vector<int> m_bandStart;
    std::vector<BandBox> m_bandBoxes;
    quint32 *m_bits = nullptr; // the image painted, while paint() runs
    qsizetype m_stride = 0;    // its pixels per line
};

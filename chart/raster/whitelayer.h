// The white things the chart draws after its zones, dots and labels, gathered as one bit
// per pixel and written into the picture in one go. White over white is white, so their
// order does not matter, and a label costs a few word operations per glyph row instead of
// a trip through QPainter.
#pragma once

#include <QImage>
#include <QRawFont>
#include <QRect>
#include <QString>

#include <algorithm>
#include <memory>
#include <vector>

class ZoneFill;

class WhiteLayer {
public:
    // `font` is the chart font; glyphs are laid out with it on first use.
    WhiteLayer(const QRawFont &font, int width, int height);
    ~WhiteLayer();

    void addPixels(const QRect &pixels);
    // One pixel, which may lie outside: a planet's dot, 32,767 of them a redraw.
    void addPixel(int x, int y)
    {
        if (unsigned(x) >= unsigned(m_width) || unsigned(y) >= unsigned(m_height))
            return;
        m_bits[size_t(y) * size_t(m_stride) + size_t(x >> 6)] |= quint64(1) << (x & 63);
        m_firstRow = std::min(m_firstRow, y);
        m_lastRow = std::max(m_lastRow, y);
    }
    // Adds `text` with its first glyph's pen position at `baseline`, glyph after glyph at
    // their advances, exactly as QPainter draws the same glyph run in the monochrome font.
    // False when a character's glyph cannot be copied that way (a surrogate pair, a glyph
    // with a fractional advance, grey pixels or a very wide one): the caller then draws the
    // text itself, which may repeat glyphs already added, harmlessly.
    bool addText(QPoint baseline, QStringView text);

    bool isEmpty() const { return m_firstRow > m_lastRow; }
    // Writes every pixel within `radius` of a gathered one (a square around each) into
    // `image` as `colour`, keeping what is gathered: the border that paint() then fills in.
    void paintHalo(QImage &image, QRgb colour, int radius);
    // Writes every gathered pixel into `image` as `colour`, then starts empty again. With
    // `under`, the pixels that its boxes set are left as they are: the white went down
    // before them.
    void paint(QImage &image, QRgb colour, const ZoneFill *under = nullptr);
    void clear();

    // The same a few rows at a time, for painting band by band: spreadHalo() once, then
    // paintHaloRows() and paintRows() for rows top to bottom of each band, the bands
    // together covering the image, then finishRows(), which starts empty again.
    void spreadHalo(int radius);
    void paintHaloRows(QImage &image, QRgb colour, int radius, int top, int bottom);
    void paintRows(QImage &image, QRgb colour, const ZoneFill *under, int top, int bottom);
    void finishRows();
    // Trades gathered pixels with `other`, a layer of the same size.
    void swapPixels(WhiteLayer &other);

private:
    struct Glyph;
    const Glyph *glyphFor(QChar c);
    const Glyph *layOutGlyph(QChar c); // on a character's first use
    void addGlyph(const Glyph &glyph, int x, int baseline);
    void markRows(int first, int last);

    QRawFont m_font;
    int m_width;
    int m_height;
    int m_stride; // 64-bit words per row, one spare so a glyph row may spill over
    std::vector<quint64> m_bits;
    std::vector<quint64> m_spread; // paintHalo's rows widened by the radius
    int m_firstRow;
    int m_lastRow;

    std::vector<Glyph> m_glyphs;
    std::vector<quint64> m_glyphRows;
    std::unique_ptr<int[]> m_glyphOfChar; // per UTF-16 code unit: index, or kUnknown/kUnusable
    int m_scratchWidth;
    int m_scratchHeight;
    int m_reachLeft; // pen x in the scratch image a glyph is laid out in
    int m_reachUp;   // baseline y there
};

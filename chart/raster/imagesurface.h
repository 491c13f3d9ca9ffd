// The chart picture: a persistent image, 537 by 441 pixels in the chart window (8055 by 6615
// twips at 15 twips a pixel), that the window shows and saving writes. No antialiasing
// anywhere, so each pixel follows from the rules below and a faster painter can reproduce
// them exactly. A scale N draws the same picture N times larger and sharp.
#pragma once

#include "chartfont.h"
#include "surface.h"
#include "whitelayer.h"
#include "zonefill.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QRect>

#include <memory>
#include <optional>
#include <vector>

// Pixel rules, in device pixels (x to the right, y down, pixel i spans [i, i + 1)):
// - a point paints the pixel it falls in, DrawWidth w > 1 a w by w square around it;
// - a box paints the pixels whose centres lie inside it, the edge with the smaller device
//   coordinate included and the other excluded; its fill follows hatchSets();
// - a visible pen outlines the painted pixel range in white, DrawWidth pixels inward;
// - text is DejaVu Sans at 10 pixels, monochrome, glyph after glyph at their hinted
//   advances (no kerning, no fallback font), its cell's top-left corner on the pixel of
//   the current point;
// - text with TextHalo on paints black every pixel within one pixel of its glyphs (the 3
//   by 3 square around each), then its glyphs; the halo goes under the other white points
//   and text drawn since the last box (a dot beside a label stays), the glyphs over them.
// Needs a QGuiApplication (for the font), like any Qt text drawing.
//
// At scale N the image is N times the picture size on both axes, and every pixel length
// of the rules is N device pixels: a point is the N by N block of the picture pixel it
// falls in, hatch lines are N wide and 8N apart (each picture pixel's hatch bit covers its
// block), the pen is N pixels per DrawWidth, and text is drawn sharp in the N times larger
// font with its cell's corner on the block of the current point. Only box edges use the
// finer grid: a box paints the device pixels whose centres lie inside it. The user units,
// the current point and the text line height are those of the picture, so what the chart
// draws is laid out the same at every scale. The centre mark "+" keeps the exact shape it
// has at scale 1, enlarged: a cross whose bars are N pixels thick.
//
// Two shortcuts give the same pixels faster: FillBoxes paints a run of boxes that overlap a
// lot with each pixel written once (ZoneFill), and white points and text are gathered as bits
// (WhiteLayer) until something else is drawn or the image is read. On a large picture the
// zones wait too, and go in band by band with the white drawn over them.
class ImageSurface : public Surface {
public:
    static constexpr int kWidth = 537;
    static constexpr int kHeight = 441;
    static constexpr QSize kPictureSize{kWidth, kHeight};
    static constexpr int kMaxScale = kMaxChartScale;
    // What a surface takes: a pane may be drawn larger than the chart (a title's text).
    static constexpr int kMaxDrawScale = 2 * kMaxChartScale;

    // A black picture of `picture` pixels drawn `scale` times larger (1 to kMaxDrawScale,
    // clamped).
    explicit ImageSurface(QSize picture = kPictureSize, int scale = 1);
    ~ImageSurface() override;
    ImageSurface(const ImageSurface &) = delete;
    ImageSurface &operator=(const ImageSurface &) = delete;

    void Cls() override;
    void BackColor(PackedColor color) override;
    void Scale(double x1, double y1, double x2, double y2) override;
    void CurrentX(double x) override { m_currentX = x; }
    void CurrentY(double y) override { m_currentY = y; }
    void Print(const QString &text) override;
    void DrawWidth(int pixels) override { m_drawWidth = qMax(1, pixels); }
    void DrawStyle(int style) override { m_drawStyle = style; }
    void FillColor(PackedColor color) override { m_fillColor = rgbFromPacked(color); }
    void FillStyle(qint16 style) override { m_fillStyle = style; }
    void Line(double x, double y, double w, double h) override;
    void PSet(double x, double y, PackedColor color) override;
    // Finishes any text and white points still being drawn, then hands out the image.
    const QImage &Image() const override;
    // Text with a halo is gathered apart from the other white things.
    void TextHalo(bool on) override { m_haloOn = on; }

    bool fillsBoxesTogether() const override { return true; }
    void FillBoxes(std::span<const FilledBox> boxes) override;

    // The picture's size in its own pixels, and how many device pixels each of them is.
    QSize pictureSize() const { return m_picture; }
    int scale() const { return m_scale; }

    // The device pixels a box from (x, y) to (x + w, y + h) in user units paints, clipped
    // to the image; empty when it paints none.
    QRect boxPixels(double x, double y, double w, double h) const;
    // The picture pixel (not device pixel) a user point falls in; it may lie outside.
    QPoint pixelAt(double x, double y) const;

    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }

private:
    QRgb *row(int y) { return reinterpret_cast<QRgb *>(m_image.scanLine(y)); }
    void paintPixels(const QRect &pixels, QRgb colour);
    // Each box over the ones before it.
    void paintInOrder(std::span<const PixelBox> boxes);
    void drawText(QPoint baseline, const QString &text);
    // Adds the pixels `text` paints to `layer`, for text the layer cannot lay out itself.
    void gatherText(WhiteLayer &layer, QPoint baseline, const QString &text);
    WhiteLayer &haloLayer();
    void drawEnlargedMark(QPoint corner, const QString &text);
    // A picture-pixel rectangle as the device pixels it covers.
    QRect devicePixels(const QRect &picturePixels) const;
    // Puts what is still gathered or being drawn into the image, before pixels are painted
    // over it directly or the image is read.
    void settle() const;
    // Drops what is still gathered or being drawn: the whole picture is about to be painted.
    void discard();

    // Writes the picture's pending fill, if there is one.
    void flushFill() const;
    // Paints the zones FillBoxes left waiting, with the white gathered before them, and
    // with `whiteOver` also the halos, white and text gathered since: all band by band.
    void paintZones(bool whiteOver) const;

    mutable QImage m_image; // const only to readers: Image() settles pending drawing
    // A fill of the whole picture not yet written, so that clearing it twice (Cls, then
    // BackColor, as every redraw begins) costs one pass, written before the next drawing.
    mutable std::optional<QRgb> m_pendingFill;
    mutable QPainter m_painter; // open only while text is drawn the slow way
    // Text is laid out by hand into buffers that outlive each label, so printing a label
    // allocates nothing once the buffers have grown to the longest one.
    QRawFont m_font;
    QGlyphRun m_glyphRun;
    std::vector<quint32> m_glyphs;
    std::vector<QPointF> m_advances;
    std::vector<QPointF> m_positions;
    int m_ascent = 0;     // of the font drawn with, in device pixels
    int m_lineHeight = 0; // of the scale-1 font, in picture pixels
    mutable WhiteLayer m_white;
    mutable std::unique_ptr<WhiteLayer> m_haloText; // made on first use
    bool m_haloOn = false;
    // Zones wait for the picture to be needed, so that the white drawn over them goes into
    // each band of rows while it is in the cache: at 4K a pass after them misses it.
    mutable ZoneFill m_zoneFill;
    std::vector<PixelBox> m_pixelBoxes;
    mutable bool m_zonesPending = false;
    std::optional<QRgb> m_zoneBackground;
    mutable std::unique_ptr<WhiteLayer> m_whiteUnder; // white drawn before waiting zones

    QSize m_picture;
    int m_scale;
    int m_deviceWidth;
    int m_deviceHeight;
    double m_x1 = 0, m_y1 = 0, m_x2 = 8055, m_y2 = 6615; // twips until the first Scale
    double m_currentX = 0, m_currentY = 0;
    QRgb m_backColor = rgbFromPacked(0);
    QRgb m_fillColor = rgbFromPacked(0);
    qint16 m_fillStyle = FillTransparent;
    int m_drawWidth = 1;
    int m_drawStyle = DrawSolid;
};

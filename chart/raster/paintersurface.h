// The chart as vectors: a Surface that paints with a QPainter on any paint device (Qt SVG's
// generator, a PDF writer), for pictures that print and enlarge sharp. It lays everything
// out as ImageSurface does, in the same user coordinates on a picture of the same size, so
// both show one picture; only how a shape becomes ink differs.
#pragma once

#include "surface.h"
#include "zonefill.h"

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

// In picture pixels (x to the right, y down), the painter's own units:
// - a point is the square of the picture pixel it falls in, DrawWidth w a w by w square;
// - a box is its exact rectangle; solid fills it, a hatch is drawn as lines through the
//   centres of the pixels that hatchSets() sets, as much ink as the raster's (1 pixel wide
//   across and down, 1/√2 on the diagonal), so the lines fall where the raster's do and the
//   gaps show what lies underneath;
// - a visible pen outlines the box in white, DrawWidth pixels inward;
// - text is the chart's face at 10 pixels, its cell's top-left corner on the pixel of the
//   current point, written as text (a viewer may select or search it).
// What lies wholly outside the picture is left out and boxes are cut at its edges, since
// an SVG viewer does not clip to a painter's clip. White points are gathered into one path
// until something else is drawn; white over white is white, so their order does not
// matter.
class PainterSurface : public Surface {
public:
    // Paints on `painter`, whose coordinates are taken as the pixels of a `picture`.
    PainterSurface(QPainter &painter, QSize picture);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface &) = delete;
    PainterSurface &operator=(const PainterSurface &) = delete;

    void Cls() override;
    void BackColor(PackedColor color) override;
    void Scale(double x1, double y1, double x2, double y2) override;
    void CurrentX(double x) override { m_currentX = x; }
    void CurrentY(double y) override { m_currentY = y; }
    void Print(const QString &text) override;
    void TextHalo(bool on) override { m_haloOn = on; }
    void DrawWidth(int pixels) override { m_drawWidth = qMax(1, pixels); }
    void DrawStyle(int style) override { m_drawStyle = style; }
    void FillColor(PackedColor color) override;
    void FillStyle(qint16 style) override { m_fillStyle = style; }
    void Line(double x, double y, double w, double h) override;
    void PSet(double x, double y, PackedColor color) override;
    // A vector picture has no pixels: a null image.
    const QImage &Image() const override;

    // The zone pass comes as one run, so that the boxes later ones hide are left out: at
    // the largest map most zones lie under others, and a drawing of every one of them would
    // be many megabytes of ink nobody sees. Whether a box shows is decided on the picture's
    // pixels, as the bitmap shows it.
    bool fillsBoxesTogether() const override { return true; }
    void FillBoxes(std::span<const FilledBox> boxes) override;

    // Paints the white points still gathered. The destructor does it too.
    void finish();

private:
    QPoint pixelAt(double x, double y) const;
    void fill(const QRectF &area, const QBrush &brush);

    QPainter &m_painter;
    QSize m_picture;
    QFont m_font;
    int m_ascent = 0;
    int m_lineHeight = 0;
    QPainterPath m_white;
    ZoneFill m_zoneFill;
    QImage m_zonePixels; // where ZoneFill finds which boxes show
    std::vector<PixelBox> m_pixelBoxes;
    std::vector<bool> m_shown;
    // Kept between calls: a painter takes a brush or pen equal to its own as no change,
    // and a vector device then starts no new group of attributes.
    QBrush m_fillBrush;
    QPen m_hatchPen;
    const QBrush m_whiteBrush{Qt::white};
    bool m_haloOn = false;
    const QPen m_haloPen{Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin};
    const QPen m_textPen{Qt::white};

    double m_x1 = 0, m_y1 = 0, m_x2 = 8055, m_y2 = 6615; // twips until the first Scale
    double m_currentX = 0, m_currentY = 0;
    PackedColor m_backColor = 0;
    PackedColor m_fillColor = 0;
    qint16 m_fillStyle = FillTransparent;
    int m_drawWidth = 1;
    int m_drawStyle = DrawSolid;
};

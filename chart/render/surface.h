// What the chart asks of the picture it draws on: user coordinates, clearing, text at a
// current point, pen and fill state, boxes, points and the persistent image. The renderer
// only talks to this interface; ImageSurface draws pixels, RecordingSurface lists calls.
#pragma once

#include "chartview.h"
#include "palette.h"
#include "records.h"

#include <QImage>
#include <QString>
#include <QtGlobal>

#include <span>

// Pen styles the chart uses. Any other value draws like a solid pen.
enum DrawStyleCode : int {
    DrawSolid = 0,
    DrawInvisible = 5,
};

// One box of a run for FillBoxes: corner and step as Line takes them, with its own fill.
struct FilledBox {
    double x, y, w, h;
    PackedColor color;
    qint16 style;
};

class Surface {
public:
    virtual ~Surface() = default;

    // Erases all drawing and text to the background colour; the current point goes to (0, 0).
    virtual void Cls() = 0;
    // Sets the background colour and paints the whole picture with it.
    virtual void BackColor(PackedColor color) = 0;
    // User coordinates: (x1, y1) is the top-left corner, (x2, y2) the bottom-right one.
    // y1 > y2 makes Y grow upward. Fails with InvalidCall when an axis has no extent.
    virtual void Scale(double x1, double y1, double x2, double y2) = 0;
    virtual void CurrentX(double x) = 0;
    virtual void CurrentY(double y) = 0;
    // White text, top-left corner at the current point, no background box; afterwards the
    // current point is at the left edge of the next text line.
    virtual void Print(const QString &text) = 0;
    virtual void DrawWidth(int pixels) = 0;
    virtual void DrawStyle(int style) = 0;
    virtual void FillColor(PackedColor color) = 0;
    // FillStyle codes of palette.h; a code outside 0..7 fills nothing.
    virtual void FillStyle(qint16 style) = 0;
    // The box form "Line (x, y)-Step(w, h), , B", the only one the chart draws: outline in
    // the current pen, inside in the current fill.
    virtual void Line(double x, double y, double w, double h) = 0;
    // One point DrawWidth pixels wide; (x, y) becomes the current point.
    virtual void PSet(double x, double y, PackedColor color) = 0;
    // The persistent picture; what the window shows and what saving writes.
    virtual const QImage &Image() const = 0;

    // While on, printed text gets a black border one picture pixel wide around its glyphs
    // (all eight neighbours of each), under the text's own pixels, so that it reads over any
    // zone. Off until turned on; a surface that cannot draw one ignores it.
    virtual void TextHalo(bool on) { (void)on; }

    // Whether FillBoxes paints a run of boxes faster than one Line call per box. A surface
    // that answers no still takes FillBoxes, as the calls one by one.
    virtual bool fillsBoxesTogether() const { return false; }
    // Paints the boxes in order as an invisible pen with FillColor, FillStyle and Line would
    // one box after the other, and leaves that state behind: pen invisible, the last box's
    // fill.
    virtual void FillBoxes(std::span<const FilledBox> boxes);
};

// The most times larger any surface draws the chart.
constexpr int kMaxChartScale = 8;

// What every Scale checks: finite corners and some extent on both axes, else InvalidCall.
void checkScaleWindow(double x1, double y1, double x2, double y2);

// The procedures as plainly written, kept here only to measure Kavora against: the same
// input and the same results, without any of the work that makes Kavora fast.
#pragma once

#include "records.h"
#include "status.h"
#include "surface.h"

#include <QFont>
#include <QImage>

#include <memory>
#include <vector>

namespace baseline {

// The planet table as the map procedure grows it: before each planet a new array one slot
// longer takes over the references, and the slot's record is created on first use.
using GrownTable = std::vector<std::unique_ptr<Star_Object>>;

struct MapRead {
    GrownTable stars;
    qint16 maxX = 0;
    double maxY = 0;
};

// Reads a map dump file the way the procedure does.
MapRead readMap(const QString &path, const StatusFn &status);

// Merges a report file: each line looks for its planet by a linear scan from the first
// record, and the table is then sorted with both populations parsed at every comparison
// (the literal sort, quadratic on runs of equal keys; run it on a thread with a large
// stack at the largest sizes).
void mergeReport(Globals &globals, const QString &path, const StatusFn &status);

// Kavora's own merge as it stood before reports became steps of a history: the same fast
// reading, lookup and sort, each line applied as it is read, totals added line by line
// and nothing recorded. What the history step costs is measured against it.
void mergeWithoutHistory(Globals &globals, const QString &path, const StatusFn &status);

// A surface that asks the toolkit for every call on its own: each box gets a fresh painter
// and a fresh brush in one of Qt's hatch patterns, each text a fresh painter and the font.
class PainterSurface : public Surface {
public:
    PainterSurface();

    void Cls() override;
    void BackColor(PackedColor color) override;
    void Scale(double x1, double y1, double x2, double y2) override;
    void CurrentX(double x) override { m_currentX = x; }
    void CurrentY(double y) override { m_currentY = y; }
    void Print(const QString &text) override;
    void DrawWidth(int pixels) override { m_drawWidth = pixels; }
    void DrawStyle(int style) override { m_drawStyle = style; }
    void FillColor(PackedColor color) override { m_fillColor = color; }
    void FillStyle(qint16 style) override { m_fillStyle = style; }
    void Line(double x, double y, double w, double h) override;
    void PSet(double x, double y, PackedColor color) override;
    const QImage &Image() const override { return m_image; }

private:
    QPointF device(double x, double y) const;

    QImage m_image;
    QFont m_font;
    double m_x1 = 0, m_y1 = 0, m_x2 = 8055, m_y2 = 6615;
    double m_currentX = 0, m_currentY = 0;
    PackedColor m_backColor = 0;
    PackedColor m_fillColor = 0;
    qint16 m_fillStyle = 1;
    int m_drawWidth = 1;
    int m_drawStyle = 0;
};

} // namespace baseline

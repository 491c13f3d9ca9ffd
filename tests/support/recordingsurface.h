// A surface that draws nothing and lists what it was asked, one line per call, for tests
// that care about the calls rather than the pixels: "Scale 950 1850 2150 950",
// "FillColor 0x0000FF", "Print Beta Zorn".
#pragma once

#include "surface.h"

#include <QStringList>

class RecordingSurface : public Surface {
public:
    void Cls() override { m_calls << QStringLiteral("Cls"); }
    void BackColor(PackedColor color) override { addColour(u"BackColor", color); }
    void Scale(double x1, double y1, double x2, double y2) override;
    void CurrentX(double x) override { addNumber(u"CurrentX", x); }
    void CurrentY(double y) override { addNumber(u"CurrentY", y); }
    void Print(const QString &text) override { m_calls << QStringLiteral("Print ") + text; }
    void DrawWidth(int pixels) override { addNumber(u"DrawWidth", pixels); }
    void DrawStyle(int style) override { addNumber(u"DrawStyle", style); }
    void FillColor(PackedColor color) override { addColour(u"FillColor", color); }
    void FillStyle(qint16 style) override { addNumber(u"FillStyle", style); }
    void Line(double x, double y, double w, double h) override;
    void PSet(double x, double y, PackedColor color) override;
    void TextHalo(bool on) override { addNumber(u"TextHalo", on); }
    // Always a null image: nothing is drawn.
    const QImage &Image() const override { return m_image; }

    const QStringList &calls() const { return m_calls; }
    // The texts of the Print calls, in order.
    QStringList printed() const;
    void clear() { m_calls.clear(); }

private:
    void addNumber(QStringView name, double value);
    void addColour(QStringView name, PackedColor color);

    QStringList m_calls;
    QImage m_image;
};

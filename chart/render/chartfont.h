// The labels' font and how wide a text is in it. The face is bundled with Kavora, so the
// chart has the same pixels on every machine whatever fonts it has installed.
#pragma once

#include "labelplacer.h"

#include <QRawFont>

#include <array>
#include <memory>

// DejaVu Sans at 10 pixels times `scale`, monochrome, fully hinted.
QRawFont chartFont(int scale = 1);
// The bundled face's family name, for painters that take a QFont (vector pictures).
QString chartFontFamily();

// Text widths and the line height in picture pixels, as a surface drawn `scale` times
// larger lays text out: glyph after glyph at the advances of the font of that scale. A
// width reaches as far as the advances or the farthest ink, whichever is more (a trailing
// "f" paints past its advance), rounded up to whole picture pixels. Each character is
// looked up once.
class ChartTextMetric : public TextMeasure {
public:
    explicit ChartTextMetric(int scale = 1);
    ~ChartTextMetric() override;
    ChartTextMetric(const ChartTextMetric &) = delete;
    ChartTextMetric &operator=(const ChartTextMetric &) = delete;

    int width(QStringView text) override;
    int height() const override { return m_height; }
    int scale() const { return m_scale; }

private:
    // A character's advance and how far right its ink reaches from its pen position, in
    // device pixels. The hinted font's advances are whole pixels; a fractional one sends
    // the text to the slow path, which sums them as they are.
    struct Glyph {
        int advance = -1; // < 0: not looked up yet
        int ink = 0;
        bool fractional = false;
    };
    const Glyph &glyph(QChar c)
    {
        Glyph &g = c.unicode() < kLatin ? m_latin[c.unicode()] : other(c);
        if (g.advance < 0)
            lookUp(g, c);
        return g;
    }
    Glyph &other(QChar c);
    void lookUp(Glyph &g, QChar c) const;
    int slowWidth(QStringView text) const;

    static constexpr int kLatin = 256;
    QRawFont m_font;
    int m_scale;
    int m_height = 0;
    // Per UTF-16 code unit: Latin-1 at hand, the rest in blocks of 256 made when first
    // used, so a metric costs little to make and a label's characters cost one look each.
    std::array<Glyph, kLatin> m_latin;
    std::array<std::unique_ptr<Glyph[]>, 256> m_blocks;
};

// `text`, or as much of it as fits `width` picture pixels with "…" after it.
QString elidedText(const QString &text, int width, ChartTextMetric &metric);

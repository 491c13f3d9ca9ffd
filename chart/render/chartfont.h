// The labels' font and how wide a text is in it. The face is bundled with Kavora, so the
// chart has the same pixels on every machine whatever fonts it has installed.
#pragma once

#include "labelplacer.h"

#include <QRawFont>

#include <memory>

// DejaVu Sans at 10 pixels times `scale`, monochrome, fully hinted.
QRawFont chartFont(int scale = 1);

// Text widths and the line height in picture pixels, as a surface drawn `scale` times
// larger lays text out: glyph after glyph at the advances of the font of that scale, the
// sum rounded up to whole picture pixels. Each character's advance is looked up once.
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
    float advance(QChar c);
    double slowWidth(QStringView text) const;

    QRawFont m_font;
    int m_scale;
    int m_height = 0;
    std::unique_ptr<float[]> m_advances; // per UTF-16 code unit, in device pixels; < 0 unknown
};

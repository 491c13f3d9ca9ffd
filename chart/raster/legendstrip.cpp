#include "legendstrip.h"

#include "imagesurface.h"
#include "legend.h"

#include <QPainter>

#include <algorithm>

QImage chartWithLegend(const QImage &chart, const Globals &globals, int scale)
{
    scale = std::clamp(scale, 1, ImageSurface::kMaxScale);
    const QSize chartSize = chart.size() / scale;
    const QSize strip = legendStripSize(globals, chartSize.height(), scale);
    ImageSurface legend(strip, scale);
    drawLegend(legend, strip, globals, true, scale);

    QImage out(QSize(chartSize.width() + strip.width(), strip.height()) * scale,
               QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, chart);
    painter.drawImage(chartSize.width() * scale, 0, legend.Image());
    return out;
}

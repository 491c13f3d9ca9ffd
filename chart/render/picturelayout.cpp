#include "picturelayout.h"

#include "chartfont.h"
#include "legend.h"

#include <algorithm>

namespace {

constexpr int kTitleZoom = 2;
constexpr int kTitleMargin = 4; // above and below the text, in the title's own pixels

} // namespace

PictureLayout PictureLayout::single(QSize size, std::function<void(Surface &)> draw)
{
    PictureLayout layout;
    layout.size = size;
    layout.panes.push_back({QRect(QPoint(0, 0), size), 1, std::move(draw)});
    return layout;
}

void addLegendStrip(PictureLayout &layout, const Globals &globals, int scale)
{
    const QRect first = layout.panes.empty() ? QRect() : layout.panes.front().area;
    const QSize strip = legendStripSize(globals, first.height(), scale);
    const QRect area(QPoint(first.right() + 1, first.top()), strip);
    layout.panes.push_back({area, 1, [&globals, strip, scale](Surface &surface) {
                                drawLegend(surface, strip, globals, true, scale);
                            }});
    layout.size = layout.size.expandedTo(QSize(area.right() + 1, area.bottom() + 1));
}

int titleStripHeight()
{
    return kTitleZoom * (ChartTextMetric().height() + 2 * kTitleMargin);
}

void addTitleStrip(PictureLayout &layout, const QString &title, int scale)
{
    const int height = titleStripHeight();
    for (PicturePane &pane : layout.panes)
        pane.area.translate(0, height);
    const QSize own(layout.size.width() / kTitleZoom, height / kTitleZoom);
    const QRect area(QPoint(0, 0), own * kTitleZoom);
    layout.panes.push_back({area, kTitleZoom, [title, own, scale](Surface &surface) {
                                ChartTextMetric metric(scale * kTitleZoom);
                                const QString text = elidedText(title, own.width() - 2 * kTitleMargin, metric);
                                surface.Scale(0, 0, own.width(), own.height());
                                surface.CurrentX((own.width() - metric.width(text)) / 2);
                                surface.CurrentY(kTitleMargin);
                                surface.Print(text);
                            }});
    layout.size.setHeight(layout.size.height() + height);
    layout.title = title;
}

// A picture to keep or share, made of panes side by side: the chart or the explorer's view,
// the race legend as a strip beside the chart, a title strip above. Each pane draws itself
// through a Surface of its own, so the bitmap and the vector files put the same panes in
// the same places.
#pragma once

#include "records.h"
#include "surface.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

struct PicturePane {
    QRect area;   // in the whole picture's pixels
    int zoom = 1; // drawn this many times larger than the rest (the title's text)
    // Draws onto a black surface of area.size() / zoom pixels. May throw RunError.
    std::function<void(Surface &)> draw;
};

struct PictureLayout {
    QSize size;
    QString title; // what a vector file names itself, when given
    // In painting order: a later pane covers what an earlier one drew past its own area.
    std::vector<PicturePane> panes;

    // One pane filling a picture of `size`.
    static PictureLayout single(QSize size, std::function<void(Surface &)> draw);
};

// The race legend, totals included, as a strip right of the first pane: as tall as that
// pane or as its rows need, the picture widened and heightened to hold it.
void addLegendStrip(PictureLayout &layout, const Globals &globals, int scale);

// A strip above everything holding `title`, centred, in text twice the chart's size and
// cut with "…" where it is wider than the picture; the panes move down under it.
void addTitleStrip(PictureLayout &layout, const QString &title, int scale);

// The title strip's height in picture pixels.
int titleStripHeight();

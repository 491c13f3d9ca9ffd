// The part of the universe that the chart shows. Map units in, picture pixels out; no
// widget, no painter, so the window, the command line and the tests share it.
#pragma once

#include "records.h"

#include <QPointF>
#include <QSize>
#include <QtGlobal>

#include <optional>

// A user coordinate on one axis as a position in device pixels, 0 at the first edge of the
// picture. The surfaces and the views both use it, so a point lands on the same pixel in
// the picture as in the arithmetic of the windows and the tests.
inline double userToDevice(double value, double first, double last, int pixels)
{
    return (value - first) / (last - first) * pixels;
}

inline double deviceToUser(double position, double first, double last, int pixels)
{
    return first + position / pixels * (last - first);
}

struct ChartView {
    double left, top, right, bottom; // the picture's corners in map units; top > bottom
    double defaultX, defaultY;       // middle of the map's extent, where the "+" goes
    double centreX, centreY;         // the centre asked for, or the default on an axis given 0

    // Picture pixels (0 at the picture's top-left edge) of a map point, and back. The same
    // arithmetic as the surface's, so a point lands on the pixel the surface paints.
    QPointF toPixel(QPointF map, QSize picture) const;
    QPointF toMap(QPointF pixel, QSize picture) const;
    bool operator==(const ChartView &) const = default;
};

// The map's extent runs from 950 to maxX + 150 across and from 950 to maxY + 50 upward;
// an axis where the two meet gets one map unit, so that every accepted map can be drawn.
// `zoom` is the fraction of it cut away (0 shows it all); a centre of 0 on an axis means
// that axis's default. The window is (1 - zoom) of the extent, centred on the centre.
ChartView viewFor(double zoom, double centreX, double centreY, int maxX, double maxY);

// The view state a redraw leaves in the globals: View_Zoom the zoom as given, View_Center_X
// and View_Center_Y the centre used (an axis given 0 takes the map's middle), Y rounded half
// to even. Worked out before anything is stored, so a centre that cannot be stored changes
// nothing.
struct StoredView {
    std::optional<double> zoom;
    double centreX = 0;
    qint16 centreY = 0;

    // Throws Overflow when the centre Y does not fit 16 bits.
    static StoredView of(std::optional<double> zoom, const ChartView &view);
    void storeIn(Globals &globals) const;
};

// A zoom step as the fraction of the map cut away, in single precision: step 1 of 10 is
// 0.1f, which as a double is 0.10000000149...
double zoomForStep(qint16 step, qint16 steps);

// The centre a gesture may move to: each axis held inside the 16-bit range the centre Y is
// stored in, and kept off 0, which display_map reads as "the map's middle".
QPointF gestureCentre(QPointF centre);

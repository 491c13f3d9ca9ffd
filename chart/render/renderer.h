// Draws the whole chart onto a surface from the planet table: the view, the centre mark,
// the zones, then the dots and labels. No window here: the chart window and the command
// line call the same display_map, and the window keeps its hourglass around the call.
#pragma once

#include "chartview.h"
#include "planetgeometry.h"
#include "records.h"
#include "surface.h"

#include <optional>
#include <vector>

// What Place_Star draws with: the surface, the ticked boxes, and buffers that every planet
// of a redraw reuses, so labels and zones cost no allocation per planet.
struct ChartCanvas {
    ChartCanvas(Surface &surface, const LabelOptions &labels);

    Surface &surface;
    LabelOptions labels;
    QString label;
    std::vector<FilledBox> zones; // the zone pass's squares, for surfaces that fill together
};

// Place_Star's passes.
enum PlaceMode : qint16 {
    PlaceDotAndLabel = 0,
    PlaceZone = 1,
};

// Redraws everything: clears to black, stores the view state (View_Zoom = Zoom_Factor as
// given, View_Center_X and View_Center_Y = the centre used, Y rounded half to even), then,
// unless a window is minimised, sets the scale, prints "+" at the map's middle and draws
// the zone pass and the dot-and-label pass. A centre of 0 or unset on an axis asks for the
// default; an unset zoom is 0. Returns the view the picture was drawn with (its centre
// unrounded), which is what mouse positions must be read against.
// Throws RunError: Overflow when the centre Y does not fit 16 bits, InvalidCall at a zoom
// of 1, TypeMismatch for a coordinate that is not a number (the map reader rules that out).
ChartView display_map(Globals &globals, Surface &surface, const LabelOptions &labels,
                      std::optional<double> Zoom_Factor, std::optional<double> center_x,
                      std::optional<double> center_y, bool minimised = false);

// Draws the chart for `view` onto a surface already cleared: sets the scale to the view's
// corners, prints "+" at the map's middle, then the zone pass and the dot-and-label pass.
// display_map does this after computing the view; a view of another shape (a picture of its
// own size) draws the same way. Throws what the passes throw.
void drawChart(const Globals &globals, Surface &surface, const LabelOptions &labels,
               const ChartView &view);

// The zone pass: every owned planet's square, in table order, so later ones lie on top.
// A surface that fills boxes together gets them as one FillBoxes run and is left in the
// state Place_Star leaves; any other gets Place_Star's calls planet by planet. A planet
// that fails stops the pass either way with the zones before it painted.
void drawZones(ChartCanvas &canvas, const Globals &globals);
// The dot-and-label pass, in table order.
void drawDotsAndLabels(ChartCanvas &canvas, const Globals &globals);

// One planet in one pass: Mode PlaceZone draws an owned planet's square with an invisible
// pen in its colour and style, then puts the pen and fill back to solid white; Mode
// PlaceDotAndLabel sets the white dot and prints the label the ticked boxes ask for. Any
// other Mode draws nothing. An unset colour or style draws as black or solid.
void Place_Star(ChartCanvas &canvas, const Star_Object &Z, qint16 Mode);

// One box of side zone_size centred on (X, Y), with the current pen and fill.
void DrawSquare(Surface &surface, qint16 X, qint16 Y, double zone_size);

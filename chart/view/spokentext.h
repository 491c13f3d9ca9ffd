// What a screen reader says of a chart picture: the part of the map it shows and the planet
// picked on it. Plain sentences from the view and the planet record; the picture widget
// hands them on.
#pragma once

#include "chartview.h"
#include "explorerview.h"
#include "records.h"

#include <QString>

// "Alpha, owner Zorn, population 25,000, starbase SB" or "Beta, unowned, population
// unknown, no starbase"; the population grouped by the user's locale.
QString spokenPlanet(const Star_Object &planet);

// "Map from 950 to 2150 across and 950 to 1850 up, the whole map" or "..., 4 times closer
// than the whole map"; whole map units.
QString spokenExplorerView(const ExplorerView &view, const MapExtent &extent);

// "Map from 1250 to 1850 across and 1175 to 1625 up, zoom factor 0.5".
QString spokenChartView(const ChartView &view, double zoom);

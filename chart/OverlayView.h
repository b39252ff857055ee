#pragma once

#include "chart/Overlay.h"
#include "chart/View.h"
#include "plot/PlotSurface.h"

namespace sorkam::chart {

// Paints the chart as it shows the overlay in a view: the frame for the view's ranges, then the
// traces of each record the view shows in its colour, in the overlay's order, cut at the trace
// area's edges; where samples stand at least kPointSpacing units apart, each is marked as a point.
// For the whole ranges the frame and traces are the ones painted record by record.
void paintOverlay(PlotSurface& plotA, PlotSurface& plotB, const Overlay& overlay, const View& view);

// The frame for the view's index and value ranges.
void drawViewFrame(PlotSurface& surface, const View& view);

// One record's traces in color over what the surfaces show, as paintOverlay paints each.
void paintRecordOver(LineSurface& plotA, LineSurface& plotB, const Record& record, Color color,
                     const View& view);

// How far apart samples stand, in user units, before they are marked as points.
inline constexpr double kPointSpacing = 8.0;

} // namespace sorkam::chart

#pragma once

#include "plot/PlotSurface.h"

namespace sorkam {

// The chart's user coordinates: sample index i is drawn at x = i + 35 and sample value v at
// y = v + 25, so the axes cross at the trace origin (35, 25).
inline constexpr float kTraceOriginX = 35.0f;
inline constexpr float kTraceOriginY = 25.0f;
// The chart's scale: x 0..935 left to right, y 0..315 bottom to top.
inline constexpr float kChartWidth = 935.0f;
inline constexpr float kChartHeight = 315.0f;
// A trace joins samples 0..801 of a channel: 801 segments.
inline constexpr int kTraceSegments = 801;

// Paints the chart furniture on one surface: the scale (0, 315)-(935, 0), both axes, 13 value
// ticks and 17 index ticks with their labels, the dotted grid and three dashed reference lines.
// Never clears; painting it again paints the same pixels.
void drawFrameOn(PlotSurface& surface);

// Paints the frame on plotA completely, then on plotB.
void drawFrame(PlotSurface& plotA, PlotSurface& plotB);

} // namespace sorkam

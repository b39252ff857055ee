#pragma once

#include "plot/PlotGeometry.h"
#include "plot/PlotSurface.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace sorkam {

// The chart's user coordinates: sample index i is drawn at x = i + 35 and sample value v at
// y = v + 25, so the axes cross at the trace origin (35, 25).
inline constexpr float kTraceOriginX = 35.0f;
inline constexpr float kTraceOriginY = 25.0f;
// The chart's scale: x 0..935 left to right, y 0..315 bottom to top.
inline constexpr float kChartWidth = 935.0f;
inline constexpr float kChartHeight = 315.0f;
// The chart's scale as setScale takes it, (0, 315)-(935, 0); as a user scale.
void setChartScale(PlotSurface& surface);
inline constexpr UserScale kChartScale{0.0f, kChartHeight, kChartWidth, -kChartHeight};
// A trace joins samples 0..801 of a channel: 801 segments.
inline constexpr int kTraceSegments = 801;

// Where the index axis has its numbered ticks (the user x and the index printed below it) and its
// grid's dotted columns (user x).
struct IndexAxis {
    std::vector<std::pair<float, std::int16_t>> ticks;
    std::vector<float> columns;
};

// The whole chart's index axis: ticks every 50 samples from 50 to 850, columns every 25 from 0.
[[nodiscard]] const IndexAxis& wholeIndexAxis();

// Paints the chart furniture on one surface: the scale (0, 315)-(935, 0), both axes, 13 value
// ticks and the index axis's ticks with their labels, the dotted grid and three dashed reference
// lines. Never clears; painting it again paints the same pixels.
void drawFrameOn(PlotSurface& surface, const IndexAxis& axis = wholeIndexAxis());

// Paints the frame on plotA completely, then on plotB.
void drawFrame(PlotSurface& plotA, PlotSurface& plotB);

} // namespace sorkam

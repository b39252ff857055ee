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
// The value axis runs from value 0 at y 25 up to 265 at y 290.
inline constexpr double kValueSpan = 265.0;

// Where the index axis has its numbered ticks (the user x and the index printed below it) and its
// grid's dotted columns (user x).
struct IndexAxis {
    std::vector<std::pair<float, std::int16_t>> ticks;
    std::vector<float> columns;
};

// Where the value axis has its numbered ticks (the user y and the value printed beside it), its
// grid's dotted rows and its dashed reference lines (user y).
struct ValueAxis {
    std::vector<std::pair<float, std::int16_t>> ticks;
    std::vector<float> rows;
    std::vector<float> references;
};

// The whole chart's index axis: ticks every 50 samples from 50 to 850, columns every 25 from 0.
[[nodiscard]] const IndexAxis& wholeIndexAxis();
// The whole chart's value axis: 13 ticks every 20 levels from 20 to 260, rows every 10 from 0 to
// 260, and dashed lines at 50, 100 and 200.
[[nodiscard]] const ValueAxis& wholeValueAxis();

// Paints the chart furniture on one surface: the scale (0, 315)-(935, 0), both axes, their ticks
// with labels, the dotted grid and the dashed reference lines. Never clears; painting it again
// paints the same pixels.
void drawFrameOn(PlotSurface& surface, const IndexAxis& axis = wholeIndexAxis(),
                 const ValueAxis& values = wholeValueAxis());

// Paints the frame on plotA completely, then on plotB.
void drawFrame(PlotSurface& plotA, PlotSurface& plotB);

} // namespace sorkam

#pragma once

#include "plot/ShapeRuns.h"

#include <cstddef>
#include <cstdint>

namespace sorkam::exporting {

// What the export tool's pictures are made of, kept at build time (tools/make_chart_tables) from
// the viewer's own surface, frame and fonts: the tool paints the viewer's pixels with no toolkit
// and no fonts at run time.

using sorkam::ShapeRun;

// The shapes of the lines from (0, 0) to (dx, dy) for dx 0..kShapeMaxDx and dy -kShapeMaxDy ..
// kShapeMaxDy, all that trace segments come to at scales 1 to 4: shape k = dx * kShapeRows + dy +
// kShapeMaxDy holds the runs kShapeRuns[kShapeFirst[k]] up to kShapeRuns[kShapeFirst[k + 1]].
inline constexpr int kShapeMaxDx = 4;
inline constexpr int kShapeMaxDy = 800;
inline constexpr int kShapeRows = 2 * kShapeMaxDy + 1;
extern const ShapeRun kShapeRuns[];
extern const std::uint32_t kShapeFirst[];

// The chart with no record on it at one scale: the picture's size and dots per inch, where its
// plot areas lie, its colours (0xRRGGBB) and its pixels as indices into them, row after row,
// zlib-compressed.
struct BareChartTable {
    int width;
    int height;
    int dpi;
    int plotALeft;
    int plotATop;
    int plotBLeft;
    int plotBTop;
    int plotWidth;
    int plotHeight;
    const std::uint32_t* palette;
    int paletteSize;
    const unsigned char* pixels;
    std::size_t pixelsSize;
};

// Scales 1 to kLargestScale, in order.
inline constexpr int kLargestScale = 4;
extern const BareChartTable kBareCharts[kLargestScale];

} // namespace sorkam::exporting

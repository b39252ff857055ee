#pragma once

#include "plot/PlotGeometry.h"

#include <cstdint>

namespace sorkam {

// A column of pixels of a painted shape (a line, a number), relative to the shape's start point:
// count pixels down from (dx, dy). The window's surface keeps the shapes QPainter paints as runs
// as it meets them; the export tool has the trace segments' runs from build time.
struct ShapeRun {
    std::int16_t dx;
    std::int16_t dy;
    std::int16_t count;
};

// The runs first up to last painted with their start at `at` on a picture width by height pixels,
// those outside it left out: set(x, y) for each pixel.
template <typename Set>
void paintRuns(const ShapeRun* first, const ShapeRun* last, PixelPoint at, int width, int height,
               Set set) {
    for (const ShapeRun* run = first; run != last; ++run) {
        const int x = at.x + run->dx;
        if (x < 0 || x >= width) {
            continue;
        }
        for (int k = 0; k < run->count; ++k) {
            const int y = at.y + run->dy + k;
            if (y >= 0 && y < height) {
                set(x, y);
            }
        }
    }
}

} // namespace sorkam

#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace sorkam::chart {

// What the index range and the value range share: ends on a grid, a place within the whole
// chart, and round steps for their numbers.

// Range ends lie on a grid of 1/1024: exact in binary and in the fewest decimals that a picture's
// text writes, so a range written down reads back as wide as it was (in binary, 8.7 - 0.7 is
// 7.999999999999999).
[[nodiscard]] double onGrid(double at);

// A span width wide (at least narrowest, at most the whole least..most) starting at first, moved
// to lie within least..most; its ends on the grid.
[[nodiscard]] std::pair<double, double> spanWithin(double first, double width, double narrowest,
                                                   double least, double most);

// The smallest round step (1, 2 or 5 times a power of ten, at least 1) of wanted or more.
[[nodiscard]] double roundStep(double wanted);

// Where the grid lines of an axis stand for its numbers' step: at half the step where the step is
// even, else at the step itself.
[[nodiscard]] double gridStep(double step);

// An axis's numbers and grid lines over from..to, for a step: the numbered ticks at each multiple
// of the step (the user place and the number), but for one within a unit of origin, where the
// other axis stands, and the grid lines at each multiple of the step's grid step. place gives a
// value's user place along the axis.
struct SteppedAxis {
    std::vector<std::pair<float, std::int16_t>> ticks;
    std::vector<float> lines;
};
[[nodiscard]] SteppedAxis steppedAxis(double from, double to, double step, float origin,
                                      const std::function<float(double)>& place);

} // namespace sorkam::chart

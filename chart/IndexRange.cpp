#include "chart/IndexRange.h"

#include <algorithm>
#include <cmath>

namespace sorkam::chart {

namespace {

constexpr double kWhole = kTraceSegments;
// The whole chart's ticks stand 50 units apart, room for a three-digit number.
constexpr double kTickSpacing = 45.0;

// Range ends lie on a grid of 1/1024 sample: exact in binary and in the fewest decimals that a
// picture's text writes, so a range written down reads back as wide as it was (in binary,
// 8.7 - 0.7 is 7.999999999999999).
constexpr double kGrid = 1024.0;

double onGrid(double index) {
    return std::round(index * kGrid) / kGrid;
}

IndexRange within(double first, double width) {
    width = onGrid(std::clamp(width, kNarrowestRange, kWhole));
    first = std::clamp(onGrid(first), 0.0, kWhole - width);
    return {first, first + width};
}

} // namespace

float IndexRange::xOf(double index) const {
    return static_cast<float>(kTraceOriginX + (index - first) * kWhole / width());
}

double IndexRange::indexAt(double x) const {
    return first + (x - kTraceOriginX) * width() / kWhole;
}

int columnOfIndex(const IndexRange& range, double index, int width) {
    return static_cast<int>(std::lround(range.xOf(index) * (width - 1) / kChartWidth));
}

double indexAtColumn(const IndexRange& range, int column, int width) {
    return range.indexAt(column * static_cast<double>(kChartWidth) / std::max(width - 1, 1));
}

IndexRange zoomed(const IndexRange& range, double factor, double around) {
    const double width = std::clamp(range.width() * factor, kNarrowestRange, kWhole);
    const double share = (around - range.first) / range.width();
    return within(around - share * width, width);
}

IndexRange panned(const IndexRange& range, double samples) {
    return within(range.first + samples, range.width());
}

IndexAxis indexAxisFor(const IndexRange& range) {
    if (range.whole()) {
        return wholeIndexAxis();
    }
    // The smallest round step whose ticks stand kTickSpacing units apart.
    const double wanted = range.width() * kTickSpacing / kWhole;
    double step = 1.0;
    for (double power = 1.0; step < wanted; power *= 10.0) {
        for (const double m : {1.0, 2.0, 5.0}) {
            step = m * power;
            if (step >= wanted) {
                break;
            }
        }
    }
    IndexAxis axis;
    const double columnStep = std::fmod(step, 2.0) == 0.0 ? step / 2.0 : step;
    for (double i = std::ceil(range.first / columnStep) * columnStep; i <= range.last;
         i += columnStep) {
        axis.columns.push_back(range.xOf(i));
    }
    for (double i = std::ceil(range.first / step) * step; i <= range.last; i += step) {
        if (range.xOf(i) > kTraceOriginX + 1.0f) { // none on the vertical axis, as in the whole
            axis.ticks.emplace_back(range.xOf(i), static_cast<std::int16_t>(i));
        }
    }
    return axis;
}

} // namespace sorkam::chart

#include "chart/IndexRange.h"

#include "chart/AxisSteps.h"

#include <algorithm>
#include <cmath>

namespace sorkam::chart {

namespace {

constexpr double kWhole = kTraceSegments;
// The whole chart's ticks stand 50 units apart, room for a three-digit number.
constexpr double kTickSpacing = 45.0;

IndexRange within(double first, double width) {
    const auto [from, to] = spanWithin(first, width, kNarrowestRange, 0.0, kWhole);
    return {from, to};
}

} // namespace

float IndexRange::xOf(double index) const {
    return static_cast<float>(kTraceOriginX + (index - first) * areaWidth() / width());
}

double IndexRange::indexAt(double x) const {
    return first + (x - kTraceOriginX) * width() / areaWidth();
}

int columnOfIndex(const IndexRange& range, double index, int width) {
    return static_cast<int>(std::lround(range.xOf(index) * (width - 1) / kChartWidth));
}

double indexAtColumn(const IndexRange& range, int column, int width) {
    return range.indexAt(column * static_cast<double>(kChartWidth) / std::max(width - 1, 1));
}

IndexRange zoomed(const IndexRange& range, double factor, double around) {
    const double width = std::clamp(range.width() * factor, kNarrowestRange, kWhole);
    // A zoomed range's trace area is wider than the whole chart's.
    const double share = (range.xOf(around) - kTraceOriginX) / (kZoomedTraceEnd - kTraceOriginX);
    return within(around - share * width, width);
}

IndexRange indexRangeBetween(double a, double b) {
    const double width = std::max(std::abs(b - a), kNarrowestRange);
    return within((a + b) / 2.0 - width / 2.0, width);
}

IndexRange centredOn(double index, double width) {
    return within(index - width / 2.0, width);
}

IndexRange panned(const IndexRange& range, double samples) {
    return within(range.first + samples, range.width());
}

IndexAxis indexAxisFor(const IndexRange& range) {
    if (range.whole()) {
        return wholeIndexAxis();
    }
    // The smallest round step whose ticks stand kTickSpacing units apart.
    const double step = roundStep(range.width() * kTickSpacing / range.areaWidth());
    // None on the vertical axis, as in the whole.
    SteppedAxis stepped = steppedAxis(range.first, range.last, step, kTraceOriginX,
                                      [&range](double i) { return range.xOf(i); });
    IndexAxis axis;
    axis.ticks = std::move(stepped.ticks);
    axis.columns = std::move(stepped.lines);
    return axis;
}

} // namespace sorkam::chart

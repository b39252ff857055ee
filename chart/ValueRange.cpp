#include "chart/ValueRange.h"

#include "chart/AxisSteps.h"

#include <algorithm>
#include <cmath>

namespace sorkam::chart {

namespace {

// The whole chart's value ticks stand 20 units apart, room for a number's height.
constexpr double kTickSpacing = 20.0;

ValueRange within(double low, double height) {
    const auto [from, to] = spanWithin(low, height, kNarrowestValues, kValueSpan);
    return {from, to};
}

} // namespace

float ValueRange::yOf(double value) const {
    return static_cast<float>(kTraceOriginY + (value - low) * kValueSpan / height());
}

double ValueRange::valueAt(double y) const {
    return low + (y - kTraceOriginY) * height() / kValueSpan;
}

ValueRange zoomedValues(const ValueRange& values, double factor, double around) {
    const double height = std::clamp(values.height() * factor, kNarrowestValues, kValueSpan);
    const double share = (around - values.low) / values.height();
    return within(around - share * height, height);
}

ValueRange valuesBetween(double a, double b) {
    const double low = std::min(a, b);
    const double height = std::max(std::abs(b - a), kNarrowestValues);
    return within((low + std::max(a, b)) / 2.0 - height / 2.0, height);
}

std::optional<ValueRange> fittedValues(const Overlay& overlay,
                                       const std::vector<std::int16_t>& hidden,
                                       const IndexRange& range) {
    const auto from = static_cast<std::size_t>(std::max(0.0, std::floor(range.first)));
    const auto to = static_cast<std::size_t>(
        std::min(static_cast<double>(kTraceSegments), std::ceil(range.last)));
    int least = 255;
    int greatest = 0;
    bool any = false;
    for (const OverlayRecord& shown : overlay.records()) {
        if (std::find(hidden.begin(), hidden.end(), shown.number) != hidden.end()) {
            continue;
        }
        any = true;
        for (const ChannelBuffer& channel : shown.record.channels) {
            const auto [lo, hi] =
                std::minmax_element(channel.begin() + from, channel.begin() + to + 1);
            least = std::min<int>(least, *lo);
            greatest = std::max<int>(greatest, *hi);
        }
    }
    if (!any) {
        return std::nullopt;
    }
    // The margin is cut where the chart ends rather than moved to the other side.
    const double margin = std::max(1.0, (greatest - least) / 20.0);
    return valuesBetween(std::max(0.0, least - margin), std::min(kValueSpan, greatest + margin));
}

ValueAxis valueAxisFor(const ValueRange& values) {
    if (values.whole()) {
        return wholeValueAxis();
    }
    const double step = roundStep(values.height() * kTickSpacing / kValueSpan);
    // None on the index axis, as in the whole.
    SteppedAxis stepped = steppedAxis(values.low, values.high, step, kTraceOriginY,
                                      [&values](double v) { return values.yOf(v); });
    ValueAxis axis;
    axis.ticks = std::move(stepped.ticks);
    axis.rows = std::move(stepped.lines);
    for (const double v : {50.0, 100.0, 200.0}) {
        if (v >= values.low && v <= values.high) {
            axis.references.push_back(values.yOf(v));
        }
    }
    return axis;
}

int rowOfValue(const ValueRange& values, double value, int height) {
    return static_cast<int>(
        std::lround((kChartHeight - values.yOf(value)) * (height - 1) / kChartHeight));
}

double valueAtRow(const ValueRange& values, int row, int height) {
    return values.valueAt(kChartHeight -
                          row * static_cast<double>(kChartHeight) / std::max(height - 1, 1));
}

} // namespace sorkam::chart

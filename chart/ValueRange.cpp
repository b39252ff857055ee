#include "chart/ValueRange.h"

#include "chart/AxisSteps.h"

#include <algorithm>
#include <cmath>

namespace sorkam::chart {

namespace {

// The whole chart's value ticks stand 20 units apart, room for a number's height.
constexpr double kTickSpacing = 20.0;

ValueRange within(const ValueRange& whole, double low, double height) {
    const auto [from, to] = spanWithin(low, height, kNarrowestValues, whole.least, whole.most);
    return {from, to, whole.least, whole.most};
}

} // namespace

float ValueRange::yOf(double value) const {
    return static_cast<float>(kTraceOriginY + (value - low) * kValueSpan / height());
}

double ValueRange::valueAt(double y) const {
    return low + (y - kTraceOriginY) * height() / kValueSpan;
}

ValueRange zoomedValues(const ValueRange& values, double factor, double around) {
    const double height =
        std::clamp(values.height() * factor, kNarrowestValues, values.most - values.least);
    const double share = (around - values.low) / values.height();
    return within(values, around - share * height, height);
}

ValueRange valuesBetween(double a, double b, const ValueRange& whole) {
    const double low = std::min(a, b);
    const double height = std::max(std::abs(b - a), kNarrowestValues);
    return within(whole, (low + std::max(a, b)) / 2.0 - height / 2.0, height);
}

std::optional<ValueRange> fittedValues(const Overlay& overlay,
                                       const std::vector<std::int64_t>& hidden,
                                       const IndexRange& range, const ValueRange& whole,
                                       const Record* reference) {
    const auto from = static_cast<std::size_t>(std::max(0.0, std::floor(range.first)));
    const auto to = static_cast<std::size_t>(
        std::min(static_cast<double>(kTraceSegments), std::ceil(range.last)));
    int least = 255;
    int greatest = -255;
    bool any = false;
    for (const OverlayRecord& shown : overlay.records()) {
        if (std::find(hidden.begin(), hidden.end(), shown.number) != hidden.end()) {
            continue;
        }
        any = true;
        for (std::size_t c = 0; c < shown.record.channels.size(); ++c) {
            const ChannelBuffer& channel = shown.record.channels[c];
            if (reference == nullptr) {
                const auto [lo, hi] =
                    std::minmax_element(channel.begin() + from, channel.begin() + to + 1);
                least = std::min<int>(least, *lo);
                greatest = std::max<int>(greatest, *hi);
                continue;
            }
            for (std::size_t i = from; i <= to; ++i) {
                const int v = channel[i] - reference->channels[c][i];
                least = std::min(least, v);
                greatest = std::max(greatest, v);
            }
        }
    }
    if (!any) {
        return std::nullopt;
    }
    // The margin is cut where the chart ends rather than moved to the other side.
    const double margin = std::max(1.0, (greatest - least) / 20.0);
    return valuesBetween(std::max(whole.least, least - margin),
                         std::min(whole.most, greatest + margin), whole);
}

ValueAxis valueAxisFor(const ValueRange& values) {
    if (values.whole() && !values.differences()) {
        return wholeValueAxis();
    }
    const double step = roundStep(values.height() * kTickSpacing / kValueSpan);
    // None on the index axis, as in the whole.
    SteppedAxis stepped = steppedAxis(values.low, values.high, step, kTraceOriginY,
                                      [&values](double v) { return values.yOf(v); });
    ValueAxis axis;
    axis.ticks = std::move(stepped.ticks);
    axis.rows = std::move(stepped.lines);
    const std::vector<double> marked =
        values.differences() ? std::vector<double>{0.0} : std::vector<double>{50.0, 100.0, 200.0};
    for (const double v : marked) {
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

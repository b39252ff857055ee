#pragma once

#include "chart/IndexRange.h"
#include "chart/Overlay.h"
#include "plot/PlotFrame.h"

#include <optional>

namespace sorkam::chart {

// The sample values the chart shows up its trace area, y 25 to 290: the whole chart shows 0 to 265,
// one user unit a level. Zooming narrows the range; both plots share it. The differences from a
// reference have a whole range of their own, -255 to 255.
struct ValueRange {
    double low = 0.0;
    double high = kValueSpan;
    double least = 0.0; // the whole range's ends
    double most = kValueSpan;

    [[nodiscard]] bool whole() const { return low <= least && high >= most; }
    [[nodiscard]] bool differences() const { return least < 0.0; }
    [[nodiscard]] double height() const { return high - low; }
    // The user y of a value, and the value at a user y.
    [[nodiscard]] float yOf(double value) const;
    [[nodiscard]] double valueAt(double y) const;
};

// The fewest levels a value range shows.
inline constexpr double kNarrowestValues = 4.0;
// The whole range of the differences from a reference.
inline constexpr double kLargestDifference = 255.0;
inline constexpr ValueRange kDifferenceValues{-kLargestDifference, kLargestDifference,
                                              -kLargestDifference, kLargestDifference};

// The range factor times as tall (below 1 zooms in), keeping the value around where it is, within
// its whole range and no narrower than kNarrowestValues; its ends on 1/1024ths of a level.
[[nodiscard]] ValueRange zoomedValues(const ValueRange& values, double factor, double around);
// The values between two levels, in either order, as zooming keeps them within the whole range
// of within (the samples' by default).
[[nodiscard]] ValueRange valuesBetween(double a, double b, const ValueRange& within = {});
// The values the shown records of an overlay take over the samples of a range, all four
// channels (less the reference's samples where there is one), with a margin of a twentieth of
// their span (at least one level) each side, within the whole range of within; nothing when no
// record is shown.
[[nodiscard]] std::optional<ValueRange> fittedValues(const Overlay& overlay,
                                                     const std::vector<std::int64_t>& hidden,
                                                     const IndexRange& range,
                                                     const ValueRange& within = {},
                                                     const Record* reference = nullptr);

// The value axis for a range: the whole chart's for the samples' whole range, else numbered ticks
// at a round step far enough apart for their numbers, grid rows at the step's grid step, and the
// dashed lines at 50, 100 and 200 where they are in the range (for differences, one at 0).
[[nodiscard]] ValueAxis valueAxisFor(const ValueRange& values);

// The one conversion between a plot's pixel rows and sample values: the row of a value on a plot
// height pixels tall, and the value at a row.
[[nodiscard]] int rowOfValue(const ValueRange& values, double value, int height);
[[nodiscard]] double valueAtRow(const ValueRange& values, int row, int height);

} // namespace sorkam::chart

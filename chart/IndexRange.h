#pragma once

#include "plot/PlotFrame.h"

namespace sorkam::chart {

// The end of the trace area of a zoomed range: the index axis's end, x 900.
inline constexpr float kZoomedTraceEnd = 900.0f;

// The sample indices the chart shows across its trace area: the whole chart shows 0 to 801 from
// x 35 to 836, one user unit a sample; a zoomed range fills the axis up to x 900. Zooming narrows
// the range; both plots share it.
struct IndexRange {
    double first = 0.0;
    double last = kTraceSegments;

    [[nodiscard]] bool whole() const { return first <= 0.0 && last >= kTraceSegments; }
    [[nodiscard]] double width() const { return last - first; }
    // The trace area's end and width in user units.
    [[nodiscard]] float traceEnd() const {
        return whole() ? kTraceOriginX + kTraceSegments : kZoomedTraceEnd;
    }
    [[nodiscard]] double areaWidth() const { return traceEnd() - kTraceOriginX; }
    // The user x of an index, and the index at a user x.
    [[nodiscard]] float xOf(double index) const;
    [[nodiscard]] double indexAt(double x) const;
};

// The fewest samples a range shows.
inline constexpr double kNarrowestRange = 8.0;

// The range factor times as wide (below 1 zooms in), keeping the index around where it is on the
// chart (at the same user x), within the whole chart and no narrower than kNarrowestRange. Zoomed
// and panned ranges start and end on whole 1/1024ths of a sample, which their decimals write
// exactly.
[[nodiscard]] IndexRange zoomed(const IndexRange& range, double factor, double around);
// The range between two indices, in either order, as zooming keeps it.
[[nodiscard]] IndexRange indexRangeBetween(double a, double b);
// The range width wide (as zooming keeps it) with index at its middle.
[[nodiscard]] IndexRange centredOn(double index, double width);
// The range moved by samples (negative: to the left), within the whole chart.
[[nodiscard]] IndexRange panned(const IndexRange& range, double samples);

// The index axis for a range: the whole chart's for the whole range, else numbered ticks at a
// round step far enough apart for their numbers, and grid columns at the step's grid step.
[[nodiscard]] IndexAxis indexAxisFor(const IndexRange& range);

// The one conversion between a plot's pixel columns and sample indices: the pixel column of an
// index on a plot width pixels wide, and the index at a column.
[[nodiscard]] int columnOfIndex(const IndexRange& range, double index, int width);
[[nodiscard]] double indexAtColumn(const IndexRange& range, int column, int width);

} // namespace sorkam::chart

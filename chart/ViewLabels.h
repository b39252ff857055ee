#pragma once

#include "chart/View.h"
#include "record/RecordFile.h"

#include <string>

namespace sorkam::chart {

// What the plots say of the view in words, in UTF-8: the cursors' read-out, a record's values at
// the cursors, and the part of the chart a zoomed view shows.

// The plots: 0 is VIDEO A (channels 1 and 3), 1 is VIDEO B (channels 2 and 4).
inline constexpr int kPlotCount = 2;
// "VIDEO A" or "VIDEO B".
[[nodiscard]] std::string plotName(int plot);
// The channel (0..3) a plot shows first and second.
[[nodiscard]] constexpr int channelOnPlot(int plot, int which) {
    return plot + 2 * which;
}

// "A 223  B 352  B−A 129" with both cursors set, "A 223" or "B 352" with one; empty with none.
[[nodiscard]] std::string cursorReadOut(const View& view);
// A record's samples at the cursors on a plot, its two channels' each: "A 120, 87  B 130, 90";
// empty with no cursor.
[[nodiscard]] std::string valuesAtCursors(const Record& record, const View& view, int plot);
// "index 200–600, values 40–120" while either axis is zoomed; empty for the whole chart. Ends are
// rounded to whole samples and levels, or to tenths where the range is narrower than 50.
[[nodiscard]] std::string zoomLabel(const View& view);

} // namespace sorkam::chart

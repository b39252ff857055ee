#pragma once

#include "chart/Overlay.h"
#include "chart/View.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sorkam::chart {

// A record as the legend lists it: its number, colour and header texts (as shown, marked
// "(reference)" for the reference, and "minus record N" in the difference view), whether its
// traces are shown, and its values at the cursors on each plot.
struct LegendEntry {
    std::int64_t number = 0;
    Color color = 0;
    std::string text;
    bool visible = true;
    std::array<std::string, 2> atCursors;
};

[[nodiscard]] LegendEntry legendEntry(std::int64_t number, const Record& record, const View& view);
// The legend of the records on the plots, in the overlay's order, hidden ones greyed.
[[nodiscard]] std::vector<LegendEntry> legendEntries(const Overlay& overlay, const View& view);
// Whether a plot (0: VIDEO A, 1: VIDEO B) shows the legend: VIDEO A whenever the view has it,
// VIDEO B too while a cursor is set, with its own channels' values.
[[nodiscard]] bool legendOnPlot(const View& view, int plot);

} // namespace sorkam::chart

#pragma once

#include "chart/Overlay.h"
#include "chart/View.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sorkam::chart {

// A record as the legend lists it: its number, colour and header texts (as shown), and whether
// its traces are shown.
struct LegendEntry {
    std::int64_t number = 0;
    Color color = 0;
    std::string text;
    bool visible = true;
};

[[nodiscard]] LegendEntry legendEntry(std::int64_t number, const Record& record,
                                      bool visible = true);
// The legend of the records on the plots, in the overlay's order, hidden ones greyed.
[[nodiscard]] std::vector<LegendEntry> legendEntries(const Overlay& overlay, const View& view);

} // namespace sorkam::chart

#pragma once

#include "chart/IndexRange.h"
#include "chart/ValueRange.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace sorkam::chart {

// What the plots show besides the records on them: the sample range and the value range, the
// cursors, the records hidden from the plots, and whether the legend is shown. The window's
// controller owns one; sorkam-export's --range, --values, --cursors and --legend give one.
struct View {
    IndexRange range;
    ValueRange values;
    std::optional<int> cursorA;
    std::optional<int> cursorB;
    std::vector<std::int16_t> hidden; // record numbers, in the order they were hidden
    bool legend = false;

    // Whether record n's traces are on the plots (when it is there at all).
    [[nodiscard]] bool shows(std::int64_t n) const;
    // Both whole ranges with every record: the plots as painted record by record.
    [[nodiscard]] bool plain() const { return zoomedOut() && hidden.empty(); }
    [[nodiscard]] bool zoomedOut() const { return range.whole() && values.whole(); }
};

// Record n hidden, or shown again.
void toggleHidden(View& view, std::int16_t n);
// Record n shown (it was painted again).
void unhide(View& view, std::int16_t n);
// A cursor at a sample index anywhere: the nearest sample, 0 to 801.
[[nodiscard]] int cursorIndex(double index);

} // namespace sorkam::chart

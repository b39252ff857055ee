#pragma once

#include "chart/IndexRange.h"
#include "chart/ValueRange.h"

#include "record/RecordFile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace sorkam::chart {

// A record the others are compared with: its number and samples, kept as they were read.
struct Reference {
    std::int64_t number = 0;
    Record record;
};

struct Density;

// What the plots show besides the records on them: the sample range and the value range, the
// cursors, the records hidden from the plots, whether the legend is shown, the reference with
// whether the plots show each record's differences from it, and a density under the records. The
// window's controller owns one; sorkam-export's --range, --values, --cursors and --legend give one.
struct View {
    IndexRange range;
    ValueRange values;
    std::optional<int> cursorA;
    std::optional<int> cursorB;
    std::vector<std::int64_t> hidden; // record numbers, in the order they were hidden
    bool legend = false;
    std::shared_ptr<const Reference> reference;
    bool difference = false; // the records minus the reference, on the differences' value range
    // How densely records' traces cover the plots, painted under the records; shared, so views
    // copy cheaply.
    std::shared_ptr<const Density> density;

    // Whether record n's traces are on the plots (when it is there at all).
    [[nodiscard]] bool shows(std::int64_t n) const;
    // Both whole ranges with every record as read: the plots as painted record by record.
    [[nodiscard]] bool plain() const {
        return zoomedOut() && hidden.empty() && !difference && !density;
    }
    [[nodiscard]] bool zoomedOut() const { return range.whole() && values.whole(); }
};

// Record n hidden, or shown again.
void toggleHidden(View& view, std::int64_t n);
// Record n shown (it was painted again).
void unhide(View& view, std::int64_t n);
// A cursor at a sample index anywhere: the nearest sample, 0 to 801.
[[nodiscard]] int cursorIndex(double index);

} // namespace sorkam::chart

#pragma once

#include "plot/Color.h"
#include "record/RecordFile.h"

#include <cstdint>
#include <vector>

namespace sorkam::chart {

// A record on the plots: its number, its colour and what was read of it.
struct OverlayRecord {
    std::int64_t number;
    Color color;
    Record record;
};

// The records on the plots since they were last cleared, in the order they lie on each other: a
// record shown again moves to the top, as it is painted over the others. A few kilobytes each.
class Overlay {
public:
    // Record number n as read, on top of the others.
    void add(std::int64_t n, Record record);
    void clear();
    // Record n off the plots.
    void remove(std::int64_t n);
    // Whether record n is on the plots.
    [[nodiscard]] bool holds(std::int64_t n) const;

    [[nodiscard]] const std::vector<OverlayRecord>& records() const { return entries; }
    [[nodiscard]] bool empty() const { return entries.empty(); }

private:
    std::vector<OverlayRecord> entries;
};

} // namespace sorkam::chart

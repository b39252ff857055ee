#pragma once

#include "record/RecordFile.h"

#include <cstdint>

namespace sorkam::chart {

// How far a record lies from a reference over what the plots show of them, the 802 samples 0 to
// 801 of all four channels: the root mean square of the differences, and the largest difference
// either way.
struct Distance {
    double rms = 0.0;
    int largest = 0;
};

[[nodiscard]] Distance distanceBetween(const Record& record, const Record& reference);

// Whether a lies further from the reference than b: the larger rms first, then the larger
// largest difference, then the lower record number.
struct RankedRecord {
    std::int64_t number = 0;
    Distance distance;
};
[[nodiscard]] bool rankedBefore(const RankedRecord& a, const RankedRecord& b);

} // namespace sorkam::chart

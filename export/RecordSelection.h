#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorkam::exporting {

// A run of record numbers, first to last inclusive.
struct RecordRange {
    std::int64_t first;
    std::int64_t last;

    friend bool operator==(const RecordRange&, const RecordRange&) = default;
};

// Record numbers picked on the command line, in the order given. Kept as ranges, so a selection
// of a million records takes no more memory than one of three.
using RecordSelection = std::vector<RecordRange>;

// "N", "N,M,...", "A-B", or a mix ("0,3-5,9"). Nothing for text that is not such a list or names
// a number above 2^31 - 1.
[[nodiscard]] std::optional<RecordSelection> parseRecordSelection(const std::string& text);

// How many record numbers the selection names, repeats counted.
[[nodiscard]] std::int64_t selectedCount(const RecordSelection& selection);

} // namespace sorkam::exporting

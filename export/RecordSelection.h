#pragma once

#include "record/Result.h"

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

// The last of a range that runs to the last record of the file, whatever it is.
inline constexpr std::int64_t kToTheLast = INT64_MAX;

// "N", "N,M,...", "A-B", "N-" (N to the last record), "all", or a mix ("0,3-5,9-"). Nothing for
// text that is not such a list or names a number above 2^31 - 1.
[[nodiscard]] std::optional<RecordSelection> parseRecordSelection(const std::string& text);

// The selection for a file of count records: ranges that run to the last record end at
// count - 1. Fails with the first record number that is not in the file.
[[nodiscard]] Result<RecordSelection, std::int64_t>
resolveSelection(const RecordSelection& selection, std::int64_t count);

// How many record numbers a resolved selection names, repeats counted.
[[nodiscard]] std::int64_t selectedCount(const RecordSelection& selection);

} // namespace sorkam::exporting

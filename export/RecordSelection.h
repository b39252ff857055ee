#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorkam {

// Record numbers picked on the command line: "N", "N,M,...", "A-B", or a mix ("0,3-5,9"), in the
// order given. Nothing for text that is not such a list or names a number above 2^31 - 1.
[[nodiscard]] std::optional<std::vector<std::int64_t>>
parseRecordSelection(const std::string& text);

// How many records a file of this length holds: record n is present when its first byte's
// 1-based position 5024 * n + 1 lies before the length.
[[nodiscard]] std::int64_t recordsPresent(std::int64_t fileLength);

} // namespace sorkam

#pragma once

#include "export/Failure.h"
#include "export/RecordSelection.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sorkam::exporting {

// The selected records (every record when none are selected) by their distance from record
// against, the most distant first: CSV rows of record, rms, largest difference and the header
// texts (quoted as CSV requires), or one JSON object. The records are read on every core, each
// once; with top, only the top most distant are kept, so memory does not grow with the file.
// Status 0 only when every selected record was read.
[[nodiscard]] ExportResult rank(const std::string& file,
                                const std::optional<RecordSelection>& records, std::int64_t against,
                                std::optional<std::int64_t> top, bool json,
                                const std::string& output);

} // namespace sorkam::exporting

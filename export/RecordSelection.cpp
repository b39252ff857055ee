#include "export/RecordSelection.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace sorkam::exporting {

namespace {

std::optional<std::int64_t> parseNumber(const std::string& text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 0 ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<RecordSelection> parseRecordSelection(const std::string& text) {
    if (text == "all") {
        return RecordSelection{{0, kToTheLast}};
    }
    RecordSelection selection;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string item =
            text.substr(start, comma == std::string::npos ? comma : comma - start);
        const std::size_t dash = item.find('-');
        if (dash == std::string::npos) {
            const auto n = parseNumber(item);
            if (!n) {
                return std::nullopt;
            }
            selection.push_back({*n, *n});
        } else {
            const auto first = parseNumber(item.substr(0, dash));
            const auto last = dash + 1 == item.size() ? std::optional<std::int64_t>(kToTheLast)
                                                      : parseNumber(item.substr(dash + 1));
            if (!first || !last || *last < *first) {
                return std::nullopt;
            }
            selection.push_back({*first, *last});
        }
        if (comma == std::string::npos) {
            return selection;
        }
        start = comma + 1;
    }
}

Result<RecordSelection, std::int64_t> resolveSelection(const RecordSelection& selection,
                                                       std::int64_t count) {
    RecordSelection resolved;
    resolved.reserve(selection.size());
    for (const RecordRange& range : selection) {
        const std::int64_t last = range.last == kToTheLast ? count - 1 : range.last;
        if (range.first >= count || last >= count) {
            return std::max(range.first, count);
        }
        resolved.push_back({range.first, last});
    }
    return resolved;
}

std::int64_t selectedCount(const RecordSelection& selection) {
    std::int64_t count = 0;
    for (const RecordRange& range : selection) {
        count += range.last - range.first + 1;
    }
    return count;
}

} // namespace sorkam::exporting

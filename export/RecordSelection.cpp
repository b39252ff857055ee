#include "RecordSelection.h"

#include "record/RecordFile.h"

#include <charconv>
#include <limits>

namespace sorkam {

namespace {

constexpr std::size_t kMaxSelected = 1 << 24; // a selection larger than any file could use

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

std::optional<std::vector<std::int64_t>> parseRecordSelection(const std::string& text) {
    std::vector<std::int64_t> records;
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
            records.push_back(*n);
        } else {
            const auto first = parseNumber(item.substr(0, dash));
            const auto last = parseNumber(item.substr(dash + 1));
            if (!first || !last || *last < *first ||
                static_cast<std::size_t>(*last - *first) >= kMaxSelected - records.size()) {
                return std::nullopt;
            }
            for (std::int64_t n = *first; n <= *last; ++n) {
                records.push_back(n);
            }
        }
        if (records.size() > kMaxSelected) {
            return std::nullopt;
        }
        if (comma == std::string::npos) {
            return records;
        }
        start = comma + 1;
    }
}

std::int64_t recordsPresent(std::int64_t fileLength) {
    // Present while 5024 * n + 1 < length, so n < (length - 1) / 5024.
    if (fileLength < 2) {
        return 0;
    }
    return (fileLength - 2) / format::kRecordSize + 1;
}

} // namespace sorkam

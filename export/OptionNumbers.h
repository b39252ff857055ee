#pragma once

#include "chart/IndexRange.h"
#include "chart/ValueRange.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace sorkam::exporting {

// The whole of text as a number of type T; nothing for anything else.
template <typename T> [[nodiscard]] std::optional<T> numberIn(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// "FIRST-LAST": sample indices 0 to 801, at least kNarrowestRange apart, as the window zooms; the
// bounds and the width compared as the decimals are written, not as their nearest binary numbers.
// Nothing for anything else.
[[nodiscard]] std::optional<chart::IndexRange> rangeIn(const std::string& text);
// "LOW-HIGH": sample values 0 to 265, at least kNarrowestValues apart, read as rangeIn reads.
[[nodiscard]] std::optional<chart::ValueRange> valuesIn(const std::string& text);

} // namespace sorkam::exporting

#pragma once

#include "plot/Color.h"

#include <array>
#include <cstdint>

namespace sorkam::chart {

// The record colours in turn: black, red, green, yellow, blue, magenta, cyan, white.
inline constexpr std::array<Color, 8> kRecordColorCycle = {
    0x000000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

// The colour record n is painted in: the cycle, three times over for records 0..23.
[[nodiscard]] constexpr Color recordColor(std::int64_t n) {
    const auto size = static_cast<std::int64_t>(kRecordColorCycle.size());
    return kRecordColorCycle[static_cast<std::size_t>(((n % size) + size) % size)];
}

} // namespace sorkam::chart

#pragma once

#include "../plot/Color.h"

#include <array>
#include <cstddef>

namespace sorkam {

inline constexpr std::size_t kTraceColorCount = 24;

// The colour of record n is TraceColors[n]: black, red, green, yellow, blue, magenta, cyan and
// white, three times over.
inline constexpr std::array<Color, kTraceColorCount> TraceColors = {
    0x000000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    0x000000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    0x000000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

} // namespace sorkam

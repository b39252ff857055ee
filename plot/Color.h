#pragma once

#include <cstdint>

namespace sorkam {

// A 24-bit colour written 0x00BBGGRR: red in the low byte, blue in the third.
using Color = std::uint32_t;

[[nodiscard]] constexpr int redOf(Color c) {
    return static_cast<int>(c & 0xFFu);
}
[[nodiscard]] constexpr int greenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFFu);
}
[[nodiscard]] constexpr int blueOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFFu);
}

} // namespace sorkam

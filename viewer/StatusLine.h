#pragma once

#include "plot/Color.h"

namespace sorkam {

// The grey the status line shows while it holds no record's text: the plots' own.
inline constexpr Color kStatusGrey = 0xB4B4B4;

// The status line's background for text in a record's colour: black text on the plots' grey,
// blue on white and every other record colour on black, so that each reaches at least 4.5:1
// contrast (WCAG); the least is red on black, 5.25:1.
[[nodiscard]] constexpr Color statusBackground(Color text) {
    switch (text) {
    case 0x000000:
        return kStatusGrey;
    case 0xFF0000: // blue
        return 0xFFFFFF;
    default:
        return 0x000000;
    }
}

} // namespace sorkam

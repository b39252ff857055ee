#pragma once

#include <cstdint>
#include <string>

namespace sorkam {

// A user scale: the user point at the interior's top-left corner and the extent to the
// bottom-right corner (either extent may be negative).
struct UserScale {
    float left = 0.0f;
    float top = 0.0f;
    float width = 1.0f;
    float height = 1.0f;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// Maps a user point to a pixel of a width x height interior: the scale's top-left corner is
// pixel (0, 0) and its bottom-right corner pixel (width - 1, height - 1), rounded to the nearest.
[[nodiscard]] PixelPoint toPixel(const UserScale& scale, int width, int height, float x, float y);

// Converts a length in pixels along y into user units, signed so that adding it to a user y
// moves down the screen.
[[nodiscard]] float pixelsDownInUser(const UserScale& scale, int height, float pixels);

// The text Print writes for value: a leading space for zero or more (where a minus sign would
// stand), the digits, and one trailing space.
[[nodiscard]] std::string printedNumber(std::int16_t value);

} // namespace sorkam

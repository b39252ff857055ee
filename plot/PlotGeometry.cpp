#include "PlotGeometry.h"

#include <cmath>

namespace sorkam {

namespace {

int toPixelAxis(float user, float origin, float extent, int pixels) {
    if (extent == 0.0f || pixels <= 1) {
        return 0;
    }
    const double p = std::nearbyint(static_cast<double>(user - origin) * (pixels - 1) / extent);
    // Far-off points still have to land on a valid int for the line clipper.
    constexpr double kLimit = 1 << 24;
    if (!(p > -kLimit)) {
        return -static_cast<int>(kLimit);
    }
    if (!(p < kLimit)) {
        return static_cast<int>(kLimit);
    }
    return static_cast<int>(p);
}

} // namespace

PixelPoint toPixel(const UserScale& scale, int width, int height, float x, float y) {
    return {toPixelAxis(x, scale.left, scale.width, width),
            toPixelAxis(y, scale.top, scale.height, height)};
}

float pixelsDownInUser(const UserScale& scale, int height, float pixels) {
    if (height <= 1) {
        return 0.0f;
    }
    return pixels * scale.height / static_cast<float>(height - 1);
}

std::string printedNumber(std::int16_t value) {
    std::string text = value >= 0 ? " " : "";
    text += std::to_string(value);
    text += ' ';
    return text;
}

} // namespace sorkam

#include "chart/ChartLayout.h"

#include <cmath>

namespace sorkam::chart {

namespace {

int scaled(int pixels, double ratio) {
    return static_cast<int>(std::lround(pixels * ratio));
}

} // namespace

PixelRect pixelRect(const TwipsRect& r, int dpi) {
    return {toPixels(r.left, dpi), toPixels(r.top, dpi), toPixels(r.width, dpi),
            toPixels(r.height, dpi)};
}

int Resolution::pictureDpi() const {
    return scaled(dpi, pixelRatio);
}

PixelRect Resolution::pictureRect(const TwipsRect& r) const {
    const PixelRect layout = pixelRect(r, dpi);
    return {scaled(layout.left, pixelRatio), scaled(layout.top, pixelRatio),
            scaled(layout.width, pixelRatio), scaled(layout.height, pixelRatio)};
}

} // namespace sorkam::chart

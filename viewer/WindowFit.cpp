#include "viewer/WindowFit.h"

#include "chart/ChartLayout.h"

#include <algorithm>

namespace sorkam {

namespace {

int clientWidth(int dpi) {
    return chart::toPixels(chart::kClientWidth, dpi);
}

int clientHeight(int dpi) {
    return chart::toPixels(chart::kClientHeight, dpi);
}

bool fits(int dpi, int width, int height) {
    return clientWidth(dpi) <= width && clientHeight(dpi) <= height;
}

// The largest dpi of at most most at which the layout fits width x height.
int largestFitting(int most, int width, int height) {
    int dpi = std::max(most, kSmallestDpi);
    while (dpi > kSmallestDpi && !fits(dpi, width, height)) {
        --dpi;
    }
    return dpi;
}

} // namespace

int fittingDpi(int dpi, const ScreenArea& available) {
    return largestFitting(dpi, available.width - kFrameWidth, available.height - kFrameHeight);
}

int growingDpi(int width, int height) {
    // The layout grows with the window up to eight times its size at 96 dpi.
    return largestFitting(8 * 96, width, height);
}

WindowPlace windowPlace(int dpi, const ScreenArea& available) {
    const WindowPlace own{chart::toPixels(chart::kClientLeft, dpi),
                          chart::toPixels(chart::kClientTop, dpi)};
    const int width = clientWidth(dpi) + kFrameWidth;
    const int height = clientHeight(dpi) + kFrameHeight;
    if (own.left >= available.left && own.top >= available.top &&
        own.left + width <= available.left + available.width &&
        own.top + height <= available.top + available.height) {
        return own;
    }
    return {available.left + std::max(0, (available.width - width) / 2),
            available.top + std::max(0, (available.height - height) / 2)};
}

} // namespace sorkam

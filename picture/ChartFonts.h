#pragma once

#include "chart/ChartLayout.h"

#include <QFont>
#include <QRect>

namespace sorkam::chart {

// The fonts of the captions and the status line, of the buttons, and of the window itself, at
// the layout's point sizes.
[[nodiscard]] QFont captionFont();
[[nodiscard]] QFont buttonFont();
[[nodiscard]] QFont windowFont();

// A rectangle of the layout in pixels as Qt takes it: at dpi, or in a picture's pixels.
[[nodiscard]] inline QRect toQRect(const PixelRect& r) {
    return {r.left, r.top, r.width, r.height};
}
[[nodiscard]] inline QRect qRectOf(const TwipsRect& r, int dpi) {
    return toQRect(pixelRect(r, dpi));
}
[[nodiscard]] inline QRect qRectOf(const Resolution& resolution, const TwipsRect& r) {
    return toQRect(resolution.pictureRect(r));
}

} // namespace sorkam::chart

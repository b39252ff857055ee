#pragma once

#include "tests/e2e/XSession.h"

namespace sorkam::e2e {

// Places inside the viewer's window at 96 dpi (the layout's twips divided by 15).
inline constexpr Rect kPlotA{14, 21, 726, 237};
inline constexpr Rect kPlotB{14, 280, 726, 237};
inline constexpr Rect kStatus{14, 525, 407, 22};
// The buttons' centres.
inline constexpr int kButtonY = 525 + 13;
inline constexpr int kClearX = 434 + 46;
inline constexpr int kPreviousX = 539 + 46;
inline constexpr int kNextX = 644 + 46;

// A place inside a window, on the screen.
[[nodiscard]] inline Rect inside(const XSession::Window& w, const Rect& r) {
    return {w.rect.x + r.x, w.rect.y + r.y, r.width, r.height};
}

} // namespace sorkam::e2e

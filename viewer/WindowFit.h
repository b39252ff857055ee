#pragma once

namespace sorkam {

// A rectangle of the screen in its pixels.
struct ScreenArea {
    int left;
    int top;
    int width;
    int height;
};

// What the window manager adds around the window: a title bar and borders. The window is placed
// before it has them, so they are allowed for.
inline constexpr int kFrameWidth = 8;
inline constexpr int kFrameHeight = 32;
// The smallest dots per inch the layout is scaled down to.
inline constexpr int kSmallestDpi = 24;

// The layout's dots per inch on a screen area: dpi itself where the layout and a window frame
// fit, else the largest one at which they do (the whole content scaled down as one).
[[nodiscard]] int fittingDpi(int dpi, const ScreenArea& available);

// The largest dots per inch at which the layout fits a window of width x height pixels, for a
// window whose content grows with it.
[[nodiscard]] int growingDpi(int width, int height);

// Where the window goes: the layout's own place on the screen where the window fits there inside
// the available area, else centred in that area (its top-left corner inside it).
struct WindowPlace {
    int left;
    int top;
};
[[nodiscard]] WindowPlace windowPlace(int dpi, const ScreenArea& available);

} // namespace sorkam

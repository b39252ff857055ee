#pragma once

#include "plot/PlotSurface.h"

#include <array>
#include <string_view>

namespace sorkam::layout {

// The window's fixed layout in twips (1/1440 inch), measured from the client area's top-left.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kClientWidth = 11325;
inline constexpr int kClientHeight = 8370;
inline constexpr int kClientLeft = 1485; // the client area's origin on the screen
inline constexpr int kClientTop = 1290;

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlLayout {
    std::string_view name;
    TwipsRect rect;
};

inline constexpr TwipsRect kLabelA{255, 0, 11040, 330};
inline constexpr TwipsRect kPlotA{210, 315, 10890, 3555};
inline constexpr TwipsRect kLabelB{210, 3885, 11040, 330};
inline constexpr TwipsRect kPlotB{210, 4200, 10890, 3555};
inline constexpr TwipsRect kStatus{210, 7875, 6105, 330};
inline constexpr TwipsRect kClear{6510, 7875, 1388, 386};
inline constexpr TwipsRect kPrevious{8085, 7875, 1388, 386};
inline constexpr TwipsRect kNext{9660, 7875, 1388, 386};

// Point sizes of the fonts: labels in Times New Roman, buttons in a plain sans serif, and the
// window's own font (the plot surfaces' tick labels).
inline constexpr double kLabelPointSize = 14.25;
inline constexpr double kButtonPointSize = 8.25;
inline constexpr double kWindowPointSize = kNumberPointSize;

// Twips to pixels at the given dots per inch, rounded to the nearest pixel
// (15 twips are one pixel at 96 dpi).
[[nodiscard]] constexpr int toPixels(int twips, int dpi) {
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

} // namespace sorkam::layout

#pragma once

#include "plot/PlotSurface.h"

namespace sorkam::chart {

// The window's fixed layout in twips (1/1440 inch), measured from the client area's top-left.
// The export tool's pictures take the captions and plot areas from the same places.
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

inline constexpr TwipsRect kCaptionA{255, 0, 11040, 330};
inline constexpr TwipsRect kPlotA{210, 315, 10890, 3555};
inline constexpr TwipsRect kCaptionB{210, 3885, 11040, 330};
inline constexpr TwipsRect kPlotB{210, 4200, 10890, 3555};
inline constexpr TwipsRect kStatusLine{210, 7875, 6105, 330};
inline constexpr TwipsRect kClearButton{6510, 7875, 1388, 386};
inline constexpr TwipsRect kPreviousButton{8085, 7875, 1388, 386};
inline constexpr TwipsRect kNextButton{9660, 7875, 1388, 386};

// Point sizes of the fonts: captions and status line in Times New Roman, buttons in a plain sans
// serif, and the window's own font (the plot surfaces' tick labels).
inline constexpr double kCaptionPointSize = 14.25;
inline constexpr double kButtonPointSize = 8.25;
inline constexpr double kWindowPointSize = kNumberPointSize;

// Twips to pixels at the given dots per inch, rounded to the nearest pixel
// (15 twips are one pixel at 96 dpi).
[[nodiscard]] constexpr int toPixels(int twips, int dpi) {
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

// A rectangle in pixels: its top-left corner and its size.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    [[nodiscard]] int right() const { return left + width - 1; }
    [[nodiscard]] int bottom() const { return top + height - 1; }
};

// A layout rectangle in pixels at the given dots per inch.
[[nodiscard]] PixelRect pixelRect(const TwipsRect& r, int dpi);

// How finely a chart is painted: the layout at dpi dots per inch, and pixelRatio picture pixels to
// each layout pixel (2 on a screen with twice the device pixels, or for a picture at scale 2).
struct Resolution {
    int dpi = 96;
    double pixelRatio = 1.0;

    // The picture's own dots per inch, which decides how many pixels a point size of text takes.
    [[nodiscard]] int pictureDpi() const;
    // A layout rectangle in picture pixels: its layout pixels times the ratio.
    [[nodiscard]] PixelRect pictureRect(const TwipsRect& r) const;
};

} // namespace sorkam::chart

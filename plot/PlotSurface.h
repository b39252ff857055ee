#pragma once

#include "plot/Color.h"

#include <cstdint>

namespace sorkam {

// The colour of the frame's lines, points and numbers.
inline constexpr Color kForegroundColor = 0x000000;
// Numbers are drawn in the window's font, Times New Roman at this size.
inline constexpr double kNumberPointSize = 8.25;

// What traces are painted on: lines in the user units of the chart's scale.
class LineSurface {
public:
    virtual ~LineSurface() = default;

    // A straight line from (x1, y1) to (x2, y2), both ends included, one pixel wide.
    virtual void drawLine(float x1, float y1, float x2, float y2, Color color) = 0;
};

// One immediate-mode plot area: everything painted accumulates until clear(). Coordinates are
// user units of the scale last set.
class PlotSurface : public LineSurface {
public:
    // (x1, y1) becomes the interior's top-left corner and (x2, y2) its bottom-right corner.
    virtual void setScale(float x1, float y1, float x2, float y2) = 0;
    // One pixel in the foreground colour.
    virtual void drawPoint(float x, float y) = 0;
    // value in decimal, in the foreground colour, its text's top-left corner at (x, y): a
    // leading space for zero or more (where a minus sign would stand) and one trailing space.
    virtual void drawNumber(float x, float y, std::int16_t value) = 0;
    // Paints the whole interior in the background colour.
    virtual void clear() = 0;
};

} // namespace sorkam

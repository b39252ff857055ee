#pragma once

#include "Color.h"

#include <cstdint>

namespace sorkam {

// One immediate-mode plot area. Everything painted accumulates until Cls. Coordinates are user
// units of the scale last set; the current point is moved by the drawing operations as noted.
class PlotSurface {
public:
    virtual ~PlotSurface() = default;

    // (x1, y1) becomes the interior's top-left corner and (x2, y2) its bottom-right corner.
    virtual void Scale(float x1, float y1, float x2, float y2) = 0;
    // Straight line in the foreground colour; current point ends at (x2, y2).
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    // Straight line in the given colour; current point ends at (x2, y2).
    virtual void Line(float x1, float y1, float x2, float y2, Color color) = 0;
    // One point in the foreground colour; current point ends at (x, y).
    virtual void PSet(float x, float y) = 0;
    // Writes value in decimal, top-left at the current point, with a leading space for a value of
    // zero or more and one trailing space; current point ends at the start of the next text line.
    virtual void Print(std::int16_t value) = 0;
    // Paints the whole interior in the background colour; current point ends at (0, 0).
    virtual void Cls() = 0;

    [[nodiscard]] virtual float CurrentX() const = 0;
    [[nodiscard]] virtual float CurrentY() const = 0;
    // Moves the current point without painting.
    virtual void SetCurrentX(float x) = 0;
    virtual void SetCurrentY(float y) = 0;
};

} // namespace sorkam

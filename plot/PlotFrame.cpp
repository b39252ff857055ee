#include "PlotFrame.h"

#include <cstdint>
#include <initializer_list>

namespace sorkam {

namespace {

// The frame's user coordinates. Sample index i is drawn at x = i + 35 and sample value v at
// y = v + 25, so the axes cross at (35, 25).
constexpr float kAxisX = 35.0f;
constexpr float kAxisY = 25.0f;
constexpr float kDashLength = 50.0f / 4.0f;
constexpr Color kDashColor = 0x000000;

} // namespace

void DrawFrameOn(PlotSurface& s) {
    s.Scale(0.0f, 315.0f, 935.0f, 0.0f);

    s.Line(kAxisX, 15.0f, kAxisX, 290.0f);
    s.Line(30.0f, kAxisY, 900.0f, kAxisY);

    // Value ticks 20..260 to the right of the vertical axis, labels at the left edge.
    for (std::int16_t v = 20; v <= 270; v += 20) {
        s.Line(kAxisX, v + kAxisY, kAxisX + 3.0f, v + kAxisY);
        s.SetCurrentX(s.CurrentX() - 35.0f);
        s.SetCurrentY(s.CurrentY() + 10.0f);
        s.Print(v);
    }
    // Index ticks 50..850 above the horizontal axis, labels below it.
    for (std::int16_t i = 50; i <= 850; i += 50) {
        s.Line(i + kAxisX, kAxisY, i + kAxisX, kAxisY + 6.0f);
        s.SetCurrentY(s.CurrentY() - 12.5f);
        s.SetCurrentX(s.CurrentX() - 10.0f);
        s.Print(i);
    }
    // Dotted grid: rows at values 0, 10, ..., 260, columns at indices 0, 25, ..., 850.
    for (std::int16_t y = 25; y <= 290; y += 10) {
        for (std::int16_t x = 35; x <= 900; x += 5) {
            s.PSet(x, y);
        }
    }
    for (std::int16_t x = 35; x <= 900; x += 25) {
        for (std::int16_t y = 25; y <= 290; y += 7) {
            s.PSet(x, y);
        }
    }
    // Dashed reference lines at values 50, 100 and 200.
    for (const float y : {75.0f, 125.0f, 225.0f}) {
        for (std::int16_t x = 35; x <= 900; x += 17) {
            s.Line(x, y, x + kDashLength, y, kDashColor);
        }
    }
}

void DrawFrame(PlotSurface& pic0, PlotSurface& pic1) {
    DrawFrameOn(pic0);
    DrawFrameOn(pic1);
}

} // namespace sorkam

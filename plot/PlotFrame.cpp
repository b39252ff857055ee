#include "plot/PlotFrame.h"

#include <cstdint>
#include <initializer_list>

namespace sorkam {

namespace {

constexpr float kDashLength = 50.0f / 4.0f;

} // namespace

const IndexAxis& wholeIndexAxis() {
    static const IndexAxis axis = [] {
        IndexAxis whole;
        for (std::int16_t i = 50; i <= 850; i += 50) {
            whole.ticks.emplace_back(i + kTraceOriginX, i);
        }
        for (std::int16_t x = 35; x <= 900; x += 25) {
            whole.columns.push_back(x);
        }
        return whole;
    }();
    return axis;
}

const ValueAxis& wholeValueAxis() {
    static const ValueAxis axis = [] {
        ValueAxis whole;
        for (std::int16_t v = 20; v <= 270; v += 20) {
            whole.ticks.emplace_back(v + kTraceOriginY, v);
        }
        for (std::int16_t y = 25; y <= 290; y += 10) {
            whole.rows.push_back(y);
        }
        whole.references = {75.0f, 125.0f, 225.0f};
        return whole;
    }();
    return axis;
}

void setChartScale(PlotSurface& surface) {
    surface.setScale(kChartScale.left, kChartScale.top, kChartScale.left + kChartScale.width,
                     kChartScale.top + kChartScale.height);
}

void drawFrameOn(PlotSurface& s, const IndexAxis& axis, const ValueAxis& values) {
    constexpr float x0 = kTraceOriginX;
    constexpr float y0 = kTraceOriginY;
    setChartScale(s);

    s.drawLine(x0, 15.0f, x0, 290.0f, kForegroundColor);
    s.drawLine(30.0f, y0, 900.0f, y0, kForegroundColor);

    // Value ticks to the right of the vertical axis, labels at the left edge, 10 units above
    // their tick.
    for (const auto& [y, v] : values.ticks) {
        s.drawLine(x0, y, x0 + 3.0f, y, kForegroundColor);
        s.drawNumber(x0 + 3.0f - 35.0f, y + 10.0f, v);
    }
    // Index ticks above the horizontal axis, labels below it, 10 units to the left.
    for (const auto& [x, i] : axis.ticks) {
        s.drawLine(x, y0, x, y0 + 6.0f, kForegroundColor);
        s.drawNumber(x - 10.0f, y0 + 6.0f - 12.5f, i);
    }
    // Dotted grid: rows and columns where the axes have them.
    for (const float y : values.rows) {
        for (std::int16_t x = 35; x <= 900; x += 5) {
            s.drawPoint(x, y);
        }
    }
    for (const float x : axis.columns) {
        for (std::int16_t y = 25; y <= 290; y += 7) {
            s.drawPoint(x, y);
        }
    }
    // Dashed reference lines.
    for (const float y : values.references) {
        for (std::int16_t x = 35; x <= 900; x += 17) {
            s.drawLine(x, y, x + kDashLength, y, kForegroundColor);
        }
    }
}

void drawFrame(PlotSurface& plotA, PlotSurface& plotB) {
    drawFrameOn(plotA);
    drawFrameOn(plotB);
}

} // namespace sorkam

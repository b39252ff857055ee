#include "chart/Traces.h"

#include "plot/PlotFrame.h"

namespace sorkam::chart {

void paintTraces(const Record& record, Color color, LineSurface& plotA, LineSurface& plotB) {
    const auto& [ch1, ch2, ch3, ch4] = record.channels;
    // Segment i runs from sample i to sample i + 1.
    for (int i = 0; i < kTraceSegments; ++i) {
        const float x1 = static_cast<float>(i) + kTraceOriginX;
        const float x2 = x1 + 1.0f;
        constexpr float y0 = kTraceOriginY;
        plotA.drawLine(x1, ch1[i] + y0, x2, ch1[i + 1] + y0, color);
        plotB.drawLine(x1, ch2[i] + y0, x2, ch2[i + 1] + y0, color);
        plotA.drawLine(x1, ch3[i] + y0, x2, ch3[i + 1] + y0, color);
        plotB.drawLine(x1, ch4[i] + y0, x2, ch4[i + 1] + y0, color);
    }
}

} // namespace sorkam::chart

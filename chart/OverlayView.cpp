#include "chart/OverlayView.h"

#include "chart/Traces.h"

#include <algorithm>
#include <cmath>

namespace sorkam::chart {

namespace {

constexpr float kTraceEnd = kTraceOriginX + kTraceSegments; // x 836
constexpr float kMark = 2.5f;                               // a point's arm, in user units

// One channel's segments over the range, each cut where it leaves the trace area.
void paintChannel(LineSurface& surface, const ChannelBuffer& channel, const IndexRange& range,
                  Color color) {
    const int from = std::max(0, static_cast<int>(std::floor(range.first)));
    const int to = std::min(kTraceSegments, static_cast<int>(std::ceil(range.last)));
    const bool points = kTraceSegments / range.width() >= kPointSpacing;
    for (int i = from; i <= to; ++i) {
        const float y1 = channel[static_cast<std::size_t>(i)] + kTraceOriginY;
        const float x1 = range.xOf(i);
        if (points && x1 >= kTraceOriginX && x1 <= kTraceEnd) {
            surface.drawLine(x1 - kMark, y1, x1 + kMark, y1, color);
            surface.drawLine(x1, y1 - kMark, x1, y1 + kMark, color);
        }
        if (i == to) {
            break;
        }
        const float y2 = channel[static_cast<std::size_t>(i + 1)] + kTraceOriginY;
        const float x2 = range.xOf(i + 1);
        // Cut at the area's edges, along the segment.
        const auto at = [&](float x) { return y1 + (y2 - y1) * (x - x1) / (x2 - x1); };
        const float a = std::max(x1, kTraceOriginX);
        const float b = std::min(x2, kTraceEnd);
        if (a < b) {
            surface.drawLine(a, at(a), b, at(b), color);
        }
    }
}

} // namespace

void paintRecordOver(LineSurface& plotA, LineSurface& plotB, const Record& record, Color color,
                     const IndexRange& range) {
    if (range.whole()) {
        paintTraces(record, color, plotA, plotB);
        return;
    }
    const auto& [ch1, ch2, ch3, ch4] = record.channels;
    paintChannel(plotA, ch1, range, color);
    paintChannel(plotB, ch2, range, color);
    paintChannel(plotA, ch3, range, color);
    paintChannel(plotB, ch4, range, color);
}

void paintOverlay(PlotSurface& plotA, PlotSurface& plotB, const Overlay& overlay,
                  const View& view) {
    const IndexAxis axis = indexAxisFor(view.range);
    drawFrameOn(plotA, axis);
    drawFrameOn(plotB, axis);
    for (const OverlayRecord& shown : overlay.records()) {
        if (view.shows(shown.number)) {
            paintRecordOver(plotA, plotB, shown.record, shown.color, view.range);
        }
    }
}

} // namespace sorkam::chart

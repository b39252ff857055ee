#include "chart/OverlayView.h"

#include "chart/Traces.h"

#include <algorithm>
#include <cmath>

namespace sorkam::chart {

namespace {

constexpr float kMark = 2.5f; // a point's arm, in user units

// The trace area in user units.
struct Area {
    float left;
    float bottom;
    float right;
    float top;
};

// The part of the segment from (x1, y1) to (x2, y2) within the area, if any (Liang-Barsky).
bool clipped(const Area& area, float& x1, float& y1, float& x2, float& y2) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    float enter = 0.0f;
    float leave = 1.0f;
    const float p[] = {-dx, dx, -dy, dy};
    const float q[] = {x1 - area.left, area.right - x1, y1 - area.bottom, area.top - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0f) {
            if (q[k] < 0.0f) {
                return false;
            }
            continue;
        }
        const float t = q[k] / p[k];
        if (p[k] < 0.0f) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
    }
    if (enter > leave) {
        return false;
    }
    const float fromX = x1 + enter * dx;
    const float fromY = y1 + enter * dy;
    x2 = x1 + leave * dx;
    y2 = y1 + leave * dy;
    x1 = fromX;
    y1 = fromY;
    return true;
}

// One channel's segments over the view's ranges, each cut where it leaves the trace area.
void paintChannel(LineSurface& surface, const ChannelBuffer& channel, const View& view,
                  Color color) {
    const IndexRange& range = view.range;
    const Area area{kTraceOriginX, kTraceOriginY, range.traceEnd(),
                    static_cast<float>(kTraceOriginY + kValueSpan)};
    const int from = std::max(0, static_cast<int>(std::floor(range.first)));
    const int to = std::min(kTraceSegments, static_cast<int>(std::ceil(range.last)));
    const bool points = range.areaWidth() / range.width() >= kPointSpacing;
    for (int i = from; i <= to; ++i) {
        const float x = range.xOf(i);
        const float y = view.values.yOf(channel[static_cast<std::size_t>(i)]);
        if (points && x >= area.left && x <= area.right && y >= area.bottom && y <= area.top) {
            surface.drawLine(x - kMark, y, x + kMark, y, color);
            surface.drawLine(x, y - kMark, x, y + kMark, color);
        }
        if (i == to) {
            break;
        }
        float x1 = x;
        float y1 = y;
        float x2 = range.xOf(i + 1);
        float y2 = view.values.yOf(channel[static_cast<std::size_t>(i + 1)]);
        if (clipped(area, x1, y1, x2, y2) && x1 < x2) {
            surface.drawLine(x1, y1, x2, y2, color);
        }
    }
}

} // namespace

void drawViewFrame(PlotSurface& surface, const View& view) {
    drawFrameOn(surface, indexAxisFor(view.range), valueAxisFor(view.values));
}

void paintRecordOver(LineSurface& plotA, LineSurface& plotB, const Record& record, Color color,
                     const View& view) {
    if (view.zoomedOut()) {
        paintTraces(record, color, plotA, plotB);
        return;
    }
    const auto& [ch1, ch2, ch3, ch4] = record.channels;
    paintChannel(plotA, ch1, view, color);
    paintChannel(plotB, ch2, view, color);
    paintChannel(plotA, ch3, view, color);
    paintChannel(plotB, ch4, view, color);
}

void paintOverlay(PlotSurface& plotA, PlotSurface& plotB, const Overlay& overlay,
                  const View& view) {
    drawViewFrame(plotA, view);
    drawViewFrame(plotB, view);
    for (const OverlayRecord& shown : overlay.records()) {
        if (view.shows(shown.number)) {
            paintRecordOver(plotA, plotB, shown.record, shown.color, view);
        }
    }
}

} // namespace sorkam::chart

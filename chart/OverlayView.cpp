#include "chart/OverlayView.h"

#include "chart/Traces.h"

#include <algorithm>
#include <array>
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

// Where a view puts samples: the user x of each index and the user y of each of the 256 levels,
// worked out once for the four channels of every record painted.
struct SamplePlaces {
    explicit SamplePlaces(const View& view)
        : area{kTraceOriginX, kTraceOriginY, view.range.traceEnd(),
               static_cast<float>(kTraceOriginY + kValueSpan)},
          from(std::max(0, static_cast<int>(std::floor(view.range.first)))),
          to(std::min(kTraceSegments, static_cast<int>(std::ceil(view.range.last)))),
          points(view.range.areaWidth() / view.range.width() >= kPointSpacing) {
        for (int i = from; i <= to; ++i) {
            x[static_cast<std::size_t>(i)] = view.range.xOf(i);
        }
        for (std::size_t v = 0; v < y.size(); ++v) {
            y[v] = view.values.yOf(static_cast<double>(v) - kLargestDifference);
        }
    }

    Area area;
    int from;
    int to;
    bool points;
    std::array<float, kTraceSegments + 1> x{};
    std::array<float, 2 * 255 + 1> y{}; // of the values -255..255, from y[0]
};

bool inside(const Area& area, float x, float y) {
    return x >= area.left && x <= area.right && y >= area.bottom && y <= area.top;
}

// One channel's segments over the view's ranges (less the reference channel's samples, where
// there is one), each cut where it leaves the trace area.
void paintChannel(LineSurface& surface, const ChannelBuffer& channel, const ChannelBuffer* minus,
                  const SamplePlaces& at, Color color) {
    const Area& area = at.area;
    const auto value = [&](std::size_t k) {
        return static_cast<std::size_t>(255 + channel[k] - (minus != nullptr ? (*minus)[k] : 0));
    };
    for (int i = at.from; i <= at.to; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const float x = at.x[k];
        const float y = at.y[value(k)];
        const bool in = inside(area, x, y);
        if (at.points && in) {
            surface.drawLine(x - kMark, y, x + kMark, y, color);
            surface.drawLine(x, y - kMark, x, y + kMark, color);
        }
        if (i == at.to) {
            break;
        }
        float x1 = x;
        float y1 = y;
        float x2 = at.x[k + 1];
        float y2 = at.y[value(k + 1)];
        if ((in && inside(area, x2, y2)) || (clipped(area, x1, y1, x2, y2) && x1 < x2)) {
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
    const Record* minus = view.difference && view.reference ? &view.reference->record : nullptr;
    if (view.zoomedOut() && minus == nullptr) {
        paintTraces(record, color, plotA, plotB);
        return;
    }
    const SamplePlaces at(view);
    const auto of = [minus](std::size_t c) {
        return minus != nullptr ? &minus->channels[c] : nullptr;
    };
    const auto& [ch1, ch2, ch3, ch4] = record.channels;
    paintChannel(plotA, ch1, of(0), at, color);
    paintChannel(plotB, ch2, of(1), at, color);
    paintChannel(plotA, ch3, of(2), at, color);
    paintChannel(plotB, ch4, of(3), at, color);
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

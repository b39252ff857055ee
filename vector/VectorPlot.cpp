#include "vector/VectorPlot.h"

#include "chart/Density.h"
#include "vector/FontTables.h"
#include "vector/VectorText.h"

#include <cmath>

namespace sorkam::chart {

namespace {

// Two channels of a record are painted a segment each in turn, and a zoomed trace marks each
// sample between its segments: each segment continues its own line, one of the last few.
constexpr std::size_t kOpenLines = 4;

} // namespace

void VectorPlot::setScale(float x1, float y1, float x2, float y2) {
    flush();
    scale = {x1, y1, x2 - x1, y2 - y1};
}

std::pair<double, double> VectorPlot::at(float x, float y) const {
    const double fx = scale.width != 0.0f ? (place.width - 1.0) / scale.width : 0.0;
    const double fy = scale.height != 0.0f ? (place.height - 1.0) / scale.height : 0.0;
    return {0.5 + (x - scale.left) * fx, 0.5 + (y - scale.top) * fy};
}

void VectorPlot::drawLine(float x1, float y1, float x2, float y2, Color color) {
    flushDots();
    if (color != lineColor) {
        flushLines();
        lineColor = color;
    }
    const std::pair a(x1, y1);
    const std::pair b(x2, y2);
    for (std::size_t k = lines.size(); k > 0 && k + kOpenLines > lines.size(); --k) {
        Polyline& line = lines[k - 1];
        if (line.back() != a) {
            continue;
        }
        // A segment going on in the same direction only moves the line's end.
        const auto before = line.size() >= 2 ? line[line.size() - 2] : a;
        const double alongX = a.first - before.first;
        const double alongY = a.second - before.second;
        const double nextX = b.first - a.first;
        const double nextY = b.second - a.second;
        if (line.size() >= 2 && alongX * nextY == alongY * nextX &&
            alongX * nextX + alongY * nextY > 0.0) {
            line.back() = b;
        } else {
            line.push_back(b);
        }
        return;
    }
    lines.push_back({a, b});
}

void VectorPlot::drawPoint(float x, float y) {
    flushLines();
    const auto [px, py] = at(x, y);
    if (dotCount == 1 && (px == dotsX || py == dotsY)) {
        stepX = px - dotsX;
        stepY = py - dotsY;
        dotCount = 2;
        return;
    }
    if (dotCount >= 2 && std::abs(px - (dotsX + stepX * dotCount)) < 1e-3 &&
        std::abs(py - (dotsY + stepY * dotCount)) < 1e-3) {
        ++dotCount;
        return;
    }
    flushDots();
    dotsX = px;
    dotsY = py;
    dotCount = 1;
}

void VectorPlot::drawNumber(float x, float y, std::int16_t value) {
    flush();
    const auto [px, py] = at(x, y);
    writeNumber(place.left + px - 0.5, place.top + py - 0.5, printedNumber(value));
}

void VectorPlot::clear() {
    lines.clear();
    dotCount = 0;
    writeBackground();
}

void VectorPlot::flush() {
    flushLines();
    flushDots();
}

void VectorPlot::flushLines() {
    if (lines.empty()) {
        return;
    }
    const auto [ox, oy] = at(0.0f, 0.0f);
    const auto [ux, uy] = at(1.0f, 1.0f);
    const Placement placement{ux - ox, uy - oy, place.left + ox, place.top + oy};
    writeLines(lines, lineColor, placement,
               1.0 / std::sqrt(std::abs(placement.scaleX * placement.scaleY)));
    lines.clear();
}

void VectorPlot::flushDots() {
    if (dotCount == 0) {
        return;
    }
    const int count = dotCount;
    dotCount = 0;
    writeDots(place.left + dotsX, place.top + dotsY, stepX, stepY, count);
}

std::vector<unsigned char> VectorPlot::densityRgb(const Density& density, int which) {
    const std::vector<std::uint32_t> pixels = densityPixels(density, which);
    std::vector<unsigned char> rgb;
    rgb.reserve(pixels.size() * 3);
    for (std::uint32_t p : pixels) {
        p = p == 0 ? 0xB4B4B4 : p;
        rgb.push_back(static_cast<unsigned char>(p >> 16));
        rgb.push_back(static_cast<unsigned char>(p >> 8));
        rgb.push_back(static_cast<unsigned char>(p));
    }
    return rgb;
}

int VectorPlot::textWidth(std::string_view text, bool bold) const {
    return chart::textWidth(bold ? kWindowBoldFace : kWindowFace, text);
}

int VectorPlot::lineHeight(bool bold) const {
    return (bold ? kWindowBoldFace : kWindowFace).height;
}

int VectorPlot::ascent(bool bold) const {
    return (bold ? kWindowBoldFace : kWindowFace).ascent;
}

} // namespace sorkam::chart

#include "plot/PolylineSurface.h"

#include <cmath>

namespace sorkam {

namespace {

// Two channels of a record are painted a segment each in turn, and a zoomed trace marks each
// sample between its segments: each segment continues its own line, one of the last few.
constexpr std::size_t kOpenLines = 4;

} // namespace

void PolylineSurface::setScale(float x1, float y1, float x2, float y2) {
    flush();
    scale = {x1, y1, x2 - x1, y2 - y1};
}

std::pair<double, double> PolylineSurface::at(float x, float y) const {
    const double fx = scale.width != 0.0f ? (width - 1.0) / scale.width : 0.0;
    const double fy = scale.height != 0.0f ? (height - 1.0) / scale.height : 0.0;
    return {0.5 + (x - scale.left) * fx, 0.5 + (y - scale.top) * fy};
}

void PolylineSurface::drawLine(float x1, float y1, float x2, float y2, Color color) {
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

void PolylineSurface::drawPoint(float x, float y) {
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

void PolylineSurface::drawNumber(float x, float y, std::int16_t value) {
    flush();
    const auto [px, py] = at(x, y);
    writeNumber(left + px - 0.5, top + py - 0.5, printedNumber(value));
}

void PolylineSurface::clear() {
    lines.clear();
    dotCount = 0;
    writeBackground();
}

void PolylineSurface::flush() {
    flushLines();
    flushDots();
}

void PolylineSurface::flushLines() {
    if (lines.empty()) {
        return;
    }
    const auto [ox, oy] = at(0.0f, 0.0f);
    const auto [ux, uy] = at(1.0f, 1.0f);
    const Placement placement{ux - ox, uy - oy, left + ox, top + oy};
    writeLines(lines, lineColor, placement,
               1.0 / std::sqrt(std::abs(placement.scaleX * placement.scaleY)));
    lines.clear();
}

void PolylineSurface::flushDots() {
    if (dotCount == 0) {
        return;
    }
    const int count = dotCount;
    dotCount = 0;
    writeDots(left + dotsX, top + dotsY, stepX, stepY, count);
}

} // namespace sorkam

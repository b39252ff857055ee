#include "chart/AxisSteps.h"

#include <algorithm>
#include <cmath>

namespace sorkam::chart {

namespace {

constexpr double kGrid = 1024.0;

} // namespace

double onGrid(double at) {
    return std::round(at * kGrid) / kGrid;
}

std::pair<double, double> spanWithin(double first, double width, double narrowest, double least,
                                     double most) {
    width = onGrid(std::clamp(width, narrowest, most - least));
    first = std::clamp(onGrid(first), least, most - width);
    return {first, first + width};
}

double roundStep(double wanted) {
    double step = 1.0;
    for (double power = 1.0; step < wanted; power *= 10.0) {
        for (const double m : {1.0, 2.0, 5.0}) {
            step = m * power;
            if (step >= wanted) {
                break;
            }
        }
    }
    return step;
}

double gridStep(double step) {
    return std::fmod(step, 2.0) == 0.0 ? step / 2.0 : step;
}

SteppedAxis steppedAxis(double from, double to, double step, float origin,
                        const std::function<float(double)>& place) {
    SteppedAxis axis;
    const double lineStep = gridStep(step);
    for (double v = std::ceil(from / lineStep) * lineStep; v <= to; v += lineStep) {
        axis.lines.push_back(place(v));
    }
    for (double v = std::ceil(from / step) * step; v <= to; v += step) {
        if (place(v) > origin + 1.0f) {
            axis.ticks.emplace_back(place(v), static_cast<std::int16_t>(v));
        }
    }
    return axis;
}

} // namespace sorkam::chart

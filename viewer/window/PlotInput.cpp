#include "viewer/window/PlotInput.h"

#include "picture/Decorations.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sorkam {

PlotInput::PlotInput(ViewerController& controller, Run run, std::function<QFont()> legendFont)
    : controller(controller), run(std::move(run)), legendFont(std::move(legendFont)) {
}

PlotWidget::MouseInput PlotInput::inputFor(const PlotWidget& plot, int which) {
    PlotWidget::MouseInput input;
    input.press = [this, &plot, which](QPoint at, Qt::KeyboardModifiers modifiers) {
        press(plot, which, at, modifiers);
    };
    input.move = [this, &plot](QPoint at) { move(plot, at); };
    input.release = [this] { dragged.reset(); };
    input.wheel = [this, &plot](QPoint at, QPoint angle, Qt::KeyboardModifiers modifiers) {
        wheel(plot, at, angle, modifiers);
    };
    input.drag = [this, &plot](int pixels) { drag(plot, pixels); };
    input.box = [this, &plot](QRect rect) { box(plot, rect); };
    input.handle = [this, &plot](QPoint at) { return cursorNear(plot, at.x()).has_value(); };
    return input;
}

double PlotInput::indexAt(const PlotWidget& plot, int column) const {
    return chart::indexAtColumn(controller.view().range, column, plot.width());
}

std::optional<bool> PlotInput::cursorNear(const PlotWidget& plot, int column) const {
    const chart::View& view = controller.view();
    std::optional<bool> nearest;
    int distance = kCursorReach + 1;
    for (const bool b : {false, true}) {
        const std::optional<int>& at = b ? view.cursorB : view.cursorA;
        if (at && *at >= view.range.first && *at <= view.range.last) {
            const int d = std::abs(chart::columnOfIndex(view.range, *at, plot.width()) - column);
            if (d < distance) {
                distance = d;
                nearest = b;
            }
        }
    }
    return nearest;
}

void PlotInput::press(const PlotWidget& plot, int which, QPoint at,
                      Qt::KeyboardModifiers modifiers) {
    const chart::View& view = controller.view();
    dragged.reset();
    if (chart::legendOnPlot(view, which)) {
        const auto rows = chart::legendRows(chart::legendEntries(controller.overlay(), view), which,
                                            plot.size(), legendFont());
        for (const chart::LegendRowRect& row : rows) {
            if (row.rect.contains(at)) {
                const std::int64_t n = row.number;
                run([this, n] { controller.toggleRecordShown(n); });
                return;
            }
        }
    }
    // Shift places cursor B; else a press by a cursor's line takes that cursor, and it moves
    // once the pointer does; else cursor A is placed. Either then follows a drag.
    const bool second = modifiers & Qt::ShiftModifier;
    if (const std::optional<bool> near = cursorNear(plot, at.x()); near && !second) {
        dragged = near;
        return;
    }
    const double index = indexAt(plot, at.x());
    dragged = second;
    run([this, index, second] { controller.setCursor(second, index); });
}

void PlotInput::move(const PlotWidget& plot, QPoint at) {
    if (!dragged) {
        return;
    }
    const double index = indexAt(plot, at.x());
    const bool b = *dragged;
    const chart::View& view = controller.view();
    if ((b ? view.cursorB : view.cursorA) != chart::cursorIndex(index)) {
        run([this, index, b] { controller.setCursor(b, index); });
    }
}

void PlotInput::wheel(const PlotWidget& plot, QPoint at, QPoint angle,
                      Qt::KeyboardModifiers modifiers) {
    // A wheel's step is 120; fine-step wheels and touchpads send parts of it, which add up.
    const bool control = modifiers & Qt::ControlModifier;
    const WheelDoes does = !control                        ? WheelDoes::Pan
                           : modifiers & Qt::ShiftModifier ? WheelDoes::ZoomValues
                                                           : WheelDoes::ZoomIndex;
    if (does != wheelDoes) {
        wheelDoes = does;
        wheelDelta = 0;
    }
    wheelDelta += angle.y() != 0 ? angle.y() : angle.x();
    const int steps = wheelDelta / kWheelStep;
    wheelDelta -= steps * kWheelStep;
    if (steps == 0) {
        return;
    }
    const double factor = std::pow(0.8, steps);
    switch (does) {
    case WheelDoes::ZoomIndex: {
        const double index = indexAt(plot, at.x());
        run([this, factor, index] { controller.zoomAround(factor, index); });
        break;
    }
    case WheelDoes::ZoomValues: {
        const double value = chart::valueAtRow(controller.view().values, at.y(), plot.height());
        run([this, factor, value] { controller.zoomValuesAround(factor, value); });
        break;
    }
    case WheelDoes::Pan:
        run([this, steps] { controller.pan(-steps * controller.view().range.width() / 10.0); });
        break;
    }
}

void PlotInput::drag(const PlotWidget& plot, int pixels) {
    const chart::IndexRange& range = controller.view().range;
    const double samples =
        pixels * range.width() * kChartWidth / (range.areaWidth() * std::max(plot.width() - 1, 1));
    run([this, samples] { controller.pan(-samples); });
}

void PlotInput::box(const PlotWidget& plot, QRect rect) {
    const chart::View& view = controller.view();
    const double first = indexAt(plot, rect.left());
    const double last = indexAt(plot, rect.right());
    const double high = chart::valueAtRow(view.values, rect.top(), plot.height());
    const double low = chart::valueAtRow(view.values, rect.bottom(), plot.height());
    run([this, first, last, low, high] { controller.zoomToBox(first, last, low, high); });
}

} // namespace sorkam

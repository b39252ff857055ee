#include "viewer/window/PlotInput.h"

#include "picture/Decorations.h"

#include <algorithm>
#include <cmath>

namespace sorkam {

PlotInput::PlotInput(ViewerController& controller, Run run, std::function<QFont()> legendFont)
    : controller(controller), run(std::move(run)), legendFont(std::move(legendFont)) {
}

PlotWidget::MouseInput PlotInput::inputFor(const PlotWidget& plot, bool upper) {
    PlotWidget::MouseInput input;
    input.click = [this, &plot, upper](QPoint at, Qt::KeyboardModifiers modifiers) {
        click(plot, upper, at, modifiers);
    };
    input.wheel = [this, &plot](QPoint at, QPoint angle, Qt::KeyboardModifiers modifiers) {
        wheel(plot, at, angle, modifiers);
    };
    input.drag = [this, &plot](int pixels) { drag(plot, pixels); };
    return input;
}

double PlotInput::indexAt(const PlotWidget& plot, int column) const {
    return chart::indexAtColumn(controller.view().range, column, plot.width());
}

void PlotInput::click(const PlotWidget& plot, bool upper, QPoint at,
                      Qt::KeyboardModifiers modifiers) {
    const chart::View& view = controller.view();
    if (upper && view.legend) {
        const auto rows = chart::legendRows(chart::legendEntries(controller.overlay(), view),
                                            plot.size(), legendFont());
        for (const chart::LegendRow& row : rows) {
            if (row.rect.contains(at)) {
                const auto n = static_cast<std::int16_t>(row.number);
                run([this, n] { controller.toggleRecordShown(n); });
                return;
            }
        }
    }
    const double index = indexAt(plot, at.x());
    const bool second = modifiers & Qt::ShiftModifier;
    run([this, index, second] { controller.setCursor(second, index); });
}

void PlotInput::wheel(const PlotWidget& plot, QPoint at, QPoint angle,
                      Qt::KeyboardModifiers modifiers) {
    // A wheel's step is 120; fine-step wheels and touchpads send parts of it, which add up.
    const bool zoom = modifiers & Qt::ControlModifier;
    if (zoom != wheelZooms) {
        wheelZooms = zoom;
        wheelDelta = 0;
    }
    wheelDelta += angle.y() != 0 ? angle.y() : angle.x();
    const int steps = wheelDelta / kWheelStep;
    wheelDelta -= steps * kWheelStep;
    if (steps == 0) {
        return;
    }
    if (zoom) {
        const double index = indexAt(plot, at.x());
        run([this, steps, index] { controller.zoomAround(std::pow(0.8, steps), index); });
    } else {
        run([this, steps] { controller.pan(-steps * controller.view().range.width() / 10.0); });
    }
}

void PlotInput::drag(const PlotWidget& plot, int pixels) {
    const double samples = pixels * controller.view().range.width() * kChartWidth /
                           (kTraceSegments * std::max(plot.width() - 1, 1));
    run([this, samples] { controller.pan(-samples); });
}

} // namespace sorkam

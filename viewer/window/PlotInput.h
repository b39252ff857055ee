#pragma once

#include "viewer/ViewerController.h"
#include "viewer/window/PlotWidget.h"

#include <QFont>

#include <functional>

namespace sorkam {

// What the mouse does on the plots, as operations on the controller's view: a click places cursor
// A (Shift: B) or, on a legend row, hides or shows that record; Ctrl+wheel zooms around the
// pointer; Shift+wheel and a middle-button drag move along the chart. Pixels become sample
// indices through the chart's one conversion.
class PlotInput {
public:
    // Each operation goes through run, which hands it to the controller and shows what came of
    // it; legendFont is the font the legend is painted in.
    using Run = std::function<void(const std::function<void()>&)>;
    PlotInput(ViewerController& controller, Run run, std::function<QFont()> legendFont);

    // The mouse input of a plot; upper for plot A, where the legend is.
    [[nodiscard]] PlotWidget::MouseInput inputFor(const PlotWidget& plot, bool upper);

private:
    void click(const PlotWidget& plot, bool upper, QPoint at, Qt::KeyboardModifiers modifiers);
    void wheel(const PlotWidget& plot, QPoint at, QPoint angle, Qt::KeyboardModifiers modifiers);
    void drag(const PlotWidget& plot, int pixels);
    [[nodiscard]] double indexAt(const PlotWidget& plot, int column) const;

    static constexpr int kWheelStep = 120; // a wheel's notch, in eighths of a degree

    ViewerController& controller;
    Run run;
    std::function<QFont()> legendFont;
    int wheelDelta = 0; // what the wheel turned short of a step so far
    bool wheelZooms = false;
};

} // namespace sorkam

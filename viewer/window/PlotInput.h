#pragma once

#include "viewer/ViewerController.h"
#include "viewer/window/PlotWidget.h"

#include <QFont>

#include <functional>
#include <optional>

namespace sorkam {

// What the mouse does on the plots, as operations on the controller's view: a click places cursor
// A (Shift: B) and a drag goes on moving it; a press near a cursor's line drags that cursor; a
// click on a legend row hides or shows that record. Ctrl+wheel zooms the index axis and
// Ctrl+Shift+wheel the value axis around the pointer; Shift+wheel and a middle-button drag move
// along the chart; a rectangle drawn with the right button zooms both axes to it. Pixels become
// sample indices and values through the chart's one conversion.
class PlotInput {
public:
    // Each operation goes through run, which hands it to the controller and shows what came of
    // it; legendFont is the font the legend is painted in.
    using Run = std::function<void(const std::function<void()>&)>;
    PlotInput(ViewerController& controller, Run run, std::function<QFont()> legendFont);

    // The mouse input of a plot; which is 0 for plot A, 1 for plot B.
    [[nodiscard]] PlotWidget::MouseInput inputFor(const PlotWidget& plot, int which);

    // How near a cursor's line, in pixels, a press drags it.
    static constexpr int kCursorReach = 3;

private:
    void press(const PlotWidget& plot, int which, QPoint at, Qt::KeyboardModifiers modifiers);
    void move(const PlotWidget& plot, QPoint at);
    void wheel(const PlotWidget& plot, QPoint at, QPoint angle, Qt::KeyboardModifiers modifiers);
    void drag(const PlotWidget& plot, int pixels);
    void box(const PlotWidget& plot, QRect rect);
    // The cursor whose line is within reach of a column (true for B), if any.
    [[nodiscard]] std::optional<bool> cursorNear(const PlotWidget& plot, int column) const;
    [[nodiscard]] double indexAt(const PlotWidget& plot, int column) const;

    static constexpr int kWheelStep = 120; // a wheel's notch, in eighths of a degree
    enum class WheelDoes { Pan, ZoomIndex, ZoomValues };

    ViewerController& controller;
    Run run;
    std::function<QFont()> legendFont;
    int wheelDelta = 0; // what the wheel turned short of a step so far
    WheelDoes wheelDoes = WheelDoes::Pan;
    std::optional<bool> dragged; // the cursor a left drag moves (true for B)
};

} // namespace sorkam

#pragma once

#include "viewer/WindowFit.h"
#include "viewer/window/PlotWidget.h"

class QLabel;
class QPushButton;
class QWidget;

namespace sorkam {

// The window's controls at their fixed places: the "VIDEO A" and "VIDEO B" captions and plots,
// the status line and the "&Clear", "<" and ">" buttons, in the tab order, each named for tests
// and described for assistive technology.
struct WindowControls {
    // The controls as children of window, laid out at dpi.
    WindowControls(QWidget* window, int dpi);

    // Every control at its place and with its font for the layout at dpi; the window's font (the
    // plots' numbers) scaled alike.
    void place(QWidget* window, int dpi) const;

    PlotWidget* plotA;
    PlotWidget* plotB;
    QLabel* captionA;
    QLabel* captionB;
    QLabel* statusLine;
    QPushButton* clearButton;
    QPushButton* previousButton;
    QPushButton* nextButton;
};

// The primary screen's dots per inch (96 where it tells none), and the part of it that windows
// may take, without panels and docks.
[[nodiscard]] int screenDpi();
[[nodiscard]] ScreenArea availableArea();

} // namespace sorkam

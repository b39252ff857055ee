#pragma once

#include "../plot/ImagePlotSurface.h"

#include <QWidget>

namespace sorkam {

// A plot area of the window: shows its surface's off-screen picture and reacts to no input.
class PlotWidget final : public QWidget {
    Q_OBJECT
public:
    // A plot area of the given fixed size in layout pixels; dpi scales its tick labels like the
    // window's font. On a screen with ratio device pixels to a layout pixel the surface paints at
    // device resolution, so traces stay one device pixel wide and text is sharp.
    PlotWidget(QSize size, int dpi, qreal ratio = 1.0, QWidget* parent = nullptr);

    [[nodiscard]] ImagePlotSurface& surface() { return plot; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal ratio;
    ImagePlotSurface plot;
};

} // namespace sorkam

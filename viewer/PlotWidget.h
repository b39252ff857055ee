#pragma once

#include "../plot/ImagePlotSurface.h"

#include <QWidget>

namespace sorkam {

// A plot area of the window: shows its surface's off-screen picture and reacts to no input.
class PlotWidget final : public QWidget {
    Q_OBJECT
public:
    // A surface of the given fixed size; dpi scales its tick labels like the window's font.
    PlotWidget(QSize size, int dpi, QWidget* parent = nullptr);

    [[nodiscard]] ImagePlotSurface& surface() { return plot; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ImagePlotSurface plot;
};

} // namespace sorkam

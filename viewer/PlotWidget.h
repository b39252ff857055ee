#pragma once

#include "plot/ImagePlotSurface.h"

#include <QWidget>

namespace sorkam {

// A plot area of the window: shows its surface's off-screen picture and reacts to no input.
class PlotWidget final : public QWidget {
    Q_OBJECT
public:
    // A plot area of the given fixed size in layout pixels; dpi scales its numbers like the
    // window's font.
    PlotWidget(QSize size, int dpi, QWidget* parent = nullptr);

    [[nodiscard]] ImagePlotSurface& surface() { return plot; }
    [[nodiscard]] qreal pixelRatio() const { return ratio; }
    // Paints at ratio device pixels to a layout pixel from now on (at least 1), so traces stay
    // one device pixel wide and text is sharp. A new ratio starts a blank picture.
    void setPixelRatio(qreal ratio);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize layoutSize;
    int dpi;
    qreal ratio = 1.0;
    ImagePlotSurface plot;
};

} // namespace sorkam

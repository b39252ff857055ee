#pragma once

#include "chart/ChartLayout.h"
#include "plot/ImagePlotSurface.h"

#include <QWidget>

#include <functional>

namespace sorkam {

// A plot area of the window: shows its surface's off-screen picture, a focus frame while it has
// the keyboard focus, and a read-out beside the pointer when the pointer rests on it.
class PlotWidget final : public QWidget {
    Q_OBJECT
public:
    // A plot area at its fixed place of the layout at dpi, which also scales its numbers like
    // the window's font.
    PlotWidget(const chart::TwipsRect& place, int dpi, QWidget* parent = nullptr);

    [[nodiscard]] ImagePlotSurface& surface() { return plot; }
    [[nodiscard]] qreal pixelRatio() const { return resolution.pixelRatio; }
    // Paints at ratio device pixels to a layout pixel from now on (at least 1), so traces stay
    // one device pixel wide and text is sharp. A new ratio starts a blank picture.
    void setPixelRatio(qreal ratio);
    // Moves to its place of the layout at dpi and takes its size there; a new dpi starts a blank
    // picture.
    void setLayoutDpi(int dpi);
    // The text shown when the pointer rests at a point of the plot (in layout pixels).
    void setReadOut(std::function<QString(QPoint)> readOut);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    chart::TwipsRect place;
    chart::Resolution resolution;
    ImagePlotSurface plot;
    std::function<QString(QPoint)> readOut;
};

} // namespace sorkam

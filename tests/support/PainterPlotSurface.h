#pragma once

#include "plot/PlotGeometry.h"
#include "plot/PlotSurface.h"

#include <QFont>
#include <QImage>

namespace sorkam::test {

// The plain way to paint a plot surface: every call through its own QPainter. The reference the
// viewer's fast surface must match pixel for pixel.
class PainterPlotSurface final : public PlotSurface {
public:
    explicit PainterPlotSurface(QSize size, int dpi = 96);

    void setScale(float x1, float y1, float x2, float y2) override;
    void drawLine(float x1, float y1, float x2, float y2, Color color) override;
    void drawPoint(float x, float y) override;
    void drawNumber(float x, float y, std::int16_t value) override;
    void clear() override;

    [[nodiscard]] const QImage& image() const { return picture; }

private:
    [[nodiscard]] PixelPoint pixelAt(float x, float y) const;

    QImage picture;
    QFont font;
    UserScale scale;
};

} // namespace sorkam::test

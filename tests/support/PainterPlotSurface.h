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

    void Scale(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, Color color) override;
    void PSet(float x, float y) override;
    void Print(std::int16_t value) override;
    void Cls() override;
    [[nodiscard]] float CurrentX() const override { return currentX; }
    [[nodiscard]] float CurrentY() const override { return currentY; }
    void SetCurrentX(float x) override { currentX = x; }
    void SetCurrentY(float y) override { currentY = y; }

    [[nodiscard]] const QImage& image() const { return picture; }

private:
    [[nodiscard]] PixelPoint pixelAt(float x, float y) const;

    QImage picture;
    QFont font;
    UserScale scale;
    float currentX = 0.0f;
    float currentY = 0.0f;
};

} // namespace sorkam::test

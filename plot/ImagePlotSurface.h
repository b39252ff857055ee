#pragma once

#include "PlotGeometry.h"
#include "PlotSurface.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

namespace sorkam {

// A plot surface that paints into an off-screen picture, so what was painted survives the
// window being covered and exposed. Lines and points are one pixel wide without antialiasing
// and text has no background box, so painting the same thing again gives identical pixels.
class ImagePlotSurface final : public PlotSurface {
public:
    // Mid grey: every record colour, black and white included, stays visible on it.
    static constexpr Color kBackground = 0x808080;
    static constexpr Color kForeground = 0x000000;

    // A blank interior of size pixels; dpi sets how large the text's point size comes out.
    explicit ImagePlotSurface(QSize size, int dpi = 96);

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

    // The picture painted so far.
    [[nodiscard]] const QImage& image() const { return picture; }

    // The font tick labels are printed in: Times New Roman 8.25 pt, without antialiasing.
    [[nodiscard]] static QFont labelFont();

private:
    [[nodiscard]] PixelPoint pixelAt(float x, float y) const;

    QImage picture;
    QFont font = labelFont();
    UserScale scale{0.0f, 0.0f, 1.0f, 1.0f};
    float currentX = 0.0f;
    float currentY = 0.0f;
};

// The QColor of a 0x00BBGGRR colour.
[[nodiscard]] QColor toQColor(Color color);

} // namespace sorkam

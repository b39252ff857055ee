#pragma once

#include "plot/PolylineSurface.h"

#include <QRectF>

#include <cstdint>
#include <vector>

class QPainter;

namespace sorkam {

// A plot surface that paints through a QPainter as vectors, for the printed page: the interior
// lies at rect in the painter's units (taken as pixels of the layout at 96 dpi), its polylines,
// dotted lines and numbers painted as they are gathered.
class VectorPlotSurface final : public PolylineSurface {
public:
    VectorPlotSurface(QPainter& painter, const QRectF& rect);
    ~VectorPlotSurface() override;
    VectorPlotSurface(const VectorPlotSurface&) = delete;
    VectorPlotSurface& operator=(const VectorPlotSurface&) = delete;

    // Paints over the whole interior a picture, 0xAARRGGBB row after row, stretched to it: its
    // clear pixels leave what is there.
    void drawPixels(const std::vector<std::uint32_t>& pixels, int pixelsWide, int pixelsTall);

private:
    void writeLines(const std::vector<Polyline>& lines, Color color, const Placement& placement,
                    double penWidth) override;
    void writeDots(double x, double y, double stepX, double stepY, int count) override;
    void writeNumber(double x, double y, const std::string& text) override;
    void writeBackground() override;

    QPainter& painter;
    QRectF rect;
};

} // namespace sorkam

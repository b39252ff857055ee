#pragma once

#include "plot/PlotGeometry.h"
#include "plot/PlotSurface.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <cstdint>
#include <vector>

class QPainter;

namespace sorkam {

// A plot surface that paints through a QPainter as vectors, for SVG, PDF and the printer: the
// interior lies at rect in the painter's units, with the user scale mapped onto it as the picture
// surface maps it onto pixels. Joined lines of one colour become one polyline, a row or column of
// evenly spaced points one dotted line, and numbers stay text. What is held is painted by flush()
// (and before anything else is painted over it).
class VectorPlotSurface final : public PlotSurface {
public:
    // The painter's units are taken as pixels of the layout at 96 dpi.
    VectorPlotSurface(QPainter& painter, const QRectF& rect);
    ~VectorPlotSurface() override;
    VectorPlotSurface(const VectorPlotSurface&) = delete;
    VectorPlotSurface& operator=(const VectorPlotSurface&) = delete;

    void setScale(float x1, float y1, float x2, float y2) override;
    void drawLine(float x1, float y1, float x2, float y2, Color color) override;
    void drawPoint(float x, float y) override;
    void drawNumber(float x, float y, std::int16_t value) override;
    void clear() override;
    // Paints over the whole interior a picture, 0xAARRGGBB row after row, stretched to it: its
    // clear pixels leave what is there.
    void drawPixels(const std::vector<std::uint32_t>& pixels, int pixelsWide, int pixelsTall);

    // Paints the polylines and dotted lines still held.
    void flush();

private:
    [[nodiscard]] QPointF at(float x, float y) const;
    void flushLines();
    void flushDots();

    QPainter& painter;
    QRectF rect;
    UserScale scale{0.0f, 0.0f, 1.0f, 1.0f};
    // Polylines of one colour still open, each ending where the next segment may start.
    std::vector<QPolygonF> lines;
    Color lineColor = 0;
    // A run of points at one y (or one x), evenly spaced.
    QPointF dotsFrom;
    QPointF dotStep;
    int dotCount = 0;
};

} // namespace sorkam

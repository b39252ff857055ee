#pragma once

#include "plot/PlotGeometry.h"
#include "plot/PlotSurface.h"
#include "plot/ShapeRuns.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace sorkam {

// A plot surface that paints into an off-screen picture, so what was painted survives the
// window being covered and exposed. Lines and points are one pixel wide without antialiasing
// and text has no background box, so painting the same thing again gives identical pixels.
//
// The pixels are QPainter's, but not painted through QPainter one call at a time: that costs
// about 0.6 us a line, 2.0 ms for a record's 3,204 segments. Instead the surface asks QPainter
// once for the pixels of each line shape (the end point's offset from the start) and each
// printed number, keeps them, and writes them straight into the picture (under 10 ns a segment).
// Lines that would leave the picture are still painted by QPainter, which clips them.
class ImagePlotSurface final : public PlotSurface {
public:
    // A light grey that differs from black and white and tells every other record colour apart
    // best: its worst contrast with them is 1.51:1 (green and magenta; WCAG relative luminance),
    // while black numbers on it have 10.1:1. A mid grey (0x808080) gave red 1.01:1.
    static constexpr Color kBackground = 0xB4B4B4;

    // A blank interior of size pixels; dpi sets how large the text's point size comes out.
    explicit ImagePlotSurface(QSize size, int dpi = 96);

    // Starts again as a blank surface of another size or resolution.
    void reset(QSize size, int dpi);

    void setScale(float x1, float y1, float x2, float y2) override;
    void drawLine(float x1, float y1, float x2, float y2, Color color) override;
    void drawPoint(float x, float y) override;
    void drawNumber(float x, float y, std::int16_t value) override;
    void clear() override;
    // Paints over the whole interior a picture of its own size, 0xAARRGGBB row after row: its
    // clear pixels leave what is there, the rest are opaque.
    void drawPixels(const std::vector<std::uint32_t>& pixels, int pixelsWide, int pixelsTall);

    [[nodiscard]] QSize size() const { return picture.size(); }
    // A copy of the picture painted so far.
    [[nodiscard]] QImage image() const { return picture.copy(); }
    // Copies the part source of the picture to target through painter (a larger source for a
    // screen with more pixels than layout units).
    void paintOn(QPainter& painter, const QRectF& target, const QRectF& source) const;

    // The font numbers are drawn in: the window's, without antialiasing.
    [[nodiscard]] static QFont labelFont();
    // The pen lines are painted with: one pixel, solid, square ends, no antialiasing.
    [[nodiscard]] static QPen linePen(Color color);
    // A line from (0, 0) to (dx, dy) as the surface paints it: white on a black scratch
    // picture, from origin. The export tool keeps these at build time.
    [[nodiscard]] static QImage paintedLine(int dx, int dy, QPoint& origin);

private:
    // A column of pixels relative to a start point, as QPainter paints them: count pixels down
    // from (dx, dy). A trace segment is one or two of them. Text and clipped lines are painted
    // from columns; lines within the picture from the offsets below, which need no clipping.
    using Run = ShapeRun;
    struct Shape {
        std::uint32_t first = 0; // into runs
        std::uint32_t count = 0;
        // A line shape within its ends also as offsets from the start pixel, in blocks of four.
        std::uint32_t firstOffset = 0; // into offsets
        std::uint32_t offsetBlocks = 0;
        bool known = false;
        bool withinEnds = false; // every pixel lies within the box of the line's two ends
    };

    [[nodiscard]] PixelPoint pixelAt(float x, float y) const { return mapping(x, y); }
    [[nodiscard]] bool inside(PixelPoint p) const {
        return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height;
    }
    const Shape& lineShape(int dx, int dy);
    // Asks QPainter for the pixels of a line shape not seen before and keeps them in slot.
    [[gnu::noinline]] const Shape& keepLineShape(Shape& slot, int dx, int dy);
    const Shape& textShape(std::int16_t value);
    Shape shapeFrom(const QImage& scratch, QPoint origin, bool (*painted)(QRgb));
    void paintShape(const Shape& shape, PixelPoint at, QRgb rgb);
    // A line with an end outside the picture, painted and clipped by QPainter.
    [[gnu::noinline]] void paintClipped(PixelPoint a, PixelPoint b, Color color);
    void paintShapeUnchecked(const Shape& shape, PixelPoint at, QRgb rgb);
    void refreshBits();
    // The start of a row in the picture, or null for a row outside it.
    [[nodiscard]] QRgb* rowBits(int row) const;

    // Never shared with another QImage (image() hands out copies), so its pixels can be written
    // through a pointer taken once.
    QImage picture;
    int width;
    int height;
    QRgb* bits = nullptr;
    qsizetype stride = 0;
    QFont font = labelFont();
    UserScale scale{0.0f, 0.0f, 1.0f, 1.0f};
    PixelMapping mapping{scale, 1, 1};

    // The last point's mapping: the frame's grid paints rows of dots at one y and columns at one x.
    float lastX = 0.0f;
    float lastY = 0.0f;
    int lastColumn = 0;
    int lastRow = 0;
    QRgb* lastRowBits = nullptr; // null when lastRow lies outside the picture

    std::vector<Run> runs; // every kept shape's columns, one shape after the other
    std::vector<std::int32_t> offsets;
    std::vector<Shape> nearShapes; // lines whose end is at most kNear columns across
    std::unordered_map<std::int64_t, Shape> farShapes;
    std::unordered_map<std::int16_t, Shape> textShapes;
    int textAscent = 0;
};

// Sets a picture's resolution, which decides how many pixels a point size of text takes.
void setDpi(QImage& picture, int dpi);

// The QColor of a 0x00BBGGRR colour.
[[nodiscard]] QColor toQColor(Color color);

// The opaque pixel value of a 0x00BBGGRR colour in a QImage.
[[nodiscard]] constexpr QRgb toRgb(Color color) {
    return 0xFF000000u | static_cast<QRgb>(redOf(color)) << 16 |
           static_cast<QRgb>(greenOf(color)) << 8 | static_cast<QRgb>(blueOf(color));
}

} // namespace sorkam

#pragma once

#include "plot/PlotGeometry.h"
#include "plot/PlotSurface.h"

#include <string>
#include <utility>
#include <vector>

namespace sorkam {

// A plot surface for vectors (an SVG, a PDF page, a printed page): the interior lies at a place
// of the document's units (the layout's pixels), with the user scale mapped onto it as the
// picture surface maps it onto pixels. Joined lines of one colour become one polyline, held in
// the user units of the scale (a trace's points are then whole numbers), and a segment going on
// in the same direction only moves the line's end; a row or column of evenly spaced points
// becomes one dotted line; numbers stay text. Writing them is the subclass's. What is held is
// written by flush(), and before anything painted over it.
class PolylineSurface : public PlotSurface {
public:
    PolylineSurface(double left, double top, double width, double height)
        : left(left), top(top), width(width), height(height) {}

    void setScale(float x1, float y1, float x2, float y2) override;
    void drawLine(float x1, float y1, float x2, float y2, Color color) override;
    void drawPoint(float x, float y) override;
    void drawNumber(float x, float y, std::int16_t value) override;
    void clear() override;
    void flush();

protected:
    using Polyline = std::vector<std::pair<float, float>>;
    // User units to the document's: x' = scaleX * x + originX, likewise y.
    struct Placement {
        double scaleX;
        double scaleY;
        double originX;
        double originY;
    };
    // Polylines of one colour in user units, placed, with a pen one layout unit across.
    virtual void writeLines(const std::vector<Polyline>& lines, Color color,
                            const Placement& placement, double penWidth) = 0;
    // count points from (x, y) a step apart (one point: a pixel's square), in the document's
    // units.
    virtual void writeDots(double x, double y, double stepX, double stepY, int count) = 0;
    // A number's text with its top-left corner at (x, y), in the document's units.
    virtual void writeNumber(double x, double y, const std::string& text) = 0;
    // The interior's background over its whole place.
    virtual void writeBackground() = 0;

    const double left;
    const double top;
    const double width;
    const double height;

private:
    // As the picture surface maps a point onto pixels 0 .. width - 1, unrounded, in the interior.
    [[nodiscard]] std::pair<double, double> at(float x, float y) const;
    void flushLines();
    void flushDots();

    UserScale scale{0.0f, 0.0f, 1.0f, 1.0f};
    std::vector<Polyline> lines;
    Color lineColor = 0;
    double dotsX = 0.0;
    double dotsY = 0.0;
    double stepX = 0.0;
    double stepY = 0.0;
    int dotCount = 0;
};

} // namespace sorkam

#pragma once

#include "chart/ChartLayout.h"
#include "chart/PlotDecorations.h"
#include "plot/PlotGeometry.h"
#include "plot/PlotSurface.h"

#include <string>
#include <utility>
#include <vector>

namespace sorkam::chart {

struct Density;

// A plot area of a vector document written by hand (SVG, PDF): a plot surface and a canvas for
// its decorations, at its place of the layout, one unit of the document a layout pixel at 96 dpi.
// Joined lines of one colour become one polyline, held in the user units of the scale (a trace's
// points are then whole numbers), and flat stretches one segment; a row or column of evenly
// spaced points becomes one dotted line; numbers stay text. The document's own elements are its
// subclass's to write. What is held is written by flush() and before anything painted over it.
class VectorPlot : public PlotSurface, public DecorationCanvas {
public:
    explicit VectorPlot(const PixelRect& place) : place(place) {}

    void setScale(float x1, float y1, float x2, float y2) override;
    void drawLine(float x1, float y1, float x2, float y2, Color color) override;
    void drawPoint(float x, float y) override;
    void drawNumber(float x, float y, std::int16_t value) override;
    void clear() override;
    void flush();
    // The view's density of this plot (0: VIDEO A, 1: VIDEO B) over the whole plot, as a picture
    // of its counted pixels: red, green and blue bytes, the plot's grey where no trace passes.
    virtual void drawDensity(const Density& density, int which) = 0;

    [[nodiscard]] int textWidth(std::string_view text, bool bold) const override;
    [[nodiscard]] int lineHeight(bool bold) const override;
    [[nodiscard]] int ascent(bool bold) const override;

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
    // A number's text with its top-left corner at (left, top), in the document's units.
    virtual void writeNumber(double left, double top, const std::string& text) = 0;
    // The plot's background over its whole place.
    virtual void writeBackground() = 0;

    [[nodiscard]] static std::vector<unsigned char> densityRgb(const Density& density, int which);

    const PixelRect place;

private:
    // As the picture surface maps a point onto pixels 0 .. width - 1, unrounded, in the plot.
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

} // namespace sorkam::chart

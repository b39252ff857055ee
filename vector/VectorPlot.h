#pragma once

#include "chart/ChartLayout.h"
#include "chart/PlotDecorations.h"
#include "chart/RecordPainter.h"
#include "plot/PolylineSurface.h"

#include <string>
#include <utility>
#include <vector>

namespace sorkam::chart {

struct Density;

// A plot area of a vector document written by hand (SVG, PDF), one unit of the document a layout
// pixel at 96 dpi: the frame and traces as polylines, dotted lines and text, and a canvas for its
// decorations measured with the chart's faces kept at build time. Its elements are the document's
// own to write.
class VectorPlot : public PolylineSurface, public DecorationCanvas {
public:
    explicit VectorPlot(const PixelRect& place)
        : PolylineSurface(place.left, place.top, place.width, place.height), place(place) {}

    // Where it lies in the document.
    [[nodiscard]] const PixelRect& placed() const { return place; }
    // The view's density of this plot (0: VIDEO A, 1: VIDEO B) over the whole plot, as a picture
    // of its counted pixels: red, green and blue bytes, the plot's grey where no trace passes.
    virtual void drawDensity(const Density& density, int which) = 0;

    [[nodiscard]] int textWidth(std::string_view text, bool bold) const override;
    [[nodiscard]] int lineHeight(bool bold) const override;
    [[nodiscard]] int ascent(bool bold) const override;

protected:
    const PixelRect place;
};

// A vector document of a view (SVG, PDF), record by record on its two plots: their frames first,
// then each record's traces, then their decorations, each plot's between openPlot and closePlot.
class VectorPicture : public RecordPainter {
public:
    [[nodiscard]] const View& view() const override { return shown; }
    void paintRecord(const Record& record, Color color) override;

protected:
    explicit VectorPicture(const View& view) : shown(view) {}
    // Each plot's background, the view's density and the frame of its ranges.
    void paintFrames(VectorPlot& a, VectorPlot& b);
    void paintDecorations(const std::vector<LegendEntry>& legend);
    virtual void openPlot(int which, const PixelRect& place) = 0;
    virtual void closePlot() = 0;

private:
    View shown;
    VectorPlot* plotA = nullptr;
    VectorPlot* plotB = nullptr;
};

} // namespace sorkam::chart

#pragma once

#include "chart/Legend.h"
#include "chart/View.h"
#include "chart/ViewText.h"
#include "vector/VectorPlot.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sorkam::chart {

// Where a picture written by hand goes, a piece at a time: false once it cannot take more.
using TextSink = std::function<bool(std::string_view)>;

// The chart as a view shows records, written by hand as an SVG document: the captions and the
// frame of the view's ranges, each record's traces over the ones before (a polyline a channel,
// flat stretches as one segment), then the decorations; numbers and labels stay text in the
// window's face, laid out with its measures kept at build time. Written to the sink as it is
// painted, so memory does not grow with the records (a density is a picture of its pixels).
// Title and description say what it shows.
class SvgPicture final : public VectorPicture {
public:
    SvgPicture(const View& view, const PictureText& text, TextSink out);
    ~SvgPicture() override;
    SvgPicture(const SvgPicture&) = delete;
    SvgPicture& operator=(const SvgPicture&) = delete;

    // The decorations with legend, and the document's end; false where the sink failed.
    [[nodiscard]] bool finish(const std::vector<LegendEntry>& legend);

private:
    class Document;
    class PlotPart;

    void openPlot(int which, const PixelRect& place) override;
    void closePlot() override;

    std::unique_ptr<Document> document;
    std::unique_ptr<PlotPart> plotA;
    std::unique_ptr<PlotPart> plotB;
};

} // namespace sorkam::chart

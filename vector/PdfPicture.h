#pragma once

#include "chart/Legend.h"
#include "chart/View.h"
#include "chart/ViewText.h"
#include "vector/SvgPicture.h"
#include "vector/VectorPlot.h"

#include <memory>
#include <vector>

namespace sorkam::chart {

// The chart as a view shows records, written by hand as a one-page PDF document of the chart's
// size: the same drawing as SvgPicture, in the standard Times faces (no font file is embedded),
// its page's content deflated as it is painted and written to the sink, so memory does not grow
// with the records. Its information dictionary and XMP metadata say what it shows.
class PdfPicture final : public VectorPicture {
public:
    PdfPicture(const View& view, const PictureText& text, TextSink out);
    ~PdfPicture() override;
    PdfPicture(const PdfPicture&) = delete;
    PdfPicture& operator=(const PdfPicture&) = delete;

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

// A PDF text string: UTF-16 with its byte-order mark, in hexadecimal ("<FEFF0041>").
[[nodiscard]] std::string pdfText(std::string_view utf8);

} // namespace sorkam::chart

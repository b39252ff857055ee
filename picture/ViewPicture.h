#pragma once

#include "chart/Overlay.h"
#include "chart/PictureTypes.h"
#include "chart/ViewText.h"
#include "picture/Decorations.h"
#include "record/RecordFile.h"

#include <QImage>

#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace sorkam {
class PlotSurface;
}

namespace sorkam::chart {

// The chart as a view shows records, painted record by record as the window paints them: the
// captions and the frame of the view's range, each record's traces over the ones before, then
// the cursors and the legend. Both programs make their pictures of a view with it.
class ViewPainter {
public:
    // A picture at scale picture pixels to each layout pixel at 96 dpi. For the whole range with
    // no cursor and no legend, its pixels are the export tool's pictures'.
    ViewPainter(const View& view, int scale);
    // Onto painter, whose units are layout pixels at 96 dpi (an SVG, a PDF page, a printed page),
    // as lines and text.
    ViewPainter(const View& view, QPainter& painter);
    ~ViewPainter();
    ViewPainter(const ViewPainter&) = delete;
    ViewPainter& operator=(const ViewPainter&) = delete;

    [[nodiscard]] const View& view() const { return shownView; }
    // A record's traces in color over the ones before.
    void paintRecord(const Record& record, Color color);
    // The cursors and, where the view has it, the legend of these records over the traces; the
    // picture (a null image when painting onto a painter).
    [[nodiscard]] QImage finish(const std::vector<LegendEntry>& legend);

private:
    View shownView;
    int scale = 1;
    QPainter* painter = nullptr;
    std::unique_ptr<PlotSurface> plotA;
    std::unique_ptr<PlotSurface> plotB;
};

// Paints the shown records of an overlay in their order; the legend of them. A record hidden from
// the window's legend is left out of a picture altogether, so that the export tool, given the
// records shown, paints the same picture.
std::vector<LegendEntry> paintShown(ViewPainter& painter, const Overlay& overlay);

// The shown records of an overlay in view, as a picture at scale or onto a painter.
[[nodiscard]] QImage viewImage(const Overlay& overlay, const View& view, int scale);
void paintView(QPainter& painter, const Overlay& overlay, const View& view);

// A view's picture as file bytes: PNG at scale picture pixels to each layout pixel, SVG and PDF as
// lines and text, each with text saying what it shows (PNG text chunks; SVG title and
// description; PDF title, subject and XMP). paintRecords paints the records in their order and
// answers their legend. Empty when the picture cannot be made.
using PaintRecords = std::function<std::vector<LegendEntry>(ViewPainter&)>;
[[nodiscard]] QByteArray viewFile(PictureFormat format, const View& view, int scale,
                                  const PictureText& text, const PaintRecords& paintRecords);

// A page: the chart scaled to fit pageRect (in painter units), centred.
void fitChartOnPage(QPainter& painter, const QRectF& pageRect);

} // namespace sorkam::chart

#pragma once

#include "chart/Legend.h"
#include "chart/Overlay.h"
#include "chart/RecordPainter.h"
#include "chart/View.h"
#include "picture/ImagePlotSurface.h"
#include "picture/VectorPlotSurface.h"
#include "record/RecordFile.h"

#include <QImage>

#include <vector>

class QPainter;

namespace sorkam::chart {

// The chart as a view shows records, painted record by record as the window paints them: the
// captions and the frame of the view's range, each record's traces over the ones before, then
// the cursors and the legend. The printed page is painted with it (VectorViewPainter); pictures
// to share are painted on the ground, with no toolkit (raster/, vector/).
class ViewPainter : public RecordPainter {
public:
    ViewPainter(const ViewPainter&) = delete;
    ViewPainter& operator=(const ViewPainter&) = delete;

    [[nodiscard]] const View& view() const override { return shownView; }
    void paintRecord(const Record& record, Color color) override;

protected:
    explicit ViewPainter(const View& view) : shownView(view) {}
    [[nodiscard]] virtual PlotSurface& plotA() = 0;
    [[nodiscard]] virtual PlotSurface& plotB() = 0;

private:
    View shownView;
};

// Onto a painter whose units are layout pixels at 96 dpi (a printed page), as lines and text.
class VectorViewPainter final : public ViewPainter {
public:
    VectorViewPainter(const View& view, QPainter& painter);
    // The traces still held, then the cursors and, where the view has it, the legend.
    void finish(const std::vector<LegendEntry>& legend);

private:
    PlotSurface& plotA() override { return surfaceA; }
    PlotSurface& plotB() override { return surfaceB; }

    QPainter& painter;
    VectorPlotSurface surfaceA;
    VectorPlotSurface surfaceB;
};

// The view's density on a blank plot surface (0: VIDEO A, 1: VIDEO B), where it was counted for
// the view at the surface's size.
void paintDensity(ImagePlotSurface& surface, const View& view, int which);

// The shown records of an overlay in view onto a painter.
void paintView(QPainter& painter, const Overlay& overlay, const View& view);

} // namespace sorkam::chart

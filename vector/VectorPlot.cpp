#include "vector/VectorPlot.h"

#include "chart/Density.h"
#include "chart/OverlayView.h"
#include "vector/FontTables.h"
#include "vector/VectorText.h"

#include <cmath>

namespace sorkam::chart {

int VectorPlot::textWidth(std::string_view text, bool bold) const {
    return chart::textWidth(bold ? kWindowBoldFace : kWindowFace, text);
}

int VectorPlot::lineHeight(bool bold) const {
    return (bold ? kWindowBoldFace : kWindowFace).height;
}

int VectorPlot::ascent(bool bold) const {
    return (bold ? kWindowBoldFace : kWindowFace).ascent;
}

void VectorPicture::paintFrames(VectorPlot& a, VectorPlot& b) {
    plotA = &a;
    plotB = &b;
    for (VectorPlot* plot : {plotA, plotB}) {
        plot->clear();
        if (shown.density) {
            plot->drawDensity(*shown.density, plot == plotA ? 0 : 1);
        }
        drawViewFrame(*plot, shown);
        plot->flush();
    }
}

void VectorPicture::paintRecord(const Record& record, Color color) {
    paintRecordOver(*plotA, *plotB, record, color, shown);
}

void VectorPicture::paintDecorations(const std::vector<LegendEntry>& legend) {
    plotA->flush();
    plotB->flush();
    int which = 0;
    for (VectorPlot* plot : {plotA, plotB}) {
        openPlot(which, plot->placed());
        drawPlotDecorations(*plot, plot->placed().width, plot->placed().height, which, shown,
                            legend);
        closePlot();
        ++which;
    }
}

} // namespace sorkam::chart

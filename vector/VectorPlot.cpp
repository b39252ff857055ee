#include "vector/VectorPlot.h"

#include "chart/Density.h"
#include "chart/OverlayView.h"
#include "vector/FontTables.h"
#include "vector/VectorText.h"

#include <cmath>

namespace sorkam::chart {

std::vector<unsigned char> VectorPlot::densityRgb(const Density& density, int which) {
    const std::vector<std::uint32_t> pixels = densityPixels(density, which);
    std::vector<unsigned char> rgb;
    rgb.reserve(pixels.size() * 3);
    for (std::uint32_t p : pixels) {
        p = p == 0 ? 0xB4B4B4 : p;
        rgb.push_back(static_cast<unsigned char>(p >> 16));
        rgb.push_back(static_cast<unsigned char>(p >> 8));
        rgb.push_back(static_cast<unsigned char>(p));
    }
    return rgb;
}

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

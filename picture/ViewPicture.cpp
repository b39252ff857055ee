#include "picture/ViewPicture.h"

#include "chart/ChartLayout.h"
#include "chart/Density.h"
#include "chart/OverlayView.h"
#include "picture/ChartFonts.h"
#include "picture/ChartPicture.h"
#include "picture/Decorations.h"
#include "picture/Fonts.h"
#include "picture/ImagePlotSurface.h"
#include "picture/VectorPlotSurface.h"

#include <QPainter>

namespace sorkam::chart {

namespace {

QRect layoutRect(const TwipsRect& place) {
    return qRectOf(place, kPictureDpi);
}

Resolution pictureResolution(int scale) {
    return {kPictureDpi, static_cast<double>(scale)};
}

// What both plots show over their traces, painter in layout pixels.
void paintDecorations(QPainter& painter, const View& view, const std::vector<LegendEntry>& legend) {
    painter.setFont(layoutPixelFont(windowFont()));
    const TwipsRect places[] = {kPlotA, kPlotB};
    for (int which = 0; which < 2; ++which) {
        const QRect rect = layoutRect(places[which]);
        painter.save();
        painter.translate(rect.topLeft());
        painter.setClipRect(QRect(QPoint(), rect.size()));
        paintPlotDecorations(painter, rect.size(), which, view, legend);
        painter.restore();
    }
}

} // namespace

void paintDensity(ImagePlotSurface& surface, const View& view, int which) {
    const QSize size = surface.size();
    if (view.density && view.density->fits(view, size.width(), size.height())) {
        surface.drawPixels(densityPixels(*view.density, which), size.width(), size.height());
    }
}

void ViewPainter::paintRecord(const Record& record, Color color) {
    paintRecordOver(plotA(), plotB(), record, color, shownView);
}

VectorViewPainter::VectorViewPainter(const View& view, QPainter& painter)
    : ViewPainter(view), painter(painter), surfaceA(painter, layoutRect(kPlotA)),
      surfaceB(painter, layoutRect(kPlotB)) {
    painter.fillRect(QRect(QPoint(), chartSize()), toQColor(kWindowBackground));
    paintChartCaptions(painter, layoutPixelFont(captionFont()), pictureResolution(1));
    for (VectorPlotSurface* surface : {&surfaceA, &surfaceB}) {
        surface->clear();
        if (view.density) {
            const Density& density = *view.density;
            surface->drawPixels(densityPixels(density, surface == &surfaceA ? 0 : 1), density.width,
                                density.height);
        }
        drawViewFrame(*surface, view);
        surface->flush();
    }
}

void VectorViewPainter::finish(const std::vector<LegendEntry>& legend) {
    surfaceA.flush();
    surfaceB.flush();
    paintDecorations(painter, view(), legend);
}

void paintView(QPainter& painter, const Overlay& overlay, const View& view) {
    VectorViewPainter chart(view, painter);
    chart.finish(paintShown(chart, overlay));
}

} // namespace sorkam::chart

#include "picture/ChartPicture.h"

#include "chart/ChartLayout.h"
#include "picture/ChartFonts.h"
#include "picture/Fonts.h"
#include "picture/ImagePlotSurface.h"
#include "plot/PlotFrame.h"

#include <QPainter>

#include <algorithm>

namespace sorkam::chart {

BareChart bareChart(int scale) {
    const Resolution resolution{kPictureDpi, static_cast<double>(scale)};
    BareChart chart;
    chart.dpi = resolution.pictureDpi();
    chart.plotA = qRectOf(resolution, kPlotA);
    chart.plotB = qRectOf(resolution, kPlotB);
    ImagePlotSurface plotA(chart.plotA.size(), chart.dpi);
    ImagePlotSurface plotB(chart.plotB.size(), chart.dpi);
    drawFrame(plotA, plotB);
    chart.picture = chartAround(scale, plotA.image(), plotB.image());
    return chart;
}

QSize chartSize() {
    // As wide as the window, down to the lower plot area with the same margin below it as the
    // upper one has above it.
    const QRect plotA = qRectOf(kPlotA, kPictureDpi);
    const QRect plotB = qRectOf(kPlotB, kPictureDpi);
    return {qRectOf({0, 0, kClientWidth, kClientHeight}, kPictureDpi).width(),
            plotB.bottom() + 1 + plotA.top()};
}

void paintChartCaptions(QPainter& painter, const QFont& font, const Resolution& resolution) {
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(qRectOf(resolution, kCaptionA), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("VIDEO A"));
    painter.drawText(qRectOf(resolution, kCaptionB), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("VIDEO B"));
}

QImage chartAround(int scale, const QImage& plotA, const QImage& plotB) {
    const Resolution resolution{kPictureDpi, static_cast<double>(scale)};
    const QRect client = qRectOf(resolution, {0, 0, kClientWidth, kClientHeight});
    const QRect rectA = qRectOf(resolution, kPlotA);
    const QRect rectB = qRectOf(resolution, kPlotB);
    QImage picture(client.width(), rectB.bottom() + 1 + rectA.top(), QImage::Format_RGB32);
    setDpi(picture, resolution.pictureDpi());
    picture.fill(toQColor(kWindowBackground));
    QPainter painter(&picture);
    paintChartCaptions(painter, pictureFont(captionFont()), resolution);
    painter.drawImage(rectA.topLeft(), plotA);
    painter.drawImage(rectB.topLeft(), plotB);
    return picture;
}

void fitChartOnPage(QPainter& painter, const QRectF& page) {
    const QSizeF size = chartSize();
    const double factor = std::min(page.width() / size.width(), page.height() / size.height());
    painter.translate(page.center() - QPointF(size.width(), size.height()) * factor / 2.0);
    painter.scale(factor, factor);
}

} // namespace sorkam::chart

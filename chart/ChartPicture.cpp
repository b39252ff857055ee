#include "chart/ChartPicture.h"

#include "chart/ChartLayout.h"
#include "plot/ImagePlotSurface.h"
#include "plot/PlotFrame.h"

#include <QPainter>

namespace sorkam::chart {

namespace {

// Pictures are laid out as the window is at 96 dpi, on the window's background.
constexpr int kDpi = 96;
constexpr Color kWindowBackground = 0xF0F0F0;

} // namespace

BareChart bareChart(int scale) {
    const Resolution resolution{kDpi, static_cast<double>(scale)};
    BareChart chart;
    chart.dpi = resolution.pictureDpi();
    chart.plotA = resolution.pictureRect(kPlotA);
    chart.plotB = resolution.pictureRect(kPlotB);
    ImagePlotSurface plotA(chart.plotA.size(), chart.dpi);
    ImagePlotSurface plotB(chart.plotB.size(), chart.dpi);
    drawFrame(plotA, plotB);

    // As wide as the window, down to the lower plot area with the same margin below it as the
    // upper one has above it.
    const QRect client = resolution.pictureRect({0, 0, kClientWidth, kClientHeight});
    chart.picture =
        QImage(client.width(), chart.plotB.bottom() + 1 + chart.plotA.top(), QImage::Format_RGB32);
    setDpi(chart.picture, chart.dpi);
    chart.picture.fill(toQColor(kWindowBackground));
    QPainter painter(&chart.picture);
    painter.setFont(captionFont());
    painter.setPen(Qt::black);
    painter.drawText(resolution.pictureRect(kCaptionA), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("VIDEO A"));
    painter.drawText(resolution.pictureRect(kCaptionB), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("VIDEO B"));
    painter.drawImage(chart.plotA.topLeft(), plotA.image());
    painter.drawImage(chart.plotB.topLeft(), plotB.image());
    return chart;
}

} // namespace sorkam::chart

#include "PlotPicture.h"

#include "plot/PlotFrame.h"
#include "viewer/RecordDisplay.h"
#include "viewer/TraceColors.h"
#include "viewer/WindowLayout.h"

#include <QPainter>

namespace sorkam {

namespace {

constexpr int kDpi = 96;
constexpr Color kWindowBackground = 0xF0F0F0;

QRect pixels(const layout::TwipsRect& r, int dpi) {
    return {layout::toPixels(r.left, dpi), layout::toPixels(r.top, dpi),
            layout::toPixels(r.width, dpi), layout::toPixels(r.height, dpi)};
}

} // namespace

PlotPicture::PlotPicture(int scale)
    : scale(scale), pic0(std::make_unique<ImagePlotSurface>(
                        pixels(layout::kPlotA, kDpi * scale).size(), kDpi * scale)),
      pic1(std::make_unique<ImagePlotSurface>(pixels(layout::kPlotB, kDpi * scale).size(),
                                              kDpi * scale)) {
    DrawFrame(*pic0, *pic1);
}

void PlotPicture::add(const Record& record, std::int64_t n) {
    paintTraces(record, TraceColors[static_cast<std::size_t>(n % kTraceColorCount)], *pic0, *pic1);
}

QImage PlotPicture::image() const {
    const int dpi = kDpi * scale;
    const QRect plotA = pixels(layout::kPlotA, dpi);
    const QRect plotB = pixels(layout::kPlotB, dpi);
    // As wide as the window, down to the lower plot area with the same margin below it as the
    // upper one has above it.
    QImage picture(layout::toPixels(layout::kClientWidth, dpi), plotB.bottom() + 1 + plotA.top(),
                   QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(dpi * 39.37 + 0.5);
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    picture.fill(toQColor(kWindowBackground));
    QPainter painter(&picture);
    QFont caption(QStringLiteral("Times New Roman"));
    caption.setStyleHint(QFont::Serif);
    caption.setPointSizeF(layout::kLabelPointSize);
    painter.setFont(caption);
    painter.setPen(Qt::black);
    painter.drawText(pixels(layout::kLabelA, dpi), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("VIDEO A"));
    painter.drawText(pixels(layout::kLabelB, dpi), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("VIDEO B"));
    painter.drawImage(plotA.topLeft(), pic0->image());
    painter.drawImage(plotB.topLeft(), pic1->image());
    painter.end();
    return picture;
}

} // namespace sorkam

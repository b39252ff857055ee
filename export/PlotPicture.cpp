#include "PlotPicture.h"

#include "plot/PlotFrame.h"
#include "viewer/RecordDisplay.h"
#include "viewer/TraceColors.h"
#include "viewer/WindowLayout.h"
#include "viewer/WindowStyle.h"

#include <QPainter>

namespace sorkam {

namespace {

constexpr int kDpi = 96;
constexpr Color kWindowBackground = 0xF0F0F0;

} // namespace

PlotPicture::PlotPicture(int scale)
    : scale(scale), pic0(std::make_unique<ImagePlotSurface>(
                        pixelRect(layout::kPlotA, kDpi * scale).size(), kDpi * scale)),
      pic1(std::make_unique<ImagePlotSurface>(pixelRect(layout::kPlotB, kDpi * scale).size(),
                                              kDpi * scale)) {
    DrawFrame(*pic0, *pic1);
}

void PlotPicture::add(const Record& record, std::int64_t n) {
    paintTraces(record, TraceColors[static_cast<std::size_t>(n % kTraceColorCount)], *pic0, *pic1);
}

QImage PlotPicture::image() const {
    const int dpi = kDpi * scale;
    const QRect plotA = pixelRect(layout::kPlotA, dpi);
    const QRect plotB = pixelRect(layout::kPlotB, dpi);
    // As wide as the window, down to the lower plot area with the same margin below it as the
    // upper one has above it.
    QImage picture(layout::toPixels(layout::kClientWidth, dpi), plotB.bottom() + 1 + plotA.top(),
                   QImage::Format_RGB32);
    setDpi(picture, dpi);
    picture.fill(toQColor(kWindowBackground));
    QPainter painter(&picture);
    painter.setFont(serifFont(layout::kLabelPointSize));
    painter.setPen(Qt::black);
    painter.drawText(pixelRect(layout::kLabelA, dpi), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("VIDEO A"));
    painter.drawText(pixelRect(layout::kLabelB, dpi), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("VIDEO B"));
    painter.drawImage(plotA.topLeft(), pic0->image());
    painter.drawImage(plotB.topLeft(), pic1->image());
    painter.end();
    return picture;
}

} // namespace sorkam

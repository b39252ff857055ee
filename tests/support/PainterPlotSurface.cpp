#include "tests/support/PainterPlotSurface.h"

#include "picture/ImagePlotSurface.h"

#include <QFontMetrics>
#include <QPainter>

namespace sorkam::test {

PainterPlotSurface::PainterPlotSurface(QSize size, int dpi)
    : picture(size, QImage::Format_RGB32), font(ImagePlotSurface::labelFont()) {
    setDpi(picture, dpi);
    scale = {0.0f, 0.0f, static_cast<float>(size.width() - 1),
             static_cast<float>(size.height() - 1)};
    picture.fill(toQColor(ImagePlotSurface::kBackground));
}

PixelPoint PainterPlotSurface::pixelAt(float x, float y) const {
    return toPixel(scale, picture.width(), picture.height(), x, y);
}

void PainterPlotSurface::setScale(float x1, float y1, float x2, float y2) {
    scale = {x1, y1, x2 - x1, y2 - y1};
}

void PainterPlotSurface::drawLine(float x1, float y1, float x2, float y2, Color color) {
    const PixelPoint a = pixelAt(x1, y1);
    const PixelPoint b = pixelAt(x2, y2);
    QPainter painter(&picture);
    painter.setPen(ImagePlotSurface::linePen(color));
    painter.drawLine(QPoint(a.x, a.y), QPoint(b.x, b.y));
}

void PainterPlotSurface::drawPoint(float x, float y) {
    const PixelPoint p = pixelAt(x, y);
    QPainter painter(&picture);
    painter.setPen(ImagePlotSurface::linePen(kForegroundColor));
    painter.drawPoint(QPoint(p.x, p.y));
}

void PainterPlotSurface::drawNumber(float x, float y, std::int16_t value) {
    const PixelPoint p = pixelAt(x, y);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(toQColor(kForegroundColor));
    const QFontMetrics metrics(font, &picture);
    painter.drawText(QPoint(p.x, p.y + metrics.ascent()),
                     QString::fromStdString(printedNumber(value)));
}

void PainterPlotSurface::clear() {
    picture.fill(toQColor(ImagePlotSurface::kBackground));
}

} // namespace sorkam::test

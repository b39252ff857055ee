#include "picture/VectorPlotSurface.h"

#include "picture/Fonts.h"
#include "picture/ImagePlotSurface.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace sorkam {

VectorPlotSurface::VectorPlotSurface(QPainter& painter, const QRectF& rect)
    : PolylineSurface(rect.left(), rect.top(), rect.width(), rect.height()), painter(painter),
      rect(rect) {
}

VectorPlotSurface::~VectorPlotSurface() {
    flush();
}

void VectorPlotSurface::writeLines(const std::vector<Polyline>& lines, Color color,
                                   const Placement& at, double penWidth) {
    painter.save();
    painter.setTransform(QTransform(at.scaleX, 0.0, 0.0, at.scaleY, at.originX, at.originY), true);
    QPen pen(toQColor(color), penWidth);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const Polyline& line : lines) {
        QPolygonF points;
        for (const auto& [x, y] : line) {
            points.append(QPointF(x, y));
        }
        painter.drawPolyline(points);
    }
    painter.restore();
}

void VectorPlotSurface::writeDots(double x, double y, double stepX, double stepY, int count) {
    const QPointF from(x, y);
    if (count == 1) {
        painter.fillRect(QRectF(from - QPointF(0.5, 0.5), QSizeF(1.0, 1.0)),
                         toQColor(kForegroundColor));
        return;
    }
    // A dotted line: a dash one unit long every step, centred on each point.
    const QPointF step(stepX, stepY);
    const double length = std::hypot(stepX, stepY);
    QPen pen(toQColor(kForegroundColor), 1.0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern({1.0, std::max(length - 1.0, 0.1)});
    painter.setPen(pen);
    const QPointF half = step / length * 0.5;
    painter.drawLine(from - half, from + step * (count - 1) + half);
}

void VectorPlotSurface::writeNumber(double x, double y, const std::string& text) {
    painter.save();
    painter.setFont(layoutPixelFont(ImagePlotSurface::labelFont()));
    painter.setPen(toQColor(kForegroundColor));
    painter.drawText(QPointF(x, y + QFontMetricsF(painter.font()).ascent()),
                     QString::fromStdString(text));
    painter.restore();
}

void VectorPlotSurface::writeBackground() {
    painter.fillRect(rect, toQColor(ImagePlotSurface::kBackground));
}

void VectorPlotSurface::drawPixels(const std::vector<std::uint32_t>& pixels, int pixelsWide,
                                   int pixelsTall) {
    if (pixelsWide <= 0 || pixelsTall <= 0 ||
        pixels.size() !=
            static_cast<std::size_t>(pixelsWide) * static_cast<std::size_t>(pixelsTall)) {
        return;
    }
    flush();
    const QImage image(reinterpret_cast<const uchar*>(pixels.data()), pixelsWide, pixelsTall,
                       QImage::Format_ARGB32);
    painter.drawImage(rect, image);
}

} // namespace sorkam

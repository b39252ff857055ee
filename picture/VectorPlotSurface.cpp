#include "picture/VectorPlotSurface.h"

#include "picture/Fonts.h"
#include "picture/ImagePlotSurface.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace sorkam {

namespace {

QPen thinPen(Color color) {
    QPen pen(toQColor(color), 1.0);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

} // namespace

VectorPlotSurface::VectorPlotSurface(QPainter& painter, const QRectF& rect)
    : painter(painter), rect(rect) {
}

VectorPlotSurface::~VectorPlotSurface() {
    flush();
}

void VectorPlotSurface::setScale(float x1, float y1, float x2, float y2) {
    flush();
    scale = {x1, y1, x2 - x1, y2 - y1};
}

QPointF VectorPlotSurface::at(float x, float y) const {
    // As the picture surface maps a point onto pixels 0 .. width - 1, unrounded.
    const double fx = scale.width != 0.0f ? (rect.width() - 1.0) / scale.width : 0.0;
    const double fy = scale.height != 0.0f ? (rect.height() - 1.0) / scale.height : 0.0;
    return {rect.left() + 0.5 + (x - scale.left) * fx, rect.top() + 0.5 + (y - scale.top) * fy};
}

void VectorPlotSurface::drawLine(float x1, float y1, float x2, float y2, Color color) {
    flushDots();
    if (color != lineColor) {
        flushLines();
        lineColor = color;
    }
    // Held in user units, painted through the scale as a transform: a trace's points are then
    // whole numbers, which keeps an SVG of 24 records to about half a megabyte.
    const QPointF a(x1, y1);
    const QPointF b(x2, y2);
    // Two channels of a record are painted a segment each in turn, and a zoomed trace marks each
    // sample between its segments: each segment continues its own line, one of the last few.
    constexpr std::size_t kOpenLines = 4;
    for (std::size_t k = lines.size(); k > 0 && k + kOpenLines > lines.size(); --k) {
        QPolygonF& line = lines[k - 1];
        if (line.back() != a) {
            continue;
        }
        // A segment going on in the same direction only moves the line's end: a flat stretch
        // of a trace is one segment, which keeps SVG and PDF files small.
        const QPointF before = line.size() >= 2 ? line[line.size() - 2] : a;
        const QPointF along = a - before;
        const QPointF next = b - a;
        if (line.size() >= 2 && along.x() * next.y() == along.y() * next.x() &&
            along.x() * next.x() + along.y() * next.y() > 0.0) {
            line.back() = b;
        } else {
            line.append(b);
        }
        return;
    }
    lines.push_back(QPolygonF({a, b}));
}

void VectorPlotSurface::drawPoint(float x, float y) {
    flushLines();
    const QPointF p = at(x, y);
    if (dotCount == 1 && (p.x() == dotsFrom.x() || p.y() == dotsFrom.y())) {
        dotStep = p - dotsFrom;
        dotCount = 2;
        return;
    }
    if (dotCount >= 2) {
        const QPointF next = dotsFrom + dotStep * dotCount;
        if (std::abs(p.x() - next.x()) < 1e-3 && std::abs(p.y() - next.y()) < 1e-3) {
            ++dotCount;
            return;
        }
    }
    flushDots();
    dotsFrom = p;
    dotCount = 1;
}

void VectorPlotSurface::drawNumber(float x, float y, std::int16_t value) {
    flush();
    painter.save();
    painter.setFont(layoutPixelFont(ImagePlotSurface::labelFont()));
    painter.setPen(toQColor(kForegroundColor));
    const QPointF topLeft = at(x, y) - QPointF(0.5, 0.5);
    painter.drawText(topLeft + QPointF(0.0, QFontMetricsF(painter.font()).ascent()),
                     QString::fromStdString(printedNumber(value)));
    painter.restore();
}

void VectorPlotSurface::clear() {
    lines.clear();
    dotCount = 0;
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

void VectorPlotSurface::flush() {
    flushLines();
    flushDots();
}

void VectorPlotSurface::flushLines() {
    if (lines.empty()) {
        return;
    }
    const QPointF origin = at(0.0f, 0.0f);
    const QPointF unit = at(1.0f, 1.0f) - origin;
    painter.save();
    painter.setTransform(QTransform(unit.x(), 0.0, 0.0, unit.y(), origin.x(), origin.y()), true);
    // One unit of the layout across, whichever way the line runs.
    QPen pen = thinPen(lineColor);
    pen.setWidthF(1.0 / std::sqrt(std::abs(unit.x() * unit.y())));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const QPolygonF& line : lines) {
        painter.drawPolyline(line);
    }
    painter.restore();
    lines.clear();
}

void VectorPlotSurface::flushDots() {
    if (dotCount == 0) {
        return;
    }
    const int count = dotCount;
    dotCount = 0;
    if (count == 1) {
        painter.fillRect(QRectF(dotsFrom - QPointF(0.5, 0.5), QSizeF(1.0, 1.0)),
                         toQColor(kForegroundColor));
        return;
    }
    // A dotted line: a dash one unit long every step, centred on each point.
    const double step = std::hypot(dotStep.x(), dotStep.y());
    QPen pen(toQColor(kForegroundColor), 1.0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern({1.0, std::max(step - 1.0, 0.1)});
    painter.setPen(pen);
    const QPointF unit = dotStep / step * 0.5;
    painter.drawLine(dotsFrom - unit, dotsFrom + dotStep * (count - 1) + unit);
}

} // namespace sorkam

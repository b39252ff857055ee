#include "ImagePlotSurface.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QRect>

namespace sorkam {

namespace {

constexpr double kInchesPerMeter = 39.37;

} // namespace

QColor toQColor(Color color) {
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

QFont ImagePlotSurface::labelFont() {
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSizeF(8.25);
    f.setStyleHint(QFont::Serif, QFont::NoAntialias);
    f.setWeight(QFont::Normal);
    f.setItalic(false);
    return f;
}

ImagePlotSurface::ImagePlotSurface(QSize size, int dpi)
    : picture(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32) {
    const int dotsPerMeter = static_cast<int>(dpi * kInchesPerMeter + 0.5);
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    // The platform's default scale counts pixels from the top-left corner.
    scale = {0.0f, 0.0f, static_cast<float>(picture.width() - 1),
             static_cast<float>(picture.height() - 1)};
    picture.fill(toQColor(kBackground));
}

PixelPoint ImagePlotSurface::pixelAt(float x, float y) const {
    return toPixel(scale, picture.width(), picture.height(), x, y);
}

void ImagePlotSurface::Scale(float x1, float y1, float x2, float y2) {
    scale = {x1, y1, x2 - x1, y2 - y1};
}

void ImagePlotSurface::Line(float x1, float y1, float x2, float y2) {
    Line(x1, y1, x2, y2, kForeground);
}

void ImagePlotSurface::Line(float x1, float y1, float x2, float y2, Color color) {
    const PixelPoint a = pixelAt(x1, y1);
    const PixelPoint b = pixelAt(x2, y2);
    QPainter painter(&picture);
    QPen pen(toQColor(color));
    pen.setWidth(1);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawLine(QPoint(a.x, a.y), QPoint(b.x, b.y));
    currentX = x2;
    currentY = y2;
}

void ImagePlotSurface::PSet(float x, float y) {
    const PixelPoint p = pixelAt(x, y);
    if (p.x >= 0 && p.y >= 0 && p.x < picture.width() && p.y < picture.height()) {
        picture.setPixel(p.x, p.y, toQColor(kForeground).rgb());
    }
    currentX = x;
    currentY = y;
}

void ImagePlotSurface::Print(std::int16_t value) {
    const PixelPoint p = pixelAt(currentX, currentY);
    const QString text = QString::fromStdString(printedNumber(value));
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(toQColor(kForeground));
    const QFontMetrics metrics(font, &picture);
    painter.drawText(QPoint(p.x, p.y + metrics.ascent()), text);
    // Like a line of text output: back to the left edge, one line further down.
    currentX = scale.left;
    currentY += pixelsDownInUser(scale, picture.height(), static_cast<float>(metrics.height()));
}

void ImagePlotSurface::Cls() {
    picture.fill(toQColor(kBackground));
    currentX = 0.0f;
    currentY = 0.0f;
}

} // namespace sorkam

#include "picture/ViewFile.h"

#include "picture/ChartPicture.h"
#include "png/PngWriter.h"

#include <QBuffer>
#include <QIODevice>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>

namespace sorkam::chart {

Result<void, std::string> writeViewPng(QIODevice& out, const View& view, int scale,
                                       const PictureText& text, const PaintRecords& paintRecords) {
    RasterViewPainter painter(view, scale);
    const std::optional<std::vector<LegendEntry>> legend = paintRecords(painter);
    if (!legend) {
        return std::string("the records could not all be painted");
    }
    QByteArray plain;
    QBuffer buffer(&plain);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "png").write(painter.finish(*legend))) {
        return std::string("the picture cannot be made");
    }
    // The text chunks put in exactly: Qt's writer would collapse their runs of blanks.
    const std::string png = png::withPngTexts(
        std::string_view(plain.constData(), static_cast<std::size_t>(plain.size())),
        pngTexts(text));
    if (out.write(png.data(), static_cast<qint64>(png.size())) != static_cast<qint64>(png.size())) {
        return std::string("the picture cannot be written");
    }
    return {};
}

void fitChartOnPage(QPainter& painter, const QRectF& page) {
    const QSizeF size = chartSize();
    const double factor = std::min(page.width() / size.width(), page.height() / size.height());
    painter.translate(page.center() - QPointF(size.width(), size.height()) * factor / 2.0);
    painter.scale(factor, factor);
}

} // namespace sorkam::chart

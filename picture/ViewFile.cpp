#include "picture/ViewFile.h"

#include "chart/ChartLayout.h"
#include "picture/ChartPicture.h"
#include "picture/PdfInfo.h"

#include <QBuffer>
#include <QIODevice>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>

namespace sorkam::chart {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A vector picture of the chart's size, painted by paint with a painter in layout pixels at
// 96 dpi, written to out with text saying what it shows. False when out failed.
using PaintChart = std::function<void(QPainter&)>;

bool writeSvg(QIODevice& out, const PictureText& text, const PaintChart& paint) {
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(chartSize());
    svg.setViewBox(QRect(QPoint(), chartSize()));
    svg.setResolution(kPictureDpi);
    svg.setTitle(fromUtf8(text.title));
    svg.setDescription(fromUtf8(text.description + "; made by " + text.software +
                                (text.options.empty() ? "" : "; sorkam-export " + text.options)));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    paint(painter);
    return painter.end();
}

// XMP: the title, the subject (dc:description) and the program, for readers of PDF metadata.
QByteArray xmpOf(const PictureText& text) {
    const auto escaped = [](const std::string& s) { return fromUtf8(s).toHtmlEscaped().toUtf8(); };
    return "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
           "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
           "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
           "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/' "
           "xmlns:xmp='http://ns.adobe.com/xap/1.0/' xmlns:pdf='http://ns.adobe.com/pdf/1.3/'>\n"
           "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>" +
           escaped(text.title) +
           "</rdf:li></rdf:Alt></dc:title>\n"
           "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>" +
           escaped(text.description) +
           "</rdf:li></rdf:Alt></dc:description>\n"
           "<dc:source>" +
           escaped(text.source) + "</dc:source>\n<xmp:CreatorTool>" + escaped(text.software) +
           "</xmp:CreatorTool>\n<pdf:Keywords>" + escaped("sorkam-export " + text.options) +
           "</pdf:Keywords>\n"
           "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end='w'?>";
}

// The picture as Qt's PDF writer writes it, a page of the chart's size.
bool paintPdf(QIODevice& out, const PictureText& text, const PaintChart& paint) {
    QPdfWriter pdf(&out);
    const QSize size = chartSize();
    pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / kPictureDpi, QPageSize::Point));
    pdf.setPageMargins(QMarginsF());
    pdf.setResolution(kPictureDpi);
    pdf.setTitle(fromUtf8(text.title));
    pdf.setCreator(fromUtf8(text.software));
    pdf.setDocumentXmpMetadata(xmpOf(text));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    fitChartOnPage(painter, QRectF(0, 0, pdf.width(), pdf.height()));
    paint(painter);
    return painter.end();
}

bool writePdf(QIODevice& out, const PictureText& text, const PaintChart& paint) {
    QByteArray document;
    QBuffer buffer(&document);
    buffer.open(QIODevice::WriteOnly);
    if (!paintPdf(buffer, text, paint)) {
        return false;
    }
    const QByteArray patched = pdfWithSubject(document, fromUtf8(text.description));
    return out.write(patched) == patched.size();
}

// The picture as PNG with the text chunks pngTexts gives.
bool writePng(QIODevice& out, const QImage& picture, const PictureText& text) {
    QImageWriter writer(&out, "png");
    for (const auto& [keyword, value] : pngTexts(text)) {
        writer.setText(QString::fromStdString(keyword), fromUtf8(value));
    }
    return writer.write(picture);
}

} // namespace

Result<QByteArray, std::string> viewFile(PictureFormat format, const View& view, int scale,
                                         const PictureText& text,
                                         const PaintRecords& paintRecords) {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    bool made = false;
    if (format == PictureFormat::Png) {
        RasterViewPainter painter(view, scale);
        const std::vector<LegendEntry> legend = paintRecords(painter);
        made = writePng(out, painter.finish(legend), text);
    } else {
        const auto paint = [&](QPainter& device) {
            VectorViewPainter painter(view, device);
            painter.finish(paintRecords(painter));
        };
        made =
            format == PictureFormat::Svg ? writeSvg(out, text, paint) : writePdf(out, text, paint);
    }
    if (!made) {
        return std::string("the picture cannot be made");
    }
    return bytes;
}

void fitChartOnPage(QPainter& painter, const QRectF& page) {
    const QSizeF size = chartSize();
    const double factor = std::min(page.width() / size.width(), page.height() / size.height());
    painter.translate(page.center() - QPointF(size.width(), size.height()) * factor / 2.0);
    painter.scale(factor, factor);
}

} // namespace sorkam::chart

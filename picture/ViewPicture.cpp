#include "picture/ViewPicture.h"

#include "chart/ChartLayout.h"
#include "chart/OverlayView.h"
#include "picture/ChartFonts.h"
#include "picture/ChartPicture.h"
#include "picture/Fonts.h"
#include "picture/ImagePlotSurface.h"
#include "picture/VectorPlotSurface.h"

#include <QBuffer>
#include <QIODevice>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace sorkam::chart {

namespace {

QRect layoutRect(const TwipsRect& place) {
    return qRectOf(place, kPictureDpi);
}

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The cursors on both plots and the legend on the upper one, painter in layout pixels.
void paintDecorations(QPainter& painter, const View& view, const std::vector<LegendEntry>& legend) {
    painter.setFont(layoutPixelFont(windowFont()));
    for (const TwipsRect& place : {kPlotA, kPlotB}) {
        const QRect rect = layoutRect(place);
        painter.save();
        painter.translate(rect.topLeft());
        painter.setClipRect(QRect(QPoint(), rect.size()));
        paintCursors(painter, rect.size(), view.range, view.cursorA, view.cursorB);
        if (view.legend && place.top == kPlotA.top) {
            paintLegend(painter, legend, rect.size());
        }
        painter.restore();
    }
}

} // namespace

ViewPainter::ViewPainter(const View& view, int scale) : shownView(view), scale(scale) {
    const Resolution resolution{kPictureDpi, static_cast<double>(scale)};
    auto surfaceA = std::make_unique<ImagePlotSurface>(qRectOf(resolution, kPlotA).size(),
                                                       resolution.pictureDpi());
    auto surfaceB = std::make_unique<ImagePlotSurface>(qRectOf(resolution, kPlotB).size(),
                                                       resolution.pictureDpi());
    const IndexAxis axis = indexAxisFor(view.range);
    drawFrameOn(*surfaceA, axis);
    drawFrameOn(*surfaceB, axis);
    plotA = std::move(surfaceA);
    plotB = std::move(surfaceB);
}

ViewPainter::ViewPainter(const View& view, QPainter& painter) : shownView(view), painter(&painter) {
    painter.fillRect(QRect(QPoint(), chartSize()), toQColor(kWindowBackground));
    painter.setFont(layoutPixelFont(captionFont()));
    painter.setPen(Qt::black);
    painter.drawText(layoutRect(kCaptionA), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("VIDEO A"));
    painter.drawText(layoutRect(kCaptionB), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("VIDEO B"));
    const IndexAxis axis = indexAxisFor(view.range);
    for (const TwipsRect& place : {kPlotA, kPlotB}) {
        auto surface = std::make_unique<VectorPlotSurface>(painter, layoutRect(place));
        surface->clear();
        drawFrameOn(*surface, axis);
        surface->flush();
        (place.top == kPlotA.top ? plotA : plotB) = std::move(surface);
    }
}

ViewPainter::~ViewPainter() = default;

void ViewPainter::paintRecord(const Record& record, Color color) {
    paintRecordOver(*plotA, *plotB, record, color, shownView.range);
}

QImage ViewPainter::finish(const std::vector<LegendEntry>& legend) {
    if (painter != nullptr) {
        static_cast<VectorPlotSurface&>(*plotA).flush();
        static_cast<VectorPlotSurface&>(*plotB).flush();
        paintDecorations(*painter, shownView, legend);
        return {};
    }
    QImage picture = chartAround(scale, static_cast<ImagePlotSurface&>(*plotA).image(),
                                 static_cast<ImagePlotSurface&>(*plotB).image());
    if (shownView.cursorA || shownView.cursorB || shownView.legend) {
        QPainter over(&picture);
        over.scale(scale, scale);
        paintDecorations(over, shownView, legend);
    }
    return picture;
}

std::vector<LegendEntry> paintShown(ViewPainter& painter, const Overlay& overlay) {
    std::vector<LegendEntry> legend;
    for (const OverlayRecord& shown : overlay.records()) {
        if (painter.view().shows(shown.number)) {
            painter.paintRecord(shown.record, shown.color);
            legend.push_back(legendEntry(shown.number, shown.record));
        }
    }
    return legend;
}

QImage viewImage(const Overlay& overlay, const View& view, int scale) {
    ViewPainter painter(view, scale);
    return painter.finish(paintShown(painter, overlay));
}

void paintView(QPainter& painter, const Overlay& overlay, const View& view) {
    ViewPainter chart(view, painter);
    (void)chart.finish(paintShown(chart, overlay));
}

namespace {

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

// A PDF text string: UTF-16 with its byte-order mark, in hexadecimal.
QByteArray pdfText(const QString& text) {
    QByteArray hex = "<FEFF";
    for (const QChar c : text) {
        hex += QByteArray::number(c.unicode() | 0x10000, 16).mid(1).toUpper();
    }
    return hex + ">";
}

// The document with a subject in its information dictionary, which Qt's writer has no setting
// for: written after the title, and the cross-reference table's offsets past it moved by as much.
// As it was, where the document is not laid out as Qt writes it.
QByteArray withSubject(const QByteArray& pdf, const QString& subject) {
    const qsizetype infoEnd = pdf.indexOf("endobj");
    const qsizetype at = pdf.indexOf("\n/Creator ");
    const qsizetype xrefMark = pdf.lastIndexOf("\nstartxref\n");
    if (infoEnd < 0 || at < 0 || at > infoEnd || xrefMark < 0) {
        return pdf;
    }
    bool ok = false;
    const qsizetype xref = pdf.mid(xrefMark + 11).split('\n').value(0).toLongLong(&ok);
    if (!ok || !pdf.mid(xref).startsWith("xref\n")) {
        return pdf;
    }
    const QByteArray entry = "\n/Subject " + pdfText(subject);
    const qsizetype shift = entry.size();
    QByteArray patched = pdf.left(at) + entry + pdf.mid(at, xrefMark - at);
    // "xref", "0 COUNT", then COUNT entries of 20 bytes: "OOOOOOOOOO GGGGG n \n".
    const qsizetype table = patched.indexOf('\n', xref + shift + 5) + 1;
    const qsizetype count = patched.mid(xref + shift + 7, table - xref - shift - 8).toLongLong();
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype field = table + 20 * k;
        const qsizetype offset = patched.mid(field, 10).toLongLong(&ok);
        if (ok && patched.at(field + 17) == 'n' && offset > at) {
            patched.replace(field, 10, QByteArray::number(offset + shift).rightJustified(10, '0'));
        }
    }
    return patched + "\nstartxref\n" + QByteArray::number(xref + shift) + "\n%%EOF\n";
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
    const QByteArray patched = withSubject(document, fromUtf8(text.description));
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

QByteArray viewFile(PictureFormat format, const View& view, int scale, const PictureText& text,
                    const PaintRecords& paintRecords) {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    bool made = false;
    if (format == PictureFormat::Png) {
        ViewPainter painter(view, scale);
        const std::vector<LegendEntry> legend = paintRecords(painter);
        made = writePng(out, painter.finish(legend), text);
    } else {
        const auto paint = [&](QPainter& device) {
            ViewPainter painter(view, device);
            (void)painter.finish(paintRecords(painter));
        };
        made =
            format == PictureFormat::Svg ? writeSvg(out, text, paint) : writePdf(out, text, paint);
    }
    return made ? bytes : QByteArray();
}

void fitChartOnPage(QPainter& painter, const QRectF& page) {
    const QSizeF size = chartSize();
    const double factor = std::min(page.width() / size.width(), page.height() / size.height());
    painter.translate(page.center() - QPointF(size.width(), size.height()) * factor / 2.0);
    painter.scale(factor, factor);
}

} // namespace sorkam::chart

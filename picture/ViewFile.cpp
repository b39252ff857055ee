#include "picture/ViewFile.h"

#include "chart/ChartLayout.h"
#include "picture/ChartPicture.h"
#include "picture/PdfInfo.h"
#include "png/PngWriter.h"

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

// Text as an XML document holds it: the characters XML 1.0 forbids (controls but tab, line feed
// and carriage return, U+FFFE, U+FFFF, a surrogate without its pair) shown as U+FFFD, and &, <,
// > and quotes escaped.
QByteArray xmlText(const std::string& utf8) {
    QString text = fromUtf8(utf8);
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char16_t c = text[k].unicode();
        if (QChar::isHighSurrogate(c) && k + 1 < text.size() &&
            QChar::isLowSurrogate(text[k + 1].unicode())) {
            ++k;
            continue;
        }
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE || c == 0xFFFF ||
            QChar::isSurrogate(c)) {
            text[k] = QChar(QChar::ReplacementCharacter);
        }
    }
    return text.toHtmlEscaped().toUtf8();
}

// What Qt's SVG generator is given as title and description, and writes without escaping: our
// own escaped texts take their places.
constexpr char kSvgTitlePlaceholder[] = "sorkam-svg-title";
constexpr char kSvgDescriptionPlaceholder[] = "sorkam-svg-description";

// What Qt's SVG generator writes, passed on to out with the placeholders of title and
// description made the real texts. The start of the document is held until both have gone by
// (they come first); the rest goes straight through, not copied. Nothing at all is written once
// dropped (the records could not all be painted).
class SvgTexts final : public QIODevice {
public:
    SvgTexts(QIODevice& out, QByteArray title, QByteArray description)
        : out(out), title(std::move(title)), description(std::move(description)) {
        open(QIODevice::WriteOnly);
    }

    void drop() { dropped = true; }
    // Whether everything went to out, placeholders replaced.
    [[nodiscard]] bool complete() const { return passing && !failed && !dropped; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        if (dropped || failed) {
            return -1;
        }
        if (passing) {
            return pass(data, length) ? length : -1;
        }
        // The texts lie within the first few kilobytes: only that much is looked through.
        const qint64 look = std::min<qint64>(length, 1 << 16);
        held.append(data, look);
        const qsizetype end = held.indexOf("</desc>");
        if (end < 0) {
            held.append(data + look, length - look);
            return length;
        }
        QByteArray head = held.left(end + 7);
        const QByteArray rest = held.mid(end + 7);
        held.clear();
        passing = true;
        const bool replaced = replaceOnce(head, kSvgTitlePlaceholder, title) &&
                              replaceOnce(head, kSvgDescriptionPlaceholder, description);
        failed = !replaced || !pass(head.constData(), head.size()) ||
                 !pass(rest.constData(), rest.size()) || !pass(data + look, length - look);
        return failed ? -1 : length;
    }

private:
    static bool replaceOnce(QByteArray& head, const char* placeholder, const QByteArray& text) {
        const QByteArray marked = QByteArray(">") + placeholder + "<";
        const qsizetype at = head.indexOf(marked);
        if (at < 0) {
            return false;
        }
        head.replace(at, marked.size(), ">" + text + "<");
        return true;
    }
    bool pass(const char* data, qint64 length) {
        return length == 0 || out.write(data, length) == length;
    }

    QIODevice& out;
    QByteArray title;
    QByteArray description;
    QByteArray held;
    bool passing = false;
    bool failed = false;
    bool dropped = false;
};

// A vector picture of the chart's size, painted by paint with a painter in layout pixels at
// 96 dpi, written to out (an SVG's title and description are put in afterwards, a PDF's text
// with it). False when out failed.
using PaintChart = std::function<void(QPainter&)>;

bool writeSvg(QIODevice& out, const PaintChart& paint) {
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(chartSize());
    svg.setViewBox(QRect(QPoint(), chartSize()));
    svg.setResolution(kPictureDpi);
    svg.setTitle(QString::fromLatin1(kSvgTitlePlaceholder));
    svg.setDescription(QString::fromLatin1(kSvgDescriptionPlaceholder));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    paint(painter);
    return painter.end();
}

// XMP: the title, the subject (dc:description) and the program, for readers of PDF metadata.
QByteArray xmpOf(const PictureText& text) {
    const auto escaped = [](const std::string& s) { return xmlText(s); };
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
    pdf.setTitle(QString::fromLatin1(kPdfTitlePlaceholder));
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
    const QByteArray patched =
        pdfWithInformation(document, fromUtf8(text.title), fromUtf8(text.description));
    return !patched.isEmpty() && out.write(patched) == patched.size();
}

// The picture as PNG with the text chunks pngTexts gives, exactly: Qt's writer would collapse
// their runs of blanks.
bool writePng(QIODevice& out, const QImage& picture, const PictureText& text) {
    QByteArray plain;
    QBuffer buffer(&plain);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "png").write(picture)) {
        return false;
    }
    const std::string png = png::withPngTexts(
        std::string_view(plain.constData(), static_cast<std::size_t>(plain.size())),
        pngTexts(text));
    return out.write(png.data(), static_cast<qint64>(png.size())) ==
           static_cast<qint64>(png.size());
}

} // namespace

Result<void, std::string> writeViewFile(QIODevice& out, PictureFormat format, const View& view,
                                        int scale, const PictureText& text,
                                        const PaintRecords& paintRecords) {
    bool painted = true;
    const auto legendOf = [&](ViewPainter& painter) {
        const std::optional<std::vector<LegendEntry>> legend = paintRecords(painter);
        painted = legend.has_value();
        return legend.value_or(std::vector<LegendEntry>());
    };
    if (format == PictureFormat::Svg) {
        const std::string description =
            text.description + "; made by " + text.software +
            (text.options.empty() ? "" : "; sorkam-export " + text.options);
        SvgTexts texts(out, xmlText(text.title), xmlText(description));
        const bool written = writeSvg(texts, [&](QPainter& device) {
            VectorViewPainter painter(view, device);
            painter.finish(legendOf(painter));
            if (!painted) {
                texts.drop();
            }
        });
        if (!painted) {
            return std::string("the records could not all be painted");
        }
        if (!written || !texts.complete()) {
            return std::string("the picture cannot be made");
        }
        return {};
    }
    // PNG and PDF are held whole before they are written (the PDF's information is put in).
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool made = false;
    if (format == PictureFormat::Png) {
        RasterViewPainter painter(view, scale);
        const std::vector<LegendEntry> legend = legendOf(painter);
        made = painted && writePng(buffer, painter.finish(legend), text);
    } else {
        made = writePdf(buffer, text, [&](QPainter& device) {
            VectorViewPainter painter(view, device);
            painter.finish(legendOf(painter));
        });
    }
    if (!painted) {
        return std::string("the records could not all be painted");
    }
    if (!made) {
        return std::string("the picture cannot be made");
    }
    if (out.write(bytes) != bytes.size()) {
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

#include "vector/PdfPicture.h"

#include "chart/ChartLayout.h"
#include "chart/Density.h"
#include "chart/PlotDecorations.h"
#include "vector/FontTables.h"
#include "vector/VectorPlot.h"
#include "vector/VectorText.h"

#include <zlib.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <map>

namespace sorkam::chart {

namespace {

constexpr int kDpi = 96; // the layout's: one unit of the page's content a layout pixel
constexpr Color kBackground = 0xF0F0F0;
constexpr Color kPlotBackground = 0xB4B4B4;
constexpr std::size_t kChunk = std::size_t{1} << 16;

// The document's objects, by number.
enum Object : int {
    kCatalog = 1,
    kPages,
    kPage,
    kRegularFont,
    kBoldFont,
    kMetadata,
    kInformation,
    kDensityA,
    kDensityB,
    kContent,
    kContentLength,
    kObjectCount
};

// A colour as the operator that sets it for filling ("rg") or stroking ("RG").
std::string colour(Color c, const char* op) {
    return number(redOf(c) / 255.0) + " " + number(greenOf(c) / 255.0) + " " +
           number(blueOf(c) / 255.0) + " " + op + "\n";
}

// The Windows Western code page's characters at 0x80..0x9F, by code (0 where unused): the
// standard fonts' WinAnsiEncoding, which header texts show in.
constexpr std::array<char32_t, 32> kWindowsWestern = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
// The minus sign, which WinAnsiEncoding lacks, takes the unused code 0x7F (the fonts'
// /Differences).
constexpr unsigned char kMinusCode = 0x7F;

// Text as a PDF string in the fonts' encoding; what they cannot show as "?".
std::string pdfString(std::string_view utf8) {
    std::string out = "(";
    for (const char32_t c : codePoints(utf8)) {
        unsigned char code = '?';
        if ((c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF)) {
            code = static_cast<unsigned char>(c);
        } else if (c == 0x2212) {
            code = kMinusCode;
        } else {
            for (std::size_t k = 0; k < kWindowsWestern.size(); ++k) {
                if (kWindowsWestern[k] == c) {
                    code = static_cast<unsigned char>(0x80 + k);
                }
            }
        }
        if (code == '(' || code == ')' || code == '\\') {
            out += '\\';
            out += static_cast<char>(code);
        } else if (code < 0x20 || code >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\%03o", code);
            out += escaped;
        } else {
            out += static_cast<char>(code);
        }
    }
    return out + ")";
}

// Text at (x, baseline) in the page's content, whose y runs down: the text's own matrix turns it
// up again.
std::string textAt(double x, double baseline, const FaceTable& face, bool bold,
                   std::string_view text) {
    return "BT /" + std::string(bold ? "F2 " : "F1 ") + number(face.pixelSize) + " Tf 1 0 0 -1 " +
           number(x) + " " + number(baseline) + " Tm " + pdfString(text) + " Tj ET\n";
}

// XMP: the title, the subject (dc:description) and the program, for readers of PDF metadata.
std::string xmpOf(const PictureText& text) {
    return "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
           "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
           "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
           "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/' "
           "xmlns:xmp='http://ns.adobe.com/xap/1.0/' xmlns:pdf='http://ns.adobe.com/pdf/1.3/'>\n"
           "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>" +
           xmlText(text.title) +
           "</rdf:li></rdf:Alt></dc:title>\n"
           "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>" +
           xmlText(text.description) +
           "</rdf:li></rdf:Alt></dc:description>\n"
           "<dc:source>" +
           xmlText(text.source) + "</dc:source>\n<xmp:CreatorTool>" + xmlText(text.software) +
           "</xmp:CreatorTool>\n<pdf:Keywords>" + xmlText("sorkam-export " + text.options) +
           "</pdf:Keywords>\n"
           "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end='w'?>";
}

// A plot's density as an image object: its pixels' red, green and blue, deflated.
std::string densityImage(const Density& density, int which) {
    const std::vector<unsigned char> rgb = densityRgb(density, which);
    uLongf size = compressBound(static_cast<uLong>(rgb.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size, rgb.data(),
                  static_cast<uLong>(rgb.size()), 5) != Z_OK) {
        return "null";
    }
    packed.resize(size);
    return "<< /Type /XObject /Subtype /Image /Width " + std::to_string(density.width) +
           " /Height " + std::to_string(density.height) +
           " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /Length " +
           std::to_string(packed.size()) + " >>\nstream\n" + packed + "\nendstream";
}

} // namespace

std::string pdfText(std::string_view utf8) {
    std::string out = "<FEFF";
    const auto unit = [&out](unsigned u) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", u);
        out += hex;
    };
    for (const char32_t c : codePoints(utf8)) {
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(static_cast<unsigned>(c));
        }
    }
    return out + ">";
}

// The document as it is written: its objects' places counted, the page's content deflated on
// its way, everything handed to the sink in pieces of 64 KB.
class PdfPicture::Document {
public:
    explicit Document(TextSink out) : out(std::move(out)) { held.reserve(kChunk + 4096); }
    ~Document() {
        if (deflating) {
            deflateEnd(&stream);
        }
    }
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    void write(std::string_view text) {
        held += text;
        written += text.size();
        if (held.size() >= kChunk) {
            pass();
        }
    }
    void object(int n, std::string_view body) {
        places[n] = written;
        write(std::to_string(n) + " 0 obj\n");
        write(body);
        write("\nendobj\n");
    }
    void startContent() {
        places[kContent] = written;
        write(std::to_string(kContent) + " 0 obj\n<< /Length " + std::to_string(kContentLength) +
              " 0 R /Filter /FlateDecode >>\nstream\n");
        contentStart = written;
        deflating = deflateInit(&stream, 5) == Z_OK;
        failed = failed || !deflating;
    }
    // Page content, deflated.
    void content(std::string_view text) { deflateSome(text, Z_NO_FLUSH); }
    void endContent() {
        deflateSome({}, Z_FINISH);
        if (deflating) {
            deflateEnd(&stream);
            deflating = false;
        }
        const std::size_t length = written - contentStart;
        write("\nendstream\nendobj\n");
        object(kContentLength, std::to_string(length));
    }
    bool finish(int information) {
        const std::size_t table = written;
        std::string xref = "xref\n0 " + std::to_string(kObjectCount) + "\n0000000000 65535 f \n";
        for (int n = 1; n < kObjectCount; ++n) {
            char entry[24];
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", places[n]);
            xref += entry;
        }
        write(xref + "trailer\n<< /Size " + std::to_string(kObjectCount) + " /Root " +
              std::to_string(kCatalog) + " 0 R /Info " + std::to_string(information) +
              " 0 R >>\nstartxref\n" + std::to_string(table) + "\n%%EOF\n");
        pass();
        return !failed;
    }

private:
    void deflateSome(std::string_view text, int flush) {
        if (!deflating) {
            return;
        }
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
        stream.avail_in = static_cast<uInt>(text.size());
        unsigned char buffer[16384];
        do {
            stream.next_out = buffer;
            stream.avail_out = sizeof buffer;
            if (deflate(&stream, flush) == Z_STREAM_ERROR) {
                failed = true;
                return;
            }
            write(std::string_view(reinterpret_cast<const char*>(buffer),
                                   sizeof buffer - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    void pass() {
        if (!failed && !held.empty()) {
            failed = !out(held);
        }
        held.clear();
    }

    TextSink out;
    std::string held;
    std::size_t written = 0;
    std::size_t contentStart = 0;
    std::array<std::size_t, kObjectCount> places{};
    z_stream stream{};
    bool deflating = false;
    bool failed = false;
};

// One plot area of the page, as content operators.
class PdfPicture::PlotPart final : public VectorPlot {
public:
    PlotPart(Document& document, const PixelRect& place) : VectorPlot(place), document(document) {}

    void fillRect(const PixelRect& r, Color color) override {
        document.content(colour(color, "rg") + rect(r.left, r.top, r.width, r.height) + " re f\n");
    }
    void outlineRect(const PixelRect& r, Color color) override {
        document.content("q " + colour(color, "RG") + "1 w " +
                         rect(r.left + 0.5, r.top + 0.5, r.width - 1, r.height - 1) + " re S Q\n");
    }
    void dashedLine(int x, int top, int bottom, Color color) override {
        document.content("q " + colour(color, "RG") + "1 w [4 2] 0 d " + number(x + 0.5) + " " +
                         number(top) + " m " + number(x + 0.5) + " " + number(bottom + 1) +
                         " l S Q\n");
    }
    void drawText(int x, int baseline, std::string_view text, bool bold, Color color) override {
        if (text.empty()) {
            return;
        }
        document.content(colour(color, "rg") +
                         textAt(x, baseline, bold ? kWindowBoldFace : kWindowFace, bold, text));
    }
    void drawCentredText(const PixelRect& r, std::string_view text, bool bold,
                         Color color) override {
        const FaceTable& face = bold ? kWindowBoldFace : kWindowFace;
        drawText(r.left + (r.width - textWidth(text, bold)) / 2,
                 r.top + (r.height - face.height) / 2 + face.ascent, text, bold, color);
    }

private:
    static std::string rect(double x, double y, double w, double h) {
        return number(x) + " " + number(y) + " " + number(w) + " " + number(h);
    }
    void writeLines(const std::vector<Polyline>& lines, Color color, const Placement& at,
                    double penWidth) override {
        std::string path = "q " + number(at.scaleX) + " 0 0 " + number(at.scaleY) + " " +
                           number(at.originX) + " " + number(at.originY) + " cm " +
                           colour(color, "RG") + number(penWidth) + " w 2 J 1 j\n";
        for (const Polyline& line : lines) {
            for (std::size_t k = 0; k < line.size(); ++k) {
                path +=
                    number(line[k].first) + " " + number(line[k].second) + (k == 0 ? " m " : " l ");
            }
            path += "S\n";
        }
        document.content(path + "Q\n");
    }
    void writeDots(double x, double y, double stepX, double stepY, int count) override {
        if (count == 1) {
            document.content("0 g " + rect(x - 0.5, y - 0.5, 1, 1) + " re f\n");
            return;
        }
        // A dotted line: a dash one unit long every step, centred on each point.
        const double step = std::hypot(stepX, stepY);
        const double halfX = stepX / step * 0.5;
        const double halfY = stepY / step * 0.5;
        document.content("q 0 G 1 w [1 " + number(std::max(step - 1.0, 0.1)) + "] 0 d " +
                         number(x - halfX) + " " + number(y - halfY) + " m " +
                         number(x + stepX * (count - 1) + halfX) + " " +
                         number(y + stepY * (count - 1) + halfY) + " l S Q\n");
    }
    void writeNumber(double left, double top, const std::string& text) override {
        document.content("0 g " +
                         textAt(left, top + kNumberFace.exactAscent, kNumberFace, false, text));
    }
    void writeBackground() override { fillRect(place, kPlotBackground); }

public:
    void drawDensity(const Density&, int which) override {
        // Its picture lies upright over the plot: the page's y runs down.
        document.content("q " + number(place.width) + " 0 0 " + number(-place.height) + " " +
                         number(place.left) + " " + number(place.top + place.height) + " cm /D" +
                         std::to_string(which) + " Do Q\n");
    }

private:
    Document& document;
};

PdfPicture::PdfPicture(const View& view, const PictureText& text, TextSink out)
    : VectorPicture(view), document(std::make_unique<Document>(std::move(out))),
      plotA(std::make_unique<PlotPart>(*document, pixelRect(kPlotA, kDpi))),
      plotB(std::make_unique<PlotPart>(*document, pixelRect(kPlotB, kDpi))) {
    const PixelRect a = pixelRect(kPlotA, kDpi);
    const PixelRect b = pixelRect(kPlotB, kDpi);
    const int width = toPixels(kClientWidth, kDpi);
    const int height = b.bottom() + 1 + a.top;
    // A page of the chart's size in points, 72 to the inch.
    const double points = 72.0 / kDpi;
    Document& d = *document;
    d.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    d.object(kCatalog, "<< /Type /Catalog /Pages " + std::to_string(kPages) + " 0 R /Metadata " +
                           std::to_string(kMetadata) + " 0 R >>");
    d.object(kPages, "<< /Type /Pages /Kids [" + std::to_string(kPage) + " 0 R] /Count 1 >>");
    d.object(kPage, "<< /Type /Page /Parent " + std::to_string(kPages) + " 0 R /MediaBox [0 0 " +
                        number(width * points) + " " + number(height * points) +
                        "] /Resources << /Font << /F1 " + std::to_string(kRegularFont) +
                        " 0 R /F2 " + std::to_string(kBoldFont) + " 0 R >> >> /Contents " +
                        std::to_string(kContent) + " 0 R >>");
    const std::string encoding =
        " /Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding /Differences [" +
        std::to_string(kMinusCode) + " /minus] >> >>";
    d.object(kRegularFont, "<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman" + encoding);
    d.object(kBoldFont, "<< /Type /Font /Subtype /Type1 /BaseFont /Times-Bold" + encoding);
    const std::string xmp = xmpOf(text);
    d.object(kMetadata, "<< /Type /Metadata /Subtype /XML /Length " + std::to_string(xmp.size()) +
                            " >>\nstream\n" + xmp + "\nendstream");
    d.object(kInformation, "<< /Title " + pdfText(text.title) + " /Subject " +
                               pdfText(text.description) + " /Creator " + pdfText(text.software) +
                               " /Producer " + pdfText(text.software) + " >>");
    // The density's pictures, one a plot, where the view has one.
    for (int which = 0; which < 2; ++which) {
        d.object(which == 0 ? kDensityA : kDensityB,
                 view.density ? densityImage(*view.density, which) : std::string("null"));
    }
    d.startContent();
    // Layout pixels, y down, onto the page's points.
    d.content(number(points) + " 0 0 " + number(-points) + " 0 " + number(height * points) +
              " cm\n" + colour(kBackground, "rg") + "0 0 " + number(width) + " " + number(height) +
              " re f\n");
    const PixelRect captions[] = {pixelRect(kCaptionA, kDpi), pixelRect(kCaptionB, kDpi)};
    const char* names[] = {"VIDEO A", "VIDEO B"};
    for (int k = 0; k < 2; ++k) {
        d.content("0 g " + textAt(captions[k].left, captions[k].top + kCaptionFace.exactAscent,
                                  kCaptionFace, false, names[k]));
    }
    paintFrames(*plotA, *plotB);
}

PdfPicture::~PdfPicture() = default;

void PdfPicture::openPlot(int, const PixelRect& place) {
    // The plot's own pixels, cut at its edges.
    document->content("q 1 0 0 1 " + number(place.left) + " " + number(place.top) + " cm 0 0 " +
                      number(place.width) + " " + number(place.height) + " re W n\n");
}

void PdfPicture::closePlot() {
    document->content("Q\n");
}

bool PdfPicture::finish(const std::vector<LegendEntry>& legend) {
    paintDecorations(legend);
    document->endContent();
    return document->finish(kInformation);
}

} // namespace sorkam::chart

#include "vector/SvgPicture.h"

#include "chart/ChartLayout.h"
#include "chart/Density.h"
#include "chart/PlotDecorations.h"
#include "plot/PlotFrame.h"
#include "plot/PlotGeometry.h"
#include "png/PngWriter.h"
#include "vector/VectorPlot.h"
#include "vector/VectorText.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace sorkam::chart {

namespace {

constexpr int kDpi = 96; // the layout's: one unit of the document a layout pixel
constexpr Color kBackground = 0xF0F0F0;
constexpr Color kPlotBackground = 0xB4B4B4;
constexpr std::size_t kChunk = std::size_t{1} << 16;

std::string colour(Color c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
    return text;
}

std::string fontSize(const FaceTable& face) {
    return " font-size=\"" + number(face.pixelSize) + "\"";
}

} // namespace

// The document as it is written: held in pieces of 64 KB, each given to the sink when full.
class SvgPicture::Document {
public:
    explicit Document(TextSink out) : out(std::move(out)) { held.reserve(kChunk + 4096); }

    void write(std::string_view text) {
        held += text;
        if (held.size() >= kChunk) {
            flush();
        }
    }
    bool flush() {
        if (!failed && !held.empty()) {
            failed = !out(held);
        }
        held.clear();
        return !failed;
    }

private:
    TextSink out;
    std::string held;
    bool failed = false;
};

// One plot area of the document as SVG elements.
class SvgPicture::PlotPart final : public VectorPlot {
public:
    PlotPart(Document& document, const PixelRect& place) : VectorPlot(place), document(document) {}

    // Decorations, in the plot's own pixels (the group around them moves them to its place).
    void fillRect(const PixelRect& r, Color color) override {
        document.write("<rect x=\"" + number(r.left) + "\" y=\"" + number(r.top) + "\" width=\"" +
                       number(r.width) + "\" height=\"" + number(r.height) + "\" fill=\"" +
                       colour(color) + "\"/>\n");
    }
    void outlineRect(const PixelRect& r, Color color) override {
        document.write("<rect x=\"" + number(r.left + 0.5) + "\" y=\"" + number(r.top + 0.5) +
                       "\" width=\"" + number(r.width - 1) + "\" height=\"" + number(r.height - 1) +
                       "\" fill=\"none\" stroke=\"" + colour(color) + "\"/>\n");
    }
    void dashedLine(int x, int top, int bottom, Color color) override {
        document.write("<line x1=\"" + number(x + 0.5) + "\" y1=\"" + number(top) + "\" x2=\"" +
                       number(x + 0.5) + "\" y2=\"" + number(bottom + 1) + "\" stroke=\"" +
                       colour(color) + "\" stroke-dasharray=\"4 2\"/>\n");
    }
    void drawText(int x, int baseline, std::string_view text, bool bold, Color color) override {
        if (text.empty()) {
            return;
        }
        document.write("<text x=\"" + number(x) + "\" y=\"" + number(baseline) + "\"" +
                       fontSize(kWindowFace) + (bold ? " font-weight=\"bold\"" : "") +
                       (color != 0 ? " fill=\"" + colour(color) + "\"" : "") + ">" + xmlText(text) +
                       "</text>\n");
    }
    void drawDensity(const Density& density, int which) override {
        const std::vector<unsigned char> rgb = densityRgb(density, which);
        const std::string png = png::pngOfRgb(density.width, density.height, rgb.data(), kDpi);
        document.write("<image x=\"" + number(place.left) + "\" y=\"" + number(place.top) +
                       "\" width=\"" + number(place.width) + "\" height=\"" + number(place.height) +
                       "\" preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\" "
                       "xlink:href=\"data:image/png;base64," +
                       base64(std::string_view(png)) + "\"/>\n");
    }
    void drawCentredText(const PixelRect& r, std::string_view text, bool bold,
                         Color color) override {
        const FaceTable& face = bold ? kWindowBoldFace : kWindowFace;
        document.write("<text x=\"" + number(r.left + r.width / 2.0) + "\" y=\"" +
                       number(r.top + (r.height - face.height) / 2 + face.ascent) + "\"" +
                       fontSize(face) + (bold ? " font-weight=\"bold\"" : "") +
                       " text-anchor=\"middle\" fill=\"" + colour(color) + "\">" + xmlText(text) +
                       "</text>\n");
    }

private:
    void writeLines(const std::vector<Polyline>& lines, Color color, const Placement& at,
                    double penWidth) override {
        std::string group = "<g transform=\"matrix(" + number(at.scaleX) + " 0 0 " +
                            number(at.scaleY) + " " + number(at.originX) + " " +
                            number(at.originY) + ")\" fill=\"none\" stroke=\"" + colour(color) +
                            "\" stroke-width=\"" + number(penWidth) +
                            "\" stroke-linecap=\"square\" stroke-linejoin=\"round\">\n";
        for (const Polyline& line : lines) {
            group += "<polyline points=\"";
            for (std::size_t k = 0; k < line.size(); ++k) {
                group += (k == 0 ? "" : " ") + number(line[k].first) + "," + number(line[k].second);
            }
            group += "\"/>\n";
        }
        document.write(group + "</g>\n");
    }
    void writeDots(double x, double y, double stepX, double stepY, int count) override {
        if (count == 1) {
            document.write("<rect x=\"" + number(x - 0.5) + "\" y=\"" + number(y - 0.5) +
                           "\" width=\"1\" height=\"1\"/>\n");
            return;
        }
        // A dotted line: a dash one unit long every step, centred on each point.
        const double step = std::hypot(stepX, stepY);
        const double halfX = stepX / step * 0.5;
        const double halfY = stepY / step * 0.5;
        document.write("<line x1=\"" + number(x - halfX) + "\" y1=\"" + number(y - halfY) +
                       "\" x2=\"" + number(x + stepX * (count - 1) + halfX) + "\" y2=\"" +
                       number(y + stepY * (count - 1) + halfY) +
                       "\" stroke=\"#000000\" stroke-dasharray=\"1 " +
                       number(std::max(step - 1.0, 0.1)) + "\"/>\n");
    }
    void writeNumber(double left, double top, const std::string& text) override {
        document.write("<text x=\"" + number(left) + "\" y=\"" +
                       number(top + kNumberFace.exactAscent) + "\"" + fontSize(kNumberFace) + ">" +
                       xmlText(text) + "</text>\n");
    }
    void writeBackground() override {
        document.write("<rect x=\"" + number(place.left) + "\" y=\"" + number(place.top) +
                       "\" width=\"" + number(place.width) + "\" height=\"" + number(place.height) +
                       "\" fill=\"" + colour(kPlotBackground) + "\"/>\n");
    }

    Document& document;
};

SvgPicture::SvgPicture(const View& view, const PictureText& text, TextSink out)
    : VectorPicture(view), document(std::make_unique<Document>(std::move(out))),
      plotA(std::make_unique<PlotPart>(*document, pixelRect(kPlotA, kDpi))),
      plotB(std::make_unique<PlotPart>(*document, pixelRect(kPlotB, kDpi))) {
    const PixelRect a = pixelRect(kPlotA, kDpi);
    const PixelRect b = pixelRect(kPlotB, kDpi);
    const std::string width = number(toPixels(kClientWidth, kDpi));
    const std::string height = number(b.bottom() + 1 + a.top);
    const std::string description = text.description + "; made by " + text.software +
                                    (text.options.empty() ? "" : "; sorkam-export " + text.options);
    std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" +
        width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
        "\" xml:space=\"preserve\" font-family=\"'Times New Roman', 'Liberation Serif', Times, "
        "serif\">\n<title>" +
        xmlText(text.title) + "</title>\n<desc>" + xmlText(description) + "</desc>\n<defs>\n";
    for (const auto& [name, place] : {std::pair("plotA", a), std::pair("plotB", b)}) {
        head += "<clipPath id=\"" + std::string(name) + "\"><rect width=\"" + number(place.width) +
                "\" height=\"" + number(place.height) + "\"/></clipPath>\n";
    }
    head += "</defs>\n<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"" +
            colour(kBackground) + "\"/>\n";
    const PixelRect captions[] = {pixelRect(kCaptionA, kDpi), pixelRect(kCaptionB, kDpi)};
    const char* names[] = {"VIDEO A", "VIDEO B"};
    for (int k = 0; k < 2; ++k) {
        head += "<text x=\"" + number(captions[k].left) + "\" y=\"" +
                number(captions[k].top + kCaptionFace.exactAscent) + "\"" + fontSize(kCaptionFace) +
                ">" + names[k] + "</text>\n";
    }
    document->write(head);
    paintFrames(*plotA, *plotB);
}

SvgPicture::~SvgPicture() = default;

void SvgPicture::openPlot(int which, const PixelRect& place) {
    document->write("<g transform=\"translate(" + number(place.left) + " " + number(place.top) +
                    ")\" clip-path=\"url(#" + (which == 0 ? "plotA" : "plotB") + ")\">\n");
}

void SvgPicture::closePlot() {
    document->write("</g>\n");
}

bool SvgPicture::finish(const std::vector<LegendEntry>& legend) {
    paintDecorations(legend);
    document->write("</svg>\n");
    return document->flush();
}

} // namespace sorkam::chart

#include "vector/SvgPicture.h"

#include "chart/ChartLayout.h"
#include "chart/OverlayView.h"
#include "chart/PlotDecorations.h"
#include "plot/PlotFrame.h"
#include "plot/PlotGeometry.h"
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
// Two channels of a record are painted a segment each in turn, and a zoomed trace marks each
// sample between its segments: each segment continues its own line, one of the last few.
constexpr std::size_t kOpenLines = 4;

// A number as the document writes it: six significant digits at most, no trailing zeros.
std::string num(double v) {
    if (std::abs(v) < 1e-9) {
        return "0";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

std::string colour(Color c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
    return text;
}

std::string fontSize(const FaceTable& face) {
    return " font-size=\"" + num(face.pixelSize) + "\"";
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

// One plot area of the document: a plot surface writing SVG elements at its place of the layout,
// and a canvas for its decorations. Joined lines of one colour become one polyline (in the user
// units of the scale, through a transform: a trace's points are whole numbers), a row or column
// of evenly spaced points one dotted line, numbers text.
class SvgPicture::PlotPart final : public PlotSurface, public DecorationCanvas {
public:
    PlotPart(Document& document, const PixelRect& place) : document(document), place(place) {}

    void setScale(float x1, float y1, float x2, float y2) override {
        flush();
        scale = {x1, y1, x2 - x1, y2 - y1};
    }
    void drawLine(float x1, float y1, float x2, float y2, Color color) override {
        flushDots();
        if (color != lineColor) {
            flushLines();
            lineColor = color;
        }
        const std::pair a(x1, y1);
        const std::pair b(x2, y2);
        for (std::size_t k = lines.size(); k > 0 && k + kOpenLines > lines.size(); --k) {
            std::vector<std::pair<float, float>>& line = lines[k - 1];
            if (line.back() != a) {
                continue;
            }
            // A segment going on in the same direction only moves the line's end.
            const auto before = line.size() >= 2 ? line[line.size() - 2] : a;
            const double alongX = a.first - before.first;
            const double alongY = a.second - before.second;
            const double nextX = b.first - a.first;
            const double nextY = b.second - a.second;
            if (line.size() >= 2 && alongX * nextY == alongY * nextX &&
                alongX * nextX + alongY * nextY > 0.0) {
                line.back() = b;
            } else {
                line.push_back(b);
            }
            return;
        }
        lines.push_back({a, b});
    }
    void drawPoint(float x, float y) override {
        flushLines();
        const auto [px, py] = at(x, y);
        if (dotCount == 1 && (px == dotsX || py == dotsY)) {
            stepX = px - dotsX;
            stepY = py - dotsY;
            dotCount = 2;
            return;
        }
        if (dotCount >= 2 && std::abs(px - (dotsX + stepX * dotCount)) < 1e-3 &&
            std::abs(py - (dotsY + stepY * dotCount)) < 1e-3) {
            ++dotCount;
            return;
        }
        flushDots();
        dotsX = px;
        dotsY = py;
        dotCount = 1;
    }
    void drawNumber(float x, float y, std::int16_t value) override {
        flush();
        const auto [px, py] = at(x, y);
        document.write("<text x=\"" + num(place.left + px - 0.5) + "\" y=\"" +
                       num(place.top + py - 0.5 + kNumberFace.exactAscent) + "\"" +
                       fontSize(kNumberFace) + ">" + xmlText(printedNumber(value)) + "</text>\n");
    }
    void clear() override {
        lines.clear();
        dotCount = 0;
        document.write("<rect x=\"" + num(place.left) + "\" y=\"" + num(place.top) + "\" width=\"" +
                       num(place.width) + "\" height=\"" + num(place.height) + "\" fill=\"" +
                       colour(kPlotBackground) + "\"/>\n");
    }
    void flush() {
        flushLines();
        flushDots();
    }

    // Decorations, in the plot's own pixels (the group around them moves them to its place).
    [[nodiscard]] int textWidth(std::string_view text, bool bold) const override {
        return chart::textWidth(bold ? kWindowBoldFace : kWindowFace, text);
    }
    [[nodiscard]] int lineHeight(bool bold) const override {
        return (bold ? kWindowBoldFace : kWindowFace).height;
    }
    [[nodiscard]] int ascent(bool bold) const override {
        return (bold ? kWindowBoldFace : kWindowFace).ascent;
    }
    void fillRect(const PixelRect& r, Color color) override {
        document.write("<rect x=\"" + num(r.left) + "\" y=\"" + num(r.top) + "\" width=\"" +
                       num(r.width) + "\" height=\"" + num(r.height) + "\" fill=\"" +
                       colour(color) + "\"/>\n");
    }
    void outlineRect(const PixelRect& r, Color color) override {
        document.write("<rect x=\"" + num(r.left + 0.5) + "\" y=\"" + num(r.top + 0.5) +
                       "\" width=\"" + num(r.width - 1) + "\" height=\"" + num(r.height - 1) +
                       "\" fill=\"none\" stroke=\"" + colour(color) + "\"/>\n");
    }
    void dashedLine(int x, int top, int bottom, Color color) override {
        document.write("<line x1=\"" + num(x + 0.5) + "\" y1=\"" + num(top) + "\" x2=\"" +
                       num(x + 0.5) + "\" y2=\"" + num(bottom + 1) + "\" stroke=\"" +
                       colour(color) + "\" stroke-dasharray=\"4 2\"/>\n");
    }
    void drawText(int x, int baseline, std::string_view text, bool bold, Color color) override {
        document.write("<text x=\"" + num(x) + "\" y=\"" + num(baseline) + "\"" +
                       fontSize(kWindowFace) + (bold ? " font-weight=\"bold\"" : "") +
                       (color != 0 ? " fill=\"" + colour(color) + "\"" : "") + ">" + xmlText(text) +
                       "</text>\n");
    }
    void drawCentredText(const PixelRect& r, std::string_view text, bool bold,
                         Color color) override {
        const FaceTable& face = bold ? kWindowBoldFace : kWindowFace;
        document.write("<text x=\"" + num(r.left + r.width / 2.0) + "\" y=\"" +
                       num(r.top + (r.height - face.height) / 2 + face.ascent) + "\"" +
                       fontSize(face) + (bold ? " font-weight=\"bold\"" : "") +
                       " text-anchor=\"middle\" fill=\"" + colour(color) + "\">" + xmlText(text) +
                       "</text>\n");
    }

private:
    // As the picture surface maps a point onto pixels 0 .. width - 1, unrounded, in the plot.
    [[nodiscard]] std::pair<double, double> at(float x, float y) const {
        const double fx = scale.width != 0.0f ? (place.width - 1.0) / scale.width : 0.0;
        const double fy = scale.height != 0.0f ? (place.height - 1.0) / scale.height : 0.0;
        return {0.5 + (x - scale.left) * fx, 0.5 + (y - scale.top) * fy};
    }
    void flushLines() {
        if (lines.empty()) {
            return;
        }
        const auto [ox, oy] = at(0.0f, 0.0f);
        const auto [ux1, uy1] = at(1.0f, 1.0f);
        const double ux = ux1 - ox;
        const double uy = uy1 - oy;
        // One unit of the layout across, whichever way the line runs.
        std::string group = "<g transform=\"matrix(" + num(ux) + " 0 0 " + num(uy) + " " +
                            num(place.left + ox) + " " + num(place.top + oy) +
                            ")\" fill=\"none\" stroke=\"" + colour(lineColor) +
                            "\" stroke-width=\"" + num(1.0 / std::sqrt(std::abs(ux * uy))) +
                            "\" stroke-linecap=\"square\" stroke-linejoin=\"round\">\n";
        for (const auto& line : lines) {
            group += "<polyline points=\"";
            for (std::size_t k = 0; k < line.size(); ++k) {
                group += (k == 0 ? "" : " ") + num(line[k].first) + "," + num(line[k].second);
            }
            group += "\"/>\n";
        }
        document.write(group + "</g>\n");
        lines.clear();
    }
    void flushDots() {
        if (dotCount == 0) {
            return;
        }
        const int count = dotCount;
        dotCount = 0;
        if (count == 1) {
            document.write("<rect x=\"" + num(place.left + dotsX - 0.5) + "\" y=\"" +
                           num(place.top + dotsY - 0.5) + "\" width=\"1\" height=\"1\"/>\n");
            return;
        }
        // A dotted line: a dash one unit long every step, centred on each point.
        const double step = std::hypot(stepX, stepY);
        const double halfX = stepX / step * 0.5;
        const double halfY = stepY / step * 0.5;
        document.write("<line x1=\"" + num(place.left + dotsX - halfX) + "\" y1=\"" +
                       num(place.top + dotsY - halfY) + "\" x2=\"" +
                       num(place.left + dotsX + stepX * (count - 1) + halfX) + "\" y2=\"" +
                       num(place.top + dotsY + stepY * (count - 1) + halfY) +
                       "\" stroke=\"#000000\" stroke-dasharray=\"1 " +
                       num(std::max(step - 1.0, 0.1)) + "\"/>\n");
    }

    Document& document;
    PixelRect place;
    UserScale scale{0.0f, 0.0f, 1.0f, 1.0f};
    std::vector<std::vector<std::pair<float, float>>> lines;
    Color lineColor = 0;
    double dotsX = 0.0;
    double dotsY = 0.0;
    double stepX = 0.0;
    double stepY = 0.0;
    int dotCount = 0;
};

SvgPicture::SvgPicture(const View& view, const PictureText& text, TextSink out)
    : shown(view), document(std::make_unique<Document>(std::move(out))),
      plotA(std::make_unique<PlotPart>(*document, pixelRect(kPlotA, kDpi))),
      plotB(std::make_unique<PlotPart>(*document, pixelRect(kPlotB, kDpi))) {
    const PixelRect a = pixelRect(kPlotA, kDpi);
    const PixelRect b = pixelRect(kPlotB, kDpi);
    const std::string width = num(toPixels(kClientWidth, kDpi));
    const std::string height = num(b.bottom() + 1 + a.top);
    const std::string description = text.description + "; made by " + text.software +
                                    (text.options.empty() ? "" : "; sorkam-export " + text.options);
    std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
        "\" xml:space=\"preserve\" font-family=\"'Times New Roman', 'Liberation Serif', Times, "
        "serif\">\n<title>" +
        xmlText(text.title) + "</title>\n<desc>" + xmlText(description) + "</desc>\n<defs>\n";
    for (const auto& [name, place] : {std::pair("plotA", a), std::pair("plotB", b)}) {
        head += "<clipPath id=\"" + std::string(name) + "\"><rect width=\"" + num(place.width) +
                "\" height=\"" + num(place.height) + "\"/></clipPath>\n";
    }
    head += "</defs>\n<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"" +
            colour(kBackground) + "\"/>\n";
    const PixelRect captions[] = {pixelRect(kCaptionA, kDpi), pixelRect(kCaptionB, kDpi)};
    const char* names[] = {"VIDEO A", "VIDEO B"};
    for (int k = 0; k < 2; ++k) {
        head += "<text x=\"" + num(captions[k].left) + "\" y=\"" +
                num(captions[k].top + kCaptionFace.exactAscent) + "\"" + fontSize(kCaptionFace) +
                ">" + names[k] + "</text>\n";
    }
    document->write(head);
    for (PlotPart* plot : {plotA.get(), plotB.get()}) {
        plot->clear();
        drawViewFrame(*plot, view);
        plot->flush();
    }
}

SvgPicture::~SvgPicture() = default;

void SvgPicture::paintRecord(const Record& record, Color color) {
    paintRecordOver(*plotA, *plotB, record, color, shown);
}

bool SvgPicture::finish(const std::vector<LegendEntry>& legend) {
    plotA->flush();
    plotB->flush();
    const PixelRect places[] = {pixelRect(kPlotA, kDpi), pixelRect(kPlotB, kDpi)};
    PlotPart* plots[] = {plotA.get(), plotB.get()};
    for (int which = 0; which < 2; ++which) {
        const PixelRect& place = places[which];
        document->write("<g transform=\"translate(" + num(place.left) + " " + num(place.top) +
                        ")\" clip-path=\"url(#" + (which == 0 ? "plotA" : "plotB") + ")\">\n");
        drawPlotDecorations(*plots[which], place.width, place.height, which, shown, legend);
        document->write("</g>\n");
    }
    document->write("</svg>\n");
    return document->flush();
}

} // namespace sorkam::chart

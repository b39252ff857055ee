#include "raster/PalettePicture.h"

#include "chart/Density.h"
#include "chart/OverlayView.h"
#include "chart/PlotDecorations.h"
#include "chart/RecordColors.h"
#include "chart/Traces.h"
#include "plot/PlotFrame.h"
#include "plot/PlotGeometry.h"
#include "plot/PlotSurface.h"
#include "png/PngWriter.h"
#include "raster/ChartTables.h"
#include "vector/VectorText.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace sorkam::chart {

namespace {

constexpr std::uint32_t kPlotGrey = 0xB4B4B4;

std::uint32_t rgbOf(Color c) {
    return static_cast<std::uint32_t>(redOf(c)) << 16 |
           static_cast<std::uint32_t>(greenOf(c)) << 8 | static_cast<std::uint32_t>(blueOf(c));
}

std::vector<unsigned char> inflated(const unsigned char* packed, std::size_t packedSize,
                                    std::size_t size) {
    std::vector<unsigned char> bytes(size);
    uLongf length = static_cast<uLongf>(bytes.size());
    if (uncompress(bytes.data(), &length, packed, static_cast<uLong>(packedSize)) != Z_OK ||
        length != bytes.size()) {
        throw std::logic_error("the chart tables built into the program are damaged");
    }
    return bytes;
}

const BareChartTable& tableFor(int scale) {
    if (scale < 1 || scale > kLargestScale) {
        throw std::invalid_argument("picture scales are 1 to 4");
    }
    return kBareCharts[scale - 1];
}

} // namespace

// A face's glyphs at one scale, inflated.
struct PalettePicture::Glyphs {
    const GlyphFaceTable* table;
    std::vector<unsigned char> coverage;

    [[nodiscard]] const GlyphRecord& of(char32_t c) const {
        const char32_t* end = kGlyphCharacters + kGlyphCharacterCount;
        const char32_t* at = std::lower_bound(kGlyphCharacters, end, c);
        if (at == end || *at != c) {
            at = std::lower_bound(kGlyphCharacters, end, char32_t{0xFFFD});
        }
        return table->glyphs[at - kGlyphCharacters];
    }
    [[nodiscard]] int width(std::string_view text) const {
        int width = 0;
        for (const char32_t c : codePoints(text)) {
            width += of(c).advance;
        }
        return width;
    }
};

const PalettePicture::Glyphs& PalettePicture::glyphs(int face, bool layout) {
    const int at = face * 2 + (layout ? 1 : 0);
    if (!kept[static_cast<std::size_t>(at)]) {
        const GlyphFaceTable& t = kGlyphFaces[face][layout ? 0 : scale - 1];
        kept[static_cast<std::size_t>(at)] = std::make_unique<Glyphs>(
            Glyphs{&t, inflated(t.coverage, t.coverageSize, t.coverageBytes)});
    }
    return *kept[static_cast<std::size_t>(at)];
}

// One plot area of the picture as a plot surface: trace segments from the shapes kept at build
// time, other lines (a zoomed view's) stepped along their longer side, points, and numbers in the
// numbers' face.
class PalettePicture::PlotArea final : public PlotSurface {
public:
    PlotArea(PalettePicture& picture, int which)
        : picture(picture), left(which == 0 ? picture.table.plotALeft : picture.table.plotBLeft),
          top(which == 0 ? picture.table.plotATop : picture.table.plotBTop),
          width(picture.table.plotWidth), height(picture.table.plotHeight),
          mapping(kChartScale, width, height) {}

    void setScale(float x1, float y1, float x2, float y2) override {
        mapping = PixelMapping({x1, y1, x2 - x1, y2 - y1}, width, height);
    }
    void drawLine(float x1, float y1, float x2, float y2, Color color) override {
        auto [a, b] = mapping.segment(x1, y1, x2, y2);
        if (b.x < a.x) {
            std::swap(a, b);
        }
        const int dx = b.x - a.x;
        const int dy = b.y - a.y;
        const unsigned char index = picture.indexOf(color);
        if (dx <= kShapeMaxDx && dy >= -kShapeMaxDy && dy <= kShapeMaxDy) {
            const auto shape = static_cast<std::size_t>(dx * kShapeRows + dy + kShapeMaxDy);
            paintRuns(kShapeRuns + kShapeFirst[shape], kShapeRuns + kShapeFirst[shape + 1], a,
                      width, height, [&](int x, int y) { set(x, y, index); });
            return;
        }
        const int steps = std::max(std::abs(dx), std::abs(dy));
        for (int k = 0; k <= steps; ++k) {
            set(a.x + static_cast<int>(std::lround(static_cast<double>(k) * dx / steps)),
                a.y + static_cast<int>(std::lround(static_cast<double>(k) * dy / steps)), index);
        }
    }
    void drawPoint(float x, float y) override {
        const PixelPoint p = mapping(x, y);
        set(p.x, p.y, picture.indexOf(kForegroundColor));
    }
    void drawNumber(float x, float y, std::int16_t value) override {
        const PixelPoint p = mapping(x, y);
        const Glyphs& face = picture.glyphs(kNumberGlyphs, false);
        const unsigned char ink = picture.indexOf(kForegroundColor);
        int pen = p.x;
        const int baseline = p.y + face.table->ascent;
        for (const char c : printedNumber(value)) {
            const GlyphRecord& glyph = face.of(static_cast<unsigned char>(c));
            const unsigned char* cover = face.coverage.data() + glyph.offset;
            for (int gy = 0; gy < glyph.height; ++gy) {
                for (int gx = 0; gx < glyph.width; ++gx) {
                    if (cover[gy * glyph.width + gx] >= 128) {
                        set(pen + glyph.left + gx, baseline + glyph.top + gy, ink);
                    }
                }
            }
            pen += glyph.advance;
        }
    }
    void clear() override {
        const unsigned char grey = picture.indexOfRgb(kPlotGrey);
        for (int y = 0; y < height; ++y) {
            std::fill_n(row(y), width, grey);
        }
    }
    // The density's counted pixels over the whole plot, its colours in steps of 8 a channel so
    // that they fit the palette.
    void paintDensity(const Density& density, int which) {
        const std::vector<std::uint32_t> pixels = densityPixels(density, which);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
                if (p != 0) {
                    row(y)[x] = picture.indexOfRgb((p & 0xF8F8F8u) | 0x040404u);
                }
            }
        }
    }

    [[nodiscard]] unsigned char* row(int y) {
        return picture.indices.data() + static_cast<std::size_t>(top + y) * picture.table.width +
               left;
    }
    void set(int x, int y, unsigned char index) {
        if (x >= 0 && y >= 0 && x < width && y < height) {
            row(y)[x] = index;
        }
    }

    PalettePicture& picture;
    const int left;
    const int top;
    const int width;
    const int height;

private:
    PixelMapping mapping;
};

// A plot's decorations, laid out in the layout's pixels and measured in its faces, painted at the
// picture's scale; text blended with what lies under it in four steps of its glyphs' coverage.
class PalettePicture::Canvas final : public DecorationCanvas {
public:
    Canvas(PalettePicture& picture, PlotArea& plot) : picture(picture), plot(plot) {}

    [[nodiscard]] int textWidth(std::string_view text, bool bold) const override {
        return picture.glyphs(bold ? kWindowBoldGlyphs : kWindowGlyphs, true).width(text);
    }
    [[nodiscard]] int lineHeight(bool bold) const override {
        return picture.glyphs(bold ? kWindowBoldGlyphs : kWindowGlyphs, true).table->height;
    }
    [[nodiscard]] int ascent(bool bold) const override {
        return picture.glyphs(bold ? kWindowBoldGlyphs : kWindowGlyphs, true).table->ascent;
    }
    void fillRect(const PixelRect& r, Color color) override {
        fill(r.left * s(), r.top * s(), r.width * s(), r.height * s(), picture.indexOf(color));
    }
    void outlineRect(const PixelRect& r, Color color) override {
        const unsigned char index = picture.indexOf(color);
        const int l = r.left * s();
        const int t = r.top * s();
        const int w = r.width * s();
        const int h = r.height * s();
        fill(l, t, w, s(), index);
        fill(l, t + h - s(), w, s(), index);
        fill(l, t, s(), h, index);
        fill(l + w - s(), t, s(), h, index);
    }
    void dashedLine(int x, int top, int bottom, Color color) override {
        // Dashes four pixels long with gaps of two, as a one-pixel pen draws them, scaled.
        const unsigned char index = picture.indexOf(color);
        for (int y = top; y <= bottom; y += 6) {
            fill(x * s(), y * s(), s(), std::min(4, bottom - y + 1) * s(), index);
        }
    }
    void drawText(int x, int baseline, std::string_view text, bool bold, Color color) override {
        const Glyphs& face = picture.glyphs(bold ? kWindowBoldGlyphs : kWindowGlyphs, false);
        const Glyphs& layout = picture.glyphs(bold ? kWindowBoldGlyphs : kWindowGlyphs, true);
        const std::uint32_t ink = rgbOf(color);
        int pen = x;
        for (const char32_t c : codePoints(text)) {
            const GlyphRecord& glyph = face.of(c);
            const unsigned char* cover = face.coverage.data() + glyph.offset;
            for (int gy = 0; gy < glyph.height; ++gy) {
                for (int gx = 0; gx < glyph.width; ++gx) {
                    blend(pen * s() + glyph.left + gx, baseline * s() + glyph.top + gy,
                          cover[gy * glyph.width + gx], ink);
                }
            }
            pen += layout.of(c).advance;
        }
    }
    void drawCentredText(const PixelRect& r, std::string_view text, bool bold,
                         Color color) override {
        drawText(r.left + (r.width - textWidth(text, bold)) / 2,
                 r.top + (r.height - lineHeight(bold)) / 2 + ascent(bold), text, bold, color);
    }

private:
    [[nodiscard]] int s() const { return picture.scale; }
    void fill(int x, int y, int w, int h, unsigned char index) {
        const int x0 = std::max(x, 0);
        const int x1 = std::min(x + w, plot.width);
        for (int row = std::max(y, 0); row < std::min(y + h, plot.height); ++row) {
            if (x1 > x0) {
                std::fill(plot.row(row) + x0, plot.row(row) + x1, index);
            }
        }
    }
    void blend(int x, int y, unsigned char cover, std::uint32_t ink) {
        const int step = (cover + 42) / 85; // 0 to 3
        if (step == 0 || x < 0 || y < 0 || x >= plot.width || y >= plot.height) {
            return;
        }
        unsigned char& pixel = plot.row(y)[x];
        const std::uint32_t under = picture.colours[pixel];
        std::uint32_t mixed = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int a = static_cast<int>(ink >> shift & 0xFF);
            const int b = static_cast<int>(under >> shift & 0xFF);
            mixed |= static_cast<std::uint32_t>(b + (a - b) * step / 3) << shift;
        }
        pixel = picture.indexOfRgb(mixed);
    }

    PalettePicture& picture;
    PlotArea& plot;
};

PalettePicture::PalettePicture(int scale, const View& view)
    : scale(scale), table(tableFor(scale)), shown(view),
      colours(table.palette, table.palette + table.paletteSize),
      bare(
          inflated(table.pixels, table.pixelsSize,
                   static_cast<std::size_t>(table.width) * static_cast<std::size_t>(table.height))),
      indices(bare) {
    for (const Color c : kRecordColorCycle) {
        (void)indexOf(c);
    }
    paintFrames();
    framed = indices;
}

PalettePicture::~PalettePicture() = default;

unsigned char PalettePicture::indexOfRgb(std::uint32_t rgb) {
    const auto found = std::find(colours.begin(), colours.end(), rgb);
    if (found != colours.end()) {
        return static_cast<unsigned char>(found - colours.begin());
    }
    if (colours.size() < 256) {
        colours.push_back(rgb);
        return static_cast<unsigned char>(colours.size() - 1);
    }
    // The palette is full: the nearest of its colours.
    const auto distance = [rgb](std::uint32_t c) {
        int sum = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int d =
                static_cast<int>(c >> shift & 0xFF) - static_cast<int>(rgb >> shift & 0xFF);
            sum += d * d;
        }
        return sum;
    };
    return static_cast<unsigned char>(std::min_element(colours.begin(), colours.end(),
                                                       [&](std::uint32_t a, std::uint32_t b) {
                                                           return distance(a) < distance(b);
                                                       }) -
                                      colours.begin());
}

unsigned char PalettePicture::indexOf(Color color) {
    return indexOfRgb(rgbOf(color));
}

void PalettePicture::paintFrames() {
    if (shown.zoomedOut() && !shown.density) {
        return; // the bare chart's own frame
    }
    for (int which = 0; which < 2; ++which) {
        PlotArea plot(*this, which);
        plot.clear();
        if (shown.density && shown.density->fits(shown, plot.width, plot.height)) {
            plot.paintDensity(*shown.density, which);
        }
        drawViewFrame(plot, shown);
    }
}

void PalettePicture::paintRecord(const Record& record, Color color) {
    PlotArea plotA(*this, 0);
    PlotArea plotB(*this, 1);
    paintRecordOver(plotA, plotB, record, color, shown);
}

void PalettePicture::add(const Record& record, std::int64_t n) {
    paintRecord(record, recordColor(n));
}

void PalettePicture::decorate(const std::vector<LegendEntry>& legend) {
    for (int which = 0; which < 2; ++which) {
        PlotArea plot(*this, which);
        Canvas canvas(*this, plot);
        const int layoutWidth = (plot.width + scale - 1) / scale;
        const int layoutHeight = (plot.height + scale - 1) / scale;
        drawPlotDecorations(canvas, layoutWidth, layoutHeight, which, shown, legend);
    }
}

void PalettePicture::clear() {
    indices = framed;
}

int PalettePicture::width() const {
    return table.width;
}

int PalettePicture::height() const {
    return table.height;
}

int PalettePicture::dpi() const {
    return table.dpi;
}

int PalettePicture::plotWidth(int scale) {
    return tableFor(scale).plotWidth;
}

int PalettePicture::plotHeight(int scale) {
    return tableFor(scale).plotHeight;
}

std::string pngOf(const PalettePicture& picture, const PngTexts& texts) {
    return png::pngOfIndexed(picture.width(), picture.height(), picture.palette(),
                             picture.pixels().data(), picture.dpi(), texts);
}

} // namespace sorkam::chart

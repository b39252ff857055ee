#include "export/PalettePicture.h"

#include "chart/RecordColors.h"
#include "chart/Traces.h"
#include "export/ChartTables.h"
#include "plot/PlotFrame.h"
#include "plot/PlotGeometry.h"
#include "plot/PlotSurface.h"
#include "png/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace sorkam::exporting {

namespace {

std::uint32_t rgbOf(Color c) {
    return static_cast<std::uint32_t>(redOf(c)) << 16 |
           static_cast<std::uint32_t>(greenOf(c)) << 8 | static_cast<std::uint32_t>(blueOf(c));
}

std::vector<unsigned char> inflated(const BareChartTable& table) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(table.width) * table.height);
    uLongf size = static_cast<uLongf>(pixels.size());
    if (uncompress(pixels.data(), &size, table.pixels, static_cast<uLong>(table.pixelsSize)) !=
            Z_OK ||
        size != pixels.size()) {
        throw std::logic_error("the bare chart built into the program is damaged");
    }
    return pixels;
}

const BareChartTable& tableFor(int scale) {
    if (scale < 1 || scale > kLargestScale) {
        throw std::invalid_argument("picture scales are 1 to 4");
    }
    return kBareCharts[scale - 1];
}

} // namespace

// One plot area of the picture, as traces are painted on it. Only traces are painted at run time
// (the frame comes with the bare chart), in the chart's scale, so its lines are the trace
// segments' shapes kept at build time.
class PalettePicture::PlotArea final : public LineSurface {
public:
    PlotArea(PalettePicture& picture, int left, int top)
        : picture(picture), left(left), top(top), width(picture.table.plotWidth),
          height(picture.table.plotHeight), mapping(kChartScale, width, height) {}

    void drawLine(float x1, float y1, float x2, float y2, Color color) override {
        const auto [a, b] = mapping.segment(x1, y1, x2, y2);
        const int dx = b.x - a.x;
        const int dy = b.y - a.y;
        if (dx < 0 || dx > kShapeMaxDx || dy < -kShapeMaxDy || dy > kShapeMaxDy) {
            throw std::logic_error("a line that no trace segment makes");
        }
        const unsigned char index = picture.indexOf(color);
        const std::size_t shape = static_cast<std::size_t>(dx * kShapeRows + dy + kShapeMaxDy);
        unsigned char* const origin =
            picture.indices.data() + static_cast<std::size_t>(top) * picture.table.width + left;
        const std::size_t stride = static_cast<std::size_t>(picture.table.width);
        paintRuns(kShapeRuns + kShapeFirst[shape], kShapeRuns + kShapeFirst[shape + 1], a, width,
                  height,
                  [&](int x, int y) { origin[static_cast<std::size_t>(y) * stride + x] = index; });
    }

private:
    PalettePicture& picture;
    int left;
    int top;
    int width;
    int height;
    PixelMapping mapping;
};

PalettePicture::PalettePicture(int scale)
    : table(tableFor(scale)), colours(table.palette, table.palette + table.paletteSize),
      bare(inflated(table)), indices(bare) {
    for (const Color c : chart::kRecordColorCycle) {
        if (std::find(colours.begin(), colours.end(), rgbOf(c)) == colours.end()) {
            colours.push_back(rgbOf(c));
        }
    }
}

unsigned char PalettePicture::indexOf(Color color) const {
    const auto found = std::find(colours.begin(), colours.end(), rgbOf(color));
    if (found == colours.end()) {
        throw std::logic_error("a colour that is not a record colour");
    }
    return static_cast<unsigned char>(found - colours.begin());
}

void PalettePicture::add(const Record& record, std::int64_t n) {
    PlotArea plotA(*this, table.plotALeft, table.plotATop);
    PlotArea plotB(*this, table.plotBLeft, table.plotBTop);
    chart::paintTraces(record, chart::recordColor(n), plotA, plotB);
}

void PalettePicture::clear() {
    indices = bare;
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

std::string pngOf(const PalettePicture& picture, const chart::PngTexts& texts) {
    return png::pngOfIndexed(picture.width(), picture.height(), picture.palette(),
                             picture.pixels().data(), picture.dpi(), texts);
}

} // namespace sorkam::exporting

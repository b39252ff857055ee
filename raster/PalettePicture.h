#pragma once

#include "chart/Legend.h"
#include "chart/RecordPainter.h"
#include "chart/View.h"
#include "chart/ViewText.h"
#include "plot/Color.h"
#include "record/RecordFile.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sorkam::chart {

struct BareChartTable;

// A picture of the chart as PNG pictures show it, painted with no toolkit: the bare chart of the
// window's layout at a scale (its pixels, colours and faces kept at build time from the viewer's
// own surface and fonts), over which records are painted in their colours by the chart's own
// trace code. A view (zoomed ranges, a density, cursors, the legend) gets the frame of its ranges,
// its density under the traces and its decorations over them. Held as colour indices, one byte a
// pixel; colours join the palette as they are first painted (256 at most, then the nearest).
class PalettePicture final : public RecordPainter {
public:
    // scale: picture pixels to each layout pixel, 1 to 4; view: what the picture shows.
    explicit PalettePicture(int scale, const View& view = {});
    ~PalettePicture() override;
    PalettePicture(const PalettePicture&) = delete;
    PalettePicture& operator=(const PalettePicture&) = delete;

    [[nodiscard]] const View& view() const override { return shown; }
    // A record's traces in color as the view shows them, over what is there.
    void paintRecord(const Record& record, Color color) override;
    // Paints a record's traces in the colour of record number n over what is there.
    void add(const Record& record, std::int64_t n);
    // The view's decorations (cursors, read-out, the legend, the zoomed part, the density's key)
    // over both plots.
    void decorate(const std::vector<LegendEntry>& legend);
    // Back to the view's frame, with no record.
    void clear();

    [[nodiscard]] int width() const;
    [[nodiscard]] int height() const;
    [[nodiscard]] int dpi() const;
    // A plot's size in the pixels of a picture at scale.
    [[nodiscard]] static int plotWidth(int scale);
    [[nodiscard]] static int plotHeight(int scale);
    // Its colours, 0xRRGGBB: the bare chart's, every record colour, and those painted since.
    [[nodiscard]] const std::vector<std::uint32_t>& palette() const { return colours; }
    // Its pixels, row after row, as indices into the palette.
    [[nodiscard]] const std::vector<unsigned char>& pixels() const { return indices; }

private:
    class PlotArea;
    class Canvas;

    // The palette index of a colour, 0xRRGGBB, which joins the palette where it is new.
    [[nodiscard]] unsigned char indexOfRgb(std::uint32_t rgb);
    [[nodiscard]] unsigned char indexOf(Color color);
    // The view's frame over the bare chart: each plot cleared, its density, the frame of its
    // ranges (the bare chart's own where they are whole and there is no density).
    void paintFrames();
    // The glyphs of a face at the picture's scale, and at the layout's (for measuring).
    struct Glyphs;
    [[nodiscard]] const Glyphs& glyphs(int face, bool layout);

    const int scale;
    const BareChartTable& table;
    View shown;
    std::vector<std::uint32_t> colours;
    std::vector<unsigned char> bare;
    std::vector<unsigned char> indices;
    std::vector<unsigned char> framed; // the picture with the view's frame and no record
    std::array<std::unique_ptr<Glyphs>, 6> kept;
};

// The picture as PNG file bytes with texts; empty when it cannot be compressed.
[[nodiscard]] std::string pngOf(const PalettePicture& picture, const PngTexts& texts = {});

} // namespace sorkam::chart

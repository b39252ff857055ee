#pragma once

#include "chart/ViewText.h"
#include "plot/Color.h"
#include "record/RecordFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sorkam::exporting {

struct BareChartTable;

// A picture of the chart as the export tool writes it: the bare chart of the window's layout at a
// scale (its pixels and colours kept at build time from the viewer's own surface), over which
// records are painted in their colours by the chart's own trace code. Held as colour indices,
// one byte a pixel, with no toolkit.
class PalettePicture {
public:
    // scale: picture pixels to each layout pixel, 1 to 4.
    explicit PalettePicture(int scale);

    // Paints a record's traces in the colour of record number n over what is there.
    void add(const Record& record, std::int64_t n);
    // Back to the bare chart.
    void clear();

    [[nodiscard]] int width() const;
    [[nodiscard]] int height() const;
    [[nodiscard]] int dpi() const;
    // Its colours, 0xRRGGBB: the bare chart's and every record colour.
    [[nodiscard]] const std::vector<std::uint32_t>& palette() const { return colours; }
    // Its pixels, row after row, as indices into the palette.
    [[nodiscard]] const std::vector<unsigned char>& pixels() const { return indices; }

private:
    class PlotArea;
    // The palette index of a record colour.
    [[nodiscard]] unsigned char indexOf(Color color) const;

    const BareChartTable& table;
    std::vector<std::uint32_t> colours;
    std::vector<unsigned char> bare;
    std::vector<unsigned char> indices;
};

// The picture as PNG file bytes with texts; empty when it cannot be compressed.
[[nodiscard]] std::string pngOf(const PalettePicture& picture, const chart::PngTexts& texts = {});

} // namespace sorkam::exporting

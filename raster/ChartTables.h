#pragma once

#include "plot/ShapeRuns.h"

#include <cstddef>
#include <cstdint>

namespace sorkam::chart {

// What the export tool's pictures are made of, kept at build time (tools/make_chart_tables) from
// the viewer's own surface, frame and fonts: the tool paints the viewer's pixels with no toolkit
// and no fonts at run time.

using sorkam::ShapeRun;

// The shapes of the lines from (0, 0) to (dx, dy) for dx 0..kShapeMaxDx and dy -kShapeMaxDy ..
// kShapeMaxDy, all that trace segments come to at scales 1 to 4: shape k = dx * kShapeRows + dy +
// kShapeMaxDy holds the runs kShapeRuns[kShapeFirst[k]] up to kShapeRuns[kShapeFirst[k + 1]].
inline constexpr int kShapeMaxDx = 4;
inline constexpr int kShapeMaxDy = 800;
inline constexpr int kShapeRows = 2 * kShapeMaxDy + 1;
extern const ShapeRun kShapeRuns[];
extern const std::uint32_t kShapeFirst[];

// The chart with no record on it at one scale: the picture's size and dots per inch, where its
// plot areas lie, its colours (0xRRGGBB) and its pixels as indices into them, row after row,
// zlib-compressed.
struct BareChartTable {
    int width;
    int height;
    int dpi;
    int plotALeft;
    int plotATop;
    int plotBLeft;
    int plotBTop;
    int plotWidth;
    int plotHeight;
    const std::uint32_t* palette;
    int paletteSize;
    const unsigned char* pixels;
    std::size_t pixelsSize;
};

// Scales 1 to kLargestScale, in order.
inline constexpr int kLargestScale = 4;
extern const BareChartTable kBareCharts[kLargestScale];

// The chart's faces as pictures draw their text without a toolkit: at each scale, each glyph's
// coverage of its pixels (0 to 255; the numbers' face is not antialiased, so 0 or 255), where it
// lies from the pen's place on the baseline, and how far it moves the pen.
struct GlyphRecord {
    std::int16_t advance;
    std::int16_t left; // from the pen's x
    std::int16_t top;  // from the baseline, up is negative
    std::int16_t width;
    std::int16_t height;
    std::uint32_t offset; // into the face's coverage bytes
};
struct GlyphFaceTable {
    int ascent;
    int height;                    // from one line's top to the next
    const GlyphRecord* glyphs;     // one a character of kGlyphCharacters
    const unsigned char* coverage; // zlib-compressed
    std::size_t coverageSize;      // compressed
    std::size_t coverageBytes;     // inflated
};
// The characters measured, in order: printable ASCII, the rest of the Windows Western code page,
// and the chart's own signs (−, –, U+FFFD).
extern const char32_t kGlyphCharacters[];
extern const std::size_t kGlyphCharacterCount;
enum GlyphFace { kWindowGlyphs, kWindowBoldGlyphs, kNumberGlyphs, kGlyphFaceCount };
extern const GlyphFaceTable kGlyphFaces[kGlyphFaceCount][kLargestScale];

} // namespace sorkam::chart

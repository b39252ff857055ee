#pragma once

#include <cstddef>
#include <cstdint>

namespace sorkam::chart {

// The chart's faces as vector pictures name and measure them, kept at build time
// (tools/make_chart_tables --fonts) from the fonts the viewer draws with, in layout pixels at
// 96 dpi: pictures written by hand then lay text out as the window does, with no toolkit and no
// font file at run time.

// The characters measured, in order: printable ASCII, the Windows Western code page's others
// (header texts show in it), and the signs the chart's own texts use (−, –, U+FFFD).
extern const char32_t kFaceCharacters[];
extern const std::size_t kFaceCharacterCount;

struct FaceTable {
    double pixelSize; // the font's size
    int ascent;
    int height; // from one line's top to the next
    double exactAscent;
    const std::uint16_t* advances; // one a character of kFaceCharacters
};

extern const FaceTable kWindowFace;     // the legend, read-outs and labels
extern const FaceTable kWindowBoldFace; // the cursors' letters
extern const FaceTable kNumberFace;     // the axes' numbers
extern const FaceTable kCaptionFace;    // "VIDEO A", "VIDEO B"

} // namespace sorkam::chart

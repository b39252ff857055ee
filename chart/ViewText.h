#pragma once

#include "chart/View.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sorkam::chart {

// Record numbers in the order they are painted, as runs first to last (a single record: first ==
// last).
using RecordRuns = std::vector<std::pair<std::int64_t, std::int64_t>>;
// Numbers in order as runs: 0, 1, 2, 5 becomes 0-2, 5.
[[nodiscard]] RecordRuns recordRuns(const std::vector<std::int64_t>& numbers);
// Runs as the export tool's -r takes them: "0-2,5".
[[nodiscard]] std::string recordRunsText(const RecordRuns& records);

// What a picture file says of itself, in UTF-8: a PNG's text chunks, an SVG's title and
// description, a PDF's title and subject.
struct PictureText {
    std::string title;       // "demo.vid, records 0-2,5"
    std::string description; // the plots, records, range, cursors and legend in words
    std::string source;      // the data file's name, as the export tool shows names
    std::string software;    // "sorkam 0.1.0"
    std::string options;     // the sorkam-export options that paint the same picture
};

// A PNG file's text chunks, keyword and text: Title, Description, Source, Software, and Comment
// ("sorkam-export " and the options) where there are options.
using PngTexts = std::vector<std::pair<std::string, std::string>>;
[[nodiscard]] PngTexts pngTexts(const PictureText& text);

// The text of a picture of records of the data file at path (only its last name is told) in
// view, at scale, made by software. A difference view's picture names no options, as the export
// tool does not paint one.
[[nodiscard]] PictureText pictureText(const std::string& path, const RecordRuns& records,
                                      const View& view, int scale, const std::string& software);

// A sample index as --range and --cursors take it: the fewest digits that read back as the same
// number ("200", "200.25").
[[nodiscard]] std::string indexText(double index);

} // namespace sorkam::chart

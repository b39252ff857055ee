#pragma once

#include "chart/View.h"
#include "chart/ViewText.h"
#include "record/RecordFile.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

namespace sorkam::chart {

// How counts become colours: by their logarithm (a few stray traces stay visible beside
// thousands) or in proportion.
enum class DensityScale { Log, Linear };

// How many traces pass through each pixel of both plots, for a view's ranges at a plot size in
// pixels: a trace counts once in each pixel it passes through, however it winds there. Pixels
// outside the trace area count nothing.
struct Density {
    int width = 0;
    int height = 0;
    IndexRange range;
    ValueRange values;
    std::int64_t reference = -1; // the record subtracted (a difference view), or -1
    std::array<std::vector<std::uint32_t>, 2> counts; // VIDEO A, VIDEO B; row after row
    std::uint32_t most = 0;                           // the largest count on either plot
    std::int64_t records = 0;                         // how many records went in
    RecordRuns runs;                                  // which, in order
    DensityScale scale = DensityScale::Log;

    // Whether it was counted for this view's ranges at this size.
    [[nodiscard]] bool fits(const View& view, int plotWidth, int plotHeight) const;
};

// Counts records' traces: one counter a thread, merged at the end. Memory is the plots' pixels,
// whatever the number of records.
class DensityCounter {
public:
    DensityCounter(const View& view, int width, int height);

    void add(const Record& record);
    void merge(DensityCounter& other);
    // The counts so far.
    [[nodiscard]] Density finish() const;

private:
    // Where a column's right edge meets the trace: between sample segment and the next, share
    // of the way.
    struct Edge {
        int segment;
        float share;
    };
    struct Column {
        Edge right;
        int firstSample; // the samples within it (none where last < first)
        int lastSample;
        // Where every column holds two samples at most: two places in a trace's rows followed
        // by its columns' left edges whose rows, with the column's edges, give its extent (a
        // column without samples names its own left edge twice). No loop, no branch.
        int first;
        int second;
    };

    void addTrace(const ChannelBuffer& samples, const ChannelBuffer* minus, int plot);
    // The recent steps added to the others.
    void spill();

    View view;
    int width;
    int height;
    int firstColumn = 0;
    int topRow = 0;
    int bottomRow = -1;
    Edge firstEdge{0, 0.0f}; // the first column's left edge
    std::vector<Column> columns;
    bool twoAtMost = true;         // every column holds two samples at most
    std::vector<float> rowOfLevel; // the pixel row of each level, from the lowest
    std::vector<float> scratch;    // a trace's rows
    int lowestLevel = 0;
    // Per plot and column, a count's steps down the rows (+1 where a trace's pixels start, -1
    // below where they end): height + 1 entries a column. Those of the last few thousand records
    // are 16 bits, which halves the memory every trace's columns touch (a plot's took 600 KB at
    // 32 bits, beyond the core's cache).
    std::array<std::vector<std::int16_t>, 2> recent;
    std::array<std::vector<std::int32_t>, 2> steps;
    std::int64_t added = 0;
};

// The density of the records runs names, read from the data file at path on every core, for
// view at width x height plot pixels. done counts the records read; it stops early, answering
// nothing, once stop is requested. Fails where a record cannot be read.
[[nodiscard]] Result<Density, ReadFailure>
countDensity(const std::string& path, const RecordRuns& runs, const View& view, int width,
             int height, std::stop_token stop = {}, std::atomic<std::int64_t>* done = nullptr);

// A count's colour, 0xRRGGBB (as a picture's pixels hold it, not a Color), in a map whose lightness
// falls evenly from the plot's grey (no trace) through blue to a deep violet (the most).
[[nodiscard]] std::uint32_t densityColour(std::uint32_t count, std::uint32_t most,
                                          DensityScale scale);
// The density's key names it: "density of 24 records, log scale".
[[nodiscard]] std::string densityTitle(const Density& density);

// A plot's density as pixels, 0xAARRGGBB, row after row: clear where no trace passes.
[[nodiscard]] std::vector<std::uint32_t> densityPixels(const Density& density, int which);
// The same as red, green and blue bytes, the plot's grey where no trace passes.
[[nodiscard]] std::vector<unsigned char> densityRgb(const Density& density, int which);

} // namespace sorkam::chart

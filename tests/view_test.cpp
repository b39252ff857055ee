// The view's arithmetic: zoom and pan within the chart, the zoomed index axis, cursors at pixel
// columns, and hidden records.
#include "chart/Density.h"
#include "chart/OverlayView.h"
#include "chart/View.h"
#include "chart/ViewText.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/TempFiles.h"
#include "tools/RecordWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <set>

namespace sorkam::chart {
namespace {

TEST(View, ZoomAndPanStayWithinTheChartAndNoNarrowerThanEightSamples) {
    struct Row {
        IndexRange from;
        double factor, around, pan; // zoomed by factor around an index, then panned
        IndexRange to;
    } const rows[] = {
        {{}, 0.001, 0, 0, {0, 8}}, // no narrower than 8 samples
        {{}, 2, 400, 0, {0, 801}}, // no wider than the chart
        {{700, 801}, 0.5, 801, 0, {750.5, 801}},
        {{0, 100}, 1, 0, -50, {0, 100}}, // panned against either end
        {{700, 801}, 1, 0, 10, {700, 801}},
        {{100, 200}, 1, 0, 50, {150, 250}},
    };
    for (const Row& row : rows) {
        const IndexRange to = panned(zoomed(row.from, row.factor, row.around), row.pan);
        EXPECT_EQ(std::pair(to.first, to.last), std::pair(row.to.first, row.to.last))
            << row.from.first << "-" << row.from.last << " x" << row.factor;
    }
    // The index zoomed around stays at its x, from the whole chart's trace area to a zoomed one's
    // and back, to within the 1/1024 grid.
    IndexRange range;
    for (const double factor : {0.5, 0.8, 0.5, 2.0, 1.25}) {
        const IndexRange to = zoomed(range, factor, 400.5);
        EXPECT_NEAR(to.xOf(400.5), range.xOf(400.5), 0.01) << factor;
        range = to;
    }
}

TEST(View, AZoomedIndexAxisNumbersRoundStepsAndNoneAtTheCorner) {
    struct Row {
        IndexRange range;
        int firstTick, tickStep, ticks, columns;
    } const rows[] = {
        {{100, 200}, 110, 10, 10, 21}, // step 10, grid at 5; 100 stands on the vertical axis
        {{0, 8}, 1, 1, 8, 9},          // step 1, grid at 1
        {{200.25, 600.25}, 250, 50, 8, 16},
    };
    for (const Row& row : rows) {
        const IndexAxis axis = indexAxisFor(row.range);
        ASSERT_EQ(axis.ticks.size(), static_cast<std::size_t>(row.ticks)) << row.range.first;
        EXPECT_EQ(axis.ticks[0].second, row.firstTick);
        EXPECT_EQ(axis.ticks[1].second - axis.ticks[0].second, row.tickStep);
        EXPECT_EQ(axis.columns.size(), static_cast<std::size_t>(row.columns));
    }
    EXPECT_EQ(indexAxisFor({}).ticks, wholeIndexAxis().ticks);
}

TEST(View, CursorsSitOnWholeSamplesAndTheLastColumnIsTheLastSample) {
    EXPECT_EQ(cursorIndex(-3.0), 0);
    EXPECT_EQ(cursorIndex(12.5), 13);
    EXPECT_EQ(cursorIndex(801.6), 801);
    EXPECT_EQ(cursorIndex(std::numeric_limits<double>::quiet_NaN()), 0);
    constexpr int kPlotWidth = 726; // plot A at 96 dpi
    const int last = columnOfIndex({}, 801, kPlotWidth);
    EXPECT_EQ(cursorIndex(indexAtColumn({}, last, kPlotWidth)), 801);
    const IndexRange zoomed{100, 200};
    EXPECT_EQ(
        cursorIndex(indexAtColumn(zoomed, columnOfIndex(zoomed, 150, kPlotWidth), kPlotWidth)),
        150);
}

TEST(View, AZoomedViewsTracesFillTheTraceAreaAndStayWithinIt) {
    test::TempDir dir;
    const Record record = // channel 1's sample i is i % 256
        RecordFile::read(dir.write("one.vid", test::numberedRecords(1)), 0).value();
    const auto extent = [&](const View& view) {
        test::RecordingSurface plotA;
        test::RecordingSurface plotB;
        paintRecordOver(plotA, plotB, record, 0x0000FF, view);
        std::array<float, 4> box{1e9f, 1e9f, -1e9f, -1e9f}; // left, bottom, right, top
        for (const auto& line : plotA.only(test::RecordingSurface::Op::DrawLine)) {
            box = {std::min({box[0], line.x1, line.x2}), std::min({box[1], line.y1, line.y2}),
                   std::max({box[2], line.x1, line.x2}), std::max({box[3], line.y1, line.y2})};
        }
        return box;
    };
    View view;
    view.range = {100.3, 300.7};
    // The last sample shown reaches the axis's end, x 900.
    EXPECT_EQ(extent(view), (std::array<float, 4>{kTraceOriginX, kTraceOriginY, kZoomedTraceEnd,
                                                  kTraceOriginY + 255.0f}));
    // Values 40 to 60.5: channels 1 and 3 cross them, cut at the area's bottom and top.
    view.values = {40, 60.5};
    const auto box = extent(view);
    EXPECT_EQ(box[1], kTraceOriginY);
    EXPECT_LE(box[3], kTraceOriginY + kValueSpan);
    EXPECT_EQ(box[3], kTraceOriginY + kValueSpan);
}

TEST(View, TheValueAxisZoomsTakesABoxAndFitsWithinTheChart) {
    const auto ends = [](const ValueRange& v) { return std::pair(v.low, v.high); };
    EXPECT_EQ(ends(zoomedValues({}, 0.5, 100)), std::pair(50.0, 182.5)); // 100 stays put
    EXPECT_EQ(zoomedValues({50, 182.5}, 0.001, 60).height(), kNarrowestValues);
    EXPECT_TRUE(zoomedValues({50, 182.5}, 4, 60).whole());
    EXPECT_EQ(ends(valuesBetween(120, 40)), std::pair(40.0, 120.0)); // a box drawn upwards
    EXPECT_EQ(ends(valuesBetween(10, 11)), std::pair(8.5, 12.5));
    EXPECT_TRUE(valuesBetween(-20, 300).whole());
    const ValueRange between{40, 120};
    EXPECT_NEAR(valueAtRow(between, rowOfValue(between, 77, 237), 237), 77, 0.2);

    // Record 0's channels hold i, i + 31, i + 62 and i + 93 at sample i: 0 to 101 over 0..8,
    // a twentieth more each side, but none below 0.
    test::TempDir dir;
    Overlay overlay;
    overlay.add(0, RecordFile::read(dir.write("one.vid", test::numberedRecords(1)), 0).value());
    const std::optional<ValueRange> fitted = fittedValues(overlay, {}, {0, 8});
    ASSERT_TRUE(fitted.has_value());
    EXPECT_EQ(fitted->low, 0.0);
    EXPECT_NEAR(fitted->high, 101 + 101 / 20.0, 1e-3);
    EXPECT_FALSE(fittedValues(overlay, {0}, {0, 8}).has_value()); // record 0 hidden

    // The whole axis is the frame's; a zoomed one numbers round steps, none at the corner, and
    // keeps the dashed lines at 50 and 100.
    EXPECT_EQ(valueAxisFor({}).ticks, wholeValueAxis().ticks);
    const ValueAxis axis = valueAxisFor(between);
    ASSERT_EQ(axis.ticks.size(), 8u);
    EXPECT_EQ(axis.ticks.front().second, 50);
    EXPECT_EQ(axis.ticks.back().second, 120);
    EXPECT_EQ(axis.rows.size(), 17u);
    EXPECT_EQ(axis.references, (std::vector<float>{between.yOf(50), between.yOf(100)}));
}

TEST(View, TheDifferenceViewPaintsEachRecordMinusTheReference) {
    test::TempDir dir;
    const std::string path = dir.write("two.vid", test::numberedRecords(2));
    const Record first = RecordFile::read(path, 0).value();
    const Record second = RecordFile::read(path, 1).value(); // 7 more than record 0, mod 256
    View view;
    view.reference = std::make_shared<const Reference>(Reference{0, first});
    view.difference = true;
    view.values = kDifferenceValues;
    const auto heights = [&](const Record& record) {
        test::RecordingSurface plotA;
        test::RecordingSurface plotB;
        paintRecordOver(plotA, plotB, record, 0, view);
        std::set<float> ys;
        for (const auto& line : plotA.only(test::RecordingSurface::Op::DrawLine)) {
            ys.insert(line.y1);
            ys.insert(line.y2);
        }
        return ys;
    };
    EXPECT_EQ(heights(first), std::set<float>{kDifferenceValues.yOf(0)});
    // 7, or 7 - 256 where record 1's sample has wrapped past 255.
    EXPECT_EQ(heights(second),
              (std::set<float>{kDifferenceValues.yOf(-249), kDifferenceValues.yOf(7)}));
    // Its axis marks 0 and numbers the differences either side.
    const ValueAxis axis = valueAxisFor(kDifferenceValues);
    EXPECT_EQ(axis.references, std::vector<float>{kDifferenceValues.yOf(0)});
    EXPECT_LT(axis.ticks.front().second, 0);
    // No export options paint it again, so a picture names none, and says what it shows.
    const PictureText text = pictureText("run.vid", {{0, 1}}, view, 1, "sorkam");
    EXPECT_TRUE(text.options.empty());
    EXPECT_NE(text.description.find("minus record 0"), std::string::npos);
}

TEST(View, ADensityCountsEachTraceOnceInEveryPixelItPassesThroughOnEveryCore) {
    // 130 records (two shares): channel 1 flat at 100; channel 3 at 0, jumping to 200 at index
    // 400; channels 2 and 4 ramps up and down that cross at index 400.5.
    testdata::ChannelSamples samples{};
    for (std::size_t i = 0; i < testdata::kSamplesPerChannel; ++i) {
        const auto up = static_cast<std::uint8_t>(std::min<std::size_t>(i, 801) * 255 / 801);
        samples[0][i] = 100;
        samples[1][i] = up;
        samples[2][i] = i < 400 ? 0 : 200;
        samples[3][i] = static_cast<std::uint8_t>(255 - up);
    }
    std::vector<std::uint8_t> bytes;
    for (int k = 0; k < 130; ++k) {
        testdata::appendRecord(bytes, testdata::encodeRecord("a", "b", samples));
    }
    test::TempDir dir;
    const std::string path = dir.write("flat.vid", bytes);
    constexpr int kWidth = 726;
    constexpr int kHeight = 237;
    const View view;
    const auto counted = countDensity(path, {{0, 129}}, view, kWidth, kHeight);
    ASSERT_TRUE(counted.ok());
    const Density& density = counted.value();
    EXPECT_EQ(density.records, 130);
    EXPECT_TRUE(density.fits(view, kWidth, kHeight));
    const auto at = [&](int plot, double index, double value) {
        const int column = columnOfIndex(view.range, index, kWidth);
        const int row = static_cast<int>(
            std::lround((kChartHeight - view.values.yOf(value)) * (kHeight - 1) / kChartHeight));
        return density.counts[static_cast<std::size_t>(plot)]
                             [static_cast<std::size_t>(row * kWidth + column)];
    };
    EXPECT_EQ(at(0, 200, 100), 130u); // channel 1, once a record however many samples there
    EXPECT_EQ(at(0, 200, 0), 130u);   // channel 3
    EXPECT_EQ(at(0, 200, 50), 0u);
    EXPECT_EQ(at(0, 600, 200), 130u);
    EXPECT_EQ(at(1, 100, 255.0 * 100 / 801), 130u);
    // Both traces of a plot meet (the jump through 100, the ramps' crossing), no pixel more.
    EXPECT_EQ(density.most, 260u);
    for (int plot = 0; plot < 2; ++plot) {
        const auto& counts = density.counts[static_cast<std::size_t>(plot)];
        EXPECT_EQ(*std::max_element(counts.begin(), counts.end()), 260u);
    }
    // The jump leaves no gap: every row from 0 to 200 is passed in one of its two columns.
    for (int value = 0; value <= 200; value += 5) {
        EXPECT_GE(std::max(at(0, 399, value), at(0, 400, value)), 130u) << value;
    }
    // No trace, the plot's grey; more traces, darker colours.
    EXPECT_EQ(densityColour(0, 1000, DensityScale::Log), 0xB4B4B4u);
    const auto lightness = [](std::uint32_t c) {
        return 2 * (c >> 16 & 0xFF) + 7 * (c >> 8 & 0xFF) + (c & 0xFF);
    };
    std::uint32_t before = lightness(0xB4B4B4);
    for (const std::uint32_t count : {1u, 10u, 100u, 1000u}) {
        EXPECT_LT(lightness(densityColour(count, 1000, DensityScale::Log)), before) << count;
        before = lightness(densityColour(count, 1000, DensityScale::Log));
    }
}

TEST(View, RecordListsWithAGapAreNamedAsRuns) {
    const RecordRuns runs = recordRuns({0, 1, 2, 5});
    EXPECT_EQ(recordRunsText(runs), "0-2,5");
    const PictureText text = pictureText("/data/run.vid", runs, {}, 1, "sorkam");
    EXPECT_EQ(text.title, "run.vid, records 0-2,5");
    EXPECT_EQ(text.options, "-r 0-2,5");
}

TEST(View, HiddenRecordsComeBackWhenToggledOrShownAgain) {
    View view;
    EXPECT_TRUE(view.plain());
    toggleHidden(view, 2);
    toggleHidden(view, 5);
    EXPECT_FALSE(view.shows(2));
    EXPECT_FALSE(view.plain());
    toggleHidden(view, 2);
    unhide(view, 5);
    EXPECT_TRUE(view.shows(2) && view.shows(5) && view.plain());
}

} // namespace
} // namespace sorkam::chart

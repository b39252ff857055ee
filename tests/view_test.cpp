// The view's arithmetic: zoom and pan within the chart, the zoomed index axis, cursors at pixel
// columns, and hidden records.
#include "chart/OverlayView.h"
#include "chart/View.h"
#include "chart/ViewText.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace sorkam::chart {
namespace {

TEST(View, ZoomAndPanStayWithinTheChartAndNoNarrowerThanEightSamples) {
    struct Row {
        IndexRange from;
        double factor, around, pan; // zoomed by factor around an index, then panned
        IndexRange to;
    } const rows[] = {
        {{}, 0.5, 400.5, 0, {200.25, 600.75}}, // the index under the pointer stays put
        {{}, 0.001, 0, 0, {0, 8}},             // no narrower than 8 samples
        {{}, 2, 400, 0, {0, 801}},             // no wider than the chart
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

TEST(View, AFractionalRangesTracesEndAtTheTraceAreasEdges) {
    test::TempDir dir;
    const Record record =
        RecordFile::read(dir.write("one.vid", test::numberedRecords(1)), 0).value();
    test::RecordingSurface plotA;
    test::RecordingSurface plotB;
    paintRecordOver(plotA, plotB, record, 0x0000FF, {100.3, 200.7});
    float left = 1e9f;
    float right = -1e9f;
    for (const auto& line : plotA.only(test::RecordingSurface::Op::DrawLine)) {
        left = std::min({left, line.x1, line.x2});
        right = std::max({right, line.x1, line.x2});
    }
    EXPECT_EQ(left, kTraceOriginX);
    EXPECT_EQ(right, kTraceOriginX + kTraceSegments);
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

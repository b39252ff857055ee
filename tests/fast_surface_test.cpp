// The viewer's surface paints exactly the pixels that plain QPainter calls paint.
#include "picture/ImagePlotSurface.h"
#include "plot/PlotFrame.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/PainterPlotSurface.h"
#include "tests/support/TempFiles.h"
#include "viewer/RecordDisplay.h"

#include <gtest/gtest.h>

#include <random>

namespace sorkam {
namespace {

constexpr QSize kPlotSize{726, 237};

// Where two pictures differ, as a count and the first place.
::testing::AssertionResult samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return ::testing::AssertionFailure() << "sizes differ";
    }
    int differ = 0;
    QPoint first;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                if (differ++ == 0) {
                    first = {x, y};
                }
            }
        }
    }
    if (differ == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << differ << " pixels differ, first at (" << first.x() << ", " << first.y() << ")";
}

TEST(FastSurface, PaintsTheFrameAndEveryDemoRecordAsQPainterDoes) {
    test::TempDir dir;
    const std::string path = dir.write("demo.vid", testdata::demoFile(24));
    ImagePlotSurface fast0(kPlotSize), fast1(kPlotSize);
    test::PainterPlotSurface plain0(kPlotSize), plain1(kPlotSize);
    test::EventLog log;
    test::FakeHost host(log);
    RecordDisplay fast(host, fast0, fast1);
    RecordDisplay plain(host, plain0, plain1);
    drawFrame(fast0, fast1);
    drawFrame(plain0, plain1);
    EXPECT_TRUE(samePixels(fast0.image(), plain0.image()));
    for (std::int16_t n = 0; n < 24; ++n) {
        ASSERT_EQ(outcomeOf(fast.showRecord(path, n)), DisplayOutcome::Shown);
        ASSERT_EQ(outcomeOf(plain.showRecord(path, n)), DisplayOutcome::Shown);
    }
    EXPECT_TRUE(samePixels(fast0.image(), plain0.image()));
    EXPECT_TRUE(samePixels(fast1.image(), plain1.image()));
}

TEST(FastSurface, PaintsArbitraryLinesPointsAndNumbersAsQPainterDoes) {
    // Lines in every direction and length, inside, across and beyond the edges, under the
    // viewer's scale and under the default pixel scale.
    ImagePlotSurface fast(kPlotSize);
    test::PainterPlotSurface plain(kPlotSize);
    std::mt19937 random(20261208);
    std::uniform_real_distribution<float> x(-100.0f, 1035.0f);
    std::uniform_real_distribution<float> y(-50.0f, 365.0f);
    std::uniform_int_distribution<int> value(-32768, 32767);
    for (PlotSurface* s : {static_cast<PlotSurface*>(&fast), static_cast<PlotSurface*>(&plain)}) {
        s->setScale(0, 315, 935, 0);
    }
    for (int k = 0; k < 3000; ++k) {
        const float x1 = x(random), y1 = y(random);
        // Mostly short segments like a trace's, some long ones.
        const float x2 = k % 3 == 0 ? x(random) : x1 + static_cast<float>(k % 5) - 2.0f;
        const float y2 = k % 3 == 0 ? y(random) : y1 + static_cast<float>(k % 41) - 20.0f;
        const Color color = static_cast<Color>(random()) & 0xFFFFFF;
        const auto v = static_cast<std::int16_t>(value(random));
        for (PlotSurface* s :
             {static_cast<PlotSurface*>(&fast), static_cast<PlotSurface*>(&plain)}) {
            s->drawLine(x1, y1, x2, y2, color);
            s->drawPoint(x2, y1);
            if (k % 50 == 0) {
                s->drawNumber(x1, y1, v);
            }
        }
    }
    EXPECT_TRUE(samePixels(fast.image(), plain.image()));
    for (PlotSurface* s : {static_cast<PlotSurface*>(&fast), static_cast<PlotSurface*>(&plain)}) {
        s->clear();
        s->drawLine(0, 0, 3, 2, kForegroundColor);
        s->drawLine(1e9f, -1e9f, 100, 100, kForegroundColor);
        s->drawLine(50, 50, 50, 50, kForegroundColor);
    }
    EXPECT_TRUE(samePixels(fast.image(), plain.image()));
}

} // namespace
} // namespace sorkam

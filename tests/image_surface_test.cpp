#include "chart/RecordColors.h"
#include "picture/ImagePlotSurface.h"
#include "plot/PlotFrame.h"
#include "plot/PlotGeometry.h"
#include "tests/support/Contrast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

namespace sorkam {
namespace {

constexpr QSize kPlotSize{726, 237}; // a plot area at 96 dpi

QRgb rgbOf(Color c) {
    return toQColor(c).rgb();
}

TEST(PlotGeometry, ScaleCornersAreCornerPixels) {
    const UserScale scale{0, 315, 935, -315};
    const PixelPoint topLeft = toPixel(scale, 726, 237, 0, 315);
    const PixelPoint bottomRight = toPixel(scale, 726, 237, 935, 0);
    EXPECT_EQ(topLeft.x, 0);
    EXPECT_EQ(topLeft.y, 0);
    EXPECT_EQ(bottomRight.x, 725);
    EXPECT_EQ(bottomRight.y, 236);
    // The axes' crossing: 35/935 of the width from the left, 25/315 of the height above the bottom.
    const PixelPoint origin = toPixel(scale, 726, 237, 35, 25);
    EXPECT_EQ(origin.x, 27);  // 35 * 725 / 935 = 27.1
    EXPECT_EQ(origin.y, 217); // 290 * 236 / 315 = 217.3
    // Far-off points stay representable.
    const PixelPoint far = toPixel(scale, 726, 237, 1e30f, -1e30f);
    EXPECT_GT(far.x, 725);
    EXPECT_GT(far.y, 236);
}

TEST(PlotGeometry, ALineMapsBothEndsAsTheirPointsMap) {
    // Halves round to even, far-off and non-finite values end at the same limits.
    const std::vector<float> values = {0.0f,
                                       -0.0f,
                                       35.0f,
                                       25.5f,
                                       0.5f,
                                       1.5f,
                                       -2.5f,
                                       934.9f,
                                       1e30f,
                                       -1e30f,
                                       16777217.0f,
                                       std::numeric_limits<float>::infinity(),
                                       -std::numeric_limits<float>::infinity(),
                                       std::numeric_limits<float>::quiet_NaN()};
    for (const UserScale scale :
         {UserScale{0, 315, 935, -315}, UserScale{0, 0, 1, 1}, UserScale{-10, 5, 0.001f, 1e6f}}) {
        const PixelMapping mapping(scale, 726, 237);
        for (const float x1 : values) {
            for (const float y2 : values) {
                const float y1 = y2 * 0.5f;
                const float x2 = x1 + 1.0f;
                const auto [a, b] = mapping.segment(x1, y1, x2, y2);
                const PixelPoint pa = mapping(x1, y1);
                const PixelPoint pb = mapping(x2, y2);
                EXPECT_EQ(std::tie(a.x, a.y, b.x, b.y), std::tie(pa.x, pa.y, pb.x, pb.y))
                    << x1 << ", " << y1 << " to " << x2 << ", " << y2;
            }
        }
    }
}

TEST(PlotGeometry, PrintedNumbersKeepTheSignPlace) {
    EXPECT_EQ(printedNumber(20), " 20 ");
    EXPECT_EQ(printedNumber(850), " 850 ");
    EXPECT_EQ(printedNumber(0), " 0 ");
    EXPECT_EQ(printedNumber(-7), "-7 ");
}

using test::contrast;

TEST(Background, IsTheGreyThatTellsTheRecordColoursApartBest) {
    // Of the greys on which black numbers keep 4.5:1, the one whose worst contrast with the seven
    // colours other than black is highest.
    Color best = 0;
    double bestWorst = 0.0;
    for (Color v = 1; v < 255; ++v) {
        const Color grey = v | v << 8 | v << 16;
        if (contrast(grey, 0x000000) < 4.5) {
            continue;
        }
        double worst = 100.0;
        for (const Color c : chart::kRecordColorCycle) {
            if (c != 0x000000) {
                worst = std::min(worst, contrast(grey, c));
            }
        }
        if (worst > bestWorst) {
            bestWorst = worst;
            best = grey;
        }
    }
    EXPECT_EQ(ImagePlotSurface::kBackground, best);
    EXPECT_GT(bestWorst, 1.5);
}

class ImageSurface : public testing::Test {
protected:
    ImageSurface() { s.setScale(0, 315, 935, 0); }
    [[nodiscard]] QRgb at(int x, int y) const { return s.image().pixel(x, y); }
    ImagePlotSurface s{kPlotSize};
};

TEST_F(ImageSurface, StartsAndClearsToABackgroundNoTraceColourHas) {
    const QRgb background = rgbOf(ImagePlotSurface::kBackground);
    for (const Color c : chart::kRecordColorCycle) {
        ASSERT_NE(rgbOf(c), background);
    }
    EXPECT_EQ(at(0, 0), background);
    s.drawLine(0, 0, 935, 315, 0xFFFFFF);
    s.clear();
    EXPECT_EQ(s.image().convertToFormat(QImage::Format_RGB32),
              ImagePlotSurface(kPlotSize).image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(ImageSurface, PointsLandOnTheMappedPixels) {
    s.drawPoint(0, 315);
    s.drawPoint(935, 0);
    s.drawPoint(35, 25);
    EXPECT_EQ(at(0, 0), rgbOf(kForegroundColor));
    EXPECT_EQ(at(725, 236), rgbOf(kForegroundColor));
    EXPECT_EQ(at(27, 217), rgbOf(kForegroundColor));
    EXPECT_EQ(at(28, 217), rgbOf(ImagePlotSurface::kBackground));
    // Points off the surface paint nothing and do not fail.
    s.drawPoint(-10, 400);
    s.drawPoint(2000, -50);
}

TEST_F(ImageSurface, LinesPaintBothEndsOnePixelWideInTheirColour) {
    const QRgb red = rgbOf(0x0000FF);
    s.drawLine(35, 100, 835, 100, 0x0000FF);
    const PixelPoint a = toPixel({0, 315, 935, -315}, 726, 237, 35, 100);
    const PixelPoint b = toPixel({0, 315, 935, -315}, 726, 237, 835, 100);
    EXPECT_EQ(at(a.x, a.y), red);
    EXPECT_EQ(at(b.x, b.y), red);
    EXPECT_NE(at(b.x + 1, b.y), red);
    EXPECT_NE(at(a.x + 10, a.y - 1), red);
    EXPECT_NE(at(a.x + 10, a.y + 1), red);
}

TEST_F(ImageSurface, ALaterTraceLeavesAnEarlierOneVisibleWhereTheyDiffer) {
    s.drawLine(35, 50, 835, 250, 0x0000FF);
    s.drawLine(35, 250, 835, 50, 0x00FF00);
    const QImage& img = s.image();
    int red = 0;
    int green = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            red += img.pixel(x, y) == rgbOf(0x0000FF) ? 1 : 0;
            green += img.pixel(x, y) == rgbOf(0x00FF00) ? 1 : 0;
        }
    }
    EXPECT_GT(red, 600);
    EXPECT_GT(green, 600);
}

TEST_F(ImageSurface, NumbersStartAtTheirPointAfterTheSignSpace) {
    const auto inkColumns = [](const QImage& img) {
        int first = img.width();
        int last = -1;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                if (img.pixel(x, y) != toQColor(ImagePlotSurface::kBackground).rgb()) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        return std::pair{first, last};
    };
    ImagePlotSurface positive(kPlotSize);
    positive.setScale(0, 315, 935, 0);
    positive.drawNumber(100, 200, 20);
    ImagePlotSurface negative(kPlotSize);
    negative.setScale(0, 315, 935, 0);
    negative.drawNumber(100, 200, -20);
    const int left = toPixel({0, 315, 935, -315}, 726, 237, 100, 200).x;
    const auto [posFirst, posLast] = inkColumns(positive.image());
    const int negFirst = inkColumns(negative.image()).first;
    ASSERT_LT(posFirst, posLast);
    // The digits of 20 start where the minus sign of -20 stands, a space's width in.
    EXPECT_GT(posFirst, left + 1);
    EXPECT_LT(negFirst, posFirst);
}

TEST(ImageSurfaceRepaint, PaintingTheSameAgainGivesIdenticalPixels) {
    ImagePlotSurface once(kPlotSize);
    drawFrameOn(once);
    once.drawLine(35, 100, 36, 180, 0x00FFFF);
    ImagePlotSurface twice(kPlotSize);
    drawFrameOn(twice);
    twice.drawLine(35, 100, 36, 180, 0x00FFFF);
    drawFrameOn(twice);
    twice.drawLine(35, 100, 36, 180, 0x00FFFF);
    EXPECT_EQ(once.image(), twice.image());
}

TEST(ImageSurfaceRepaint, TheFramePaintsOverTracesButLeavesTheRest) {
    ImagePlotSurface s(kPlotSize);
    drawFrameOn(s);
    s.drawLine(35, 100, 835, 100, 0x00FFFF);
    drawFrameOn(s);
    const QImage& img = s.image();
    const int row = toPixel({0, 315, 935, -315}, 726, 237, 0, 100).y;
    int yellow = 0;
    for (int x = 0; x < img.width(); ++x) {
        yellow += img.pixel(x, row) == rgbOf(0x00FFFF) ? 1 : 0;
    }
    EXPECT_GT(yellow, 500);
    // The vertical axis crosses the trace and is painted over it.
    EXPECT_EQ(img.pixel(toPixel({0, 315, 935, -315}, 726, 237, 35, 100).x, row),
              rgbOf(kForegroundColor));
}

} // namespace
} // namespace sorkam

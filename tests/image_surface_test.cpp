#include "plot/ImagePlotSurface.h"
#include "plot/PlotFrame.h"
#include "plot/PlotGeometry.h"
#include "support/RecordingSurface.h"
#include "viewer/TraceColors.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <tuple>
#include <vector>

namespace sorkam {
namespace {

constexpr QSize kPlotSize{726, 237}; // a plot area at 96 dpi

QRgb rgbOf(Color c) {
    return toQColor(c).rgb();
}

// The current-point rules every surface keeps, run against the real surface and the tests' fake.
template <typename Surface> std::unique_ptr<PlotSurface> makeSurface();
template <> std::unique_ptr<PlotSurface> makeSurface<ImagePlotSurface>() {
    return std::make_unique<ImagePlotSurface>(kPlotSize);
}
template <> std::unique_ptr<PlotSurface> makeSurface<test::RecordingSurface>() {
    return std::make_unique<test::RecordingSurface>();
}

template <typename Surface> class CurrentPoint : public testing::Test {
protected:
    std::unique_ptr<PlotSurface> s = makeSurface<Surface>();
};
using Surfaces = testing::Types<ImagePlotSurface, test::RecordingSurface>;
TYPED_TEST_SUITE(CurrentPoint, Surfaces);

TYPED_TEST(CurrentPoint, FollowsEachOperation) {
    PlotSurface& s = *this->s;
    s.Scale(0, 315, 935, 0);
    s.Line(10, 20, 30, 40);
    EXPECT_EQ(s.CurrentX(), 30.0f);
    EXPECT_EQ(s.CurrentY(), 40.0f);
    // Relative moves start from the line's end, not its start.
    s.SetCurrentX(s.CurrentX() - 35.0f);
    EXPECT_EQ(s.CurrentX(), -5.0f);
    s.Line(1, 2, 3, 4, 0x0000FF);
    EXPECT_EQ(s.CurrentX(), 3.0f);
    EXPECT_EQ(s.CurrentY(), 4.0f);
    s.PSet(100, 200);
    EXPECT_EQ(s.CurrentX(), 100.0f);
    EXPECT_EQ(s.CurrentY(), 200.0f);
    s.SetCurrentY(150.0f);
    s.SetCurrentX(500.0f);
    s.Print(20);
    // The next text line starts at the left edge, further down (lower y on an upward axis).
    EXPECT_EQ(s.CurrentX(), 0.0f);
    EXPECT_LT(s.CurrentY(), 150.0f);
    EXPECT_GT(s.CurrentY(), 100.0f);
    s.Cls();
    EXPECT_EQ(s.CurrentX(), 0.0f);
    EXPECT_EQ(s.CurrentY(), 0.0f);
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
    const std::vector<float> values = {0.0f,   -0.0f,   35.0f,    25.5f,      0.5f,     1.5f,
                                       -2.5f,  934.9f,  1e30f,    -1e30f,     16777217.0f,
                                       std::numeric_limits<float>::infinity(),
                                       -std::numeric_limits<float>::infinity(),
                                       std::numeric_limits<float>::quiet_NaN()};
    for (const UserScale scale : {UserScale{0, 315, 935, -315}, UserScale{0, 0, 1, 1},
                                  UserScale{-10, 5, 0.001f, 1e6f}}) {
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

class ImageSurface : public testing::Test {
protected:
    ImageSurface() { s.Scale(0, 315, 935, 0); }
    [[nodiscard]] QRgb at(int x, int y) const { return s.image().pixel(x, y); }
    ImagePlotSurface s{kPlotSize};
};

TEST_F(ImageSurface, StartsAndClearsToABackgroundNoTraceColourHas) {
    const QRgb background = rgbOf(ImagePlotSurface::kBackground);
    for (const Color c : TraceColors) {
        ASSERT_NE(rgbOf(c), background);
    }
    EXPECT_EQ(at(0, 0), background);
    s.Line(0, 0, 935, 315, 0xFFFFFF);
    s.Cls();
    EXPECT_EQ(s.image().convertToFormat(QImage::Format_RGB32),
              ImagePlotSurface(kPlotSize).image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(ImageSurface, PointsLandOnTheMappedPixels) {
    s.PSet(0, 315);
    s.PSet(935, 0);
    s.PSet(35, 25);
    EXPECT_EQ(at(0, 0), rgbOf(ImagePlotSurface::kForeground));
    EXPECT_EQ(at(725, 236), rgbOf(ImagePlotSurface::kForeground));
    EXPECT_EQ(at(27, 217), rgbOf(ImagePlotSurface::kForeground));
    EXPECT_EQ(at(28, 217), rgbOf(ImagePlotSurface::kBackground));
    // Points off the surface paint nothing and do not fail.
    s.PSet(-10, 400);
    s.PSet(2000, -50);
}

TEST_F(ImageSurface, LinesPaintBothEndsOnePixelWideInTheirColour) {
    const QRgb red = rgbOf(0x0000FF);
    s.Line(35, 100, 835, 100, 0x0000FF);
    const PixelPoint a = toPixel({0, 315, 935, -315}, 726, 237, 35, 100);
    const PixelPoint b = toPixel({0, 315, 935, -315}, 726, 237, 835, 100);
    EXPECT_EQ(at(a.x, a.y), red);
    EXPECT_EQ(at(b.x, b.y), red);
    EXPECT_NE(at(b.x + 1, b.y), red);
    EXPECT_NE(at(a.x + 10, a.y - 1), red);
    EXPECT_NE(at(a.x + 10, a.y + 1), red);
    // Without a colour a line takes the foreground colour.
    s.Line(100, 30, 100, 60);
    const PixelPoint c = toPixel({0, 315, 935, -315}, 726, 237, 100, 45);
    EXPECT_EQ(at(c.x, c.y), rgbOf(ImagePlotSurface::kForeground));
}

TEST_F(ImageSurface, ALaterTraceLeavesAnEarlierOneVisibleWhereTheyDiffer) {
    s.Line(35, 50, 835, 250, 0x0000FF);
    s.Line(35, 250, 835, 50, 0x00FF00);
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

TEST_F(ImageSurface, PrintWritesTheNumberAfterTheSignSpace) {
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
    positive.Scale(0, 315, 935, 0);
    positive.SetCurrentX(100);
    positive.SetCurrentY(200);
    positive.Print(20);
    ImagePlotSurface negative(kPlotSize);
    negative.Scale(0, 315, 935, 0);
    negative.SetCurrentX(100);
    negative.SetCurrentY(200);
    negative.Print(-20);
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
    DrawFrameOn(once);
    once.Line(35, 100, 36, 180, 0x00FFFF);
    ImagePlotSurface twice(kPlotSize);
    DrawFrameOn(twice);
    twice.Line(35, 100, 36, 180, 0x00FFFF);
    DrawFrameOn(twice);
    twice.Line(35, 100, 36, 180, 0x00FFFF);
    EXPECT_EQ(once.image(), twice.image());
}

TEST(ImageSurfaceRepaint, TheFramePaintsOverTracesButLeavesTheRest) {
    ImagePlotSurface s(kPlotSize);
    DrawFrameOn(s);
    s.Line(35, 100, 835, 100, 0x00FFFF);
    DrawFrameOn(s);
    const QImage& img = s.image();
    const int row = toPixel({0, 315, 935, -315}, 726, 237, 0, 100).y;
    int yellow = 0;
    for (int x = 0; x < img.width(); ++x) {
        yellow += img.pixel(x, row) == rgbOf(0x00FFFF) ? 1 : 0;
    }
    EXPECT_GT(yellow, 500);
    // The vertical axis crosses the trace and is painted over it.
    EXPECT_EQ(img.pixel(toPixel({0, 315, 935, -315}, 726, 237, 35, 100).x, row),
              rgbOf(ImagePlotSurface::kForeground));
}

} // namespace
} // namespace sorkam

#include "plot/PlotFrame.h"
#include "tests/support/RecordingSurface.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sorkam {
namespace {

using test::RecordingSurface;
using Op = RecordingSurface::Op;

class DrawFrameTest : public testing::Test {
protected:
    void SetUp() override { drawFrameOn(surface); }
    RecordingSurface surface;
};

TEST_F(DrawFrameTest, PaintsTheFurnitureInItsOrderAndCounts) {
    // Scale, 2 axes, 13 value ticks with labels, 17 index ticks with labels, grid rows, grid
    // columns, then 3 dashed lines.
    ASSERT_EQ(surface.calls.front().op, Op::SetScale);
    EXPECT_EQ(surface.count(Op::SetScale), 1u);
    EXPECT_EQ(surface.count(Op::DrawNumber), 30u);
    EXPECT_EQ(surface.count(Op::DrawPoint), 27u * 174u + 35u * 38u);
    EXPECT_EQ(surface.count(Op::DrawLine), 2u + 30u + 3u * 51u);
    EXPECT_EQ(surface.count(Op::Clear), 0u);

    const auto& c = surface.calls;
    const auto firstDot =
        std::find_if(c.begin(), c.end(), [](auto& k) { return k.op == Op::DrawPoint; });
    const auto lastPrint =
        std::find_if(c.rbegin(), c.rend(), [](auto& k) { return k.op == Op::DrawNumber; });
    EXPECT_EQ(lastPrint.base(), firstDot); // the grid follows the last label
    EXPECT_TRUE(std::all_of(c.end() - 153, c.end(), [](auto& k) { return k.op == Op::DrawLine; }));
    EXPECT_TRUE(std::all_of(c.begin(), c.end(), [](auto& k) { return k.color == Color{0}; }));
}

TEST_F(DrawFrameTest, ScaleRunsUpwardOverTheWholeSurface) {
    const auto& s = surface.calls.front();
    EXPECT_EQ(s.x1, 0.0f);
    EXPECT_EQ(s.y1, 315.0f);
    EXPECT_EQ(s.x2, 935.0f);
    EXPECT_EQ(s.y2, 0.0f);
}

TEST_F(DrawFrameTest, AxesCrossAtTheTraceOrigin) {
    const auto lines = surface.only(Op::DrawLine);
    EXPECT_EQ(std::vector<float>({lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
              std::vector<float>({35, 15, 35, 290}));
    EXPECT_EQ(std::vector<float>({lines[1].x1, lines[1].y1, lines[1].x2, lines[1].y2}),
              std::vector<float>({30, 25, 900, 25}));
}

TEST_F(DrawFrameTest, LabelsStandBesideTheirTicks) {
    const auto prints = surface.only(Op::DrawNumber);
    const auto lines = surface.only(Op::DrawLine);
    // Value labels 20..260 at the left edge, 10 units above their ticks; no 280.
    for (int k = 0; k < 13; ++k) {
        const int v = 20 + 20 * k;
        EXPECT_EQ(prints[k].value, v);
        EXPECT_FLOAT_EQ(prints[k].x1, 3.0f);
        EXPECT_FLOAT_EQ(prints[k].y1, v + 35.0f);
        EXPECT_EQ(lines[2 + k].x1, 35.0f);
        EXPECT_EQ(lines[2 + k].x2, 38.0f);
        EXPECT_EQ(lines[2 + k].y1, v + 25.0f);
    }
    // Index labels 50..850 below the axis, starting 10 units left of their ticks.
    for (int k = 0; k < 17; ++k) {
        const int i = 50 + 50 * k;
        EXPECT_EQ(prints[13 + k].value, i);
        EXPECT_FLOAT_EQ(prints[13 + k].x1, i + 25.0f);
        EXPECT_FLOAT_EQ(prints[13 + k].y1, 18.5f);
        const auto& tick = lines[15 + k];
        EXPECT_EQ(std::vector<float>({tick.x1, tick.y1, tick.x2, tick.y2}),
                  std::vector<float>({i + 35.0f, 25, i + 35.0f, 31}));
    }
}

TEST_F(DrawFrameTest, GridAndDashesStayInsideTheChart) {
    const auto dots = surface.only(Op::DrawPoint);
    // First row lies on the horizontal axis, first column on the vertical axis.
    EXPECT_EQ(dots.front().x1, 35.0f);
    EXPECT_EQ(dots.front().y1, 25.0f);
    EXPECT_EQ(dots[173].x1, 900.0f);
    EXPECT_EQ(dots[27 * 174 - 1].y1, 285.0f);
    EXPECT_EQ(dots.back().x1, 885.0f);
    EXPECT_EQ(dots.back().y1, 284.0f);
    for (const auto& d : dots) {
        ASSERT_GE(d.x1, 35.0f);
        ASSERT_LE(d.x1, 900.0f);
        ASSERT_GE(d.y1, 25.0f);
        ASSERT_LE(d.y1, 290.0f);
    }
    const auto lines = surface.only(Op::DrawLine);
    const std::vector<RecordingSurface::Call> dashes(lines.end() - 153, lines.end());
    const float rows[] = {75.0f, 125.0f, 225.0f};
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 51; ++k) {
            const auto& d = dashes[r * 51 + k];
            ASSERT_EQ(d.y1, rows[r]);
            ASSERT_EQ(d.y2, rows[r]);
            ASSERT_EQ(d.x1, 35.0f + 17.0f * k);
            ASSERT_EQ(d.x2, 47.5f + 17.0f * k);
        }
    }
    EXPECT_EQ(dashes.back().x2, 897.5f);
}

TEST(DrawFrame, PaintsBothSurfacesAlike) {
    RecordingSurface a;
    RecordingSurface b;
    drawFrame(a, b);
    RecordingSurface one;
    drawFrameOn(one);
    EXPECT_EQ(a.calls.size(), one.calls.size());
    EXPECT_EQ(b.calls.size(), one.calls.size());
    EXPECT_EQ(b.count(Op::DrawNumber), 30u);
}

} // namespace
} // namespace sorkam

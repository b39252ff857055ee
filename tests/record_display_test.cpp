#include "chart/RecordColors.h"
#include "tests/support/Contrast.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/TempFiles.h"
#include "viewer/RecordDisplay.h"
#include "viewer/StatusLine.h"

#include <gtest/gtest.h>

namespace sorkam {
namespace {

using test::EventLog;
using test::FakeHost;
using test::RecordingSurface;
using Op = RecordingSurface::Op;

class RecordDisplayTest : public testing::Test {
protected:
    DisplayOutcome show(const std::string& path, std::int16_t n) {
        return outcomeOf(display.showRecord(path, n));
    }

    test::TempDir dir;
    EventLog log;
    FakeHost host{log};
    RecordingSurface plotA;
    RecordingSurface plotB;
    RecordDisplay display{host, plotA, plotB};
};

TEST_F(RecordDisplayTest, PaintsChannelsOneAndThreeOnTopAndTwoAndFourBelow) {
    const std::string path = dir.write("three.vid", test::numberedRecords(3));
    EXPECT_EQ(show(path, 2), DisplayOutcome::Shown);
    ASSERT_EQ(plotA.calls.size(), 2u * 801u);
    ASSERT_EQ(plotB.calls.size(), 2u * 801u);
    for (int i = 0; i < 801; ++i) {
        // Within each i: channel 1 then channel 3 on the top surface, 2 then 4 below.
        const auto& c1 = plotA.calls[2 * i];
        const auto& c3 = plotA.calls[2 * i + 1];
        const auto& c2 = plotB.calls[2 * i];
        const auto& c4 = plotB.calls[2 * i + 1];
        const int channels[] = {0, 2, 1, 3};
        const RecordingSurface::Call* calls[] = {&c1, &c3, &c2, &c4};
        for (int k = 0; k < 4; ++k) {
            const auto& call = *calls[k];
            ASSERT_EQ(call.op, Op::DrawLine);
            ASSERT_EQ(call.x1, i + 35.0f);
            ASSERT_EQ(call.x2, i + 36.0f);
            ASSERT_EQ(call.y1, test::numberedSample(2, channels[k], i) + 25.0f);
            ASSERT_EQ(call.y2, test::numberedSample(2, channels[k], i + 1) + 25.0f);
            ASSERT_EQ(call.color, Color{0x00FF00});
        }
    }
}

TEST_F(RecordDisplayTest, SetsTitleFirstAndTheStatusLabelLast) {
    const std::string path = dir.write("four.vid", test::numberedRecords(4));
    ASSERT_EQ(show(path, 3), DisplayOutcome::Shown);
    const std::vector<std::string> expected = {"title:" + path,
                                               "caption:", "color:" + std::to_string(0x00FFFF),
                                               "caption:REC-3    TEXT-3    "};
    EXPECT_EQ(log.events, expected);
    EXPECT_EQ(host.caption.size(), 8u + 1u + 10u);
}

TEST_F(RecordDisplayTest, EachRecordHasItsColour) {
    const std::string path = dir.write("demo.vid", testdata::demoFile(24));
    // Black, red, green, yellow, blue, magenta, cyan, white, three times over (0x00BBGGRR).
    const Color expected[24] = {0x000000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF,
                                0xFFFF00, 0xFFFFFF, 0x000000, 0x0000FF, 0x00FF00, 0x00FFFF,
                                0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, 0x000000, 0x0000FF,
                                0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (std::int16_t record = 0; record < 24; ++record) {
        plotA.calls.clear();
        ASSERT_EQ(show(path, record), DisplayOutcome::Shown);
        EXPECT_EQ(plotA.calls.back().color, expected[record]) << "record " << record;
        EXPECT_EQ(host.statusColor, expected[record]) << "record " << record;
    }
}

TEST_F(RecordDisplayTest, ARecordPastTheEndOrAMissingFilePaintsNothingAndTellsWhy) {
    const std::string three = dir.write("three.vid", test::numberedRecords(3));
    EXPECT_EQ(show(three, 3), DisplayOutcome::EndOfFile);
    // A file too short for record 0 holds no records; record -1 lies before its start.
    const std::string oneByte = dir.write("one-byte.vid", {0x7F});
    EXPECT_EQ(show(oneByte, 0), DisplayOutcome::EndOfFile);
    const DisplayResult before = display.showRecord(oneByte, -1);
    ASSERT_EQ(outcomeOf(before), DisplayOutcome::Failed);
    EXPECT_EQ(std::get<ReadFailure>(before.error()), RecordError::PositionBeforeStart);
    const std::string missing = (dir.path() / "no such file.vid").string();
    const DisplayResult gone = display.showRecord(missing, 0);
    ASSERT_EQ(outcomeOf(gone), DisplayOutcome::Failed);
    EXPECT_EQ(std::get<ReadFailure>(gone.error()), RecordError::LengthUnavailable);
    EXPECT_EQ(failureReason(std::get<ReadFailure>(gone.error())), "No such file or directory");
    EXPECT_EQ(host.title, missing); // the title names the file even when it cannot be read
    EXPECT_TRUE(plotA.calls.empty());
    EXPECT_TRUE(plotB.calls.empty());
}

TEST_F(RecordDisplayTest, ShowingAgainOverlaysTheSameCalls) {
    const std::string path = dir.write("two.vid", test::numberedRecords(2));
    ASSERT_EQ(show(path, 1), DisplayOutcome::Shown);
    const auto first = plotA.calls.size();
    ASSERT_EQ(show(path, 1), DisplayOutcome::Shown);
    ASSERT_EQ(plotA.calls.size(), 2 * first);
    for (std::size_t k = 0; k < first; ++k) {
        ASSERT_EQ(plotA.calls[k].y1, plotA.calls[first + k].y1);
    }
    EXPECT_EQ(plotA.count(Op::Clear), 0u);
}

TEST(FailureMessage, IsThePathAndTheCodeInDecimal) {
    EXPECT_EQ(failureMessage("/data/run 1.vid", 53), "/data/run 1.vid Error= 53");
    EXPECT_EQ(failureMessage("", 4), " Error= 4");
}

TEST(StatusLine, EveryRecordColourReadsOnItsBackground) {
    for (std::int16_t n = 0; n < 24; ++n) {
        const Color text = chart::recordColor(n);
        EXPECT_GE(test::contrast(text, statusBackground(text)), 4.5) << "record " << n;
    }
}

} // namespace
} // namespace sorkam

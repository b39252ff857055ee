#include "support/FakeViewer.h"
#include "support/RecordingSurface.h"
#include "support/TempFiles.h"
#include "viewer/RecordDisplay.h"
#include "viewer/TraceColors.h"

#include <gtest/gtest.h>

namespace sorkam {
namespace {

using test::EventLog;
using test::FakeHost;
using test::RecordingSurface;
using test::ScriptedDialogs;
using Op = RecordingSurface::Op;

class ShowRecordTest : public testing::Test {
protected:
    DisplayOutcome show(const std::string& path, std::int16_t& n) {
        return display.ShowRecord(path, n);
    }

    test::TempDir dir;
    EventLog log;
    FakeHost host{log};
    ScriptedDialogs dialogs{log};
    RecordingSurface pic0;
    RecordingSurface pic1;
    RecordDisplay display{host, dialogs, pic0, pic1};
};

TEST_F(ShowRecordTest, PaintsChannelsOneAndThreeOnTopAndTwoAndFourBelow) {
    const std::string path = dir.write("three.vid", test::numberedRecords(3));
    std::int16_t n = 2;
    EXPECT_EQ(show(path, n), DisplayOutcome::Shown);
    EXPECT_EQ(n, 2);
    ASSERT_EQ(pic0.calls.size(), 2u * 801u);
    ASSERT_EQ(pic1.calls.size(), 2u * 801u);
    for (int i = 0; i < 801; ++i) {
        // Within each i: channel 1 then channel 3 on the top surface, 2 then 4 below.
        const auto& c1 = pic0.calls[2 * i];
        const auto& c3 = pic0.calls[2 * i + 1];
        const auto& c2 = pic1.calls[2 * i];
        const auto& c4 = pic1.calls[2 * i + 1];
        const int channels[] = {0, 2, 1, 3};
        const RecordingSurface::Call* calls[] = {&c1, &c3, &c2, &c4};
        for (int k = 0; k < 4; ++k) {
            const auto& call = *calls[k];
            ASSERT_EQ(call.op, Op::Line);
            ASSERT_EQ(call.x1, i + 35.0f);
            ASSERT_EQ(call.x2, i + 36.0f);
            ASSERT_EQ(call.y1, test::numberedSample(2, channels[k], i) + 25.0f);
            ASSERT_EQ(call.y2, test::numberedSample(2, channels[k], i + 1) + 25.0f);
            ASSERT_EQ(call.color, Color{0x00FF00});
        }
    }
}

TEST_F(ShowRecordTest, SetsTitleFirstAndTheStatusLabelLast) {
    const std::string path = dir.write("four.vid", test::numberedRecords(4));
    std::int16_t n = 3;
    ASSERT_EQ(show(path, n), DisplayOutcome::Shown);
    const std::vector<std::string> expected = {"title:" + path,
                                               "caption:", "color:" + std::to_string(0x00FFFF),
                                               "caption:REC-3    TEXT-3    "};
    EXPECT_EQ(log.events, expected);
    EXPECT_EQ(host.caption.size(), 8u + 1u + 10u);
}

TEST_F(ShowRecordTest, EachRecordHasItsColour) {
    const std::string path = dir.write("demo.vid", testdata::demoFile(24));
    const std::vector<std::pair<std::int16_t, Color>> expected = {
        {0, 0x000000}, {1, 0x0000FF}, {2, 0x00FF00}, {3, 0x00FFFF}, {4, 0xFF0000},
        {5, 0xFF00FF}, {6, 0xFFFF00}, {7, 0xFFFFFF}, {8, 0x000000}, {23, 0xFFFFFF}};
    for (const auto& [record, color] : expected) {
        pic0.calls.clear();
        std::int16_t n = record;
        ASSERT_EQ(show(path, n), DisplayOutcome::Shown);
        EXPECT_EQ(pic0.calls.back().color, color) << "record " << record;
        EXPECT_EQ(host.statusColor, color) << "record " << record;
    }
}

TEST_F(ShowRecordTest, ARecordPastTheEndStepsTheNumberBackAndPaintsNothing) {
    const std::string path = dir.write("three.vid", test::numberedRecords(3));
    std::int16_t n = 3;
    EXPECT_EQ(show(path, n), DisplayOutcome::EndOfFile);
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(pic0.calls.empty());
    EXPECT_TRUE(pic1.calls.empty());
    const std::vector<std::string> expected = {"title:" + path, "message:end-of-file"};
    EXPECT_EQ(log.events, expected);
    EXPECT_FALSE(host.exitStatus.has_value());
}

TEST_F(ShowRecordTest, AFileTooShortForRecordZeroEndsAtMinusOneThenFails) {
    const std::string path = dir.write("one-byte.vid", {0x7F});
    std::int16_t n = 0;
    EXPECT_EQ(show(path, n), DisplayOutcome::EndOfFile);
    EXPECT_EQ(n, -1);
    EXPECT_EQ(show(path, n), DisplayOutcome::Failed);
    EXPECT_EQ(n, -1);
    EXPECT_EQ(dialogs.messages.back(),
              path + " Error= " + std::to_string(errorCode(RecordError::PositionBeforeStart)));
    EXPECT_EQ(host.exitStatus, kReadFailureExitStatus);
    EXPECT_TRUE(pic0.calls.empty());
}

TEST_F(ShowRecordTest, AMissingFileIsNamedInTheFailureAndPaintsNothing) {
    const std::string path = (dir.path() / "no such file.vid").string();
    std::int16_t n = 0;
    EXPECT_EQ(show(path, n), DisplayOutcome::Failed);
    EXPECT_EQ(n, 0);
    const std::vector<std::string> expected = {
        "title:" + path,
        "message:" + path + " Error= " + std::to_string(errorCode(RecordError::LengthUnavailable)),
        "end:1"};
    EXPECT_EQ(log.events, expected);
    EXPECT_TRUE(pic0.calls.empty());
    EXPECT_TRUE(pic1.calls.empty());
    EXPECT_NE(kReadFailureExitStatus, 0);
}

TEST_F(ShowRecordTest, ShowingAgainOverlaysTheSameCalls) {
    const std::string path = dir.write("two.vid", test::numberedRecords(2));
    std::int16_t n = 1;
    ASSERT_EQ(show(path, n), DisplayOutcome::Shown);
    const auto first = pic0.calls.size();
    ASSERT_EQ(show(path, n), DisplayOutcome::Shown);
    ASSERT_EQ(pic0.calls.size(), 2 * first);
    for (std::size_t k = 0; k < first; ++k) {
        ASSERT_EQ(pic0.calls[k].y1, pic0.calls[first + k].y1);
    }
    EXPECT_EQ(pic0.count(Op::Cls), 0u);
}

TEST(FailureMessage, IsThePathAndTheCodeInDecimal) {
    EXPECT_EQ(failureMessage("/data/run 1.vid", 53), "/data/run 1.vid Error= 53");
    EXPECT_EQ(failureMessage("", 4), " Error= 4");
}

} // namespace
} // namespace sorkam

// Bad files and names through the real display and controller: what the user sees (messages,
// exit status, what is painted) for each.
#include "tests/support/ControllerRig.h"
#include "tests/support/TempFiles.h"
#include "viewer/ViewerController.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>

namespace sorkam {
namespace {

namespace fs = std::filesystem;
using test::RecordingSurface;
using test::TempDir;

struct Seen {
    std::vector<std::string> messages; // "{path}" stands for the path in use
    std::optional<int> exitStatus;
    int tracesPainted = 0; // channel traces on the top surface (two per record shown)
};

struct BadInput {
    const char* name;
    // Makes the file (or not) and returns the path to start with.
    std::function<std::string(const TempDir&)> make;
    // What happens after start-up and the first showing.
    std::function<void(ViewerController&, const std::string& path)> then;
    Seen seen;
};

void nothing(ViewerController&, const std::string&) {
}

// The buttons, as the window runs them: through the controller's one event entry.
void next(ViewerController& c) {
    c.handle([&c] { c.showNext(); });
}
void previous(ViewerController& c) {
    c.handle([&c] { c.showPrevious(); });
}

std::string withRecords(const TempDir& d, const std::string& name, int records) {
    return d.write(name, test::numberedRecords(records));
}

class BadInputs : public testing::TestWithParam<BadInput> {};

TEST_P(BadInputs, ShowTheDefinedMessageAndNothingFalse) {
    const BadInput& c = GetParam();
    TempDir dir;
    test::ControllerRig rig;
    auto& [log, host, dialogs, plotA, plotB, controller] = rig;

    const std::string path = c.make(dir);
    controller.handle([&] { controller.start(path); });
    controller.resized();
    c.then(controller, path);

    std::vector<std::string> expected;
    for (std::string m : c.seen.messages) {
        if (const auto at = m.find("{path}"); at != std::string::npos) {
            m.replace(at, 6, path);
        }
        expected.push_back(m);
    }
    EXPECT_EQ(dialogs.messages, expected);
    EXPECT_EQ(controller.exitStatus(), c.seen.exitStatus);
    int traces = 0;
    for (const auto& call : plotA.calls) {
        traces += call.op == RecordingSurface::Op::DrawLine && call.x1 == 35.0f && call.x2 == 36.0f
                      ? 1
                      : 0;
    }
    EXPECT_EQ(traces, c.seen.tracesPainted);
    EXPECT_EQ(host.title, path); // the title always names the file in use
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadInputs,
    testing::Values(BadInput{"missingFile",
                             [](const TempDir& d) { return (d.path() / "gone.vid").string(); },
                             nothing,
                             {{"{path} Error= 1"}, 1, 0}},
                    BadInput{"directory",
                             [](const TempDir& d) { return d.path().string(); },
                             nothing,
                             {{"{path} Error= 2"}, 1, 0}},
                    BadInput{"emptyFile",
                             [](const TempDir& d) { return d.write("empty.vid", {}); },
                             nothing,
                             {{"end-of-file", "{path} Error= 4"}, 1, 0}},
                    BadInput{"oneByteFile",
                             [](const TempDir& d) { return d.write("one.vid", {0x00}); },
                             nothing,
                             {{"end-of-file", "{path} Error= 4"}, 1, 0}},
                    BadInput{"devNull",
                             [](const TempDir&) { return std::string("/dev/null"); },
                             nothing,
                             {{"{path} Error= 2"}, 1, 0}},
                    BadInput{"namedPipe",
                             [](const TempDir& d) {
                                 const auto p = (d.path() / "pipe.vid").string();
                                 ::mkfifo(p.c_str(), 0600);
                                 return p;
                             },
                             nothing,
                             {{"{path} Error= 2"}, 1, 0}},
                    BadInput{"danglingLink",
                             [](const TempDir& d) {
                                 fs::create_symlink(d.path() / "nowhere.vid",
                                                    d.path() / "link.vid");
                                 return (d.path() / "link.vid").string();
                             },
                             nothing,
                             {{"{path} Error= 1"}, 1, 0}},
                    BadInput{"linkToAFile",
                             [](const TempDir& d) {
                                 withRecords(d, "real.vid", 2);
                                 fs::create_symlink(d.path() / "real.vid", d.path() / "link.vid");
                                 return (d.path() / "link.vid").string();
                             },
                             nothing,
                             {{}, std::nullopt, 4}},
                    BadInput{"fileShrinksBetweenDisplays",
                             [](const TempDir& d) { return withRecords(d, "shrinks.vid", 3); },
                             [](ViewerController& c, const std::string& p) {
                                 fs::resize_file(p, 5024);
                                 next(c); // record 1 is gone: back to 0
                                 next(c);
                             },
                             {{"end-of-file", "end-of-file"}, std::nullopt, 4}},
                    BadInput{"fileDisappearsBetweenDisplays",
                             [](const TempDir& d) { return withRecords(d, "goes.vid", 3); },
                             [](ViewerController& c, const std::string& p) {
                                 fs::remove(p);
                                 next(c);
                                 next(c); // ignored: the program is ending
                             },
                             {{"{path} Error= 1"}, 1, 4}},
                    BadInput{"fileBecomesADirectory",
                             [](const TempDir& d) { return withRecords(d, "turns.vid", 3); },
                             [](ViewerController& c, const std::string& p) {
                                 fs::remove(p);
                                 fs::create_directory(p);
                                 previous(c); // top-of-file: no read
                                 next(c);
                             },
                             {{"top-of-file", "{path} Error= 2"}, 1, 4}},
                    BadInput{"pathWithSpacesQuotesAndNonAscii",
                             [](const TempDir& d) {
                                 return withRecords(d, "run \"7\" 'x' \xc3\xa9\xff.vid", 2);
                             },
                             [](ViewerController& c, const std::string&) { next(c); },
                             {{}, std::nullopt, 6}},
                    BadInput{"pathThatIsOnlyBlanks",
                             [](const TempDir&) { return std::string("   "); },
                             nothing,
                             {{"{path} Error= 1"}, 1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// A record cut short inside channel k: what the file holds is painted, the rest of that channel
// and the channels after it lie on the zero line.
class CutShort : public testing::TestWithParam<int> {};

TEST_P(CutShort, PaintsTheMissingSamplesAsZero) {
    const int channel = GetParam(); // 0..3
    const std::int32_t offset = format::kChannelOffsets[channel];
    auto bytes = test::numberedRecords(2);
    bytes.resize(5024 + offset + 100); // 100 samples of channel k in record 1
    TempDir dir;
    test::ControllerRig rig;
    auto& [log, host, dialogs, plotA, plotB, controller] = rig;
    controller.start(dir.write("cut.vid", bytes));
    plotA.calls.clear();
    plotB.calls.clear();
    controller.showNext();
    ASSERT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(host.caption, "REC-1    TEXT-1    ");
    // The calls alternate channel 1, 3 on the top surface and 2, 4 below.
    const RecordingSurface& surface = channel % 2 == 0 ? plotA : plotB;
    const int slot = channel < 2 ? 0 : 1;
    for (int i = 0; i < 801; ++i) {
        const auto& segment = surface.calls[2 * i + slot];
        const float expected = i < 100 ? test::numberedSample(1, channel, i) + 25.0f : 25.0f;
        ASSERT_EQ(segment.y1, expected) << "sample " << i;
    }
    // Channels after the cut are all zero.
    for (int later = channel + 1; later < 4; ++later) {
        const RecordingSurface& s = later % 2 == 0 ? plotA : plotB;
        const int laterSlot = later < 2 ? 0 : 1;
        for (int i = 0; i < 801; ++i) {
            ASSERT_EQ(s.calls[2 * i + laterSlot].y1, 25.0f) << "channel " << later + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachChannel, CutShort, testing::Values(0, 1, 2, 3));

} // namespace
} // namespace sorkam

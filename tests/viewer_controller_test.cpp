#include "tests/support/ControllerRig.h"
#include "tests/support/TempFiles.h"
#include "viewer/CommandLine.h"
#include "viewer/Measurements.h"
#include "viewer/RecordsList.h"
#include "viewer/ViewerController.h"
#include "viewer/WindowFit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>
#include <tuple>

namespace sorkam {
namespace {

using test::RecordingSurface;
using Op = RecordingSurface::Op;

constexpr std::size_t kFrameCalls = 1 + 2 + 30 + 30 + 27 * 174 + 35 * 38 + 3 * 51;
constexpr std::size_t kTraceCallsPerSurface = 2 * 801;

class ControllerTest : public testing::Test, protected test::ControllerRig {
protected:
    // The colours of the traces painted on the top surface since the last call, in order.
    std::vector<Color> tracesSinceLast() {
        std::vector<Color> colors;
        for (std::size_t k = seen; k < plotA.calls.size(); ++k) {
            const auto& c = plotA.calls[k];
            // A trace's first segment starts at x = 35 and ends at x = 36.
            if (c.op == Op::DrawLine && c.x1 == 35.0f && c.x2 == 36.0f) {
                colors.push_back(c.color);
            }
        }
        seen = plotA.calls.size();
        return colors;
    }

    test::TempDir dir;
    std::size_t seen = 0;
};

TEST_F(ControllerTest, StepsThroughAThreeRecordFile) {
    const std::string path = dir.write("three.vid", test::numberedRecords(3));
    controller.start(path);
    controller.repaint(); // the first showing
    EXPECT_EQ(plotA.count(Op::SetScale), 2u);
    // Channels 1 and 3 of record 0, twice, in black.
    EXPECT_EQ(tracesSinceLast(), std::vector<Color>(4, 0x000000));
    EXPECT_EQ(host.title, path);

    controller.showNext();
    EXPECT_EQ(tracesSinceLast(), std::vector<Color>(2, 0x0000FF));
    controller.showNext();
    EXPECT_EQ(tracesSinceLast(), std::vector<Color>(2, 0x00FF00));
    EXPECT_EQ(controller.recordNumber(), 2);

    controller.showNext();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"end-of-file"});
    EXPECT_EQ(controller.recordNumber(), 2);
    EXPECT_TRUE(tracesSinceLast().empty());

    controller.showPrevious();
    EXPECT_EQ(tracesSinceLast(), std::vector<Color>(2, 0x0000FF));
    EXPECT_EQ(controller.recordNumber(), 1);
    EXPECT_EQ(host.caption, "REC-1    TEXT-1    ");
    EXPECT_FALSE(controller.exitStatus());
    EXPECT_EQ(plotA.count(Op::Clear), 0u); // records overlay
}

TEST_F(ControllerTest, PreviousAtRecordZeroSaysTopOfFile) {
    controller.start(dir.write("one.vid", test::numberedRecords(1)));
    tracesSinceLast();
    controller.showPrevious();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"top-of-file"});
    EXPECT_EQ(controller.recordNumber(), 0);
    EXPECT_TRUE(tracesSinceLast().empty());
}

TEST_F(ControllerTest, NextStopsAtRecordTwentyThreeWithoutReadingTheFile) {
    const std::string path = dir.write("many.vid", test::numberedRecords(30));
    controller.start(path);
    for (int k = 0; k < 23; ++k) {
        controller.showNext();
    }
    ASSERT_EQ(controller.recordNumber(), 23);
    ASSERT_TRUE(dialogs.messages.empty());
    // Were the file read, its removal would end the program with the failure message.
    std::filesystem::remove(path);
    log.events.clear();
    controller.showNext();
    EXPECT_EQ(log.events, std::vector<std::string>{"message:end-of-file"});
    EXPECT_EQ(controller.recordNumber(), 23);
    EXPECT_FALSE(controller.exitStatus());
}

TEST_F(ControllerTest, ClearLeavesTheFrameAndAResizePaintsTheCurrentRecord) {
    controller.start(dir.write("two.vid", test::numberedRecords(2)));
    controller.showNext();
    host.caption = "unchanged";
    plotA.calls.clear();
    plotB.calls.clear();
    seen = 0;

    controller.clearPlots();
    ASSERT_EQ(plotA.calls.size(), 1 + kFrameCalls);
    EXPECT_EQ(plotA.calls.front().op, Op::Clear);
    EXPECT_EQ(plotB.calls.front().op, Op::Clear);
    EXPECT_TRUE(tracesSinceLast().empty());
    EXPECT_EQ(controller.recordNumber(), 1);
    EXPECT_EQ(host.caption, "unchanged");

    controller.repaint();
    EXPECT_EQ(plotA.calls.size(), 1 + 2 * kFrameCalls + kTraceCallsPerSurface);
    EXPECT_EQ(tracesSinceLast(), std::vector<Color>(2, 0x0000FF));
}

TEST_F(ControllerTest, AnEmptyCommandLineAsksForAFile) {
    const std::string path = dir.write("picked.vid", test::numberedRecords(1));
    dialogs.fileNames = {path};
    controller.start("");
    EXPECT_EQ(log.events.front(), "open:*.vid;dat|*.vid|open file");
    EXPECT_EQ(controller.dataFile(), path);
    EXPECT_EQ(tracesSinceLast().size(), 2u);
}

TEST_F(ControllerTest, ACancelledDialogAsksToRetryAndRetryOpensItAgain) {
    const std::string path = dir.write("picked.vid", test::numberedRecords(1));
    dialogs.fileNames = {std::nullopt, "*.vid", path}; // cancelled, then the bare pattern
    dialogs.retryAnswers = {true, true};
    controller.start("");
    const std::vector<std::string> start(log.events.begin(), log.events.begin() + 5);
    EXPECT_EQ(start, (std::vector<std::string>{"open:*.vid;dat|*.vid|open file",
                                               "ask:Please select a *.vid or *.dat file",
                                               "open:*.vid;dat|*.vid|open file",
                                               "ask:Please select a *.vid or *.dat file",
                                               "open:*.vid;dat|*.vid|open file"}));
    EXPECT_EQ(controller.dataFile(), path);
    EXPECT_FALSE(controller.exitStatus());
}

TEST_F(ControllerTest, CancelOnTheRetryQuestionEndsBeforeAnythingIsPainted) {
    dialogs.fileNames = {"*.vid"};
    dialogs.retryAnswers = {false};
    controller.start("");
    EXPECT_TRUE(controller.exitStatus());
    EXPECT_EQ(controller.exitStatus(), kCancelledExitStatus);
    EXPECT_TRUE(plotA.calls.empty());
    // Nothing runs after the end.
    controller.handle([&] { controller.repaint(); });
    controller.handle([&] { controller.showNext(); });
    controller.resized();
    EXPECT_TRUE(plotA.calls.empty());
    EXPECT_EQ(log.count("message:end-of-file"), 0u);
}

TEST_F(ControllerTest, OnlyTheExactPatternCountsAsNoFile) {
    // "*.VID" or "*.vid;dat" are names like any other: the first display reports them.
    dialogs.fileNames = {"*.VID"};
    controller.start("");
    EXPECT_EQ(log.count("ask:Please select a *.vid or *.dat file"), 0u);
    EXPECT_EQ(controller.dataFile(), "*.VID");
    EXPECT_TRUE(controller.exitStatus());
}

TEST_F(ControllerTest, AQuotedPathIsTakenWithItsQuotesAndFails) {
    const std::string path = dir.write("run 1.vid", test::numberedRecords(1));
    const std::string quoted = "\"" + path + "\"";
    controller.start(quoted);
    EXPECT_EQ(controller.dataFile(), quoted);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{failureMessage(
                                    quoted, errorCode(RecordError::LengthUnavailable))});
    EXPECT_EQ(controller.exitStatus(), kReadFailureExitStatus);
    EXPECT_TRUE(controller.exitStatus());
    EXPECT_TRUE(tracesSinceLast().empty());
}

TEST_F(ControllerTest, AFailureDuringStartUpEndsAndIgnoresLaterEvents) {
    controller.start((dir.path() / "missing.vid").string());
    ASSERT_TRUE(controller.exitStatus());
    EXPECT_EQ(controller.exitStatus(), kReadFailureExitStatus);
    const auto calls = plotA.calls.size();
    controller.handle([&] { controller.repaint(); });
    controller.handle([&] { controller.showPrevious(); });
    EXPECT_EQ(plotA.calls.size(), calls);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(ControllerTest, AnEmptyFileReportsEndOfFileThenFailsOnTheFirstShowing) {
    controller.start(dir.write("empty.vid", {}));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"end-of-file"});
    EXPECT_EQ(controller.recordNumber(), -1);
    EXPECT_FALSE(controller.exitStatus());
    controller.repaint();
    EXPECT_TRUE(controller.exitStatus());
    EXPECT_EQ(controller.exitStatus(), kReadFailureExitStatus);
}

// The numbers of the records on the plots, in their order; a hidden one as -100 - its number.
std::vector<int> numbersOn(const ViewerController& controller) {
    std::vector<int> numbers;
    for (const auto& shown : controller.overlay().records()) {
        numbers.push_back(controller.view().shows(shown.number) ? shown.number
                                                                : -shown.number - 100);
    }
    return numbers;
}

TEST_F(ControllerTest, TheOverlayKeepsTheRecordsOnThePlotsAndNavigationPaintsAsSteppingDoes) {
    const std::string path = dir.write("five.vid", test::numberedRecords(5));
    controller.start(path);
    controller.showNext();
    controller.showNext();
    controller.showPrevious(); // record 1 again: on top of 2
    EXPECT_EQ(numbersOn(controller), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(controller.lastShown()->record.header8, "REC-1   ");
    controller.toggleRecordShown(2); // hidden, read from nowhere
    EXPECT_EQ(numbersOn(controller), (std::vector<int>{0, -102, 1}));

    controller.showLast(); // End: the last record in the file
    EXPECT_EQ(controller.recordNumber(), 4);
    EXPECT_EQ(tracesSinceLast().back(), Color{0xFF0000});
    dialogs.recordNumbers = {3, std::nullopt, 9};
    controller.goToRecord(); // Ctrl+G, 3
    EXPECT_EQ(controller.recordNumber(), 3);
    controller.goToRecord(); // cancelled: nothing
    EXPECT_EQ(controller.recordNumber(), 3);
    controller.goToRecord(); // 9, not in the file: the box, and record 3 stays
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"end-of-file"});
    EXPECT_EQ(controller.recordNumber(), 3);
    dialogs.messages.clear();
    controller.showFirst(); // Home
    EXPECT_EQ(numbersOn(controller), (std::vector<int>{-102, 1, 4, 3, 0}));

    // F5: the frame and every record again, in the same order, read from the file anew.
    tracesSinceLast();
    controller.reload();
    EXPECT_EQ(tracesSinceLast(),
              (std::vector<Color>{0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000,
                                  0x00FFFF, 0x00FFFF, 0x000000, 0x000000}));
    EXPECT_EQ(numbersOn(controller), (std::vector<int>{-102, 1, 4, 3, 0}));
    EXPECT_EQ(controller.recordNumber(), 0);
    controller.clearPlots();
    EXPECT_TRUE(controller.overlay().empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ControllerTest, ReloadingAShrunkFileSaysSoOnceAndAnotherFileStartsOver) {
    const std::string path = dir.write("five.vid", test::numberedRecords(5));
    controller.start(path);
    for (int k = 0; k < 4; ++k) {
        controller.showNext();
    }
    controller.toggleLegend();
    controller.zoomIn();
    controller.setCursor(false, 10);
    controller.toggleRecordShown(1);
    std::filesystem::resize_file(path, 2 * format::kRecordSize);
    controller.reload(); // F5: records 2 to 4 are gone
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"end-of-file"});
    EXPECT_EQ(numbersOn(controller), (std::vector<int>{0, -101}));
    EXPECT_EQ(controller.recordNumber(), 1);

    // Another file starts over: the whole chart, no cursor, nothing hidden; the legend stays.
    controller.openAnother(dir.write("three.vid", test::numberedRecords(3)));
    EXPECT_TRUE(controller.view().plain());
    EXPECT_FALSE(controller.view().cursorA.has_value());
    EXPECT_TRUE(controller.view().legend);
    EXPECT_EQ(numbersOn(controller), (std::vector<int>{0}));
}

TEST_F(ControllerTest, KeyboardZoomCentresOnCursorAElseKeepsThePointerElseTheMiddle) {
    controller.start(dir.write("one.vid", test::numberedRecords(1)));
    controller.zoomIn(); // around the middle
    EXPECT_EQ(controller.view().range.first + controller.view().range.last, 801.0);
    host.pointer = 300.0;
    const float x = controller.view().range.xOf(300.0);
    controller.zoomIn(); // the sample under the pointer stays put
    EXPECT_NEAR(controller.view().range.xOf(300.0), x, 0.01);
    controller.setCursor(false, 250);
    controller.zoomOut(); // cursor A in the middle, wherever the pointer is
    EXPECT_EQ(controller.view().range.first + controller.view().range.last, 500.0);
    controller.zoomWhole();
    EXPECT_TRUE(controller.view().zoomedOut());
}

TEST_F(ControllerTest, FollowingShowsEachWholeRecordAppendedAndWaitsForAHalfWrittenOne) {
    const auto all = test::numberedRecords(6);
    const std::string path = dir.write("growing.vid", {all.begin(), all.begin() + 2 * 5024});
    controller.start(path);
    controller.toggleFollowing();
    EXPECT_TRUE(host.following);
    const auto grow = [&](std::size_t bytes) {
        std::ofstream(path, std::ios::binary | std::ios::app)
            .write(reinterpret_cast<const char*>(all.data()) + std::filesystem::file_size(path),
                   static_cast<std::streamsize>(bytes));
        controller.fileChanged();
    };
    grow(5024); // record 2, whole
    EXPECT_EQ(controller.recordNumber(), 2);
    EXPECT_EQ(tracesSinceLast().back(), Color{0x00FF00});
    grow(3000); // record 3, half written: not yet
    EXPECT_EQ(controller.recordNumber(), 2);
    EXPECT_TRUE(tracesSinceLast().empty());
    grow(2024 + 5024); // record 3 whole, and record 4: both, in turn
    EXPECT_EQ(controller.recordNumber(), 4);
    EXPECT_EQ(tracesSinceLast(), (std::vector<Color>{0x00FFFF, 0x00FFFF, 0xFF0000, 0xFF0000}));
    // A change noticed while a handler runs (its box open, say) is taken up when it is done.
    const auto grown = std::filesystem::file_size(path);
    controller.handle([&] {
        std::ofstream(path, std::ios::binary | std::ios::app)
            .write(reinterpret_cast<const char*>(all.data()) + grown, 5024);
        controller.fileNoticed();
        EXPECT_EQ(controller.recordNumber(), 4);
    });
    EXPECT_EQ(controller.recordNumber(), 5);
    controller.toggleFollowing();
    EXPECT_FALSE(host.following);
    EXPECT_TRUE(dialogs.messages.empty());

    // Following stops at record 23, with no box: records past it are not reached.
    controller.toggleFollowing();
    std::filesystem::resize_file(path, 0);
    controller.fileChanged();
    const auto many = test::numberedRecords(30);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(many.data()),
               static_cast<std::streamsize>(many.size()));
    controller.fileChanged();
    EXPECT_EQ(controller.recordNumber(), 23);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(controller.suggestedPictureName(),
              (std::filesystem::path(path).parent_path() / "growing-records-0-23.png").string());
    controller.toggleFollowing();

    // A file cut to nothing and written again is followed as it is now.
    controller.toggleFollowing();
    tracesSinceLast();
    std::filesystem::resize_file(path, 0);
    controller.fileChanged();
    grow(2 * 5024);
    EXPECT_EQ(controller.recordNumber(), 1);
    EXPECT_EQ(tracesSinceLast(), (std::vector<Color>{0x000000, 0x000000, 0x0000FF, 0x0000FF}));
}

TEST(Measurements, CursorsMeasureEachShownRecordsChannelsBetweenThem) {
    // Record r's channel c holds (i + 7r + 31c) % 256 at sample i.
    chart::Overlay overlay;
    test::TempDir dir;
    const std::string path = dir.write("two.vid", test::numberedRecords(2));
    overlay.add(0, RecordFile::read(path, 0).value());
    overlay.add(1, RecordFile::read(path, 1).value());
    const auto between = [](std::optional<int> a, std::optional<int> b) {
        chart::View view;
        view.cursorA = a;
        view.cursorB = b;
        return view;
    };
    const std::vector<Measurement> rows = measure(overlay, between(30, 10)); // B before A
    ASSERT_EQ(rows.size(), 8u);
    const Measurement& first = rows[0]; // record 0, channel 1: samples 10..30
    EXPECT_EQ(std::tuple(first.record, first.channel, first.atA, first.atB, first.change),
              std::tuple(0, 1, 30, 10, -20));
    EXPECT_EQ(std::tuple(first.least, first.greatest, first.mean), std::tuple(10, 30, 20.0));
    const Measurement& last = rows[7]; // record 1, channel 4: 7 + 93 = 100 more
    EXPECT_EQ(std::tuple(last.record, last.channel, last.atA, last.atB),
              std::tuple(1, 4, 130, 110));
    // A channel that wraps past 255 between the cursors: 250 .. 255, 0 .. 4.
    overlay.clear();
    overlay.add(0, RecordFile::read(path, 0).value());
    const Measurement wrapped = measure(overlay, between(157, 167))[3]; // channel 4: i + 93
    EXPECT_EQ(std::tuple(wrapped.least, wrapped.greatest), std::tuple(0, 255));
    EXPECT_NEAR(wrapped.mean, (250 + 251 + 252 + 253 + 254 + 255 + 0 + 1 + 2 + 3 + 4) / 11.0, 1e-9);
    chart::View hidden = between(0, 801);
    chart::toggleHidden(hidden, 0);
    EXPECT_TRUE(measure(overlay, hidden).empty()); // hidden records are not measured
    EXPECT_TRUE(measure(overlay, between(5, std::nullopt)).empty()); // nor with one cursor

    const std::string text = measurementsText(between(5, 12), measure(overlay, between(5, 12)));
    EXPECT_EQ(text.substr(0, text.find('\n', text.find('\n') + 1)),
              "A 5  B 12  B\u2212A 7\nrecord\tplot, channel\tat A\tat B\tB-A\tmin\tmax\tmean");
    EXPECT_NE(text.find("\n0\tVIDEO B, channel 4\t98\t105\t7\t98\t105\t101.500\n"),
              std::string::npos)
        << text;
}

} // namespace
} // namespace sorkam

namespace sorkam {
namespace {

TEST(CommandLineText, JoinsEveryArgumentWithSingleSpacesKeepingBytes) {
    const char* none[] = {"sorkam", nullptr};
    EXPECT_EQ(commandLineText(1, none), "");
    const char* split[] = {"sorkam", "/data/run", "1.vid", nullptr};
    EXPECT_EQ(commandLineText(3, split), "/data/run 1.vid");
    // Quotes, Qt's own option names and bytes outside ASCII all belong to the path.
    const char* odd[] = {"sorkam", "\"a b\"", "-style", "\xff\xfe", "", nullptr};
    EXPECT_EQ(commandLineText(5, odd), "\"a b\" -style \xff\xfe ");
    EXPECT_EQ(commandLineText(0, none), "");
}

TEST(NoWindowSystem, SaysWhatIsMissingAPluginOrADisplay) {
    const std::string noWayland = "Could not find the Qt platform plugin \"wayland\" in \"\"";
    struct Row {
        std::vector<std::string> notes;
        std::string requested, display, wayland, said;
    } const rows[] = {
        {{}, "", "", "", "cannot open a display: DISPLAY is not set"},
        {{}, "", ":97", "", "cannot open the display \":97\""},
        {{"Could not find the Qt platform plugin \"bogus\" in \"\""},
         "bogus",
         ":0",
         "",
         "the Qt platform plugin \"bogus\" is not installed"},
        {{}, "eglfs", "", "", "the Qt platform plugin \"eglfs\" cannot start"},
        {{noWayland},
         "",
         "",
         "wayland-0",
         "cannot open a display: DISPLAY is not set, and the Qt platform plugin \"wayland\" for "
         "the Wayland display \"wayland-0\" is not installed (qt6-wayland)"},
        {{},
         "",
         "",
         "wayland-0",
         "cannot open a display: DISPLAY is not set, and the Wayland display \"wayland-0\" "
         "cannot be opened"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(noWindowSystemText(row.notes, row.requested, row.display, row.wayland), row.said);
    }
}

TEST(WindowFit, TheLayoutKeepsItsSizeAndPlaceWhereItFitsAndShrinksAsOneWhereNot) {
    const ScreenArea desktop{0, 0, 1920, 1080};
    EXPECT_EQ(fittingDpi(96, desktop), 96);
    EXPECT_EQ(fittingDpi(144, desktop), 144);
    const WindowPlace own = windowPlace(96, desktop);
    EXPECT_EQ(std::pair(own.left, own.top), std::pair(99, 86));
    // A laptop at 150 % text size: 1133 x 837 does not fit 1366 x 768 with a title bar.
    const ScreenArea laptop{0, 0, 1366, 768};
    const int dpi = fittingDpi(144, laptop);
    EXPECT_EQ(dpi, 126);
    const WindowPlace centred = windowPlace(dpi, laptop);
    EXPECT_EQ(std::pair(centred.left, centred.top), std::pair(183, 2));
    // The content grows with the window: the largest layout inside it.
    EXPECT_EQ(growingDpi(1510, 1116), 192);
    EXPECT_EQ(growingDpi(1509, 1116), 191);
}

TEST(RecordsList, ReadsOnlyTheRowsAskedForFiltersAndRanksInTheBackground) {
    // 2^31 records, sparse: opening reads nothing, a screen of rows reads those.
    test::TempDir dir;
    const std::string huge = (dir.path() / "huge.vid").string();
    std::filesystem::resize_file(dir.write("huge.vid", {}), (std::int64_t{1} << 31) * 5024);
    RecordsList all(huge);
    EXPECT_EQ(all.rowCount(), std::int64_t{1} << 31);
    EXPECT_EQ(all.headersRead(), 0);
    for (std::int64_t row = 2'000'000'000; row < 2'000'000'030; ++row) {
        EXPECT_EQ(all.headers(all.recordAt(row)).substr(0, 8), "\\x00\\x00"); // zero bytes
    }
    EXPECT_EQ(all.headersRead(), 30);

    // Headers "REC-n TEXT-n": "REC-1" matches 1 and 10 to 19.
    RecordsList list(dir.write("twenty.vid", test::numberedRecords(20)));
    list.setFilter("REC-1");
    while (list.filterProgress() < 1.0) {
        std::this_thread::yield();
    }
    ASSERT_EQ(list.rowCount(), 11);
    EXPECT_EQ(list.recordAt(1), 10);
    // Worked out on every core, the distances rank the records as rank does.
    list.setFilter("");
    const Record first = RecordFile::read(dir.path() / "twenty.vid", 0).value();
    list.setReference(std::make_shared<const chart::Reference>(chart::Reference{0, first}));
    while (list.distanceProgress() < 1.0) {
        std::this_thread::yield();
    }
    std::int64_t most = 0;
    for (std::int64_t n = 1; n < 20; ++n) {
        if (chart::rankedBefore({n, *list.distance(n)}, {most, *list.distance(most)})) {
            most = n;
        }
    }
    EXPECT_EQ(list.mostDistant(), std::optional(most));
    EXPECT_EQ(list.distance(0)->rms, 0.0);
    list.sortByDistance(true);
    EXPECT_EQ(list.recordAt(0), most);
    EXPECT_EQ(list.recordAt(19), 0);
}

} // namespace
} // namespace sorkam

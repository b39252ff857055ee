// The built viewer in a real X server, driven by pointer clicks and keys, checked on the pixels
// of its window.
#include "tests/e2e/ViewerPlaces.h"

#include <QImage>
#include <QImageReader>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace sorkam::e2e {
namespace {

using namespace std::chrono_literals;

constexpr unsigned kRed = 0xFF0000;
constexpr unsigned kGreen = 0x00FF00;
constexpr unsigned kBlack = 0x000000;

class ViewerEndToEnd : public testing::Test {
protected:
    void SetUp() override {
        if (!x.ok()) {
            GTEST_SKIP() << "no Xvfb on this machine";
        }
    }
    void TearDown() override {
        if (viewer > 0 && !x.waitExit(viewer, 0ms)) {
            kill(viewer, SIGKILL);
            x.waitExit(viewer, 5s);
        }
    }
    XSession::Window openViewer(const std::string& path) {
        viewer = x.start(SORKAM_BINARY, {path});
        const auto window = x.waitForWindow(path, 20s);
        EXPECT_TRUE(window.has_value()) << "no window titled " << path;
        return window.value_or(XSession::Window{});
    }
    int count(const XSession::Window& w, const Rect& area, unsigned rgb) {
        return x.countColour(inside(w, area), rgb);
    }

    XSession x;
    pid_t viewer = -1;
};

TEST_F(ViewerEndToEnd, StepsOverlaysClearsAndClosesWithStatusZero) {
    const auto w = openViewer(SORKAM_DEMO_FILE);
    ASSERT_NE(w.id, 0u);
    ASSERT_EQ(w.rect.width, 755);
    ASSERT_EQ(w.rect.height, 558);
    // Record 0 in black over the frame; nothing red yet.
    ASSERT_TRUE(eventually([&] { return count(w, kPlotA, kBlack) > 3000; }, 10s));
    EXPECT_EQ(count(w, kPlotA, kRed), 0);
    EXPECT_EQ(count(w, kPlotB, kRed), 0);

    x.click(w.rect.x + kNextX, w.rect.y + kButtonY);
    EXPECT_TRUE(eventually([&] { return count(w, kPlotA, kRed) > 500; }, 10s));
    EXPECT_TRUE(eventually([&] { return count(w, kPlotB, kRed) > 500; }, 10s));
    EXPECT_TRUE(eventually([&] { return count(w, kStatus, kRed) > 20; }, 10s));

    x.click(w.rect.x + kNextX, w.rect.y + kButtonY);
    EXPECT_TRUE(eventually([&] { return count(w, kPlotA, kGreen) > 500; }, 10s));
    // Overlaid, not replaced: record 1's red is still there.
    EXPECT_GT(count(w, kPlotA, kRed), 200);
    for (int k = 0; k < 4; ++k) {
        x.click(w.rect.x + kNextX, w.rect.y + kButtonY);
    }
    EXPECT_TRUE(eventually([&] { return count(w, kPlotA, 0x00FFFF) > 300; }, 10s)); // record 6
    x.click(w.rect.x + kPreviousX, w.rect.y + kButtonY); // back to record 5, magenta
    EXPECT_TRUE(eventually([&] { return count(w, kStatus, 0xFF00FF) > 20; }, 10s));
    x.save(w.rect, SORKAM_SCREENSHOT);

    ASSERT_TRUE(x.waitForFocus(w, 10s));
    x.key("c", XSession::kAlt);
    EXPECT_TRUE(eventually([&] { return count(w, kPlotA, kRed) == 0; }, 10s));
    EXPECT_EQ(count(w, kPlotB, kGreen), 0);
    EXPECT_GT(count(w, kPlotA, kBlack), 1000); // the frame stays

    x.click(w.rect.x + kClearX, w.rect.y + kButtonY);
    x.close(w);
    EXPECT_EQ(x.waitExit(viewer, 10s), std::optional<int>(0));
}

TEST_F(ViewerEndToEnd, PreviousAtTheFirstRecordSaysTopOfFileAndGoesOn) {
    const auto w = openViewer(SORKAM_DEMO_FILE);
    ASSERT_NE(w.id, 0u);
    x.click(w.rect.x + kPreviousX, w.rect.y + kButtonY);
    const auto box = x.waitForFocusedWindow("sorkam", 10s);
    ASSERT_TRUE(box.has_value()) << "no message box";
    x.key("Return");
    EXPECT_TRUE(eventually([&] { return !x.waitForWindow("sorkam", 0ms).has_value(); }, 10s));
    EXPECT_FALSE(x.waitExit(viewer, 200ms).has_value());
    x.click(w.rect.x + kNextX, w.rect.y + kButtonY);
    EXPECT_TRUE(eventually([&] { return count(w, kPlotA, kRed) > 500; }, 10s));
    x.key("F4", XSession::kControl); // as --help names it, also where X11's Close lacks it
    EXPECT_EQ(x.waitExit(viewer, 10s), std::optional<int>(0));
}

TEST_F(ViewerEndToEnd, AMissingFileShowsTheFailureAndEndsWithANonZeroStatus) {
    const std::string missing = "/nonexistent/run 7.vid";
    viewer = x.start(SORKAM_BINARY, {missing});
    const auto box = x.waitForFocusedWindow("sorkam", 20s);
    ASSERT_TRUE(box.has_value()) << "no failure box";
    EXPECT_FALSE(x.waitForWindow(missing, 0ms).has_value()); // the window never showed
    EXPECT_FALSE(x.waitExit(viewer, 200ms).has_value());     // waits for the user
    x.key("Return");
    EXPECT_EQ(x.waitExit(viewer, 10s), std::optional<int>(1));
}

// A copy of the demo data under a new name in a fresh directory of plain characters.
class DemoCopy {
public:
    explicit DemoCopy(const std::string& name) {
        std::random_device random;
        dir = std::filesystem::temp_directory_path() /
              ("sorkam-e2e-" + std::to_string(random() % 100000));
        std::filesystem::create_directories(dir);
        std::filesystem::copy_file(SORKAM_DEMO_FILE, dir / name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    ~DemoCopy() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::filesystem::path dir;
};

TEST_F(ViewerEndToEnd, ComparesMeasuresZoomsAndFollowsARecording) {
    // Three of the demo's records; a recorder appends the fourth later.
    DemoCopy demo("growing.vid");
    const std::filesystem::path file = demo.dir / "growing.vid";
    std::filesystem::resize_file(file, 3 * 5024);
    const auto w = openViewer(file.string());
    ASSERT_NE(w.id, 0u);
    ASSERT_TRUE(eventually([&] { return count(w, kPlotA, kBlack) > 3000; }, 10s));
    x.click(w.rect.x + kStatus.x + 5, w.rect.y + kStatus.y + 5); // the keys go to the window
    ASSERT_TRUE(x.waitForFocus(w, 10s));
    x.key("End"); // record 2, green
    ASSERT_TRUE(eventually([&] { return count(w, kPlotA, kGreen) > 500; }, 10s));
    const auto colours = [&] {
        return std::vector<int>{count(w, kPlotA, kBlack), count(w, kPlotA, kGreen),
                                count(w, kPlotA, 0xFFFFFF), count(w, kPlotB, kBlack)};
    };
    const std::vector<int> plain = colours();

    // The legend, and off again: the plots as they were.
    x.key("l");
    EXPECT_TRUE(eventually([&] { return count(w, kPlotA, 0xFFFFFF) > 1500; }, 10s));
    x.key("l");
    EXPECT_TRUE(eventually([&] { return colours() == plain; }, 10s));

    // Cursors A and B, then none: the plots as they were.
    const auto cursors = [&] {
        x.click(w.rect.x + kPlotA.x + 200, w.rect.y + kPlotA.y + 100);
        x.click(w.rect.x + kPlotA.x + 400, w.rect.y + kPlotA.y + 100, XSession::kShift);
    };
    cursors();
    EXPECT_TRUE(eventually([&] { return count(w, kPlotB, 0x551A8B) > 50; }, 10s));
    x.key("Escape");
    EXPECT_TRUE(eventually([&] { return colours() == plain; }, 10s));

    // Zoomed in, the chart changes; back to the whole chart, it is as it was.
    x.key("plus", XSession::kControl);
    EXPECT_TRUE(eventually([&] { return colours() != plain; }, 10s));
    x.key("0", XSession::kControl);
    EXPECT_TRUE(eventually([&] { return colours() == plain; }, 10s));

    // Following: the record the recorder completes is shown (3, yellow), as > shows it.
    x.key("f");
    // Following shows its mark; only records appended from then on are new.
    ASSERT_TRUE(eventually([&] { return count(w, kPlotA, 0xFFFFFF) > 200; }, 10s));
    const std::string all = [] {
        std::ifstream in(SORKAM_DEMO_FILE, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    std::ofstream(file, std::ios::binary | std::ios::app).write(all.data() + 3 * 5024, 5024);
    EXPECT_TRUE(eventually([&] { return count(w, kPlotA, 0xFFFF00) > 300; }, 5s));
    EXPECT_TRUE(eventually([&] { return count(w, kStatus, 0xFFFF00) > 20; }, 5s));

    // The measurements between the cursors, in a window of their own.
    cursors();
    x.key("m");
    EXPECT_TRUE(x.waitForWindow("Measurements", 10s).has_value()) << "no measurements window";
    x.close(w);
    EXPECT_EQ(x.waitExit(viewer, 10s), std::optional<int>(0));
}

TEST_F(ViewerEndToEnd, SavesTheViewThatTheExportToolPaintsOnAnyDesktop) {
    DemoCopy demo("saved.vid");
    const std::filesystem::path file = demo.dir / "saved.vid";
    const auto w = openViewer(file.string());
    ASSERT_TRUE(eventually([&] { return count(w, kPlotA, kBlack) > 3000; }, 10s));
    x.click(w.rect.x + kStatus.x + 5, w.rect.y + kStatus.y + 5);
    ASSERT_TRUE(x.waitForFocus(w, 10s));
    x.key("Right"); // record 1, red
    ASSERT_TRUE(eventually([&] { return count(w, kPlotA, kRed) > 500; }, 10s));
    x.key("l");
    x.click(w.rect.x + kPlotA.x + 200, w.rect.y + kPlotA.y + 100);
    ASSERT_TRUE(eventually([&] { return count(w, kPlotB, 0x8B4513) > 50; }, 10s));

    // The save dialog offers the records' name in the data file's folder; Return takes it.
    x.key("s", XSession::kControl);
    ASSERT_TRUE(x.waitForFocusedWindow("Save the view", 10s).has_value()) << "no save dialog";
    x.key("Return");
    const std::filesystem::path saved = demo.dir / "saved-records-0-1.png";
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(saved); }, 10s));

    // Painted on this X server's fonts, it is the export tool's picture all the same.
    QImageReader reader(QString::fromStdString(saved.string()));
    QStringList options = reader.text("Comment").split(' ');
    const QImage picture = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(options.takeFirst(), "sorkam-export");
    const QString exported = QString::fromStdString((demo.dir / "exported.png").string());
    QProcess tool;
    tool.start(SORKAM_EXPORT_BINARY,
               QStringList{"png", QString::fromStdString(file.string()), "-o", exported} + options);
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(QImage(exported).convertToFormat(QImage::Format_RGB32), picture)
        << options.join(' ').toStdString();
    x.close(w);
    EXPECT_EQ(x.waitExit(viewer, 10s), std::optional<int>(0));
}

TEST_F(ViewerEndToEnd, APathSplitAtBlanksIsJoinedBackWhole) {
    DemoCopy demo("run 1 -style x.vid");
    const std::string path = (demo.dir / "run 1 -style x.vid").string();
    viewer = x.start(SORKAM_BINARY, {(demo.dir / "run").string(), "1", "-style", "x.vid"});
    const auto w = x.waitForWindow(path, 20s);
    ASSERT_TRUE(w.has_value()) << "no window titled " << path;
    EXPECT_TRUE(eventually([&] { return count(*w, kPlotA, kBlack) > 3000; }, 10s));
    x.close(*w);
    EXPECT_EQ(x.waitExit(viewer, 10s), std::optional<int>(0));
}

TEST_F(ViewerEndToEnd, WithoutAPathTheDialogAsksAndCancellingTwiceEnds) {
    viewer = x.start(SORKAM_BINARY, {});
    ASSERT_TRUE(x.waitForFocusedWindow("open file", 20s).has_value()) << "no open-file dialog";
    x.key("Escape");
    ASSERT_TRUE(x.waitForFocusedWindow("sorkam", 10s).has_value()) << "no retry question";
    x.key("Escape"); // Cancel
    EXPECT_EQ(x.waitExit(viewer, 10s), std::optional<int>(0));
}

TEST_F(ViewerEndToEnd, RetryOpensTheDialogAgainAndAPickedFileIsShown) {
    DemoCopy demo("picked.vid");
    const std::string path = (demo.dir / "picked.vid").string();
    // The dialog opens in the working directory, where the file is.
    viewer = x.start(SORKAM_BINARY, {}, demo.dir.string());
    ASSERT_TRUE(x.waitForFocusedWindow("open file", 20s).has_value()) << "no open-file dialog";
    x.key("Escape");
    ASSERT_TRUE(x.waitForFocusedWindow("sorkam", 10s).has_value()) << "no retry question";
    x.key("Return"); // Retry
    ASSERT_TRUE(eventually([&] { return !x.waitForWindow("sorkam", 0ms).has_value(); }, 10s));
    ASSERT_TRUE(x.waitForFocusedWindow("open file", 10s).has_value())
        << "the dialog did not come back";
    x.type("picked.vid");
    x.key("Return");
    const auto w = x.waitForWindow(path, 20s);
    ASSERT_TRUE(w.has_value()) << "no window titled " << path;
    EXPECT_TRUE(eventually([&] { return count(*w, kPlotB, kBlack) > 3000; }, 10s));
    x.close(*w);
    EXPECT_EQ(x.waitExit(viewer, 10s), std::optional<int>(0));
}

// What a run could change about a file: its bytes, size and modification and change times.
struct FileState {
    std::vector<char> bytes;
    off_t size = 0;
    struct timespec modified {};
    struct timespec changed {};
    bool operator==(const FileState& o) const {
        return bytes == o.bytes && size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec;
    }
};

FileState stateOf(const std::string& path) {
    FileState s;
    std::ifstream in(path, std::ios::binary);
    s.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    struct stat info {};
    stat(path.c_str(), &info);
    s.size = info.st_size;
    s.modified = info.st_mtim;
    s.changed = info.st_ctim;
    return s;
}

TEST_F(ViewerEndToEnd, ARunThroughEveryRecordLeavesTheFileUntouched) {
    DemoCopy demo("untouched.vid");
    const std::string path = (demo.dir / "untouched.vid").string();
    const FileState before = stateOf(path);
    ASSERT_EQ(before.size, 24 * 5024);
    const auto w = openViewer(path);
    ASSERT_NE(w.id, 0u);
    for (int k = 0; k < 23; ++k) {
        x.click(w.rect.x + kNextX, w.rect.y + kButtonY);
    }
    // Record 23's header texts in white.
    ASSERT_TRUE(eventually([&] { return count(w, kStatus, 0xFFFFFF) > 20; }, 20s));
    x.click(w.rect.x + kNextX, w.rect.y + kButtonY);
    ASSERT_TRUE(x.waitForFocusedWindow("sorkam", 10s).has_value()) << "no end-of-file box";
    x.key("Return");
    ASSERT_TRUE(eventually([&] { return !x.waitForWindow("sorkam", 0ms).has_value(); }, 10s));
    for (int k = 0; k < 3; ++k) {
        x.click(w.rect.x + kPreviousX, w.rect.y + kButtonY);
    }
    x.resize(w, 900, 700);
    x.click(w.rect.x + kClearX, w.rect.y + kButtonY);
    ASSERT_TRUE(eventually([&] { return count(w, kPlotA, kRed) == 0; }, 10s));
    EXPECT_EQ(count(w, kPlotA, 0x0000FF), 0);
    x.resize(w, 755, 558);
    // The resize after the clear paints the current record (20, blue) on the fresh frame only.
    EXPECT_TRUE(eventually([&] { return count(w, kPlotA, 0x0000FF) > 500; }, 10s));
    EXPECT_EQ(count(w, kPlotA, kRed), 0);
    x.close(w);
    EXPECT_EQ(x.waitExit(viewer, 10s), std::optional<int>(0));
    EXPECT_TRUE(stateOf(path) == before);
}

// The real binary without a window: what a shell command prints and ends with.
struct Ran {
    int status;
    std::string out;
    std::string err;
};

Ran runShell(const std::string& command) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::string out = (dir / ("sorkam-e2e-out-" + std::to_string(getpid()))).string();
    const std::string err = (dir / ("sorkam-e2e-err-" + std::to_string(getpid()))).string();
    const int raw = std::system((command + " >" + out + " 2>" + err).c_str());
    const auto slurp = [](const std::string& path) {
        std::ifstream in(path);
        std::string text{std::istreambuf_iterator<char>(in), {}};
        std::filesystem::remove(path);
        return text;
    };
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
}

TEST(ViewerCommandLine, HelpAndVersionWithoutADisplayAndOneLineWhenNoDisplayAnswers) {
    const std::string viewer = SORKAM_BINARY;
    for (const char* env : {"env -u DISPLAY", "env DISPLAY=:97"}) {
        const Ran help = runShell(std::string(env) + " " + viewer + " --help");
        EXPECT_EQ(help.status, 0) << env;
        EXPECT_NE(help.out.find("the data file's path"), std::string::npos) << help.out;
        EXPECT_NE(help.out.find("Ctrl+O"), std::string::npos);
        EXPECT_NE(help.out.find("sorkam-export"), std::string::npos);
        EXPECT_EQ(runShell(std::string(env) + " " + viewer + " -h").out, help.out);
        const Ran version = runShell(std::string(env) + " " + viewer + " --version");
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out.rfind("sorkam ", 0), 0u) << version.out;
    }
    // No window system: one line naming the display tried, status 2, never Qt's advice.
    const Ran unset = runShell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + viewer +
                               " " + SORKAM_DEMO_FILE);
    EXPECT_EQ(unset.status, 2);
    EXPECT_EQ(unset.err, "sorkam: cannot open a display: DISPLAY is not set\n");
    const Ran nobody =
        runShell("env -u QT_QPA_PLATFORM DISPLAY=:97 " + viewer + " " + SORKAM_DEMO_FILE);
    EXPECT_EQ(nobody.status, 2);
    EXPECT_EQ(nobody.err, "sorkam: cannot open the display \":97\"\n");
    // A platform plugin that is not there is named, not a display that works.
    const Ran bogus = runShell("env QT_QPA_PLATFORM=bogus " + viewer + " " + SORKAM_DEMO_FILE);
    EXPECT_EQ(bogus.status, 2);
    EXPECT_EQ(bogus.err, "sorkam: the Qt platform plugin \"bogus\" is not installed\n");
    // A Wayland session with no X display: what is missing is said, not xcb, which is there.
    const Ran wayland = runShell("env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-97 "
                                 "XDG_SESSION_TYPE=wayland " +
                                 viewer + " " + SORKAM_DEMO_FILE);
    EXPECT_EQ(wayland.status, 2);
    EXPECT_EQ(wayland.err.rfind("sorkam: cannot open a display: DISPLAY is not set, and the ", 0),
              0u)
        << wayland.err;
    EXPECT_EQ(wayland.err.find("xcb"), std::string::npos) << wayland.err;
    // A full standard output is not a success, and says so in one line.
    for (const char* option : {" --help", " --version"}) {
        const Ran full = runShell("(" + viewer + option + " >/dev/full)");
        EXPECT_EQ(full.status, 1) << option;
        EXPECT_EQ(full.err, "sorkam: standard output: No space left on device\n") << option;
    }
}

} // namespace
} // namespace sorkam::e2e

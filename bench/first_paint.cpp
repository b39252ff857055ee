// Start-up and a full run of the real viewer on the X server in $DISPLAY, for timing with
// hyperfine and measuring with /usr/bin/time:
//   first_paint SORKAM FILE      starts SORKAM FILE, returns once its window shows record 0
//                                painted, and ends it
//   first_paint --step-all FILE  steps the viewer showing FILE through records 1..23, then
//                                closes its window
#include "tests/e2e/ViewerPlaces.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace std::chrono_literals;
using sorkam::e2e::eventually;
using sorkam::e2e::inside;
using sorkam::e2e::Rect;
using sorkam::e2e::XSession;

using sorkam::e2e::kButtonY;
using sorkam::e2e::kNextX;
using sorkam::e2e::kPlotA;
using sorkam::e2e::kStatus;

int main(int argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    if (argc != 3 || display == nullptr) {
        std::fprintf(stderr, "usage: DISPLAY=... %s SORKAM FILE | --step-all FILE\n", argv[0]);
        return 2;
    }
    XSession x{std::string(display)};
    if (!x.ok()) {
        std::fprintf(stderr, "%s: cannot open display %s\n", argv[0], display);
        return 1;
    }
    if (std::strcmp(argv[1], "--step-all") == 0) {
        const auto w = x.waitForWindow(argv[2], 20s);
        if (!w) {
            return 1;
        }
        for (int k = 0; k < 23; ++k) {
            x.click(w->rect.x + kNextX, w->rect.y + kButtonY);
        }
        // Record 23's header texts in white.
        const bool done =
            eventually([&] { return x.countColour(inside(*w, kStatus), 0xFFFFFF) > 20; }, 20s);
        x.close(*w);
        return done ? 0 : 1;
    }
    const pid_t viewer = x.start(argv[1], {argv[2]});
    const auto w = x.waitForWindow(argv[2], 20s);
    const bool painted =
        w && eventually([&] { return x.countColour(inside(*w, kPlotA), 0x000000) > 3000; }, 20s);
    kill(viewer, SIGTERM);
    x.waitExit(viewer, 5s);
    return painted ? 0 : 1;
}

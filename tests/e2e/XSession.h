#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

struct _XDisplay; // Xlib's Display, kept out of this header

namespace sorkam::e2e {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// A private Xvfb server and a client connection to it, driven the way a person drives a desktop:
// pointer clicks and key presses through the XTest extension, and pixels read off the screen.
class XSession {
public:
    // Starts a private Xvfb server.
    XSession();
    // Connects to a running server instead, such as $DISPLAY.
    explicit XSession(const std::string& existingDisplay);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    [[nodiscard]] bool ok() const { return display != nullptr; }
    [[nodiscard]] std::string displayName() const { return name; }

    // Starts program with args on this server, in directory when one is given; returns its pid.
    pid_t start(const std::string& program, const std::vector<std::string>& args,
                const std::string& directory = {});
    // The exit status of a started pid once it has ended, waiting at most timeout; nothing if it
    // runs on.
    std::optional<int> waitExit(pid_t pid, std::chrono::milliseconds timeout);

    // Top-level windows on screen, with their titles and places on the root window.
    struct Window {
        unsigned long id = 0;
        std::string title;
        Rect rect;
    };
    [[nodiscard]] std::vector<Window> windows();
    // Waits until a mapped top-level window with this title is on screen.
    std::optional<Window> waitForWindow(const std::string& title,
                                        std::chrono::milliseconds timeout);

    // Waits until window (or one of its children) has the keyboard focus, so keys reach it.
    bool waitForFocus(const Window& window, std::chrono::milliseconds timeout);
    // Waits for a window with this title and for its keyboard focus.
    std::optional<Window> waitForFocusedWindow(const std::string& title,
                                               std::chrono::milliseconds timeout);

    // Modifier keys held during a click or a key: any of these, or'ed.
    static constexpr int kAlt = 1;
    static constexpr int kControl = 2;
    static constexpr int kShift = 4;
    void click(int rootX, int rootY, int held = 0);
    // Presses key (an X keysym name such as "c" or "Return") with the modifiers held.
    void key(const std::string& keysym, int held = 0);
    // Types plain text: lower-case letters, digits and / . - _ and space.
    void type(const std::string& text);
    // Resizes a top-level window, as a person dragging its corner does.
    void resize(const Window& window, int width, int height);
    // Asks the window to close, as a window manager's close button does.
    void close(const Window& window);

    // Counts the pixels of an exact colour (0xRRGGBB) in a part of the screen.
    [[nodiscard]] int countColour(const Rect& area, unsigned rgb);
    // Saves a part of the screen as a PNG file.
    bool save(const Rect& area, const std::string& path);

private:
    std::map<pid_t, int> exited; // reaped programs and their exit statuses
    std::string name;
    pid_t server = -1;
    ::_XDisplay* display = nullptr;
};

// Polls condition every 20 ms until it holds or timeout passes.
template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        struct timespec pause {
            0, 20'000'000
        };
        nanosleep(&pause, nullptr);
    }
}

} // namespace sorkam::e2e

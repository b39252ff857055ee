#include "tests/e2e/XSession.h"

#include <QImage>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sorkam::e2e {

namespace {

[[noreturn]] void execOrDie(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    execvp(program.c_str(), argv.data());
    _exit(127);
}

std::string titleOf(Display* d, ::Window w) {
    const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, netName, 0, 4096, False, utf8, &type, &format, &items, &after,
                           &data) == Success &&
        data != nullptr) {
        std::string title(reinterpret_cast<char*>(data), items);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    std::string title;
    if (XFetchName(d, w, &name) != 0 && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

// Windows come and go while the test looks at them; a request about one that has just gone is
// no reason to end the test process (Xlib's default handler would).
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

XSession::XSession() {
    XSetErrorHandler(ignoreXErrors);
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return;
    }
    server = fork();
    if (server == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::close(pipeFds[0]);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execOrDie("Xvfb", {"-displayfd", std::to_string(pipeFds[1]), "-screen", "0", "1280x1024x24",
                           "-dpi", "96", "-nolisten", "tcp", "-noreset"});
    }
    ::close(pipeFds[1]);
    // Xvfb writes its display number once it accepts clients.
    std::string text;
    char c = 0;
    struct pollfd p {
        pipeFds[0], POLLIN, 0
    };
    while (poll(&p, 1, 20000) > 0 && ::read(pipeFds[0], &c, 1) == 1 && c != '\n') {
        text += c;
    }
    ::close(pipeFds[0]);
    if (text.empty()) {
        return;
    }
    name = ":" + std::to_string(std::atoi(text.c_str()));
    display = XOpenDisplay(name.c_str());
}

XSession::XSession(const std::string& existingDisplay) : name(existingDisplay) {
    XSetErrorHandler(ignoreXErrors);
    display = XOpenDisplay(name.c_str());
}

XSession::~XSession() {
    if (display != nullptr) {
        XCloseDisplay(display);
    }
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
}

pid_t XSession::start(const std::string& program, const std::vector<std::string>& args,
                      const std::string& directory) {
    const pid_t pid = fork();
    if (pid == 0) {
        // A program left running by a failed test must not outlive it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        setenv("DISPLAY", displayName().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("QT_FONT_DPI", "96", 1);
        if (!directory.empty() && chdir(directory.c_str()) != 0) {
            _exit(126);
        }
        execOrDie(program, args);
    }
    return pid;
}

std::optional<int> XSession::waitExit(pid_t pid, std::chrono::milliseconds timeout) {
    if (const auto known = exited.find(pid); known != exited.end()) {
        return known->second;
    }
    int status = 0;
    const bool ended = eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeout);
    if (!ended) {
        return std::nullopt;
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    exited[pid] = code;
    return code;
}

std::vector<XSession::Window> XSession::windows() {
    std::vector<Window> found;
    ::Window root = DefaultRootWindow(display);
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    XSync(display, False);
    if (XQueryTree(display, root, &root, &parent, &children, &count) == 0) {
        return found;
    }
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) == 0 ||
            attributes.map_state != IsViewable) {
            continue;
        }
        Window w;
        w.id = children[i];
        w.title = titleOf(display, children[i]);
        int x = 0;
        int y = 0;
        ::Window child = 0;
        XTranslateCoordinates(display, children[i], root, 0, 0, &x, &y, &child);
        w.rect = {x, y, attributes.width, attributes.height};
        found.push_back(w);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

std::optional<XSession::Window> XSession::waitForWindow(const std::string& title,
                                                        std::chrono::milliseconds timeout) {
    std::optional<Window> match;
    eventually(
        [&] {
            for (const Window& w : windows()) {
                if (w.title == title) {
                    match = w;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return match;
}

bool XSession::waitForFocus(const Window& window, std::chrono::milliseconds timeout) {
    return eventually(
        [&] {
            ::Window focus = 0;
            int revert = 0;
            XGetInputFocus(display, &focus, &revert);
            // Walk up from the focus to the top-level window.
            while (focus != 0 && focus != PointerRoot && focus != window.id) {
                ::Window root = 0;
                ::Window parent = 0;
                ::Window* children = nullptr;
                unsigned count = 0;
                if (XQueryTree(display, focus, &root, &parent, &children, &count) == 0) {
                    return false;
                }
                if (children != nullptr) {
                    XFree(children);
                }
                focus = parent == root ? 0 : parent;
            }
            return focus == window.id;
        },
        timeout);
}

std::optional<XSession::Window> XSession::waitForFocusedWindow(const std::string& title,
                                                               std::chrono::milliseconds timeout) {
    auto window = waitForWindow(title, timeout);
    if (window && !waitForFocus(*window, timeout)) {
        return std::nullopt;
    }
    return window;
}

namespace {

// Presses (or releases) the modifier keys held.
void holdModifiers(::_XDisplay* display, int held, bool down) {
    const std::pair<int, KeySym> keys[] = {{XSession::kAlt, XK_Alt_L},
                                           {XSession::kControl, XK_Control_L},
                                           {XSession::kShift, XK_Shift_L}};
    for (const auto& [bit, keysym] : keys) {
        if (held & bit) {
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), down ? True : False,
                              CurrentTime);
        }
    }
}

} // namespace

void XSession::click(int rootX, int rootY, int held) {
    XTestFakeMotionEvent(display, 0, rootX, rootY, CurrentTime);
    holdModifiers(display, held, true);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    holdModifiers(display, held, false);
    XSync(display, False);
}

void XSession::key(const std::string& keysym, int held) {
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(keysym.c_str()));
    holdModifiers(display, held, true);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    holdModifiers(display, held, false);
    XSync(display, False);
}

void XSession::type(const std::string& text) {
    for (const char c : text) {
        switch (c) {
        case '/':
            key("slash");
            break;
        case '.':
            key("period");
            break;
        case '-':
            key("minus");
            break;
        case ' ':
            key("space");
            break;
        case '_': {
            const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
            XTestFakeKeyEvent(display, shift, True, CurrentTime);
            key("underscore");
            XTestFakeKeyEvent(display, shift, False, CurrentTime);
            XSync(display, False);
            break;
        }
        default:
            key(std::string(1, c));
            break;
        }
    }
}

void XSession::resize(const Window& window, int width, int height) {
    XResizeWindow(display, window.id, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(display, False);
}

void XSession::close(const Window& window) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window.id;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window.id, False, NoEventMask, &event);
    XSync(display, False);
}

int XSession::countColour(const Rect& area, unsigned rgb) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), area.x, area.y,
                              static_cast<unsigned>(area.width), static_cast<unsigned>(area.height),
                              AllPlanes, ZPixmap);
    if (image == nullptr) {
        return -1;
    }
    int n = 0;
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            n += (XGetPixel(image, x, y) & 0xFFFFFFu) == rgb ? 1 : 0;
        }
    }
    XDestroyImage(image);
    return n;
}

bool XSession::save(const Rect& area, const std::string& path) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), area.x, area.y,
                              static_cast<unsigned>(area.width), static_cast<unsigned>(area.height),
                              AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    QImage picture(area.width, area.height, QImage::Format_RGB32);
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            picture.setPixel(x, y, 0xFF000000u | (XGetPixel(image, x, y) & 0xFFFFFFu));
        }
    }
    XDestroyImage(image);
    return picture.save(QString::fromStdString(path), "PNG");
}

} // namespace sorkam::e2e

#include "viewer/CommandLine.h"

#include <algorithm>

namespace sorkam {

std::string commandLineText(int argc, const char* const* argv) {
    std::string text;
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        if (i > 1) {
            text += ' ';
        }
        text += argv[i];
    }
    return text;
}

namespace {

// The platform plugins Qt said it could not find: "Could not find the Qt platform plugin "NAME"".
std::vector<std::string> missingPlugins(const std::vector<std::string>& notes) {
    static const std::string kMark = "Could not find the Qt platform plugin \"";
    std::vector<std::string> missing;
    for (const std::string& note : notes) {
        const std::size_t at = note.find(kMark);
        const std::size_t end = at == std::string::npos ? at : note.find('"', at + kMark.size());
        if (end != std::string::npos) {
            missing.push_back(note.substr(at + kMark.size(), end - at - kMark.size()));
        }
    }
    return missing;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

std::string noWindowSystemText(const std::vector<std::string>& notes, const std::string& requested,
                               const std::string& display, const std::string& waylandDisplay) {
    const std::vector<std::string> missing = missingPlugins(notes);
    const auto isMissing = [&](const std::string& plugin) {
        return std::find(missing.begin(), missing.end(), plugin) != missing.end();
    };
    if (!requested.empty() && isMissing(requested)) {
        return "the Qt platform plugin " + quoted(requested) + " is not installed";
    }
    if (!requested.empty() && requested != "xcb" && requested != "wayland") {
        return "the Qt platform plugin " + quoted(requested) + " cannot start";
    }
    if (requested.empty() && isMissing("xcb")) {
        return "the Qt platform plugin \"xcb\" is not installed";
    }
    std::string text = display.empty() ? "cannot open a display: DISPLAY is not set"
                                       : "cannot open the display " + quoted(display);
    if (!waylandDisplay.empty() && requested != "xcb") {
        text += isMissing("wayland")
                    ? ", and the Qt platform plugin \"wayland\" for the Wayland display " +
                          quoted(waylandDisplay) + " is not installed (qt6-wayland)"
                    : ", and the Wayland display " + quoted(waylandDisplay) + " cannot be opened";
    }
    return text;
}

} // namespace sorkam

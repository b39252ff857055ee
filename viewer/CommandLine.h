#pragma once

#include <string>
#include <vector>

namespace sorkam {

// The whole argument text after the program name: the arguments joined by single spaces, bytes
// as they are. The viewer has no options of its own, so every argument belongs to the path.
[[nodiscard]] std::string commandLineText(int argc, const char* const* argv);

// Why no window could be opened, in one line without the program's name: notes is what Qt said
// while it tried, requested the platform plugin QT_QPA_PLATFORM names (empty where it names
// none), display and waylandDisplay what DISPLAY and WAYLAND_DISPLAY hold (empty: not set).
// Names what is missing: a platform plugin Qt could not find, or a display that did not answer.
[[nodiscard]] std::string noWindowSystemText(const std::vector<std::string>& notes,
                                             const std::string& requested,
                                             const std::string& display,
                                             const std::string& waylandDisplay);

} // namespace sorkam

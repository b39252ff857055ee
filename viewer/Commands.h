#pragma once

#include "viewer/ViewerController.h"

#include <array>
#include <string>
#include <string_view>

namespace sorkam {

// Keys the platform defines for a command, where it defines them.
enum class StandardKeys { None, Open, Close, Quit };

// One command of the window. The window makes each into an action: its keys work wherever the
// focus is, its tooltip names them, and the plots' context menu lists it; --help and the manual
// page list the same keys.
struct Command {
    std::string_view name;     // the action's object name
    std::string_view text;     // its text in menus, "&" before the access key
    std::string_view keys;     // its keys as the menus write them, ", " between two
    StandardKeys standardKeys; // the platform's keys instead, where it has them
    std::string_view tooltip;  // what it does
    void (ViewerController::*handler)();
    bool checkable = false; // on or off, shown with a check mark in menus
};

inline constexpr std::array kCommands = {
    Command{"nextAction", "&Next record", "Right, PgDown", StandardKeys::None, "Next record",
            &ViewerController::showNext},
    Command{"previousAction", "&Previous record", "Left, PgUp", StandardKeys::None,
            "Previous record", &ViewerController::showPrevious},
    Command{"clearAction", "&Clear", "Alt+C", StandardKeys::None,
            "Clear both plots back to the frame", &ViewerController::clearPlots},
    Command{"growAction", "&Grow with the window", "Ctrl+Shift+G", StandardKeys::None,
            "Let the plots grow and shrink with the window (or keep the fixed layout)",
            &ViewerController::toggleGrowWithWindow, true},
    Command{"openAction", "&Open...", "Ctrl+O", StandardKeys::Open,
            "Open another file (or drop one onto the window)", &ViewerController::openWithDialog},
    Command{"closeAction", "Clos&e", "Ctrl+F4, Ctrl+W", StandardKeys::Close, "Close",
            &ViewerController::closeWindow},
    Command{"quitAction", "&Quit", "Ctrl+Q", StandardKeys::Quit, "Close",
            &ViewerController::closeWindow},
};

// The keys of every command for --help: a line each, the keys and then what they do.
[[nodiscard]] std::string commandKeyList();

} // namespace sorkam

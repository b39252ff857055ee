#pragma once

#include "viewer/ViewerController.h"

#include <array>
#include <string>
#include <string_view>

namespace sorkam {

// The commands that only share what the window shows, which the window carries out itself.
enum class WindowAction {
    None,
    CopyView,
    PrintView,
    ToggleMeasurements,
    ToggleRecords,
    ShowMostDistant
};

// One command of the window. The window makes each into an action: its keys work wherever the
// focus is, its tooltip names them, and the plots' context menu lists it; --help and the manual
// page list the same keys. The keys are the table's on every platform.
struct Command {
    std::string_view name;               // the action's object name
    std::string_view text;               // its text in menus, "&" before the access key
    std::string_view keys;               // its keys as the menus write them, ", " between two
    std::string_view tooltip;            // what it does
    void (ViewerController::*handler)(); // what it does to the viewer's state, or null
    bool checkable = false;              // on or off, shown with a check mark in menus
    WindowAction windowAction = WindowAction::None; // where handler is null
};

inline constexpr std::array kCommands = {
    Command{"nextAction", "&Next record", "Right, PgDown", "Next record",
            &ViewerController::showNext},
    Command{"previousAction", "&Previous record", "Left, PgUp", "Previous record",
            &ViewerController::showPrevious},
    Command{"clearAction", "&Clear", "Alt+C", "Clear both plots back to the frame",
            &ViewerController::clearPlots},
    Command{"firstAction", "&First record", "Home", "Show record 0", &ViewerController::showFirst},
    Command{"lastAction", "&Last record", "End", "Show the last record in the file (at most 23)",
            &ViewerController::showLast},
    Command{"goToAction", "&Go to record...", "Ctrl+G",
            "Ask for a record number and show that record", &ViewerController::goToRecord},
    Command{"reloadAction", "&Reload", "F5", "Read every record on the plots from the file again",
            &ViewerController::reload},
    Command{"legendAction", "Le&gend", "L",
            "Legend on or off (click a row to hide or show that record)",
            &ViewerController::toggleLegend, true},
    Command{"measurementsAction", "&Measurements...", "M",
            "Measurements between cursors A (click) and B (Shift+click); drag a cursor to move it",
            nullptr, true, WindowAction::ToggleMeasurements},
    Command{"removeCursorsAction", "Remove the c&ursors", "Esc", "Remove cursors A and B",
            &ViewerController::removeCursors},
    Command{"zoomInAction", "Zoom &in", "Ctrl++, Ctrl+=",
            "Zoom in (Ctrl+wheel over a plot: around the pointer)", &ViewerController::zoomIn},
    Command{"zoomOutAction", "Zoom &out", "Ctrl+-",
            "Zoom out (Shift+wheel or a middle-button drag: move along)",
            &ViewerController::zoomOut},
    Command{"zoomWholeAction", "&Whole chart", "Ctrl+0",
            "Show the whole chart again (a right-button rectangle: zoom to it)",
            &ViewerController::zoomWhole},
    Command{"fitValuesAction", "Fit the &values", "V",
            "Fit the value axis to the records shown (Ctrl+Shift+wheel: zoom it)",
            &ViewerController::fitValues},
    Command{"referenceAction", "Make the &reference", "Ctrl+R",
            "The record shown last becomes the reference the others are compared with",
            &ViewerController::makeReference},
    Command{"differenceAction", "&Differences", "D",
            "Show each record minus the reference (Ctrl+R), or as it is again",
            &ViewerController::toggleDifference},
    Command{"densityAction", "Density m&ap", "P",
            "Show how densely every record in the file covers the plots, under the records "
            "(Esc stops the counting)",
            &ViewerController::toggleDensity, true},
    Command{"recordsAction", "Rec&ords...", "R",
            "Every record in the file: filter, pick, take off the plots, sort by distance", nullptr,
            true, WindowAction::ToggleRecords},
    Command{"mostDistantAction", "Show the most dis&tant record", "Ctrl+Shift+D",
            "Show the record most distant from the reference (Ctrl+R)", nullptr, false,
            WindowAction::ShowMostDistant},
    Command{"followAction", "&Follow the recording", "F",
            "Follow the file: show each record a recorder completes",
            &ViewerController::toggleFollowing, true},
    Command{"growAction", "&Grow with the window", "Ctrl+Shift+G",
            "Grow with the window, or keep the fixed layout",
            &ViewerController::toggleGrowWithWindow, true},
    Command{"copyViewAction", "Cop&y the view", "Ctrl+C",
            "Copy both plots as shown (legend, cursors) as a picture", nullptr, false,
            WindowAction::CopyView},
    Command{"saveViewAction", "&Save the view...", "Ctrl+S",
            "Save both plots as shown as a PNG, SVG or PDF file", &ViewerController::saveView},
    Command{"printViewAction", "P&rint...", "Ctrl+P",
            "Print both plots on one landscape page, with a preview", nullptr, false,
            WindowAction::PrintView},
    Command{"openAction", "&Open...", "Ctrl+O", "Open another file (or drop one onto the window)",
            &ViewerController::openWithDialog},
    Command{"closeAction", "Clos&e", "Ctrl+F4, Ctrl+W", "Close", &ViewerController::closeWindow},
    Command{"quitAction", "&Quit", "Ctrl+Q", "Close", &ViewerController::closeWindow},
};

// The keys of every command for --help: a line each, the keys and then what they do.
[[nodiscard]] std::string commandKeyList();

} // namespace sorkam

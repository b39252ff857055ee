#pragma once

#include "../plot/Color.h"

#include <string>

namespace sorkam {

// The parts of the window the viewer's logic writes to, and the end of the program.
class ViewerHost {
public:
    virtual ~ViewerHost() = default;

    // Sets the window title, shown exactly as given.
    virtual void SetTitle(const std::string& title) = 0;
    // Sets the status label's caption: bytes of the data file, one character per byte.
    virtual void SetStatusCaption(const std::string& caption) = 0;
    // Sets the status label's text colour.
    virtual void SetStatusColor(Color color) = 0;
    // Ends the program with the given exit status once the current handler returns.
    virtual void EndProgram(int status) = 0;
};

// Modal boxes and the open-file dialog, all captioned with the application title.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A message with a single OK button; returns when it is closed.
    virtual void ShowMessage(const std::string& text) = 0;
    // A question with Retry and Cancel buttons; true when Retry was pressed.
    [[nodiscard]] virtual bool AskRetry(const std::string& text) = 0;
    // The open-file dialog with a preset file name, a filter and a title; returns the file name
    // it ends with (on Cancel, the filter pattern).
    [[nodiscard]] virtual std::string OpenFile(const std::string& presetName,
                                               const std::string& filter,
                                               const std::string& title) = 0;
};

} // namespace sorkam

#pragma once

#include "plot/Color.h"
#include "record/Result.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

class QPainter;

namespace sorkam {

// The parts of the window the viewer's logic writes to (and where the pointer is), nothing else:
// commands that only share what the window shows (copy, print, measurements) are the window's own.
class ViewerHost {
public:
    virtual ~ViewerHost() = default;

    // Sets the window title, shown exactly as given.
    virtual void setTitle(const std::string& title) = 0;
    // Sets the status line's text: bytes of the data file, one character per byte.
    virtual void setStatusText(const std::string& text) = 0;
    // Sets the status line's text colour.
    virtual void setStatusColor(Color color) = 0;
    // Tells a failure on the terminal as well: one line, the system's reason included.
    virtual void explainFailure(const std::string& line) = 0;
    // Lays the window out at its own size (on) or at the fixed layout (off); the plots then hold
    // nothing until they are painted again.
    virtual void setGrowWithWindow(bool on) = 0;
    // Watches the data file for records a recorder appends (on), or no longer (off); each change
    // goes to the controller's fileChanged.
    virtual void setFollowing(bool on) = 0;
    // The view saved to path as PNG, SVG or PDF by its extension; the failure is the message that
    // says why it could not be.
    [[nodiscard]] virtual Result<void, std::string> saveView(const std::string& path) = 0;
    // The sample index under the pointer where it rests on a plot: keyboard zoom keeps it put.
    [[nodiscard]] virtual std::optional<double> pointerIndex() const { return std::nullopt; }
    // A plot's size in the pixels it is painted at (a density is counted for them).
    [[nodiscard]] virtual std::pair<int, int> plotPixels() const = 0;
};

// Modal boxes and the open-file dialog, all captioned with the application's name.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A message with a single OK button; returns when it is closed.
    virtual void showMessage(const std::string& text) = 0;
    // A question with Retry and Cancel buttons; true when Retry was pressed.
    [[nodiscard]] virtual bool askRetry(const std::string& text) = 0;
    // Asks for a record number from 0 to last, offering current: the number, or nothing when the
    // user cancelled.
    [[nodiscard]] virtual std::optional<int> askRecordNumber(int current, int last) = 0;
    // The open-file dialog with a preset file name, a filter and a title, starting in the folder
    // of currentFile (the working directory when it is empty): the chosen file's name, or
    // nothing when the user cancelled.
    [[nodiscard]] virtual std::optional<std::string> openFile(const std::string& presetName,
                                                              const std::string& filter,
                                                              const std::string& title,
                                                              const std::string& currentFile) = 0;
    // The save dialog for a picture, starting in suggestedPath's folder with its name: the path
    // to write, ending in .png, .svg or .pdf (the type chosen added where the name has none), or
    // nothing when the user cancelled. An existing file is named only when the user agreed to
    // replace it.
    [[nodiscard]] virtual std::optional<std::string>
    savePictureName(const std::string& suggestedPath) = 0;
    // The print preview of one landscape page, which paintPage paints with a painter in the
    // chart's layout pixels; printed when the user asks for it there.
    virtual void printPreview(const std::function<void(QPainter&)>& paintPage) = 0;
};

} // namespace sorkam

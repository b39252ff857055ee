#pragma once

#include "plot/PlotSurface.h"
#include "viewer/RecordDisplay.h"
#include "viewer/ViewerHost.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace sorkam {

// The viewer's command logic: takes the data file from the command line or the open-file dialog,
// owns the current record number (kept within -1..23) and turns the window's events into frame
// painting, record display, messages and clearing. Decides when the program ends.
class ViewerController {
public:
    // Records 0..23 can be reached; showNext stops above 22 and showPrevious below 1.
    static constexpr std::int16_t kLastRecord = 23;

    ViewerController(ViewerHost& host, UserDialogs& dialogs, PlotSurface& plotA,
                     PlotSurface& plotB);

    // Every event goes through here: runs its handler to completion, then the repaint a resize
    // asked for meanwhile (during a modal box); runs nothing once the program is ending or while
    // another handler runs.
    void handle(const std::function<void()>& handler);
    // The window was shown, resized or restored: repaint() now, or after the running handler.
    void resized();

    // The handlers. Start-up: the data file from the whole command-line text (or the dialog when it
    // is empty), record 0, the frame, and record 0 painted.
    void start(const std::string& commandLine);
    // The window was shown or changed size: frame and current record painted over what is there.
    void repaint();
    // ">": the next record, or "end-of-file" at record 23.
    void showNext();
    // "<": the previous record, or "top-of-file" at record 0.
    void showPrevious();
    // "&Clear": both surfaces back to the bare frame; the current record is not painted again.
    void clearPlots();
    // Another file while running: it starts over as at start-up (its path in the title, record
    // 0 on a fresh frame). One that cannot be read is reported and the current file and view
    // stay; the program goes on.
    void openAnother(const std::string& path);
    // The open-file dialog, then openAnother with the file chosen; Cancel changes nothing.
    void openWithDialog();
    // The window's content grows with it, or stands at its fixed layout again; both plots
    // painted afresh at their new size with the frame and the current record.
    void toggleGrowWithWindow();
    // The user closes the window: the program ends with status 0.
    void closeWindow();

    // The record painted last since the plots were last cleared, if any, with its number.
    struct ShownRecord {
        std::int16_t number;
        Record record;
    };
    [[nodiscard]] const std::optional<ShownRecord>& lastShown() const { return shown; }
    // How many records the data file holds now; nothing when it cannot be examined.
    [[nodiscard]] std::optional<std::int64_t> recordsInFile() const;

    // The exit status once the program is ending; handle() runs nothing from then on.
    [[nodiscard]] std::optional<int> exitStatus() const { return endStatus; }
    [[nodiscard]] const std::string& dataFile() const { return file; }
    [[nodiscard]] std::int16_t recordNumber() const { return record; }

private:
    // Runs the open-file dialog until it yields a file; nothing when the user answers Cancel to
    // the retry question.
    std::optional<std::string> selectFile();
    // Shows the current record and answers what came of it.
    void showCurrent();
    // The failure message in a box and on the terminal.
    void report(const std::string& path, const ReadFailure& failure);
    void end(int status);

    ViewerHost& host;
    UserDialogs& dialogs;
    PlotSurface& plotA;
    PlotSurface& plotB;
    RecordDisplay display;
    std::string file;
    std::int16_t record = 0;
    std::optional<ShownRecord> shown;
    std::optional<int> endStatus;
    bool growWithWindow = false;
    bool running = false;
    bool repaintPending = false;
};

// Exit status when the user closes the window.
inline constexpr int kClosedExitStatus = 0;
// Exit status when the user declines to pick a file.
inline constexpr int kCancelledExitStatus = 0;
// Exit status of a program that ended because the data file could not be read.
inline constexpr int kReadFailureExitStatus = 1;

} // namespace sorkam

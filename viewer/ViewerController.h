#pragma once

#include "../plot/PlotSurface.h"
#include "RecordDisplay.h"
#include "ViewerHost.h"

#include <cstdint>
#include <string>

namespace sorkam {

// The viewer's command logic: takes the data file from the command line or the open-file dialog,
// keeps the current record number within -1..23 and turns the window's events into frame
// painting, record display and clearing. Holds the window-level state DataFile and RecordNo.
class ViewerController {
public:
    // Records 0..23 can be reached; ">" stops above 22 and "<" below 1.
    static constexpr std::int16_t kLastRecord = 23;

    ViewerController(ViewerHost& host, UserDialogs& dialogs, PlotSurface& pic0, PlotSurface& pic1);

    // Start-up: DataFile from the whole command-line text (or the dialog when it is empty),
    // record 0, the frame, and record 0 painted.
    void Form_Load(const std::string& commandLine);
    // The window was shown or changed size: frame and current record painted over what is there.
    void Form_Resize();
    // ">": the next record, or "end-of-file" at record 23.
    void cmdup_Click();
    // "<": the previous record, or "top-of-file" at record 0.
    void cmdDown_Click();
    // "&Clear": both surfaces back to the bare frame; the current record is not painted again.
    void cmdclear_Click();
    // Runs the open-file dialog until it yields a name other than "*.vid", or ends the program
    // when the user answers Cancel to the retry question.
    void SelectFile(std::string& name);

    // True once the program is ending; every handler does nothing from then on.
    [[nodiscard]] bool ended() const { return hasEnded; }
    [[nodiscard]] const std::string& DataFile() const { return dataFile; }
    [[nodiscard]] std::int16_t RecordNo() const { return recordNo; }

private:
    void showCurrent();
    void end(int status);

    ViewerHost& host;
    UserDialogs& dialogs;
    PlotSurface& pic0;
    PlotSurface& pic1;
    RecordDisplay display;
    std::string dataFile;
    std::int16_t recordNo = 0;
    bool hasEnded = false;
};

// Exit status when the user declines to pick a file.
inline constexpr int kCancelledExitStatus = 0;

} // namespace sorkam

#include "ViewerController.h"

#include "../plot/PlotFrame.h"

namespace sorkam {

namespace {

const std::string kPresetName = "*.vid;dat";
const std::string kFilter = "*.vid";
const std::string kDialogTitle = "open file";

} // namespace

ViewerController::ViewerController(ViewerHost& host, UserDialogs& dialogs, PlotSurface& pic0,
                                   PlotSurface& pic1)
    : host(host), dialogs(dialogs), pic0(pic0), pic1(pic1), display(host, dialogs, pic0, pic1) {
}

void ViewerController::end(int status) {
    hasEnded = true;
    host.EndProgram(status);
}

void ViewerController::showCurrent() {
    if (display.ShowRecord(dataFile, recordNo) == DisplayOutcome::Failed) {
        // The display has shown its message and asked the host to end the program.
        hasEnded = true;
    }
}

void ViewerController::Form_Load(const std::string& commandLine) {
    if (hasEnded) {
        return;
    }
    dataFile = commandLine;
    if (dataFile.empty()) {
        SelectFile(dataFile);
        if (hasEnded) {
            return;
        }
    }
    recordNo = 0;
    DrawFrame(pic0, pic1);
    showCurrent();
}

void ViewerController::Form_Resize() {
    if (hasEnded) {
        return;
    }
    DrawFrame(pic0, pic1);
    showCurrent();
}

void ViewerController::cmdup_Click() {
    if (hasEnded) {
        return;
    }
    if (recordNo > kLastRecord - 1) {
        dialogs.ShowMessage("end-of-file");
        return;
    }
    ++recordNo;
    showCurrent();
}

void ViewerController::cmdDown_Click() {
    if (hasEnded) {
        return;
    }
    if (recordNo < 1) {
        dialogs.ShowMessage("top-of-file");
        return;
    }
    --recordNo;
    showCurrent();
}

void ViewerController::cmdclear_Click() {
    if (hasEnded) {
        return;
    }
    pic1.Cls();
    pic0.Cls();
    DrawFrame(pic0, pic1);
}

void ViewerController::SelectFile(std::string& name) {
    for (;;) {
        name = dialogs.OpenFile(kPresetName, kFilter, kDialogTitle);
        if (name != "*.vid") {
            return;
        }
        if (!dialogs.AskRetry("Please select a *.vid or *.dat file")) {
            end(kCancelledExitStatus);
            return;
        }
    }
}

} // namespace sorkam

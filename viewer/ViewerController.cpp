#include "viewer/ViewerController.h"

#include "plot/PlotFrame.h"

namespace sorkam {

namespace {

const std::string kPresetName = "*.vid;dat";
const std::string kFilter = "*.vid";
const std::string kDialogTitle = "open file";

} // namespace

ViewerController::ViewerController(ViewerHost& host, UserDialogs& dialogs, PlotSurface& plotA,
                                   PlotSurface& plotB)
    : host(host), dialogs(dialogs), plotA(plotA), plotB(plotB), display(host, plotA, plotB) {
}

void ViewerController::end(int status) {
    hasEnded = true;
    host.endProgram(status);
}

void ViewerController::showCurrent() {
    const DisplayResult result = display.showRecord(file, record);
    switch (result.outcome) {
    case DisplayOutcome::Shown:
        break;
    case DisplayOutcome::EndOfFile:
        dialogs.showMessage("end-of-file");
        --record;
        break;
    case DisplayOutcome::Failed:
        dialogs.showMessage(failureMessage(file, result.errorCode));
        end(kReadFailureExitStatus);
        break;
    }
}

void ViewerController::start(const std::string& commandLine) {
    if (hasEnded) {
        return;
    }
    file = commandLine;
    if (file.empty()) {
        const std::optional<std::string> chosen = selectFile();
        if (!chosen) {
            end(kCancelledExitStatus);
            return;
        }
        file = *chosen;
    }
    record = 0;
    drawFrame(plotA, plotB);
    showCurrent();
}

void ViewerController::repaint() {
    if (hasEnded) {
        return;
    }
    drawFrame(plotA, plotB);
    showCurrent();
}

void ViewerController::showNext() {
    if (hasEnded) {
        return;
    }
    if (record > kLastRecord - 1) {
        dialogs.showMessage("end-of-file");
        return;
    }
    ++record;
    showCurrent();
}

void ViewerController::showPrevious() {
    if (hasEnded) {
        return;
    }
    if (record < 1) {
        dialogs.showMessage("top-of-file");
        return;
    }
    --record;
    showCurrent();
}

void ViewerController::clearPlots() {
    if (hasEnded) {
        return;
    }
    plotB.clear();
    plotA.clear();
    drawFrame(plotA, plotB);
}

std::optional<std::string> ViewerController::selectFile() {
    for (;;) {
        // A cancelled dialog counts as the bare pattern "*.vid": both ask again.
        const std::optional<std::string> name =
            dialogs.openFile(kPresetName, kFilter, kDialogTitle);
        if (name && *name != kFilter) {
            return name;
        }
        if (!dialogs.askRetry("Please select a *.vid or *.dat file")) {
            return std::nullopt;
        }
    }
}

} // namespace sorkam

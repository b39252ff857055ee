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
    if (!endStatus) {
        endStatus = status;
    }
}

void ViewerController::handle(const std::function<void()>& handler) {
    if (endStatus || running) {
        return;
    }
    running = true;
    handler();
    // A modal box inside the handler runs a nested event loop; a resize that arrived meanwhile is
    // painted now, so handlers never overlap.
    while (repaintPending && !endStatus) {
        repaintPending = false;
        repaint();
    }
    repaintPending = false;
    running = false;
}

void ViewerController::resized() {
    if (running) {
        repaintPending = true;
        return;
    }
    handle([this] { repaint(); });
}

void ViewerController::toggleGrowWithWindow() {
    growWithWindow = !growWithWindow;
    host.setGrowWithWindow(growWithWindow);
    repaint();
}

void ViewerController::closeWindow() {
    end(kClosedExitStatus);
}

void ViewerController::report(const std::string& path, const ReadFailure& failure) {
    const std::string message = failureMessage(path, errorCode(failure));
    host.explainFailure(message + ": " + failureReason(failure));
    dialogs.showMessage(message);
}

void ViewerController::showCurrent() {
    DisplayResult result = display.showRecord(file, record);
    switch (result.outcome) {
    case DisplayOutcome::Shown:
        shown = ShownRecord{record, std::move(*result.record)};
        break;
    case DisplayOutcome::EndOfFile:
        dialogs.showMessage("end-of-file");
        --record;
        break;
    case DisplayOutcome::Failed:
        report(file, *result.failure);
        end(kReadFailureExitStatus);
        break;
    }
}

void ViewerController::start(const std::string& commandLine) {
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
    drawFrame(plotA, plotB);
    showCurrent();
}

void ViewerController::showNext() {
    if (record > kLastRecord - 1) {
        dialogs.showMessage("end-of-file");
        return;
    }
    ++record;
    showCurrent();
}

void ViewerController::showPrevious() {
    if (record < 1) {
        dialogs.showMessage("top-of-file");
        return;
    }
    --record;
    showCurrent();
}

void ViewerController::clearPlots() {
    plotB.clear();
    plotA.clear();
    drawFrame(plotA, plotB);
    shown.reset();
}

void ViewerController::openAnother(const std::string& path) {
    // Tried first, so that a file that cannot be read leaves the current one on screen.
    const auto length = RecordFile::length(path);
    if (!length.ok()) {
        report(path, length.error());
        return;
    }
    if (!RecordFile::isPresent(0, length.value())) {
        // Shown, it would say "end-of-file" and fail on the next display, as at start-up; it is
        // refused now instead, with the code that failure would carry.
        const std::string message =
            failureMessage(path, errorCode(RecordError::PositionBeforeStart));
        host.explainFailure(message + ": The file holds no record");
        dialogs.showMessage(message);
        return;
    }
    if (const auto first = RecordFile::read(path, 0); !first.ok()) {
        report(path, first.error());
        return;
    }
    file = path;
    record = 0;
    clearPlots();
    showCurrent();
}

void ViewerController::openWithDialog() {
    if (const auto name = dialogs.openFile(kPresetName, kFilter, kDialogTitle, file)) {
        openAnother(*name);
    }
}

std::optional<std::int64_t> ViewerController::recordsInFile() const {
    const auto length = RecordFile::length(file);
    if (!length.ok()) {
        return std::nullopt;
    }
    return RecordFile::recordCount(length.value());
}

std::optional<std::string> ViewerController::selectFile() {
    for (;;) {
        // A cancelled dialog counts as the bare pattern "*.vid": both ask again.
        const std::optional<std::string> name =
            dialogs.openFile(kPresetName, kFilter, kDialogTitle, file);
        if (name && *name != kFilter) {
            return name;
        }
        if (!dialogs.askRetry("Please select a *.vid or *.dat file")) {
            return std::nullopt;
        }
    }
}

} // namespace sorkam

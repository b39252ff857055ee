#include "viewer/ViewerController.h"

#include "chart/Traces.h"
#include "chart/ViewText.h"
#include "plot/PlotFrame.h"

#include <algorithm>

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
    while ((repaintPending || changePending) && !endStatus) {
        if (repaintPending) {
            repaintPending = false;
            repaint();
        } else {
            changePending = false;
            fileChanged();
        }
    }
    repaintPending = false;
    changePending = false;
    followDensity();
    running = false;
}

void ViewerController::fileNoticed() {
    if (running) {
        changePending = true;
        return;
    }
    handle([this] { fileChanged(); });
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
    repaintOverlay(); // the plots start blank at a new size: every record on them again
    repaint();
}

void ViewerController::jumpTo(std::int16_t n) {
    // A record that is not in the file gets the box stepping past the end gets, and the current
    // record stays: a jump has no neighbour to step back to.
    const auto length = RecordFile::length(file);
    if (length.ok() && !RecordFile::isPresent(n, length.value())) {
        dialogs.showMessage("end-of-file");
        return;
    }
    record = n;
    showCurrent(); // a file that cannot be examined now fails here, as any display does
}

void ViewerController::showFirst() {
    jumpTo(0);
}

void ViewerController::showLast() {
    const std::int64_t count = recordsInFile().value_or(0);
    jumpTo(static_cast<std::int16_t>(std::clamp<std::int64_t>(count - 1, 0, kLastRecord)));
}

void ViewerController::goToRecord() {
    if (const std::optional<int> n = dialogs.askRecordNumber(record, kLastRecord)) {
        jumpTo(static_cast<std::int16_t>(std::clamp(*n, 0, static_cast<int>(kLastRecord))));
    }
}

void ViewerController::reload() {
    const chart::Overlay before = records;
    const std::vector<std::int64_t> hidden = shown.hidden;
    const std::int16_t current = record;
    clearPlots();
    bool told = false; // a file that shrank says "end-of-file" once, however many records it lost
    for (const chart::OverlayRecord& onPlots : before.records()) {
        const auto length = RecordFile::length(file);
        if (length.ok() && !RecordFile::isPresent(onPlots.number, length.value())) {
            if (!told) {
                dialogs.showMessage("end-of-file");
                told = true;
            }
            continue;
        }
        record = onPlots.number;
        showCurrent();
        if (endStatus) {
            return;
        }
    }
    shown.hidden = hidden;
    // The current record stays, or steps back to the file's last where the file lost it.
    const std::optional<std::int64_t> count = recordsInFile();
    record = count && current >= *count
                 ? static_cast<std::int16_t>(std::max<std::int64_t>(*count - 1, -1))
                 : current;
}

void ViewerController::saveView() {
    const std::optional<std::string> path = dialogs.savePictureName(suggestedPictureName());
    if (!path) {
        return;
    }
    if (const Result<void, std::string> saved = host.saveView(*path); !saved.ok()) {
        dialogs.showMessage(saved.error());
    }
}

std::string ViewerController::suggestedPictureName() const {
    const std::size_t slash = file.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : file.substr(0, slash + 1);
    std::string stem = file.substr(folder.size());
    if (const std::size_t dot = stem.rfind('.'); dot != std::string::npos && dot > 0) {
        stem.resize(dot);
    }
    std::vector<std::int64_t> numbers;
    for (const chart::OverlayRecord& onPlots : records.records()) {
        numbers.push_back(onPlots.number);
    }
    const std::string runs = chart::recordRunsText(chart::recordRuns(numbers));
    std::string suffix = numbers.empty()       ? std::string()
                         : numbers.size() == 1 ? "-record-" + runs
                         : runs.size() <= 60   ? "-records-" + runs
                                               : "-" + std::to_string(numbers.size()) + "-records";
    suffix += ".png";
    // Within the longest name a folder can hold, cut between characters.
    constexpr std::size_t kLongestName = 255;
    if (stem.size() + suffix.size() > kLongestName) {
        stem.resize(kLongestName - suffix.size());
        while (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0xC0) == 0x80) {
            stem.pop_back();
        }
        if (!stem.empty() && static_cast<unsigned char>(stem.back()) >= 0xC0) {
            stem.pop_back();
        }
    }
    return folder + (stem.empty() ? "sorkam" : stem) + suffix;
}

void ViewerController::showRecords(const std::vector<std::int64_t>& numbers) {
    for (const std::int64_t n : numbers) {
        DisplayResult result = display.showRecord(file, n);
        if (!result.ok()) {
            if (const auto* failure = std::get_if<ReadFailure>(&result.error())) {
                report(file, *failure);
                end(kReadFailureExitStatus);
            } else {
                dialogs.showMessage("end-of-file");
            }
            return;
        }
        records.add(n, std::move(result.value()));
        chart::unhide(shown, n);
        if (n <= kLastRecord) {
            record = static_cast<std::int16_t>(n);
        }
    }
}

void ViewerController::removeRecords(const std::vector<std::int64_t>& numbers) {
    for (const std::int64_t n : numbers) {
        records.remove(n);
        chart::unhide(shown, n);
    }
    plotB.clear();
    plotA.clear();
    repaintOverlay();
    const chart::OverlayRecord* last = lastShown();
    display.showStatus(last != nullptr ? &last->record : nullptr,
                       last != nullptr ? last->color : Color{});
}

void ViewerController::toggleRecordShown(std::int64_t n) {
    if (records.holds(n)) {
        chart::toggleHidden(shown, n);
    }
}

void ViewerController::toggleFollowing() {
    follow = !follow;
    followFromEnd();
}

void ViewerController::stopFollowing() {
    if (follow) {
        toggleFollowing();
    }
}

void ViewerController::followFromEnd() {
    const auto length = RecordFile::length(file);
    wholeRecordsSeen = length.ok() ? length.value() / format::kRecordSize : 0;
    host.setFollowing(follow);
}

void ViewerController::fileChanged() {
    if (!follow) {
        return;
    }
    const auto length = RecordFile::length(file);
    if (!length.ok()) {
        return; // a recorder replacing the file: the next change tells
    }
    // Only whole records: one still being written waits for its last byte. A file cut short (a
    // recorder starting again) is followed as it is now.
    const std::int64_t whole = length.value() / format::kRecordSize;
    wholeRecordsSeen = std::min(wholeRecordsSeen, whole);
    for (std::int64_t n = wholeRecordsSeen; n < whole && n <= kLastRecord && !endStatus; ++n) {
        record = static_cast<std::int16_t>(n);
        showCurrent();
    }
    wholeRecordsSeen = whole;
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
    if (result.ok()) {
        records.add(record, std::move(result.value()));
        chart::unhide(shown, record);
    } else if (const auto* failure = std::get_if<ReadFailure>(&result.error())) {
        report(file, *failure);
        end(kReadFailureExitStatus);
    } else {
        dialogs.showMessage("end-of-file");
        --record;
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

void ViewerController::repaintOverlay() {
    drawFrame(plotA, plotB);
    for (const chart::OverlayRecord& onPlots : records.records()) {
        chart::paintTraces(onPlots.record, onPlots.color, plotA, plotB);
    }
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
    records.clear();
    shown.hidden.clear();
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
    // It starts over as at start-up: the whole chart, no cursors; the legend stays as it was.
    const bool legend = shown.legend;
    shown = {};
    shown.legend = legend;
    densityWanted = false;
    density.stop();
    showCurrent();
    if (follow) {
        followFromEnd(); // the new file, from its present end
    }
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

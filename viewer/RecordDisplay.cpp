#include "viewer/RecordDisplay.h"

#include "chart/RecordColors.h"
#include "chart/Traces.h"

namespace sorkam {

std::string failureMessage(const std::string& dataFile, int code) {
    return dataFile + " Error= " + std::to_string(code);
}

RecordDisplay::RecordDisplay(ViewerHost& host, PlotSurface& plotA, PlotSurface& plotB)
    : host(host), plotA(plotA), plotB(plotB) {
}

DisplayResult RecordDisplay::showRecord(const std::string& dataFile, std::int64_t n) {
    host.setTitle(dataFile);

    const Result<std::int64_t, ReadFailure> length = RecordFile::length(dataFile);
    if (!length.ok()) {
        return NotShown(length.error());
    }
    if (!RecordFile::isPresent(n, length.value())) {
        return NotShown(EndOfFile{});
    }
    const Result<Record, ReadFailure> read = RecordFile::read(dataFile, n);
    if (!read.ok()) {
        return NotShown(read.error());
    }
    const Record& record = read.value();
    const Color color = chart::recordColor(n);

    chart::paintTraces(record, color, plotA, plotB);

    showStatus(&record, color);
    return record;
}

void RecordDisplay::showStatus(const Record* record, Color color) {
    host.setStatusText("");
    if (record != nullptr) {
        host.setStatusColor(color);
        host.setStatusText(record->header8 + " " + record->header10);
    }
}

DisplayOutcome outcomeOf(const DisplayResult& result) {
    if (result.ok()) {
        return DisplayOutcome::Shown;
    }
    return std::holds_alternative<EndOfFile>(result.error()) ? DisplayOutcome::EndOfFile
                                                             : DisplayOutcome::Failed;
}

} // namespace sorkam

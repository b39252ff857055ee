#include "viewer/RecordDisplay.h"

#include "plot/PlotFrame.h"
#include "viewer/RecordColors.h"

namespace sorkam {

void paintTraces(const Record& record, Color color, PlotSurface& plotA, PlotSurface& plotB) {
    const auto& [ch1, ch2, ch3, ch4] = record.channels;
    // Segment i runs from sample i to sample i + 1.
    for (int i = 0; i < kTraceSegments; ++i) {
        const float x1 = static_cast<float>(i) + kTraceOriginX;
        const float x2 = x1 + 1.0f;
        constexpr float y0 = kTraceOriginY;
        plotA.drawLine(x1, ch1[i] + y0, x2, ch1[i + 1] + y0, color);
        plotB.drawLine(x1, ch2[i] + y0, x2, ch2[i + 1] + y0, color);
        plotA.drawLine(x1, ch3[i] + y0, x2, ch3[i + 1] + y0, color);
        plotB.drawLine(x1, ch4[i] + y0, x2, ch4[i + 1] + y0, color);
    }
}

std::string failureMessage(const std::string& dataFile, int code) {
    return dataFile + " Error= " + std::to_string(code);
}

RecordDisplay::RecordDisplay(ViewerHost& host, PlotSurface& plotA, PlotSurface& plotB)
    : host(host), plotA(plotA), plotB(plotB) {
}

DisplayResult RecordDisplay::showRecord(const std::string& dataFile, std::int16_t n) {
    host.setTitle(dataFile);

    const Result<std::int64_t, ReadFailure> length = RecordFile::length(dataFile);
    if (!length.ok()) {
        return {DisplayOutcome::Failed, std::nullopt, length.error()};
    }
    if (!RecordFile::isPresent(n, length.value())) {
        return {DisplayOutcome::EndOfFile, std::nullopt, std::nullopt};
    }
    const Result<Record, ReadFailure> read = RecordFile::read(dataFile, n);
    if (!read.ok()) {
        return {DisplayOutcome::Failed, std::nullopt, read.error()};
    }
    const Record& record = read.value();
    const Color color = recordColor(n);

    paintTraces(record, color, plotA, plotB);

    host.setStatusText("");
    host.setStatusColor(color);
    host.setStatusText(record.header8 + " " + record.header10);
    return {DisplayOutcome::Shown, record, std::nullopt};
}

} // namespace sorkam

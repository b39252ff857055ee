#include "RecordDisplay.h"

#include "../record/RecordFile.h"
#include "TraceColors.h"

namespace sorkam {

namespace {

// A trace joins samples 0..801 of a channel: segment i runs from (i + 35, c[i] + 25) to
// (i + 36, c[i + 1] + 25).
constexpr int kSegments = 801;
constexpr float kTraceX = 35.0f;
constexpr float kTraceY = 25.0f;

} // namespace

void paintTraces(const Record& record, Color color, PlotSurface& pic0, PlotSurface& pic1) {
    const auto& [ch1, ch2, ch3, ch4] = record.channels;
    for (int i = 0; i < kSegments; ++i) {
        const float x1 = static_cast<float>(i) + kTraceX;
        const float x2 = x1 + 1.0f;
        pic0.Line(x1, ch1[i] + kTraceY, x2, ch1[i + 1] + kTraceY, color);
        pic1.Line(x1, ch2[i] + kTraceY, x2, ch2[i + 1] + kTraceY, color);
        pic0.Line(x1, ch3[i] + kTraceY, x2, ch3[i + 1] + kTraceY, color);
        pic1.Line(x1, ch4[i] + kTraceY, x2, ch4[i + 1] + kTraceY, color);
    }
}

std::string failureMessage(const std::string& dataFile, int code) {
    return dataFile + " Error= " + std::to_string(code);
}

RecordDisplay::RecordDisplay(ViewerHost& host, UserDialogs& dialogs, PlotSurface& pic0,
                             PlotSurface& pic1)
    : host(host), dialogs(dialogs), pic0(pic0), pic1(pic1) {
}

DisplayOutcome RecordDisplay::fail(const std::string& dataFile, int code) {
    dialogs.ShowMessage(failureMessage(dataFile, code));
    host.EndProgram(kReadFailureExitStatus);
    return DisplayOutcome::Failed;
}

DisplayOutcome RecordDisplay::ShowRecord(const std::string& dataFile, std::int16_t& recordNo) {
    const std::int16_t n = recordNo;
    host.SetTitle(dataFile);

    const Result<std::int64_t> length = RecordFile::length(dataFile);
    if (!length.ok()) {
        return fail(dataFile, errorCode(length.error()));
    }
    if (!RecordFile::isPresent(n, length.value())) {
        dialogs.ShowMessage("end-of-file");
        recordNo = static_cast<std::int16_t>(n - 1);
        return DisplayOutcome::EndOfFile;
    }
    const Result<Record> read = RecordFile::read(dataFile, n);
    if (!read.ok()) {
        return fail(dataFile, errorCode(read.error()));
    }
    const Record& record = read.value();
    // Only numbers 0..23 have a colour; a read succeeds only for n >= 0 and the controller keeps
    // n at most 23, so the index is always in range. Guard it all the same.
    const Color color = TraceColors[static_cast<std::size_t>(n) % kTraceColorCount];

    paintTraces(record, color, pic0, pic1);

    host.SetStatusCaption("");
    host.SetStatusColor(color);
    host.SetStatusCaption(record.HeaderText8 + " " + record.HeaderText10);
    return DisplayOutcome::Shown;
}

} // namespace sorkam

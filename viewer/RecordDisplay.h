#pragma once

#include "plot/PlotSurface.h"
#include "record/RecordFile.h"
#include "viewer/ViewerHost.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sorkam {

// What showing a record came to.
enum class DisplayOutcome {
    Shown,     // the record was painted and the status line set
    EndOfFile, // the record is not in the file; nothing was painted
    Failed,    // a file operation failed; nothing was painted
};

struct DisplayResult {
    DisplayOutcome outcome = DisplayOutcome::Shown;
    std::optional<Record> record;       // with Shown: what was painted
    std::optional<ReadFailure> failure; // with Failed: what went wrong
};

// Puts one record on screen: its four channels as traces over whatever both surfaces show,
// and its header texts in the status line, all in the record's colour.
class RecordDisplay {
public:
    RecordDisplay(ViewerHost& host, PlotSurface& plotA, PlotSurface& plotB);

    // Sets the title to dataFile, then reads record n and paints it. Reports a record that is
    // not in the file, or a file operation that failed, without telling the user.
    [[nodiscard]] DisplayResult showRecord(const std::string& dataFile, std::int16_t n);

private:
    ViewerHost& host;
    PlotSurface& plotA;
    PlotSurface& plotB;
};

// The failure message of a display: the path, " Error= " and the code in decimal.
[[nodiscard]] std::string failureMessage(const std::string& dataFile, int code);

} // namespace sorkam

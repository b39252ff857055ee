#pragma once

#include "plot/PlotSurface.h"
#include "record/RecordFile.h"
#include "viewer/ViewerHost.h"

#include <cstdint>
#include <string>
#include <variant>

namespace sorkam {

// Why a record was not shown, nothing painted: it is not in the file, or a file operation failed.
struct EndOfFile {};
using NotShown = std::variant<EndOfFile, ReadFailure>;
// What showing a record came to: the record painted, or why it was not.
using DisplayResult = Result<Record, NotShown>;

// The three ways a display ends, for those that only tell them apart.
enum class DisplayOutcome { Shown, EndOfFile, Failed };
[[nodiscard]] DisplayOutcome outcomeOf(const DisplayResult& result);

// Puts one record on screen: its four channels as traces over whatever both surfaces show,
// and its header texts in the status line, all in the record's colour.
class RecordDisplay {
public:
    RecordDisplay(ViewerHost& host, PlotSurface& plotA, PlotSurface& plotB);

    // Sets the title to dataFile, then reads record n and paints it. Reports a record that is
    // not in the file, or a file operation that failed, without telling the user.
    [[nodiscard]] DisplayResult showRecord(const std::string& dataFile, std::int64_t n);
    // The status line for a record on the plots: its header texts in its colour; blank for none.
    void showStatus(const Record* record, Color color);

private:
    ViewerHost& host;
    PlotSurface& plotA;
    PlotSurface& plotB;
};

// The failure message of a display: the path, " Error= " and the code in decimal.
[[nodiscard]] std::string failureMessage(const std::string& dataFile, int code);

} // namespace sorkam

#pragma once

#include "../plot/PlotSurface.h"
#include "../record/RecordFile.h"
#include "ViewerHost.h"

#include <cstdint>
#include <string>

namespace sorkam {

enum class DisplayOutcome {
    Shown,     // the record was painted and the status label set
    EndOfFile, // the record is not in the file; the caller's number went back by one
    Failed,    // a file operation failed; the message was shown and the program is ending
};

// Puts one record on screen: its four channels as traces over whatever both surfaces show,
// and its header texts in the status label, all in the record's colour.
class RecordDisplay {
public:
    RecordDisplay(ViewerHost& host, UserDialogs& dialogs, PlotSurface& pic0, PlotSurface& pic1);

    // Shows record recordNo of dataFile. On end-of-file tells the user and steps recordNo back
    // by one; on failure shows dataFile + " Error= " + code and ends the program.
    DisplayOutcome ShowRecord(const std::string& dataFile, std::int16_t& recordNo);

private:
    DisplayOutcome fail(const std::string& dataFile, int code);

    ViewerHost& host;
    UserDialogs& dialogs;
    PlotSurface& pic0;
    PlotSurface& pic1;
};

// Paints a record's four channels as traces in color over what the surfaces show: channels 1
// and 3 on pic0, 2 and 4 on pic1, 801 segments each.
void paintTraces(const Record& record, Color color, PlotSurface& pic0, PlotSurface& pic1);

// The failure message of a display: the path, " Error= " and the code in decimal.
[[nodiscard]] std::string failureMessage(const std::string& dataFile, int code);

// Status of a program that ended because the data file could not be read.
inline constexpr int kReadFailureExitStatus = 1;

} // namespace sorkam

#pragma once

#include "record/RecordFile.h"
#include "record/Result.h"

#include <string>

namespace sorkam::exporting {

// Exit statuses of sorkam-export.
enum Status : int {
    kOk = 0,
    kUsage = 2,        // the command line is not understood
    kDataFile = 3,     // the data file cannot be read
    kNoRecord = 4,     // a selected record is not in the file
    kOutput = 5,       // the output cannot be written
    kOutputIsData = 6, // the output would overwrite the data file
};

// A failed command: its exit status and the one line that says why, naming the file.
struct Failure {
    int status;
    std::string message;
};

// What a step of a command came to: done, or the failure that ended it.
using ExportResult = Result<void, Failure>;

// "sorkam-export: NAME: reason", the name shown as chart::escapedName shows it.
[[nodiscard]] Failure failure(int status, const std::string& name, const std::string& reason);

// The data file cannot be read: "cannot be read: " and the reader's reason in words, the
// system's where a system call failed ("Permission denied").
[[nodiscard]] Failure dataFileFailure(const std::string& name, const ReadFailure& why);

// The system's reason for an errno value, in words.
[[nodiscard]] std::string systemReason(int error);

} // namespace sorkam::exporting

#pragma once

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

// "sorkam-export: NAME: reason", the name shown as displayName shows it.
[[nodiscard]] Failure failure(int status, const std::string& name, const std::string& reason);

// A file name from the command line as messages and listings show it: valid UTF-8 as it is;
// any other byte, and control characters that would act on a terminal, as \xHH.
[[nodiscard]] std::string displayName(const std::string& name);

// The system's reason for an errno value, in words.
[[nodiscard]] std::string systemReason(int error);

} // namespace sorkam::exporting

#pragma once

#include "export/RecordSelection.h"

#include <string>
#include <variant>
#include <vector>

namespace sorkam::exporting {

// What the command line asks for.
struct ExportOptions {
    enum class Command { Help, Version, Info, Png, Csv };
    Command command = Command::Help;
    std::string file;        // the data file, bytes as given
    RecordSelection records; // png, csv; info where recordsGiven
    bool recordsGiven = false;
    std::string output = "-";  // png, csv; "-" is standard output
    std::string eachDirectory; // png --each
    bool each = false;
    int scale = 1; // png: 1 to 4
    bool json = false;
};

// A command line that is not understood, and why, in one line.
struct UsageError {
    std::string message;
};

// Reads the arguments after the program name, GNU style: options before, between or after the
// command and the file, "--" ends the options. Options that do not belong to the command are
// refused rather than ignored.
[[nodiscard]] std::variant<ExportOptions, UsageError>
parseExportOptions(const std::vector<std::string>& arguments);

// The text of --help.
[[nodiscard]] std::string exportHelpText();

} // namespace sorkam::exporting

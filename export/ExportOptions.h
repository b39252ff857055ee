#pragma once

#include "chart/Density.h"
#include "chart/ViewText.h"
#include "export/RecordSelection.h"
#include "record/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorkam::exporting {

// What the command line asks for.
struct ExportOptions {
    enum class Command { Help, Version, Info, Png, Svg, Pdf, Csv, Rank };
    Command command = Command::Help;
    std::string file;        // the data file, bytes as given
    RecordSelection records; // png, csv; info and rank where recordsGiven
    bool recordsGiven = false;
    std::string output = "-";  // png, svg, pdf, csv; "-" is standard output
    std::string eachDirectory; // png --each
    bool each = false;
    int scale = 1;                   // png: 1 to 4
    bool json = false;               // info, rank
    std::int64_t against = -1;       // rank: the reference record
    std::optional<std::int64_t> top; // rank: only the most distant
    chart::View view;                // png, svg, pdf: --range, --values, --cursors, --legend
    bool density = false;            // png: the selected records' density
    chart::DensityScale densityScale = chart::DensityScale::Log;
    RecordSelection over; // png --density: the records painted over it

    // Whether a PNG shows more than the chart and traces: a view's legend, cursors, zoomed
    // ranges or a density.
    [[nodiscard]] bool showsView() const {
        return (command == Command::Png &&
                (view.legend || view.cursorA || view.cursorB || !view.zoomedOut() || density));
    }
};

// A command line that is not understood, and why, in one line.
struct UsageError {
    std::string message;
};

// Reads the arguments after the program name, GNU style: options before, between or after the
// command and the file, "--" ends the options. Options that do not belong to the command are
// refused rather than ignored.
[[nodiscard]] Result<ExportOptions, UsageError>
parseExportOptions(const std::vector<std::string>& arguments);

// The name the command line gives a command ("png"); empty for --help and --version.
[[nodiscard]] std::string_view commandName(ExportOptions::Command command);

// The text of --help.
[[nodiscard]] std::string exportHelpText();

} // namespace sorkam::exporting

#pragma once

#include "chart/View.h"
#include "export/Failure.h"
#include "export/PictureWriters.h"
#include "export/RecordSelection.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace sorkam::exporting {

// Each command reads the data file record by record as it goes and writes as it goes, so memory
// does not grow with the file or the selection. An output is "-" for standard output or a name
// as OutputFile takes it. A record that is not in the file when its turn comes ends the command
// with kNoRecord.

// File length and record count at once, then the header texts of each selected record (every
// record when none are selected): aligned text, or JSON.
[[nodiscard]] ExportResult info(const std::string& file,
                                const std::optional<RecordSelection>& records, bool json,
                                const std::string& output = "-");

// The selected records painted in order in their colours over one frame, as a PNG picture.
[[nodiscard]] ExportResult png(const std::string& file, const RecordSelection& records,
                               const std::string& output, int scale);

// The selected records painted as options' view shows them (its ranges, cursors, legend, or the
// density of the selected records with those of --over painted over it), as one PNG picture or,
// with --each, one a record.
struct ExportOptions;
[[nodiscard]] ExportResult viewPng(const ExportOptions& options, const Progress& progress);

// One picture per selected record in directory (made where it is not there), named
// record-NNNNNN.png, painted in this thread and encoded and written on up to eight threads, one
// a core.
[[nodiscard]] ExportResult pngEach(const std::string& file, const RecordSelection& records,
                                   const std::string& directory, int scale,
                                   const Progress& progress);

// The selected records painted in order in their colours in view, as an SVG document or a
// one-page PDF document written as they are read (with the legend, cursors and ranges view
// gives).
[[nodiscard]] ExportResult svg(const std::string& file, const RecordSelection& records,
                               const chart::View& view, const std::string& output);
[[nodiscard]] ExportResult pdf(const std::string& file, const RecordSelection& records,
                               const chart::View& view, const std::string& output);

// The selected records' samples as CsvWriter writes them.
[[nodiscard]] ExportResult csv(const std::string& file, const RecordSelection& records,
                               const std::string& output);

} // namespace sorkam::exporting

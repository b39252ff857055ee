#pragma once

#include "chart/ViewText.h"
#include "export/Failure.h"
#include "export/OutputFile.h"
#include "export/RecordSelection.h"
#include "record/RecordFile.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sorkam::exporting {

// The data file as a command found it at the start, and the records the command goes through.
struct DataFile {
    std::string path;
    std::int64_t length = 0;
    FileIdentity identity;
    RecordSelection records;
};

// Opens the data file and selects the records in it: those given, or every record it holds.
[[nodiscard]] Result<DataFile, Failure> openSelected(const std::string& file,
                                                     const std::optional<RecordSelection>& records);

// A command's data file and its output, both open.
struct Opened {
    DataFile data;
    OutputFile out;
};

// Opens the output for a data file that opened.
[[nodiscard]] Result<Opened, Failure> withOutput(Result<DataFile, Failure> data,
                                                 const std::string& output);

// Record n as the file holds it now: a file that shrank since the start no longer has it.
[[nodiscard]] Result<Record, Failure> readRecord(const DataFile& data, std::int64_t n);

// Reads the selected records when their turn comes and hands each to use(n, record); the first
// failure ends the walk.
template <typename Use> ExportResult forEachRecord(const DataFile& data, Use use) {
    for (const RecordRange& range : data.records) {
        for (std::int64_t n = range.first; n <= range.last; ++n) {
            const Result<Record, Failure> record = readRecord(data, n);
            if (!record.ok()) {
                return record.error();
            }
            if (auto done = use(n, record.value()); !done.ok()) {
                return done;
            }
        }
    }
    return {};
}

// A selection as the runs a picture's text names.
[[nodiscard]] chart::RecordRuns runsOf(const RecordSelection& records);

// The program, as pictures name it.
inline constexpr const char* kSoftware = "sorkam-export " SORKAM_VERSION;

// The folder for --each, made with the folders above it where it is not there.
[[nodiscard]] ExportResult makeFolder(const std::string& directory);

// The path of record n's picture in a folder of --each.
[[nodiscard]] std::string picturePath(const std::string& directory, std::int64_t n);

// png --each: the folder made, then each selected record read when its turn comes and handed to
// picture(k, n, record, path) with its place k in the selection and the path of its picture in
// the folder, record-NNNNNN.png; the first failure ends the walk.
template <typename Picture>
ExportResult forEachPicture(const DataFile& data, const std::string& directory, Picture picture) {
    if (auto made = makeFolder(directory); !made.ok()) {
        return made;
    }
    std::int64_t k = 0;
    return forEachRecord(data, [&](std::int64_t n, const Record& record) {
        return picture(k++, n, record, picturePath(directory, n));
    });
}

} // namespace sorkam::exporting

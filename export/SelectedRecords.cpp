#include "export/SelectedRecords.h"

#include <cstdio>
#include <filesystem>

namespace sorkam::exporting {

namespace {

namespace fs = std::filesystem;

Result<DataFile, Failure> openDataFile(const std::string& path) {
    const Result<std::int64_t, ReadFailure> length = RecordFile::length(path);
    if (!length.ok()) {
        return dataFileFailure(path, length.error());
    }
    return DataFile{path, length.value(), identityOf(path), {}};
}

Failure notInFile(const DataFile& data, std::int64_t n, std::int64_t length) {
    const std::int64_t count = RecordFile::recordCount(length);
    const std::string holds = count == 0   ? "it holds no records"
                              : count == 1 ? "it holds 1 record, 0"
                                           : "it holds " + std::to_string(count) +
                                                 " records, 0 to " + std::to_string(count - 1);
    return failure(kNoRecord, data.path,
                   "record " + std::to_string(n) + " is not in the file (" + holds + ")");
}

// The selection for the file as it is at the start: every record in it, open ranges ending at
// its last record.
ExportResult selectIn(DataFile& data, const RecordSelection& records) {
    const std::int64_t count = RecordFile::recordCount(data.length);
    Result<RecordSelection, std::int64_t> resolved = resolveSelection(records, count);
    if (!resolved.ok()) {
        return notInFile(data, resolved.error(), data.length);
    }
    data.records = std::move(resolved.value());
    return {};
}

} // namespace

// Record n as the file holds it now: a file that shrank since the start no longer has it.
Result<Record, Failure> readRecord(const DataFile& data, std::int64_t n) {
    const Result<std::int64_t, ReadFailure> length = RecordFile::length(data.path);
    if (!length.ok()) {
        return dataFileFailure(data.path, length.error());
    }
    if (!RecordFile::isPresent(n, length.value())) {
        return notInFile(data, n, length.value());
    }
    Result<Record, ReadFailure> read = RecordFile::read(data.path, n);
    if (!read.ok()) {
        return dataFileFailure(data.path, read.error());
    }
    return std::move(read.value());
}

// Opens the data file and selects the records in it: those given, or every record it holds.
Result<DataFile, Failure> openSelected(const std::string& file,
                                       const std::optional<RecordSelection>& records) {
    Result<DataFile, Failure> data = openDataFile(file);
    if (!data.ok()) {
        return data;
    }
    const std::int64_t count = RecordFile::recordCount(data.value().length);
    const RecordSelection every = count > 0 ? RecordSelection{{0, count - 1}} : RecordSelection{};
    if (auto selected = selectIn(data.value(), records.value_or(every)); !selected.ok()) {
        return selected.error();
    }
    return data;
}

// Opens the output for a data file that opened.
Result<Opened, Failure> withOutput(Result<DataFile, Failure> data, const std::string& output) {
    if (!data.ok()) {
        return data.error();
    }
    Result<OutputFile, Failure> out = OutputFile::open(output, data.value().identity);
    if (!out.ok()) {
        return out.error();
    }
    return Opened{std::move(data.value()), std::move(out.value())};
}

chart::RecordRuns runsOf(const RecordSelection& records) {
    chart::RecordRuns runs;
    for (const RecordRange& range : records) {
        runs.emplace_back(range.first, range.last);
    }
    return runs;
}

ExportResult makeFolder(const std::string& directory) {
    std::error_code error;
    fs::create_directories(directory, error);
    if (!error && !fs::is_directory(directory, error)) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (error) {
        return failure(kOutput, directory, "cannot be written: " + systemReason(error.value()));
    }
    return {};
}

std::string picturePath(const std::string& directory, std::int64_t n) {
    char name[32];
    std::snprintf(name, sizeof name, "record-%06lld.png", static_cast<long long>(n));
    return (fs::path(directory) / name).string();
}

} // namespace sorkam::exporting

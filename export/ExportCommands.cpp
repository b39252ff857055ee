#include "export/ExportCommands.h"

#include "chart/ShownText.h"
#include "export/Formats.h"
#include "export/OutputFile.h"
#include "export/PalettePicture.h"
#include "export/PictureWriters.h"
#include "record/RecordFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace sorkam::exporting {

namespace {

namespace fs = std::filesystem;

// The data file as a command found it at the start, and the records the command goes through.
struct DataFile {
    std::string path;
    std::int64_t length = 0;
    FileIdentity identity;
    RecordSelection records;
};

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

// A command's data file and its output, both open.
struct Opened {
    DataFile data;
    OutputFile out;
};

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

// Writes a picture's PNG bytes to out.
ExportResult writePng(OutputFile& out, const std::string& output, const PalettePicture& picture) {
    const std::string bytes = pngOf(picture);
    if (bytes.empty()) {
        return failure(kOutput, output, "cannot be written: the picture cannot be compressed");
    }
    return out.write(bytes);
}

// The folder for --each, made with the folders above it where it is not there.
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

} // namespace

ExportResult info(const std::string& file, const std::optional<RecordSelection>& records, bool json,
                  const std::string& output) {
    Result<Opened, Failure> opened = withOutput(openSelected(file, records), output);
    if (!opened.ok()) {
        return opened.error();
    }
    auto& [data, out] = opened.value();
    InfoListing listing(out);
    InfoJson object(out);
    InfoWriter& writer = json ? static_cast<InfoWriter&>(object) : listing;
    const std::int64_t count = RecordFile::recordCount(data.length);
    if (auto done = writer.begin(chart::escapedName(file), data.length, count); !done.ok()) {
        return done;
    }
    // The length and count at once, however long the listing takes.
    if (auto done = out.flush(); !done.ok()) {
        return done;
    }
    if (auto done = forEachRecord(
            data, [&](std::int64_t n, const Record& record) { return writer.add(n, record); });
        !done.ok()) {
        return done;
    }
    if (auto done = writer.end(); !done.ok()) {
        return done;
    }
    return out.commit();
}

ExportResult png(const std::string& file, const RecordSelection& records, const std::string& output,
                 int scale) {
    Result<Opened, Failure> opened = withOutput(openSelected(file, records), output);
    if (!opened.ok()) {
        return opened.error();
    }
    auto& [data, out] = opened.value();
    PalettePicture picture(scale);
    if (auto done = forEachRecord(data,
                                  [&](std::int64_t n, const Record& record) -> ExportResult {
                                      picture.add(record, n);
                                      return {};
                                  });
        !done.ok()) {
        return done;
    }
    if (auto done = writePng(out, output, picture); !done.ok()) {
        return done;
    }
    return out.commit();
}

ExportResult pngEach(const std::string& file, const RecordSelection& records,
                     const std::string& directory, int scale, const Progress& progress) {
    const Result<DataFile, Failure> data = openSelected(file, records);
    if (!data.ok()) {
        return data.error();
    }
    if (auto done = makeFolder(directory); !done.ok()) {
        return done;
    }
    PalettePicture picture(scale);
    PictureWriters writers(picture, data.value().identity, selectedCount(data.value().records),
                           progress);
    std::int64_t k = 0; // the picture's place in the selection
    const ExportResult walked =
        forEachRecord(data.value(), [&](std::int64_t n, const Record& record) -> ExportResult {
            picture.clear();
            picture.add(record, n);
            char name[32];
            std::snprintf(name, sizeof name, "record-%06lld.png", static_cast<long long>(n));
            if (!writers.submit(k, n, (fs::path(directory) / name).string(), picture.pixels())) {
                return writers.finish(); // an earlier picture failed
            }
            ++k;
            return {};
        });
    if (!walked.ok()) {
        writers.fail(k, walked.error());
    }
    return writers.finish();
}

ExportResult csv(const std::string& file, const RecordSelection& records,
                 const std::string& output) {
    Result<Opened, Failure> opened = withOutput(openSelected(file, records), output);
    if (!opened.ok()) {
        return opened.error();
    }
    auto& [data, out] = opened.value();
    CsvWriter writer(out);
    if (auto done = writer.begin(); !done.ok()) {
        return done;
    }
    if (auto done = forEachRecord(
            data, [&](std::int64_t n, const Record& record) { return writer.add(n, record); });
        !done.ok()) {
        return done;
    }
    return out.commit();
}

} // namespace sorkam::exporting

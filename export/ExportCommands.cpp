#include "export/ExportCommands.h"

#include "chart/ShownText.h"
#include "export/Formats.h"
#include "export/OutputFile.h"
#include "export/PlotPicture.h"
#include "record/RecordFile.h"

#include <QImage>

#include <algorithm>
#include <charconv>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

namespace sorkam::exporting {

namespace {

namespace fs = std::filesystem;

// The data file as a command found it at the start.
struct DataFile {
    std::string path;
    std::int64_t length = 0;
    FileIdentity identity;
};

Result<DataFile, Failure> openDataFile(const std::string& path) {
    const Result<std::int64_t, ReadFailure> length = RecordFile::length(path);
    if (!length.ok()) {
        return dataFileFailure(path, length.error());
    }
    return DataFile{path, length.value(), identityOf(path)};
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

// Every selected record is in the file as it is at the start.
ExportResult checkSelected(const DataFile& data, const RecordSelection& records) {
    const std::int64_t count = RecordFile::recordCount(data.length);
    for (const RecordRange& range : records) {
        if (range.last >= count) {
            return notInFile(data, std::max(range.first, count), data.length);
        }
    }
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

// Opens the data file and checks that every selected record is in it.
Result<DataFile, Failure> openSelected(const std::string& file, const RecordSelection& records) {
    Result<DataFile, Failure> data = openDataFile(file);
    if (data.ok()) {
        if (auto checked = checkSelected(data.value(), records); !checked.ok()) {
            return checked.error();
        }
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

// Reads the records from first to last inclusive when their turn comes and hands each to
// use(n, record); the first failure ends the walk.
template <typename Use>
ExportResult forEachInRange(const DataFile& data, std::int64_t first, std::int64_t last, Use use) {
    for (std::int64_t n = first; n <= last; ++n) {
        const Result<Record, Failure> record = readRecord(data, n);
        if (!record.ok()) {
            return record.error();
        }
        if (auto done = use(n, record.value()); !done.ok()) {
            return done;
        }
    }
    return {};
}

// The same for every selected record in turn.
template <typename Use>
ExportResult forEachRecord(const DataFile& data, const RecordSelection& records, Use use) {
    for (const RecordRange& range : records) {
        if (auto done = forEachInRange(data, range.first, range.last, use); !done.ok()) {
            return done;
        }
    }
    return {};
}

// Writes a picture's PNG bytes to out.
ExportResult writePng(OutputFile& out, const std::string& output, const QImage& picture) {
    const QByteArray bytes = pngBytes(picture);
    if (bytes.isEmpty()) {
        return failure(kOutput, output, "cannot be written: the picture could not be encoded");
    }
    return out.write({bytes.constData(), static_cast<std::size_t>(bytes.size())});
}

ExportResult writePicture(const std::string& output, const FileIdentity& data,
                          const QImage& picture) {
    Result<OutputFile, Failure> out = OutputFile::open(output, data);
    if (!out.ok()) {
        return out.error();
    }
    if (auto done = writePng(out.value(), output, picture); !done.ok()) {
        return done;
    }
    return out.value().commit();
}

// Encodes and writes the pictures of pngEach on worker threads, in any order, and keeps the
// failure of the earliest picture. Holds a few pictures at a time, whatever the selection.
class PictureWriters {
public:
    PictureWriters(const FileIdentity& data, std::int64_t total, const Progress& progress)
        : data(data), total(total), progress(progress) {
        const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
        for (unsigned t = 0; t < threads; ++t) {
            workers.emplace_back([this] { work(); });
        }
        limit = 2 * threads;
    }
    PictureWriters(const PictureWriters&) = delete;
    PictureWriters& operator=(const PictureWriters&) = delete;
    ~PictureWriters() { (void)finish(); }

    // False once a picture has failed: nothing after it needs painting.
    [[nodiscard]] bool submit(std::int64_t k, std::int64_t record, std::string output,
                              QImage picture) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return queue.size() < limit || firstFailure; });
        if (firstFailure) {
            return false;
        }
        queue.push_back({k, record, std::move(output), std::move(picture)});
        changed.notify_all();
        return true;
    }

    // Picture k could not be made.
    void fail(std::int64_t k, Failure failed) {
        std::lock_guard lock(mutex);
        keepFailure(k, std::move(failed));
    }

    // Waits for every picture; the earliest failure.
    ExportResult finish() {
        {
            std::lock_guard lock(mutex);
            closed = true;
            changed.notify_all();
        }
        for (std::thread& worker : workers) {
            if (worker.joinable()) {
                worker.join();
            }
        }
        if (firstFailure) {
            return firstFailure->second;
        }
        return {};
    }

private:
    struct Job {
        std::int64_t k;
        std::int64_t record;
        std::string output;
        QImage picture;
    };

    void keepFailure(std::int64_t k, Failure failed) {
        if (!firstFailure || k < firstFailure->first) {
            firstFailure.emplace(k, std::move(failed));
        }
        changed.notify_all();
    }

    void work() {
        while (true) {
            Job job;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [this] { return !queue.empty() || closed; });
                if (queue.empty()) {
                    return;
                }
                job = std::move(queue.front());
                queue.pop_front();
                changed.notify_all();
                if (firstFailure && firstFailure->first < job.k) {
                    continue;
                }
            }
            const ExportResult written = writePicture(job.output, data, job.picture);
            std::lock_guard lock(mutex);
            if (!written.ok()) {
                keepFailure(job.k, written.error());
            } else if (progress) {
                progress(++done, total, job.record);
            }
        }
    }

    const FileIdentity data;
    const std::int64_t total;
    const Progress& progress;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Job> queue;
    std::size_t limit = 2;
    bool closed = false;
    std::int64_t done = 0;
    std::optional<std::pair<std::int64_t, Failure>> firstFailure;
    std::vector<std::thread> workers;
};

} // namespace

ExportResult info(const std::string& file, bool json, const std::string& output) {
    Result<Opened, Failure> opened = withOutput(openDataFile(file), output);
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
    if (count > 0) {
        if (auto done = forEachInRange(
                data, 0, count - 1,
                [&](std::int64_t n, const Record& record) { return writer.add(n, record); });
            !done.ok()) {
            return done;
        }
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
    PlotPicture picture(scale);
    if (auto done = forEachRecord(data, records,
                                  [&](std::int64_t n, const Record& record) -> ExportResult {
                                      picture.add(record, n);
                                      return {};
                                  });
        !done.ok()) {
        return done;
    }
    if (auto done = writePng(out, output, picture.image()); !done.ok()) {
        return done;
    }
    return out.commit();
}

ExportResult pngEach(const std::string& file, const RecordSelection& records,
                     const std::string& directory, int scale, const Progress& progress) {
    const Result<DataFile, Failure> data = openDataFile(file);
    if (!data.ok()) {
        return data.error();
    }
    std::error_code error;
    if (!fs::is_directory(directory, error)) {
        return failure(kOutput, directory, "is not a directory");
    }
    if (auto done = checkSelected(data.value(), records); !done.ok()) {
        return done;
    }
    PictureWriters writers(data.value().identity, selectedCount(records), progress);
    PlotPicture picture(scale);
    std::int64_t k = 0; // the picture's place in the selection
    const ExportResult walked = forEachRecord(
        data.value(), records, [&](std::int64_t n, const Record& record) -> ExportResult {
            picture.clear();
            picture.add(record, n);
            char name[32];
            std::snprintf(name, sizeof name, "record-%06lld.png", static_cast<long long>(n));
            if (!writers.submit(k, n, (fs::path(directory) / name).string(), picture.image())) {
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
            data, records,
            [&](std::int64_t n, const Record& record) { return writer.add(n, record); });
        !done.ok()) {
        return done;
    }
    return out.commit();
}

} // namespace sorkam::exporting

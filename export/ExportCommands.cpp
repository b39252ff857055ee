#include "export/ExportCommands.h"

#include "export/OutputFile.h"
#include "export/PlotPicture.h"
#include "record/RecordFile.h"
#include "viewer/TextDisplay.h"

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

std::string reasonFor(const ReadFailure& failed) {
    switch (failed.kind) {
    case RecordError::LengthUnavailable:
        return "no such file, or no permission to see it";
    case RecordError::NotAFile:
        return "not a regular file";
    case RecordError::OpenFailed:
        return "cannot be opened for reading";
    case RecordError::PositionBeforeStart:
        return "no record before the first";
    case RecordError::ReadFailed:
        return "the system refused a read";
    }
    return "cannot be read";
}

// The data file as a command found it at the start.
struct DataFile {
    std::string path;
    std::int64_t length = 0;
    FileIdentity identity;
};

ExportResult openDataFile(const std::string& path, DataFile& data) {
    const Result<std::int64_t, ReadFailure> length = RecordFile::length(path);
    if (!length.ok()) {
        return failure(kDataFile, path, reasonFor(length.error()));
    }
    data = {path, length.value(), identityOf(path)};
    return {};
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
ExportResult readRecord(const DataFile& data, std::int64_t n, Record& record) {
    const Result<std::int64_t, ReadFailure> length = RecordFile::length(data.path);
    if (!length.ok()) {
        return failure(kDataFile, data.path, reasonFor(length.error()));
    }
    if (!RecordFile::isPresent(n, length.value())) {
        return notInFile(data, n, length.value());
    }
    Result<Record, ReadFailure> result = RecordFile::read(data.path, n);
    if (!result.ok()) {
        return failure(kDataFile, data.path, reasonFor(result.error()));
    }
    record = result.value();
    return {};
}

// Opens the data file and checks that every selected record is in it.
ExportResult openSelected(const std::string& file, const RecordSelection& records, DataFile& data) {
    if (auto done = openDataFile(file, data); !done.ok()) {
        return done;
    }
    return checkSelected(data, records);
}

// Opens the data file, checks the selection and opens the output.
ExportResult openSelectedTo(const std::string& file, const RecordSelection& records,
                            const std::string& output, DataFile& data, OutputFile& out) {
    if (auto done = openSelected(file, records, data); !done.ok()) {
        return done;
    }
    return out.open(output, data.identity);
}

// Reads each selected record when its turn comes and hands it to use(n, record); the first
// failure ends the walk.
template <typename Use>
ExportResult forEachRecord(const DataFile& data, const RecordSelection& records, Use use) {
    for (const RecordRange& range : records) {
        for (std::int64_t n = range.first; n <= range.last; ++n) {
            Record record;
            if (auto done = readRecord(data, n, record); !done.ok()) {
                return done;
            }
            if (auto done = use(n, record); !done.ok()) {
                return done;
            }
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

std::string headerText(const std::string& bytes) {
    return headerTextForDisplay(bytes).toStdString();
}

template <typename Number> void appendNumber(std::string& text, Number value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

ExportResult writePicture(const std::string& output, const FileIdentity& data,
                          const QImage& picture) {
    OutputFile out;
    if (auto done = out.open(output, data); !done.ok()) {
        return done;
    }
    if (auto done = writePng(out, output, picture); !done.ok()) {
        return done;
    }
    return out.commit();
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

std::string csvField(const std::string& text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

ExportResult info(const std::string& file, bool json, const std::string& output) {
    DataFile data;
    if (auto done = openDataFile(file, data); !done.ok()) {
        return done;
    }
    OutputFile out;
    if (auto done = out.open(output, data.identity); !done.ok()) {
        return done;
    }
    const std::int64_t count = RecordFile::recordCount(data.length);
    const std::string name = displayName(file);
    std::string text;
    if (json) {
        text = "{\n  \"file\": " + jsonString(name) +
               ",\n  \"length\": " + std::to_string(data.length) +
               ",\n  \"records\": " + std::to_string(count) + ",\n  \"headers\": [";
    } else {
        text = "file:    " + name + "\nlength:  " + std::to_string(data.length) +
               " bytes\nrecords: " + std::to_string(count) + '\n';
    }
    const int width = static_cast<int>(std::max<std::size_t>(6, std::to_string(count).size()));
    if (!json && count > 0) {
        char heading[64];
        std::snprintf(heading, sizeof heading, "\n%*s  %-8s  %s\n", width, "record", "header8",
                      "header10");
        text += heading;
    }
    // The length and count at once, however long the listing takes.
    if (auto done = out.write(text); !done.ok()) {
        return done;
    }
    if (auto done = out.flush(); !done.ok()) {
        return done;
    }
    for (std::int64_t n = 0; n < count; ++n) {
        Record record;
        if (auto done = readRecord(data, n, record); !done.ok()) {
            return done;
        }
        const std::string text8 = headerText(record.header8);
        const std::string text10 = headerText(record.header10);
        if (json) {
            text = (n == 0 ? "\n" : ",\n") + std::string("    {\"record\": ") + std::to_string(n) +
                   ", \"header8\": " + jsonString(text8) + ", \"header10\": " + jsonString(text10) +
                   '}';
        } else {
            char number[32];
            std::snprintf(number, sizeof number, "%*lld", width, static_cast<long long>(n));
            text = number + ("  " + text8) + "  " + text10 + '\n';
        }
        if (auto done = out.write(text); !done.ok()) {
            return done;
        }
    }
    if (json) {
        if (auto done = out.write(count > 0 ? "\n  ]\n}\n" : "]\n}\n"); !done.ok()) {
            return done;
        }
    }
    return out.commit();
}

ExportResult png(const std::string& file, const RecordSelection& records, const std::string& output,
                 int scale) {
    DataFile data;
    OutputFile out;
    if (auto done = openSelectedTo(file, records, output, data, out); !done.ok()) {
        return done;
    }
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
    DataFile data;
    if (auto done = openDataFile(file, data); !done.ok()) {
        return done;
    }
    std::error_code error;
    if (!fs::is_directory(directory, error)) {
        return failure(kOutput, directory, "is not a directory");
    }
    if (auto done = checkSelected(data, records); !done.ok()) {
        return done;
    }
    PictureWriters writers(data.identity, selectedCount(records), progress);
    PlotPicture picture(scale);
    std::int64_t k = 0; // the picture's place in the selection
    const ExportResult walked =
        forEachRecord(data, records, [&](std::int64_t n, const Record& record) -> ExportResult {
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
    DataFile data;
    OutputFile out;
    if (auto done = openSelectedTo(file, records, output, data, out); !done.ok()) {
        return done;
    }
    if (auto done =
            out.write("record,header8,header10,index,channel1,channel2,channel3,channel4\n");
        !done.ok()) {
        return done;
    }
    std::string rows;
    if (auto done = forEachRecord(data, records,
                                  [&](std::int64_t n, const Record& record) -> ExportResult {
                                      std::string prefix;
                                      appendNumber(prefix, n);
                                      prefix += ',' + csvField(headerText(record.header8)) + ',' +
                                                csvField(headerText(record.header10)) + ',';
                                      rows.clear();
                                      for (int i = 0; i < format::kSamplesPerBlock; ++i) {
                                          rows += prefix;
                                          appendNumber(rows, i);
                                          for (const ChannelBuffer& channel : record.channels) {
                                              rows += ',';
                                              appendNumber(rows,
                                                           channel[static_cast<std::size_t>(i)]);
                                          }
                                          rows += '\n';
                                      }
                                      return out.write(rows);
                                  });
        !done.ok()) {
        return done;
    }
    return out.commit();
}

} // namespace sorkam::exporting

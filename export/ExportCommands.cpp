#include "ExportCommands.h"

#include "PlotPicture.h"
#include "RecordSelection.h"
#include "record/RecordFile.h"
#include "viewer/TextDisplay.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace sorkam::exporting {

namespace {

namespace fs = std::filesystem;

std::string reasonFor(RecordError error) {
    switch (error) {
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

Failure failure(int status, const std::string& file, const std::string& reason) {
    return {status, "sorkam-export: " + pathForDisplay(file).toStdString() + ": " + reason};
}

// The file's length, or why it cannot be had.
std::optional<Failure> lengthOf(const std::string& file, std::int64_t& length) {
    const Result<std::int64_t> result = RecordFile::length(file);
    if (!result.ok()) {
        return failure(kDataFile, file, reasonFor(result.error()));
    }
    length = result.value();
    return std::nullopt;
}

std::optional<Failure> checkPresent(const std::string& file, std::int64_t length,
                                    const std::vector<std::int64_t>& records) {
    for (const std::int64_t n : records) {
        if (!RecordFile::isPresent(n, length)) {
            return failure(kNoRecord, file,
                           "record " + std::to_string(n) + " is not in the file (it holds " +
                               std::to_string(recordsPresent(length)) + " records, 0 to " +
                               std::to_string(recordsPresent(length) - 1) + ")");
        }
    }
    return std::nullopt;
}

std::optional<Failure> readRecord(const std::string& file, std::int64_t n, Record& record) {
    Result<Record> result = RecordFile::read(file, n);
    if (!result.ok()) {
        return failure(kDataFile, file, reasonFor(result.error()));
    }
    record = result.value();
    return std::nullopt;
}

// The data file is never an output: not by the same name, a link or another name for it.
std::optional<Failure> checkNotData(const std::string& file, const std::string& output) {
    std::error_code error;
    if (fs::equivalent(fs::path(file), fs::path(output), error) && !error) {
        return failure(kOutputIsData, output, "is the data file itself; choose another output");
    }
    return std::nullopt;
}

// Writes bytes to output in one piece: a failed write leaves no partial file behind.
std::optional<Failure> writeWhole(const std::string& output, const QByteArray& bytes) {
    QSaveFile out(QString::fromStdString(output));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        return failure(kOutput, output, "cannot be written: " + out.errorString().toStdString());
    }
    return std::nullopt;
}

std::optional<Failure> writePng(const std::string& output, const QImage& picture) {
    QSaveFile out(QString::fromStdString(output));
    if (!out.open(QIODevice::WriteOnly) || !picture.save(&out, "PNG") || !out.commit()) {
        return failure(kOutput, output, "cannot be written: " + out.errorString().toStdString());
    }
    return std::nullopt;
}

std::string headerText(const std::string& bytes) {
    return headerTextForDisplay(bytes).toStdString();
}

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

std::optional<Failure> info(const std::string& file, bool json, std::ostream& out) {
    std::int64_t length = 0;
    if (auto failed = lengthOf(file, length)) {
        return failed;
    }
    const std::int64_t count = recordsPresent(length);
    QJsonArray list;
    std::ostringstream rows;
    const int width = static_cast<int>(std::max<std::size_t>(6, std::to_string(count).size()));
    for (std::int64_t n = 0; n < count; ++n) {
        Record record;
        if (auto failed = readRecord(file, n, record)) {
            return failed;
        }
        const std::string text8 = headerText(record.HeaderText8);
        const std::string text10 = headerText(record.HeaderText10);
        if (json) {
            list.append(QJsonObject{{"record", static_cast<qint64>(n)},
                                    {"header8", QString::fromStdString(text8)},
                                    {"header10", QString::fromStdString(text10)}});
        } else {
            char number[32];
            std::snprintf(number, sizeof number, "%*lld", width, static_cast<long long>(n));
            rows << number << "  " << text8 << "  " << text10 << '\n';
        }
    }
    if (json) {
        const QJsonObject document{{"file", pathForDisplay(file)},
                                   {"length", static_cast<qint64>(length)},
                                   {"records", static_cast<qint64>(count)},
                                   {"headers", list}};
        out << QJsonDocument(document).toJson(QJsonDocument::Indented).toStdString();
        return std::nullopt;
    }
    out << "file:    " << pathForDisplay(file).toStdString() << '\n'
        << "length:  " << length << " bytes\n"
        << "records: " << count << '\n';
    if (count > 0) {
        char heading[64];
        std::snprintf(heading, sizeof heading, "%*s  %-8s  %s", width, "record", "header8",
                      "header10");
        out << '\n' << heading << '\n' << rows.str();
    }
    return std::nullopt;
}

std::optional<Failure> png(const std::string& file, const std::vector<std::int64_t>& records,
                           const std::string& output, int scale) {
    std::int64_t length = 0;
    if (auto failed = lengthOf(file, length)) {
        return failed;
    }
    if (auto failed = checkPresent(file, length, records)) {
        return failed;
    }
    if (auto failed = checkNotData(file, output)) {
        return failed;
    }
    PlotPicture picture(scale);
    for (const std::int64_t n : records) {
        Record record;
        if (auto failed = readRecord(file, n, record)) {
            return failed;
        }
        picture.add(record, n);
    }
    return writePng(output, picture.image());
}

std::optional<Failure> pngEach(const std::string& file, const std::vector<std::int64_t>& records,
                               const std::string& directory, int scale,
                               const std::function<void(std::size_t, std::size_t)>& progress) {
    std::int64_t length = 0;
    if (auto failed = lengthOf(file, length)) {
        return failed;
    }
    if (auto failed = checkPresent(file, length, records)) {
        return failed;
    }
    std::error_code error;
    if (!fs::is_directory(directory, error)) {
        return failure(kOutput, directory, "is not a directory");
    }
    for (std::size_t k = 0; k < records.size(); ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "record-%06lld.png", static_cast<long long>(records[k]));
        const std::string output = (fs::path(directory) / name).string();
        if (auto failed = checkNotData(file, output)) {
            return failed;
        }
        Record record;
        if (auto failed = readRecord(file, records[k], record)) {
            return failed;
        }
        PlotPicture picture(scale);
        picture.add(record, records[k]);
        if (auto failed = writePng(output, picture.image())) {
            return failed;
        }
        progress(k + 1, records.size());
    }
    return std::nullopt;
}

std::optional<Failure> csv(const std::string& file, const std::vector<std::int64_t>& records,
                           const std::string& output, std::ostream& out) {
    std::int64_t length = 0;
    if (auto failed = lengthOf(file, length)) {
        return failed;
    }
    if (auto failed = checkPresent(file, length, records)) {
        return failed;
    }
    if (output != "-") {
        if (auto failed = checkNotData(file, output)) {
            return failed;
        }
    }
    std::string text = "record,header8,header10,index,channel1,channel2,channel3,channel4\r\n";
    constexpr int kSamplesInBlock = format::kBlockSize - 56;
    for (const std::int64_t n : records) {
        Record record;
        if (auto failed = readRecord(file, n, record)) {
            return failed;
        }
        const std::string prefix = std::to_string(n) + ',' +
                                   csvField(headerText(record.HeaderText8)) + ',' +
                                   csvField(headerText(record.HeaderText10)) + ',';
        for (int i = 0; i < kSamplesInBlock; ++i) {
            text += prefix + std::to_string(i);
            for (const ChannelBuffer& channel : record.channels) {
                text += ',' + std::to_string(channel[static_cast<std::size_t>(i)]);
            }
            text += "\r\n";
        }
    }
    if (output == "-") {
        out << text;
        return std::nullopt;
    }
    return writeWhole(output, QByteArray::fromStdString(text));
}

} // namespace sorkam::exporting

#pragma once

#include "record/RecordFormat.h"
#include "record/Result.h"

#include <array>
#include <cstdint>
#include <string>

namespace sorkam {

// One channel as read: 1256 unsigned samples, zero where the file ends early.
using ChannelBuffer = std::array<std::uint8_t, format::kChannelLength>;

// The fields of one record as read. The header texts are the file's bytes, one character per
// byte, untrimmed and unterminated: always exactly 8 and 10 characters.
struct Record {
    std::string header8;
    std::string header10;
    std::array<ChannelBuffer, format::kChannelCount> channels{};
};

// Why a file operation failed. Each kind has its own non-zero code, shown to the user.
enum class RecordError : int {
    LengthUnavailable = 1,   // the path cannot be examined (missing, no permission, bad name)
    NotAFile = 2,            // the path names a directory, a device, a pipe or a socket
    OpenFailed = 3,          // the file exists but cannot be opened for reading
    PositionBeforeStart = 4, // a negative record number puts the read before the first byte
    ReadFailed = 5,          // the system refused a read
};

[[nodiscard]] constexpr int errorCode(RecordError error) {
    return static_cast<int>(error);
}

// A failed file operation: its kind, and the system's error number where a system call failed.
struct ReadFailure {
    RecordError kind;
    int systemError = 0; // errno; 0 when no system call failed (such as a directory's path)

    friend bool operator==(const ReadFailure& failure, RecordError kind) {
        return failure.kind == kind;
    }
};

[[nodiscard]] constexpr int errorCode(const ReadFailure& failure) {
    return errorCode(failure.kind);
}

// Why in words: the system's reason ("No such file or directory"), or what the reader found.
[[nodiscard]] std::string failureReason(const ReadFailure& failure);

// Reads records from a data file. Holds no state: every call opens what it needs and closes it
// before returning. Never writes to the file.
class RecordFile {
public:
    // The file's length in bytes. Fails for a path that cannot be examined or that is not a
    // regular file. Does not open the file.
    [[nodiscard]] static Result<std::int64_t, ReadFailure> length(const std::string& path);

    // 1-based position of record n's first byte: 5024 * n + 1. The viewer's record numbers are
    // 16-bit; the export tool reaches records further on, so the arithmetic is 64-bit.
    [[nodiscard]] static constexpr std::int64_t position(std::int64_t n) {
        return format::kRecordSize * n + 1;
    }

    // Record n is present when its first byte's 1-based position lies before the file's length;
    // a record only partly in the file still counts. Touches no file.
    [[nodiscard]] static constexpr bool isPresent(std::int64_t n, std::int64_t length) {
        return position(n) < length;
    }

    // How many records a file of this length holds: those that isPresent accepts.
    [[nodiscard]] static constexpr std::int64_t recordCount(std::int64_t length) {
        // Present while 5024 * n + 1 < length, so n < (length - 1) / 5024.
        return length < 2 ? 0 : (length - 2) / format::kRecordSize + 1;
    }

    // Reads record n: header8, header10, channels 1..4, in that order. What lies beyond
    // the end of the file reads as zero samples and blank header characters. Fails for a
    // negative n, a path that is not a regular file, or a file that cannot be opened or read.
    [[nodiscard]] static Result<Record, ReadFailure> read(const std::string& path, std::int64_t n);
};

// Reads records of one data file through one open descriptor, for a walk over many of them: the
// same checks on opening as RecordFile::read, then one read a record. Never writes to the file.
class RecordReader {
public:
    [[nodiscard]] static Result<RecordReader, ReadFailure> open(const std::string& path);
    RecordReader(RecordReader&& other) noexcept;
    RecordReader& operator=(RecordReader&& other) noexcept;
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;
    ~RecordReader();

    // Record n into record, as RecordFile::read reads it.
    [[nodiscard]] Result<void, ReadFailure> read(std::int64_t n, Record& record) const;
    // Only record n's header texts, as read() reads them: one small read.
    [[nodiscard]] Result<void, ReadFailure> readHeaders(std::int64_t n, std::string& header8,
                                                        std::string& header10) const;
    // The file's length now.
    [[nodiscard]] Result<std::int64_t, ReadFailure> length() const;

private:
    explicit RecordReader(int fd) : fd(fd) {}
    int fd = -1;
};

} // namespace sorkam

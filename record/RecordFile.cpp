#include "record/RecordFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorkam {

namespace {

// The span of a record that a read covers: from the first header byte to the end of channel 4's
// 1256-byte read, which runs 56 bytes into the next record.
constexpr std::int32_t kSpanStart = format::kHeader8Offset;
constexpr std::int32_t kSpanEnd =
    format::kChannelOffsets[3] + static_cast<std::int32_t>(format::kChannelLength);
constexpr std::size_t kSpanLength = kSpanEnd - kSpanStart;

// A path with an embedded NUL would silently name a different file to the system.
bool isUsablePath(const std::string& path) {
    return path.find('\0') == std::string::npos;
}

// Reads up to size bytes into buffer at offset; returns how many were read (fewer at end of file),
// or -1 when the system refuses the read.
ssize_t readAt(int fd, std::uint8_t* buffer, std::size_t size, off_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd, buffer + done, size - done, offset + static_cast<off_t>(done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

// Copies a field out of the read span. Bytes the file did not supply keep what out held.
template <typename Out>
void copyField(const std::uint8_t* span, std::size_t spanRead, std::int32_t recordOffset,
               std::size_t length, Out out) {
    const std::size_t begin = static_cast<std::size_t>(recordOffset - kSpanStart);
    if (begin >= spanRead) {
        return;
    }
    const std::size_t available = std::min(length, spanRead - begin);
    std::copy_n(span + begin, available, out);
}

} // namespace

std::string failureReason(const ReadFailure& failure) {
    if (failure.systemError != 0) {
        return std::system_category().message(failure.systemError);
    }
    switch (failure.kind) {
    case RecordError::NotAFile:
        return "Not a regular file";
    case RecordError::PositionBeforeStart:
        return "No record before the first";
    default:
        return "Cannot be read";
    }
}

Result<std::int64_t, ReadFailure> RecordFile::length(const std::string& path) {
    struct stat info {};
    if (!isUsablePath(path)) {
        return ReadFailure{RecordError::LengthUnavailable, EINVAL};
    }
    if (::stat(path.c_str(), &info) != 0) {
        return ReadFailure{RecordError::LengthUnavailable, errno};
    }
    if (!S_ISREG(info.st_mode)) {
        return ReadFailure{RecordError::NotAFile};
    }
    return static_cast<std::int64_t>(info.st_size);
}

Result<Record, ReadFailure> RecordFile::read(const std::string& path, std::int64_t n) {
    if (n < 0) {
        return ReadFailure{RecordError::PositionBeforeStart};
    }
    Result<RecordReader, ReadFailure> reader = RecordReader::open(path);
    if (!reader.ok()) {
        return reader.error();
    }
    Record record;
    if (const auto read = reader.value().read(n, record); !read.ok()) {
        return read.error();
    }
    return record;
}

Result<RecordReader, ReadFailure> RecordReader::open(const std::string& path) {
    if (!isUsablePath(path)) {
        return ReadFailure{RecordError::OpenFailed, EINVAL};
    }
    // O_NONBLOCK: a pipe put in the file's place must not stall the viewer in open().
    RecordReader reader(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (reader.fd < 0) {
        return ReadFailure{RecordError::OpenFailed, errno};
    }
    struct stat info {};
    if (::fstat(reader.fd, &info) != 0) {
        return ReadFailure{RecordError::ReadFailed, errno};
    }
    if (!S_ISREG(info.st_mode)) {
        return ReadFailure{RecordError::NotAFile};
    }
    return reader;
}

RecordReader::RecordReader(RecordReader&& other) noexcept : fd(std::exchange(other.fd, -1)) {
}

RecordReader& RecordReader::operator=(RecordReader&& other) noexcept {
    if (this != &other) {
        if (fd >= 0) {
            ::close(fd);
        }
        fd = std::exchange(other.fd, -1);
    }
    return *this;
}

RecordReader::~RecordReader() {
    if (fd >= 0) {
        ::close(fd);
    }
}

Result<std::int64_t, ReadFailure> RecordReader::length() const {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return ReadFailure{RecordError::ReadFailed, errno};
    }
    return static_cast<std::int64_t>(info.st_size);
}

Result<void, ReadFailure> RecordReader::readHeaders(std::int64_t n, std::string& header8,
                                                    std::string& header10) const {
    if (n < 0) {
        return ReadFailure{RecordError::PositionBeforeStart};
    }
    constexpr std::int32_t kEnd = format::kHeader10Offset + format::kHeader10Length;
    std::array<std::uint8_t, kEnd - kSpanStart> span{};
    const off_t start = static_cast<off_t>(RecordFile::position(n) - 1) + kSpanStart;
    const ssize_t got = readAt(fd, span.data(), span.size(), start);
    if (got < 0) {
        return ReadFailure{RecordError::ReadFailed, errno};
    }
    header8.assign(format::kHeader8Length, ' ');
    header10.assign(format::kHeader10Length, ' ');
    const auto spanRead = static_cast<std::size_t>(got);
    copyField(span.data(), spanRead, format::kHeader8Offset, format::kHeader8Length,
              header8.begin());
    copyField(span.data(), spanRead, format::kHeader10Offset, format::kHeader10Length,
              header10.begin());
    return {};
}

Result<void, ReadFailure> RecordReader::read(std::int64_t n, Record& record) const {
    if (n < 0) {
        return ReadFailure{RecordError::PositionBeforeStart};
    }
    std::array<std::uint8_t, kSpanLength> span{};
    const off_t start = static_cast<off_t>(RecordFile::position(n) - 1) + kSpanStart;
    const ssize_t got = readAt(fd, span.data(), span.size(), start);
    if (got < 0) {
        return ReadFailure{RecordError::ReadFailed, errno};
    }
    const auto spanRead = static_cast<std::size_t>(got);

    record.header8.assign(format::kHeader8Length, ' ');
    record.header10.assign(format::kHeader10Length, ' ');
    copyField(span.data(), spanRead, format::kHeader8Offset, format::kHeader8Length,
              record.header8.begin());
    copyField(span.data(), spanRead, format::kHeader10Offset, format::kHeader10Length,
              record.header10.begin());
    for (std::size_t c = 0; c < format::kChannelCount; ++c) {
        record.channels[c].fill(0);
        copyField(span.data(), spanRead, format::kChannelOffsets[c], format::kChannelLength,
                  record.channels[c].begin());
    }
    return {};
}

} // namespace sorkam

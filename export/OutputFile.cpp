#include "export/OutputFile.h"

#include <cerrno>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorkam::exporting {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBufferSize = 1 << 16;

// Whether the name leads through /dev or /proc, where a regular file is another process's open
// file (/dev/stdout, /dev/fd/N, /proc/self/fd/N): renaming over it would lose the output.
bool reachedThroughSystemFiles(const std::string& name) {
    fs::path path = fs::absolute(name).lexically_normal();
    for (int hop = 0; hop < 40; ++hop) {
        const std::string text = path.string();
        if (text.starts_with("/dev/") || text.starts_with("/proc/")) {
            return true;
        }
        std::error_code error;
        if (!fs::is_symlink(path, error)) {
            return false;
        }
        const fs::path link = fs::read_symlink(path, error);
        if (error) {
            return false;
        }
        path = (path.parent_path() / link).lexically_normal();
    }
    return false;
}

bool isDataFile(const struct stat& info, const FileIdentity& data) {
    return data.known && info.st_dev == data.device && info.st_ino == data.inode;
}

} // namespace

OutputFile::OutputFile(std::string name) : name(std::move(name)) {
    buffer.reserve(kBufferSize);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : name(std::move(other.name)), replacement(std::exchange(other.replacement, std::nullopt)),
      buffer(std::move(other.buffer)), fd(std::exchange(other.fd, -1)),
      ownsDescriptor(std::exchange(other.ownsDescriptor, false)) {
}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        discard();
        name = std::move(other.name);
        replacement = std::exchange(other.replacement, std::nullopt);
        buffer = std::move(other.buffer);
        fd = std::exchange(other.fd, -1);
        ownsDescriptor = std::exchange(other.ownsDescriptor, false);
    }
    return *this;
}

OutputFile::~OutputFile() {
    discard();
}

Result<OutputFile, Failure> OutputFile::open(const std::string& name, const FileIdentity& data) {
    OutputFile out(name);
    ExportResult opened;
    struct stat info {};
    if (name == "-") {
        out.name = "standard output";
        opened = out.openStandardOutput(data);
    } else if (name.empty() || name.find('\0') != std::string::npos) {
        opened = failure(kOutput, name, "cannot be written: not a usable file name");
    } else if (const bool exists = ::stat(name.c_str(), &info) == 0;
               exists && isDataFile(info, data)) {
        opened = out.refuseDataFile();
    } else if (exists && S_ISDIR(info.st_mode)) {
        opened = out.writeFailure(EISDIR);
    } else if (exists && (!S_ISREG(info.st_mode) || reachedThroughSystemFiles(name))) {
        opened = out.openInPlace(data);
    } else {
        opened = out.openReplacement();
    }
    if (!opened.ok()) {
        return opened.error();
    }
    return out;
}

Failure OutputFile::refuseDataFile() const {
    return failure(kOutputIsData, name, "is the data file itself; choose another output");
}

ExportResult OutputFile::openStandardOutput(const FileIdentity& data) {
    struct stat info {};
    if (::fstat(STDOUT_FILENO, &info) == 0 && isDataFile(info, data)) {
        return refuseDataFile();
    }
    fd = STDOUT_FILENO;
    return {};
}

ExportResult OutputFile::openInPlace(const FileIdentity& data) {
    // O_TRUNC empties a regular file and leaves a device or a FIFO as it is.
    fd = ::open(name.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return writeFailure(errno);
    }
    ownsDescriptor = true;
    // The name may have changed to the data file since it was looked at.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && isDataFile(info, data)) {
        discard();
        return refuseDataFile();
    }
    return {};
}

ExportResult OutputFile::openReplacement() {
    Result<files::ReplacedFile, int> file = files::ReplacedFile::begin(name);
    if (!file.ok()) {
        return writeFailure(file.error());
    }
    replacement = std::move(file.value());
    fd = replacement->descriptor();
    return {};
}

Failure OutputFile::writeFailure(int error) const {
    return failure(kOutput, name, "cannot be written: " + systemReason(error));
}

ExportResult OutputFile::write(std::string_view bytes) {
    if (buffer.size() + bytes.size() > kBufferSize) {
        if (auto done = flush(); !done.ok()) {
            return done;
        }
        if (bytes.size() >= kBufferSize) {
            return files::writeAll(fd, bytes) ? ExportResult() : ExportResult(writeFailure(errno));
        }
    }
    buffer.append(bytes);
    return {};
}

ExportResult OutputFile::flush() {
    if (!buffer.empty()) {
        const bool written = files::writeAll(fd, buffer);
        buffer.clear();
        if (!written) {
            return writeFailure(errno);
        }
    }
    return {};
}

ExportResult OutputFile::commit() {
    if (auto done = flush(); !done.ok()) {
        discard();
        return done;
    }
    if (replacement) {
        fd = -1;
        const Result<void, int> replaced = replacement->commit();
        replacement.reset();
        return replaced.ok() ? ExportResult() : ExportResult(writeFailure(replaced.error()));
    }
    // Standard output is closed too, so a failure the system reports only at close is seen.
    const int closing = std::exchange(fd, -1);
    ownsDescriptor = false;
    if (closing >= 0 && ::close(closing) != 0 && errno != EINTR) {
        const int error = errno;
        discard();
        return writeFailure(error);
    }
    return {};
}

void OutputFile::discard() {
    if (replacement) {
        fd = -1;
        replacement.reset(); // the new file removed
    }
    // Written in place, what the command finished stays: a stream stops at a record's end.
    if (fd >= 0 && !buffer.empty()) {
        (void)files::writeAll(fd, buffer);
    }
    if (ownsDescriptor && fd >= 0) {
        ::close(fd);
    }
    fd = -1;
    ownsDescriptor = false;
    buffer.clear();
}

} // namespace sorkam::exporting

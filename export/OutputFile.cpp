#include "export/OutputFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

#include <ctime>

#include <fcntl.h>
#include <poll.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorkam::exporting {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBufferSize = 1 << 16;

// The unfinished new files, for the signal handler: a fixed table of owned copies of their names,
// so the handler neither allocates nor locks. A name is entered before its file is created, so no
// file exists that the handler does not know.
constexpr std::size_t kPendingSlots = 64;
std::array<std::atomic<char*>, kPendingSlots> pendingFiles{};

// False when the table is full (more files at once than the program ever writes).
bool rememberPending(const std::string& path) {
    char* copy = strdup(path.c_str());
    for (std::size_t slot = 0; slot < kPendingSlots && copy != nullptr; ++slot) {
        char* empty = nullptr;
        if (pendingFiles[slot].compare_exchange_strong(empty, copy)) {
            return true;
        }
    }
    std::free(copy);
    return false;
}

void forgetPending(const std::string& path) {
    for (auto& slot : pendingFiles) {
        char* held = slot.load();
        if (held != nullptr && path == held && slot.compare_exchange_strong(held, nullptr)) {
            std::free(held);
            return;
        }
    }
}

// Every signal whose default ends the program and that can be caught, but those that report a
// fault of the program itself (a bad memory access, an illegal instruction).
constexpr std::array kEndingSignals = {SIGHUP,  SIGINT,  SIGQUIT, SIGPIPE, SIGALRM,
                                       SIGTERM, SIGUSR1, SIGUSR2, SIGPROF, SIGVTALRM,
                                       SIGXCPU, SIGXFSZ, SIGPOLL, SIGPWR,  SIGSTKFLT};

// The other threads run on while a signal's handler runs. Once the program is ending no new
// file is begun, and the handler waits for the ones being created (at most 0.2 s: the thread
// creating one may be the one running the handler) before it removes them.
std::atomic<bool> ending{false};
std::atomic<int> beingCreated{0};

extern "C" void removePendingAndEnd(int signal) {
    ending = true;
    for (int wait = 0; wait < 200 && beingCreated.load() != 0; ++wait) {
        const timespec millisecond{0, 1'000'000};
        ::nanosleep(&millisecond, nullptr);
    }
    for (auto& slot : pendingFiles) {
        if (char* held = slot.exchange(nullptr)) {
            ::unlink(held);
        }
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Creates a new file of that name, entered in the handler's table first; -1 with errno set when
// it cannot, or when the program is ending.
int createPending(const std::string& path) {
    ++beingCreated;
    int fd = -1;
    if (ending) {
        errno = EINTR;
    } else if (!rememberPending(path)) {
        errno = EMFILE;
    } else {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd < 0) {
            const int error = errno;
            forgetPending(path);
            errno = error;
        }
    }
    --beingCreated;
    return fd;
}

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

// A name for a new file beside target that no file has: "." + the target's name + ".XXXXXX", the
// target's name shortened where the whole would pass the file system's limit on names.
std::string temporaryName(const fs::path& folder, const std::string& targetName) {
    constexpr std::size_t kSuffix = 8; // "." at the start and ".XXXXXX" at the end
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t longest = limit > static_cast<long>(kSuffix) + 1
                                    ? static_cast<std::size_t>(limit) - kSuffix
                                    : std::size_t{247};
    std::array<unsigned char, 6> random{};
    if (::getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size())) {
        const auto seed =
            static_cast<unsigned>(::getpid()) ^ static_cast<unsigned>(std::time(nullptr));
        for (std::size_t k = 0; k < random.size(); ++k) {
            random[k] = static_cast<unsigned char>(seed >> (k * 5));
        }
    }
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix = ".";
    for (const unsigned char b : random) {
        suffix += kLetters[b % (sizeof kLetters - 1)];
    }
    return (folder / ("." + targetName.substr(0, longest) + suffix)).string();
}

mode_t currentUmask() {
    static const mode_t mask = [] {
        const mode_t old = ::umask(022);
        ::umask(old);
        return old;
    }();
    return mask;
}

// Writes all of bytes to fd, waiting for a descriptor that is not ready; false with errno set
// when the system refuses.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::write(fd, bytes.data(), bytes.size());
        if (done < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd ready{fd, POLLOUT, 0};
                if (::poll(&ready, 1, -1) < 0 && errno != EINTR) {
                    return false;
                }
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

bool isDataFile(const struct stat& info, const FileIdentity& data) {
    return data.known && info.st_dev == data.device && info.st_ino == data.inode;
}

} // namespace

FileIdentity identityOf(const std::string& path) {
    struct stat info {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &info) != 0) {
        return {};
    }
    return {info.st_dev, info.st_ino, true};
}

OutputFile::OutputFile(std::string name) : name(std::move(name)) {
    buffer.reserve(kBufferSize);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : name(std::move(other.name)), temporary(std::exchange(other.temporary, {})),
      target(std::move(other.target)), buffer(std::move(other.buffer)),
      fd(std::exchange(other.fd, -1)), ownsDescriptor(std::exchange(other.ownsDescriptor, false)) {
}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        discard();
        name = std::move(other.name);
        temporary = std::exchange(other.temporary, {});
        target = std::move(other.target);
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
        opened = out.openReplacement(exists, info);
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

ExportResult OutputFile::openReplacement(bool exists, const struct stat& existing) {
    // A file the user may not write is refused, as the shell's ">" refuses it.
    if (exists && ::faccessat(AT_FDCWD, name.c_str(), W_OK, AT_EACCESS) != 0) {
        return writeFailure(errno);
    }
    // A link to a regular file has its target replaced.
    target = name;
    if (exists) {
        if (char* real = ::realpath(name.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const fs::path targetPath(target);
    const fs::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : ".";
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = temporaryName(folder, targetPath.filename().string());
        fd = createPending(temporary);
        if (fd < 0) {
            const int error = errno;
            temporary.clear();
            if (error != EEXIST || attempt == 100) {
                return writeFailure(error);
            }
        }
    }
    ownsDescriptor = true;
    return keepOwnerAndMode(exists, existing);
}

ExportResult OutputFile::keepOwnerAndMode(bool exists, const struct stat& existing) {
    if (exists && ::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        // The group at least; where neither may be given, the file stays the user's own, as a
        // file the shell writes anew.
        [[maybe_unused]] const int groupKept =
            ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
    }
    // After the owner: a change of owner clears the set-id bits.
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(fd, mode) != 0) {
        const int error = errno;
        discard();
        return writeFailure(error);
    }
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
            return writeAll(fd, bytes) ? ExportResult() : ExportResult(writeFailure(errno));
        }
    }
    buffer.append(bytes);
    return {};
}

ExportResult OutputFile::flush() {
    if (!buffer.empty()) {
        const bool written = writeAll(fd, buffer);
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
    // Standard output is closed too, so a failure the system reports only at close is seen.
    const int closing = fd;
    fd = -1;
    ownsDescriptor = false;
    if (closing >= 0 && ::close(closing) != 0 && errno != EINTR) {
        const int error = errno;
        discard();
        return writeFailure(error);
    }
    if (!temporary.empty()) {
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            const int error = errno;
            discard();
            return writeFailure(error);
        }
        forgetPending(temporary);
        temporary.clear();
    }
    return {};
}

void OutputFile::discard() {
    // Written in place, what the command finished stays: a stream stops at a record's end.
    if (temporary.empty() && fd >= 0 && !buffer.empty()) {
        writeAll(fd, buffer);
    }
    if (ownsDescriptor && fd >= 0) {
        ::close(fd);
    }
    fd = -1;
    ownsDescriptor = false;
    buffer.clear();
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
        forgetPending(temporary);
        temporary.clear();
    }
}

void removeUnfinishedOutputsOnSignals() {
    // Reading the umask sets it for a moment; done here, before any thread creates files, the
    // value is kept for every new output.
    (void)currentUmask();
    for (const int signal : kEndingSignals) {
        struct sigaction action {};
        action.sa_handler = removePendingAndEnd;
        // One handler at a time: a second signal waits until the first has ended the program.
        sigfillset(&action.sa_mask);
        // Leave a signal the caller chose to ignore ignored.
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace sorkam::exporting

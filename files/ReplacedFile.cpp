#include "files/ReplacedFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorkam::files {

namespace {

namespace fs = std::filesystem;

// The unfinished new files, for the signal handler: a fixed table of owned copies of their names,
// so the handler neither allocates nor locks. A name is entered before its file is created, so no
// file exists that the handler does not know.
constexpr std::size_t kPendingSlots = 64;
std::array<std::atomic<char*>, kPendingSlots> pendingFiles{};

// False when the table is full (more files at once than the programs ever write).
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

} // namespace

FileIdentity identityOf(const std::string& path) {
    struct stat info {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &info) != 0) {
        return {};
    }
    return {info.st_dev, info.st_ino, true};
}

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
        if (done == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

Result<ReplacedFile, int> ReplacedFile::begin(const std::string& name) {
    struct stat existing {};
    const bool exists = ::stat(name.c_str(), &existing) == 0;
    if (exists && ::faccessat(AT_FDCWD, name.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno;
    }
    ReplacedFile file;
    file.replacesFile = exists;
    // A link to a regular file has its target replaced.
    file.target = name;
    if (exists) {
        if (char* real = ::realpath(name.c_str(), nullptr)) {
            file.target = real;
            std::free(real);
        }
    }
    const fs::path targetPath(file.target);
    const fs::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : ".";
    for (int attempt = 0; file.fd < 0; ++attempt) {
        file.temporary = temporaryName(folder, targetPath.filename().string());
        file.fd = createPending(file.temporary);
        if (file.fd < 0) {
            const int error = errno;
            file.temporary.clear();
            if (error != EEXIST || attempt == 100) {
                return error;
            }
        }
    }
    if (exists && ::fchown(file.fd, existing.st_uid, existing.st_gid) != 0) {
        // The group at least; where neither may be given, the file stays the user's own, as a
        // file the shell writes anew.
        [[maybe_unused]] const int groupKept =
            ::fchown(file.fd, static_cast<uid_t>(-1), existing.st_gid);
    }
    // After the owner: a change of owner clears the set-id bits.
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(file.fd, mode) != 0) {
        return errno; // the destructor removes the new file
    }
    return file;
}

ReplacedFile::ReplacedFile(ReplacedFile&& other) noexcept
    : temporary(std::exchange(other.temporary, {})), target(std::move(other.target)),
      fd(std::exchange(other.fd, -1)), replacesFile(other.replacesFile) {
}

ReplacedFile& ReplacedFile::operator=(ReplacedFile&& other) noexcept {
    if (this != &other) {
        discard();
        temporary = std::exchange(other.temporary, {});
        target = std::move(other.target);
        fd = std::exchange(other.fd, -1);
        replacesFile = other.replacesFile;
    }
    return *this;
}

ReplacedFile::~ReplacedFile() {
    discard();
}

Result<void, int> ReplacedFile::commit() {
    int error = 0;
    // Only a replacement waits for the disk: a new name has no old bytes to lose, and waiting
    // took png --each of 240 new pictures from 409 ms to 563 ms.
    if (replacesFile && ::fsync(fd) != 0) {
        error = errno;
    }
    const int closing = std::exchange(fd, -1);
    if (::close(closing) != 0 && errno != EINTR && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        discard();
        return error;
    }
    forgetPending(temporary);
    temporary.clear();
    return {};
}

void ReplacedFile::discard() {
    if (fd >= 0) {
        ::close(std::exchange(fd, -1));
    }
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
        forgetPending(temporary);
        temporary.clear();
    }
}

Result<void, int> replaceWith(const std::string& path, std::string_view bytes) {
    Result<ReplacedFile, int> file = ReplacedFile::begin(path);
    if (!file.ok()) {
        return file.error();
    }
    if (!writeAll(file.value().descriptor(), bytes)) {
        return errno; // the destructor removes the new file
    }
    return file.value().commit();
}

void removeUnfinishedFilesOnSignals() {
    // Reading the umask sets it for a moment; done here, before any thread creates files, the
    // value is kept for every new file.
    (void)currentUmask();
    for (const int signal : kEndingSignals) {
        struct sigaction action {};
        action.sa_handler = removePendingAndEnd;
        // One handler at a time: a second signal waits until the first has ended the program.
        sigfillset(&action.sa_mask);
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace sorkam::files

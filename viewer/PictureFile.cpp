#include "viewer/PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

namespace sorkam {

namespace {

std::string reason(int error) {
    return std::strerror(error);
}

// Writes every byte; false with errno set when the system refused.
bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::optional<std::string> writePictureFile(const std::string& path, const std::string& bytes,
                                            const std::string& dataFile) {
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists) {
        struct stat data {};
        if (::stat(dataFile.c_str(), &data) == 0 && data.st_dev == existing.st_dev &&
            data.st_ino == existing.st_ino) {
            return std::string("it is the data file shown");
        }
        if (!S_ISREG(existing.st_mode)) {
            return std::string("it is not a regular file");
        }
        if (::access(path.c_str(), W_OK) != 0) {
            return reason(errno);
        }
    }
    // A link is replaced where it leads.
    std::string target = path;
    if (char* resolved = ::realpath(path.c_str(), nullptr); exists && resolved != nullptr) {
        target = resolved;
        std::free(resolved);
    }
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::random_device random;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + ".sorkam-" + std::to_string(random()) + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return reason(errno);
        }
    }
    if (fd < 0) {
        return reason(EEXIST);
    }
    bool written = writeAll(fd, bytes);
    int error = errno;
    if (written && exists) {
        // The replacement keeps the mode, and the owner and group where they can be set.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            // Only the owner's own groups, or root, can set them: the user's own then.
        }
        written = ::fchmod(fd, existing.st_mode & 07777) == 0;
        error = errno;
    }
    if (written) {
        written = ::fsync(fd) == 0;
        error = errno;
    }
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return reason(error);
    }
    return std::nullopt;
}

} // namespace sorkam

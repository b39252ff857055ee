#pragma once

#include "record/Result.h"

#include <string>
#include <string_view>

#include <sys/types.h>

namespace sorkam::files {

// Which file a name stands for: another name of the same file (a link, /dev/fd/N) has the same.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool known = false;
};

// The identity of the file path names now, following links; unknown when it does not exist.
[[nodiscard]] FileIdentity identityOf(const std::string& path);

// Writes all of bytes to fd, waiting for a descriptor that is not ready; false with errno set
// when the system refuses.
[[nodiscard]] bool writeAll(int fd, std::string_view bytes);

// A file replaced whole or not at all: a new file beside the target, under a name no file has
// (".NAME.XXXXXX"), which commit() renames over the target. The target is a regular file, a link
// to one (the file it leads to is replaced) or a name no file has yet; the caller refuses anything
// else. The new file keeps the old one's mode, and its owner and group
// where the user may give them; a new name gets the mode the umask leaves. Until commit() the
// new file is entered in the table that removeUnfinishedFilesOnSignals() clears.
class ReplacedFile {
public:
    // Begins replacing target; the system's errno where it cannot be, and where the user may not
    // write an existing target, as the shell's ">" refuses it (by the effective ids).
    [[nodiscard]] static Result<ReplacedFile, int> begin(const std::string& target);

    ReplacedFile(ReplacedFile&& other) noexcept;
    ReplacedFile& operator=(ReplacedFile&& other) noexcept;
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;
    // A replacement not committed is removed.
    ~ReplacedFile();

    // Where to write the new file's bytes.
    [[nodiscard]] int descriptor() const { return fd; }
    // The new file on the disk where it replaces one (so a crash leaves the old bytes or the new,
    // never an empty file), closed and renamed over the target; the system's errno where any step
    // failed, the new file removed and the target as it was.
    [[nodiscard]] Result<void, int> commit();
    // The new file removed; the target as it was.
    void discard();

private:
    ReplacedFile() = default;

    std::string temporary;
    std::string target;
    int fd = -1;
    bool replacesFile = false; // an existing file, whose bytes a crash must not lose
};

// The bytes written to path, replacing it as ReplacedFile does; the system's errno where they
// could not be.
[[nodiscard]] Result<void, int> replaceWith(const std::string& path, std::string_view bytes);

// Removes the unfinished new files when a signal ends the program (SIGINT, SIGTERM, SIGHUP,
// SIGPIPE, SIGXFSZ, SIGXCPU and every other that can be caught and does not report a fault of the
// program), then ends the program by the same signal. A signal the caller ignores stays ignored.
void removeUnfinishedFilesOnSignals();

} // namespace sorkam::files

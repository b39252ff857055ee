#pragma once

#include "export/Failure.h"
#include "export/OutputSink.h"
#include "files/ReplacedFile.h"

#include <optional>
#include <string>
#include <string_view>

#include <sys/stat.h>
#include <sys/types.h>

namespace sorkam::exporting {

using files::FileIdentity;
using files::identityOf;

// Where a command writes, written as the command goes and checked to the end: a failed write,
// flush or close is a Failure with the system's reason, never a success.
//
// "-" is standard output. An existing name that is not a regular file (a device, a FIFO, a
// terminal), or one reached through /dev or /proc (/dev/stdout, /dev/fd/3), is opened and written
// in place: it is never removed, renamed over or replaced. Any other name gets a new file beside
// it that commit() renames over it (files::ReplacedFile), so a run that fails leaves the old file
// or no file at all.
class OutputFile final : public OutputSink {
public:
    // Opens name for writing. Refuses the data file however it is named (kOutputIsData).
    [[nodiscard]] static Result<OutputFile, Failure> open(const std::string& name,
                                                          const FileIdentity& data);

    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // An output that was not committed is discarded.
    ~OutputFile() override;

    // Appends bytes, writing through as the buffer fills.
    [[nodiscard]] ExportResult write(std::string_view bytes) override;
    // Writes what is buffered now, so a reader sees it at once.
    [[nodiscard]] ExportResult flush() override;
    // Writes the rest, closes, and puts a new file in its place.
    [[nodiscard]] ExportResult commit();
    // Closes without committing: a new file is removed; an output written in place gets what
    // was written to it so far.
    void discard();

private:
    explicit OutputFile(std::string name);
    // The three kinds of output: standard output, an existing file written in place, and a new
    // file beside the target that commit() renames over it.
    [[nodiscard]] ExportResult openStandardOutput(const FileIdentity& data);
    [[nodiscard]] ExportResult openInPlace(const FileIdentity& data);
    [[nodiscard]] ExportResult openReplacement();
    [[nodiscard]] Failure writeFailure(int error) const;
    [[nodiscard]] Failure refuseDataFile() const;

    std::string name;
    std::optional<files::ReplacedFile> replacement; // none when written in place
    std::string buffer;
    int fd = -1;
    bool ownsDescriptor = false;
};

} // namespace sorkam::exporting

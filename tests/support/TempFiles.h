#pragma once

#include "tools/RecordWriter.h"

#include <filesystem>
#include <string>
#include <vector>

namespace sorkam::test {

// A fresh directory for a test's files, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return root; }
    // Writes bytes to a file of that name and returns its path.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

private:
    std::filesystem::path root;
};

// A file image of `records` whole records whose samples and header texts tell the record
// apart: record r's channel c holds sample i = (i + 7 * r + 31 * c) % 256 and its header texts
// are "REC-" and "TEXT-" followed by r.
[[nodiscard]] std::vector<std::uint8_t> numberedRecords(int records);
[[nodiscard]] std::uint8_t numberedSample(int record, int channel, int index);

} // namespace sorkam::test

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sorkam::exporting {

// Exit statuses of sorkam-export.
enum Status : int {
    kOk = 0,
    kUsage = 2,        // the command line is not understood
    kDataFile = 3,     // the data file cannot be read
    kNoRecord = 4,     // a selected record is not in the file
    kOutput = 5,       // the output cannot be written
    kOutputIsData = 6, // the output would overwrite the data file
};

// A failed command: its exit status and the one line that says why, naming the file.
struct Failure {
    int status;
    std::string message;
};

// File length, records present and each record's header texts, as aligned text or JSON.
[[nodiscard]] std::optional<Failure> info(const std::string& file, bool json, std::ostream& out);

// The selected records painted in order in their colours over one frame, as a PNG picture.
[[nodiscard]] std::optional<Failure> png(const std::string& file,
                                         const std::vector<std::int64_t>& records,
                                         const std::string& output, int scale);

// One picture per selected record in directory, named record-NNNNNN.png; progress(k, total) is
// called after each.
[[nodiscard]] std::optional<Failure>
pngEach(const std::string& file, const std::vector<std::int64_t>& records,
        const std::string& directory, int scale,
        const std::function<void(std::size_t, std::size_t)>& progress);

// One CSV row per record and sample index (0..1199, the samples that belong to each channel's
// block): record, both header texts, the four channels. To output, or to out when output is "-".
[[nodiscard]] std::optional<Failure> csv(const std::string& file,
                                         const std::vector<std::int64_t>& records,
                                         const std::string& output, std::ostream& out);

// A field quoted as CSV requires: in double quotes, inner quotes doubled, when it holds a comma,
// a quote, a line break or leading or trailing blanks.
[[nodiscard]] std::string csvField(const std::string& text);

} // namespace sorkam::exporting

#pragma once

#include "export/Failure.h"
#include "export/OutputFile.h"
#include "raster/PalettePicture.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sorkam::exporting {

using chart::PalettePicture;

// Called as pictures are done, in the selection's order: how many are done, of how many, and the
// record of the last of them.
using Progress = std::function<void(std::int64_t done, std::int64_t total, std::int64_t record)>;

// Encodes and writes pictures on worker threads (one a core, eight at most), in any order, and
// keeps the failure of the earliest picture. However many cores and pictures, the pictures held
// at once take at most kPictureBudget bytes (or one picture, where a picture is larger).
class PictureWriters {
public:
    static constexpr std::size_t kPictureBudget = std::size_t{64} << 20;

    // Pictures like format (its size, resolution and colours) of the data file data; progress
    // may be empty.
    PictureWriters(const PalettePicture& format, const FileIdentity& data, std::int64_t total,
                   const Progress& progress);
    PictureWriters(const PictureWriters&) = delete;
    PictureWriters& operator=(const PictureWriters&) = delete;
    ~PictureWriters();

    // Picture k of the selection, of record number record, its pixels to be written to output
    // with texts; waits while too many pictures are held. False once a picture has failed:
    // nothing after it needs painting.
    [[nodiscard]] bool submit(std::int64_t k, std::int64_t record, std::string output,
                              std::vector<unsigned char> pixels, chart::PngTexts texts);
    // Picture k could not be made.
    void fail(std::int64_t k, Failure failed);
    // Waits for every picture; the earliest failure.
    [[nodiscard]] ExportResult finish();

private:
    struct Job {
        std::int64_t k = 0;
        std::int64_t record = 0;
        std::string output;
        std::vector<unsigned char> pixels;
        chart::PngTexts texts;
    };

    void keepFailure(std::int64_t k, Failure failed);
    void work();
    [[nodiscard]] ExportResult write(const Job& job) const;
    // Picture k is written: tells progress of every picture now done in order.
    void written(std::int64_t k, std::int64_t record);

    const PalettePicture& format;
    const FileIdentity data;
    const std::int64_t total;
    const Progress& progress;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Job> queue;
    std::size_t held = 0;  // pictures queued or being written
    std::size_t limit = 1; // how many may be held
    bool closed = false;
    std::int64_t doneInOrder = 0;                   // pictures 0 .. doneInOrder - 1 are written
    std::map<std::int64_t, std::int64_t> doneAhead; // written out of order: k -> record
    std::optional<std::pair<std::int64_t, Failure>> firstFailure;
    std::vector<std::thread> workers;
};

} // namespace sorkam::exporting

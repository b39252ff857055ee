#include "export/PictureWriters.h"

#include "png/PngWriter.h"

#include <algorithm>

namespace sorkam::exporting {

PictureWriters::PictureWriters(const PalettePicture& format, const FileIdentity& data,
                               std::int64_t total, const Progress& progress)
    : format(format), data(data), total(total), progress(progress) {
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    const std::size_t pictureBytes = std::max<std::size_t>(format.pixels().size(), 1);
    limit = std::clamp<std::size_t>(kPictureBudget / pictureBytes, 1, 2 * threads);
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([this] { work(); });
    }
}

PictureWriters::~PictureWriters() {
    (void)finish();
}

bool PictureWriters::submit(std::int64_t k, std::int64_t record, std::string output,
                            std::vector<unsigned char> pixels, chart::PngTexts texts) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return held < limit || firstFailure; });
    if (firstFailure) {
        return false;
    }
    ++held;
    queue.push_back({k, record, std::move(output), std::move(pixels), std::move(texts)});
    changed.notify_all();
    return true;
}

void PictureWriters::fail(std::int64_t k, Failure failed) {
    std::lock_guard lock(mutex);
    keepFailure(k, std::move(failed));
}

ExportResult PictureWriters::finish() {
    {
        std::lock_guard lock(mutex);
        closed = true;
        changed.notify_all();
    }
    for (std::thread& worker : workers) {
        if (worker.joinable()) {
            worker.join();
        }
    }
    if (firstFailure) {
        return firstFailure->second;
    }
    return {};
}

void PictureWriters::keepFailure(std::int64_t k, Failure failed) {
    if (!firstFailure || k < firstFailure->first) {
        firstFailure.emplace(k, std::move(failed));
    }
    changed.notify_all();
}

ExportResult PictureWriters::write(const Job& job) const {
    const std::string png = png::pngOfIndexed(format.width(), format.height(), format.palette(),
                                              job.pixels.data(), format.dpi(), job.texts);
    if (png.empty()) {
        return failure(kOutput, job.output, "cannot be written: the picture cannot be compressed");
    }
    Result<OutputFile, Failure> out = OutputFile::open(job.output, data);
    if (!out.ok()) {
        return out.error();
    }
    if (auto done = out.value().write(png); !done.ok()) {
        return done;
    }
    return out.value().commit();
}

void PictureWriters::written(std::int64_t k, std::int64_t record) {
    doneAhead.emplace(k, record);
    while (!doneAhead.empty() && doneAhead.begin()->first == doneInOrder) {
        const std::int64_t last = doneAhead.begin()->second;
        doneAhead.erase(doneAhead.begin());
        ++doneInOrder;
        if (progress) {
            progress(doneInOrder, total, last);
        }
    }
}

void PictureWriters::work() {
    while (true) {
        Job job;
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [this] { return !queue.empty() || closed; });
            if (queue.empty()) {
                return;
            }
            job = std::move(queue.front());
            queue.pop_front();
        }
        const bool wanted = [&] {
            std::lock_guard lock(mutex);
            return !firstFailure || job.k < firstFailure->first;
        }();
        const ExportResult done = wanted ? write(job) : ExportResult();
        std::vector<unsigned char>().swap(job.pixels);
        std::lock_guard lock(mutex);
        --held;
        if (!done.ok()) {
            keepFailure(job.k, done.error());
        } else if (wanted) {
            written(job.k, job.record);
        }
        changed.notify_all();
    }
}

} // namespace sorkam::exporting

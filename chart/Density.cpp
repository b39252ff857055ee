#include "chart/Density.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <thread>

namespace sorkam::chart {

namespace {

// User units to continuous pixel places: pixel k's centre lies at k, as the surfaces map points.
double pixelX(double x, int width) {
    return x * (width - 1) / kChartWidth;
}
double userX(double column, int width) {
    return column * kChartWidth / std::max(width - 1, 1);
}
double pixelY(double y, int height) {
    return (kChartHeight - y) * (height - 1) / kChartHeight;
}

int nearest(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

} // namespace

bool Density::fits(const View& view, int plotWidth, int plotHeight) const {
    const std::int64_t subtracted =
        view.difference && view.reference ? view.reference->number : std::int64_t{-1};
    return width == plotWidth && height == plotHeight && range.first == view.range.first &&
           range.last == view.range.last && values.low == view.values.low &&
           values.high == view.values.high && reference == subtracted;
}

DensityCounter::DensityCounter(const View& view, int width, int height)
    : view(view), width(std::max(width, 1)), height(std::max(height, 1)) {
    const IndexRange& range = view.range;
    // The trace area's columns and rows, and the samples the view reaches.
    firstColumn = std::max(0, nearest(pixelX(kTraceOriginX, this->width)));
    const int lastColumn =
        std::min(this->width - 1, nearest(pixelX(range.traceEnd(), this->width)));
    topRow = std::max(0, nearest(pixelY(kTraceOriginY + kValueSpan, this->height)));
    bottomRow = std::min(this->height - 1, nearest(pixelY(kTraceOriginY, this->height)));
    const double lowest = std::max(0.0, range.first);
    const double highest = std::min<double>(kTraceSegments, range.last);
    for (int c = firstColumn; c <= lastColumn; ++c) {
        const double left = std::clamp(range.indexAt(userX(c - 0.5, this->width)), lowest, highest);
        const double right =
            std::clamp(range.indexAt(userX(c + 0.5, this->width)), lowest, highest);
        const auto edge = [](double index) {
            const int segment = std::min(static_cast<int>(index), kTraceSegments - 1);
            return Edge{segment, static_cast<float>(index - segment)};
        };
        if (columns.empty()) {
            firstEdge = edge(left);
        }
        columns.push_back({edge(right), static_cast<int>(std::floor(left)) + 1,
                           static_cast<int>(std::ceil(right)) - 1, 0, 0});
        Column& column = columns.back();
        // A sample on an edge belongs to the column on its right, but for the last one.
        if (std::floor(left) == left) {
            column.firstSample = static_cast<int>(left);
        }
        if (std::ceil(right) == right && c == lastColumn) {
            column.lastSample = static_cast<int>(right);
        }
        const int held = column.lastSample - column.firstSample + 1;
        twoAtMost = twoAtMost && held <= 2;
        const int ownEdge = kTraceSegments + 1 + static_cast<int>(columns.size()) - 1;
        column.first = held > 0 ? column.firstSample : ownEdge;
        column.second = held > 0 ? column.lastSample : ownEdge;
    }
    lowestLevel = view.difference && view.reference ? -255 : 0;
    for (int level = lowestLevel; level <= 255; ++level) {
        rowOfLevel.push_back(static_cast<float>(pixelY(view.values.yOf(level), this->height)));
    }
    for (std::size_t p = 0; p < steps.size(); ++p) {
        steps[p].assign(columns.size() * static_cast<std::size_t>(this->height + 1), 0);
        recent[p].assign(steps[p].size(), 0);
    }
}

void DensityCounter::addTrace(const ChannelBuffer& samples, const ChannelBuffer* minus, int plot) {
    // The samples' rows, then (below) the columns' edges'.
    std::vector<float>& rows = scratch;
    rows.resize(static_cast<std::size_t>(kTraceSegments + 1) + columns.size() + 1);
    for (std::size_t i = 0; i <= static_cast<std::size_t>(kTraceSegments); ++i) {
        const int level = samples[i] - (minus != nullptr ? (*minus)[i] : 0);
        rows[i] = rowOfLevel[static_cast<std::size_t>(level - lowestLevel)];
    }
    const auto rowAt = [&rows](Edge edge) {
        const auto k = static_cast<std::size_t>(edge.segment);
        return rows[k] + (rows[k + 1] - rows[k]) * edge.share;
    };
    std::int16_t* step = recent[static_cast<std::size_t>(plot)].data();
    const auto stride = static_cast<std::size_t>(height + 1);
    // The rows where the columns' edges cut the trace, after the samples' own.
    float* const edges = rows.data() + kTraceSegments + 1;
    edges[0] = rowAt(firstEdge);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        edges[c + 1] = rowAt(columns[c].right);
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const Column& column = columns[c];
        const float left = edges[c];
        const float right = edges[c + 1];
        float top = std::min(left, right);
        float bottom = std::max(left, right);
        if (twoAtMost) {
            const float a = rows[static_cast<std::size_t>(column.first)];
            const float b = rows[static_cast<std::size_t>(column.second)];
            top = std::min(top, std::min(a, b));
            bottom = std::max(bottom, std::max(a, b));
        } else {
            for (int i = column.firstSample; i <= column.lastSample; ++i) {
                top = std::min(top, rows[static_cast<std::size_t>(i)]);
                bottom = std::max(bottom, rows[static_cast<std::size_t>(i)]);
            }
        }
        // To the nearest rows within the area; what is left is at least -0.5, so truncating
        // rounds it (std::floor is a library call without SSE4.1, on every column of every trace).
        const float from = std::max(top, static_cast<float>(topRow) - 0.5f);
        const float to = std::min(bottom, static_cast<float>(bottomRow) + 0.499f);
        if (from <= to) {
            ++step[static_cast<int>(from + 0.5f)];
            --step[static_cast<int>(to + 0.5f) + 1];
        }
        step += stride;
    }
}

void DensityCounter::add(const Record& record) {
    const ChannelBuffer* const reference =
        view.difference && view.reference ? view.reference->record.channels.data() : nullptr;
    for (std::size_t c = 0; c < record.channels.size(); ++c) {
        addTrace(record.channels[c], reference != nullptr ? &reference[c] : nullptr,
                 static_cast<int>(c % 2));
    }
    // Each record moves an entry by two at most: 8,192 records stay within 16 bits.
    if (++added % 8192 == 0) {
        spill();
    }
}

void DensityCounter::spill() {
    for (std::size_t p = 0; p < steps.size(); ++p) {
        std::transform(steps[p].begin(), steps[p].end(), recent[p].begin(), steps[p].begin(),
                       [](std::int32_t a, std::int16_t b) { return a + b; });
        std::fill(recent[p].begin(), recent[p].end(), 0);
    }
}

void DensityCounter::merge(DensityCounter& other) {
    other.spill();
    spill();
    for (std::size_t p = 0; p < steps.size(); ++p) {
        std::transform(steps[p].begin(), steps[p].end(), other.steps[p].begin(), steps[p].begin(),
                       [](std::int32_t a, std::int32_t b) { return a + b; });
    }
    added += other.added;
}

Density DensityCounter::finish() const {
    Density density;
    density.width = width;
    density.height = height;
    density.range = view.range;
    density.values = view.values;
    density.reference = view.difference && view.reference ? view.reference->number : -1;
    density.records = added;
    const auto stride = static_cast<std::size_t>(height + 1);
    for (std::size_t p = 0; p < steps.size(); ++p) {
        std::vector<std::uint32_t>& counts = density.counts[p];
        counts.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::int32_t* step = steps[p].data() + c * stride;
            const std::int16_t* lately = recent[p].data() + c * stride;
            std::int64_t count = 0;
            const auto x = static_cast<std::size_t>(firstColumn) + c;
            for (int r = 0; r < height; ++r) {
                count += step[r] + lately[r];
                counts[static_cast<std::size_t>(r) * static_cast<std::size_t>(width) + x] =
                    static_cast<std::uint32_t>(count);
                density.most = std::max(density.most, static_cast<std::uint32_t>(count));
            }
        }
    }
    return density;
}

Result<Density, ReadFailure> countDensity(const std::string& path, const RecordRuns& runs,
                                          const View& view, int width, int height,
                                          std::stop_token stop, std::atomic<std::int64_t>* done) {
    std::int64_t total = 0;
    for (const auto& [first, last] : runs) {
        total += last - first + 1;
    }
    // A share of the records a core, each read through a descriptor of its own.
    const auto threads =
        static_cast<std::int64_t>(std::clamp<unsigned>(std::thread::hardware_concurrency(), 1, 8));
    const std::int64_t shares = std::clamp<std::int64_t>(total / 64, 1, threads);
    std::vector<DensityCounter> counters(static_cast<std::size_t>(shares),
                                         DensityCounter(view, width, height));
    std::mutex mutex;
    std::optional<ReadFailure> failed;
    {
        std::vector<std::jthread> workers;
        for (std::int64_t s = 0; s < shares; ++s) {
            workers.emplace_back([&, s] {
                const std::int64_t begin = total * s / shares;
                const std::int64_t end = total * (s + 1) / shares;
                Result<RecordReader, ReadFailure> reader = RecordReader::open(path);
                if (!reader.ok()) {
                    const std::lock_guard lock(mutex);
                    failed = reader.error();
                    return;
                }
                Record record;
                std::int64_t position = 0; // of the run's first record among all
                for (const auto& [first, last] : runs) {
                    const std::int64_t length = last - first + 1;
                    for (std::int64_t k = std::max(begin, position);
                         k < std::min(end, position + length); ++k) {
                        if (stop.stop_requested()) {
                            return;
                        }
                        if (auto read = reader.value().read(first + k - position, record);
                            !read.ok()) {
                            const std::lock_guard lock(mutex);
                            failed = read.error();
                            return;
                        }
                        counters[static_cast<std::size_t>(s)].add(record);
                        if (done != nullptr) {
                            done->fetch_add(1, std::memory_order_relaxed);
                        }
                    }
                    position += length;
                }
            });
        }
    }
    if (failed) {
        return *failed;
    }
    for (std::size_t s = 1; s < counters.size(); ++s) {
        counters.front().merge(counters[s]);
    }
    Density density = counters.front().finish();
    density.runs = runs;
    return density;
}

std::uint32_t densityColour(std::uint32_t count, std::uint32_t most, DensityScale scale) {
    // Lightness falls evenly along the map: grey, light blue, blue, indigo, deep violet. The
    // least count starts a step away from the grey, so one trace never blends into the plot.
    struct Stop {
        float r, g, b;
    };
    static constexpr Stop kStops[] = {
        {180, 180, 180}, {120, 160, 214}, {52, 104, 196}, {62, 44, 146}, {34, 8, 62}};
    if (count == 0) {
        return 0xB4B4B4;
    }
    float share = 1.0f;
    if (most > 1) {
        share = scale == DensityScale::Log
                    ? static_cast<float>(std::log(static_cast<double>(count)) /
                                         std::log(static_cast<double>(most)))
                    : static_cast<float>(count - 1) / static_cast<float>(most - 1);
    }
    const float t = (0.15f + 0.85f * std::clamp(share, 0.0f, 1.0f)) * 4.0f;
    const int k = std::min(3, static_cast<int>(t));
    const float f = t - static_cast<float>(k);
    const Stop& a = kStops[k];
    const Stop& b = kStops[k + 1];
    const auto mix = [f](float from, float to) {
        return static_cast<std::uint32_t>(std::lround(from + (to - from) * f));
    };
    return mix(a.r, b.r) << 16 | mix(a.g, b.g) << 8 | mix(a.b, b.b);
}

std::string densityTitle(const Density& density) {
    return "density of " + std::to_string(density.records) +
           (density.records == 1 ? " record, " : " records, ") +
           (density.scale == DensityScale::Log ? "log scale" : "linear scale");
}

std::vector<std::uint32_t> densityPixels(const Density& density, int which) {
    const std::vector<std::uint32_t>& counts = density.counts[static_cast<std::size_t>(which)];
    std::vector<std::uint32_t> pixels(counts.size(), 0);
    for (std::size_t k = 0; k < counts.size(); ++k) {
        if (counts[k] != 0) {
            pixels[k] = 0xFF000000u | densityColour(counts[k], density.most, density.scale);
        }
    }
    return pixels;
}

std::vector<unsigned char> densityRgb(const Density& density, int which) {
    const std::vector<std::uint32_t> pixels = densityPixels(density, which);
    std::vector<unsigned char> rgb;
    rgb.reserve(pixels.size() * 3);
    for (std::uint32_t p : pixels) {
        p = p == 0 ? 0xB4B4B4 : p;
        rgb.push_back(static_cast<unsigned char>(p >> 16));
        rgb.push_back(static_cast<unsigned char>(p >> 8));
        rgb.push_back(static_cast<unsigned char>(p));
    }
    return rgb;
}

} // namespace sorkam::chart

#include "export/Rank.h"

#include "chart/Distance.h"
#include "chart/ShownText.h"
#include "export/Formats.h"
#include "export/SelectedRecords.h"

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace sorkam::exporting {

namespace {

// A ranked record with the header texts its row shows.
struct Row {
    chart::RankedRecord ranked;
    std::string header8;
    std::string header10;
};

bool rowBefore(const Row& a, const Row& b) {
    return chart::rankedBefore(a.ranked, b.ranked);
}

// The rows of one share of the selection: all of them, or the top most distant, kept as a heap
// whose front is the nearest of those kept.
class Ranking {
public:
    explicit Ranking(std::optional<std::int64_t> top) : top(top) {}

    void add(std::int64_t n, const chart::Distance& distance, const Record& record) {
        Row row{{n, distance}, {}, {}};
        const bool full = top && static_cast<std::int64_t>(rows.size()) >= *top;
        if (full && !rowBefore(row, rows.front())) {
            return;
        }
        row.header8 = record.header8;
        row.header10 = record.header10;
        if (full) {
            std::pop_heap(rows.begin(), rows.end(), rowBefore);
            rows.back() = std::move(row);
        } else {
            rows.push_back(std::move(row));
        }
        if (top) {
            std::push_heap(rows.begin(), rows.end(), rowBefore);
        }
    }
    // Another share's rows taken in.
    void take(Ranking& other) {
        for (Row& row : other.rows) {
            Record headers;
            headers.header8 = std::move(row.header8);
            headers.header10 = std::move(row.header10);
            add(row.ranked.number, row.ranked.distance, headers);
        }
        other.rows.clear();
    }
    // The rows, the most distant first.
    [[nodiscard]] std::vector<Row> sorted() {
        std::sort(rows.begin(), rows.end(), rowBefore);
        return std::move(rows);
    }

private:
    std::optional<std::int64_t> top;
    std::vector<Row> rows;
};

// The records at places from to to (exclusive) of a selection, in its order.
template <typename Use>
void forEachInShare(const RecordSelection& records, std::int64_t from, std::int64_t to, Use use) {
    std::int64_t k = 0;
    for (const RecordRange& range : records) {
        const std::int64_t size = range.last - range.first + 1;
        const std::int64_t begin = std::max(from, k);
        const std::int64_t end = std::min(to, k + size);
        for (std::int64_t at = begin; at < end; ++at) {
            if (!use(range.first + (at - k))) {
                return;
            }
        }
        k += size;
    }
}

// One thread's share: its own descriptor, its own ranking, its first failure.
struct Share {
    Ranking ranking;
    std::optional<Failure> failure;
};

void rankShare(const DataFile& data, const Record& reference, std::int64_t from, std::int64_t to,
               Share& share) {
    Result<RecordReader, ReadFailure> reader = RecordReader::open(data.path);
    if (!reader.ok()) {
        share.failure = dataFileFailure(data.path, reader.error());
        return;
    }
    Record record;
    forEachInShare(data.records, from, to, [&](std::int64_t n) {
        if (const auto read = reader.value().read(n, record); !read.ok()) {
            share.failure = dataFileFailure(data.path, read.error());
            return false;
        }
        share.ranking.add(n, chart::distanceBetween(record, reference), record);
        return true;
    });
}

std::string rmsText(double rms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", rms);
    return text;
}

ExportResult writeRows(OutputSink& out, const std::vector<Row>& rows, const std::string& name,
                       std::int64_t against, bool json) {
    std::string text;
    if (json) {
        text = "{\n  \"file\": " + jsonString(name) +
               ",\n  \"against\": " + std::to_string(against) + ",\n  \"records\": [";
    } else {
        text = "record,rms,max,header8,header10\n";
    }
    bool first = true;
    for (const Row& row : rows) {
        const std::string number = std::to_string(row.ranked.number);
        const std::string rms = rmsText(row.ranked.distance.rms);
        const std::string largest = std::to_string(row.ranked.distance.largest);
        if (json) {
            text += (first ? "\n" : ",\n") + std::string("    {\"record\": ") + number +
                    ", \"rms\": " + rms + ", \"max\": " + largest +
                    ", \"header8\": " + jsonString(chart::headerCharacters(row.header8)) +
                    ", \"header10\": " + jsonString(chart::headerCharacters(row.header10)) + '}';
        } else {
            text += number + ',' + rms + ',' + largest + ',' +
                    csvField(chart::headerText(row.header8)) + ',' +
                    csvField(chart::headerText(row.header10)) + '\n';
        }
        first = false;
        if (text.size() >= 1 << 16) {
            if (auto done = out.write(text); !done.ok()) {
                return done;
            }
            text.clear();
        }
    }
    if (json) {
        text += first ? "]\n}\n" : "\n  ]\n}\n";
    }
    return out.write(text);
}

} // namespace

ExportResult rank(const std::string& file, const std::optional<RecordSelection>& records,
                  std::int64_t against, std::optional<std::int64_t> top, bool json,
                  const std::string& output) {
    Result<Opened, Failure> opened = withOutput(openSelected(file, records), output);
    if (!opened.ok()) {
        return opened.error();
    }
    auto& [data, out] = opened.value();
    const Result<Record, Failure> reference = readRecord(data, against);
    if (!reference.ok()) {
        return reference.error();
    }
    // A share of the selection a core, each read through its own descriptor.
    const std::int64_t count = selectedCount(data.records);
    const auto cores =
        static_cast<std::int64_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
    const std::int64_t shares = std::clamp<std::int64_t>(count / 256, 1, cores);
    std::vector<Share> done(static_cast<std::size_t>(shares), Share{Ranking(top), {}});
    {
        std::vector<std::jthread> workers;
        for (std::int64_t s = 0; s < shares; ++s) {
            workers.emplace_back([&, s] {
                rankShare(data, reference.value(), count * s / shares, count * (s + 1) / shares,
                          done[static_cast<std::size_t>(s)]);
            });
        }
    }
    for (Share& share : done) {
        if (share.failure) {
            return *share.failure;
        }
        if (&share != &done.front()) {
            done.front().ranking.take(share.ranking);
        }
    }
    // A file that shrank meanwhile read zeros where its records were: each must still be there.
    std::int64_t last = -1;
    for (const RecordRange& range : data.records) {
        last = std::max(last, range.last);
    }
    if (last >= 0) {
        if (const auto still = readRecord(data, last); !still.ok()) {
            return still.error();
        }
    }
    if (auto written =
            writeRows(out, done.front().ranking.sorted(), chart::escapedName(file), against, json);
        !written.ok()) {
        return written;
    }
    return out.commit();
}

} // namespace sorkam::exporting

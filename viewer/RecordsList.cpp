#include "viewer/RecordsList.h"

#include "chart/ShownText.h"

#include <algorithm>

namespace sorkam {

namespace {

constexpr std::size_t kKeptHeaders = 4096;
constexpr std::int64_t kReportEvery = 1024; // records between progress reports

std::string shownHeaders(const std::string& header8, const std::string& header10) {
    return chart::headerText(header8 + " " + header10);
}

} // namespace

RecordsList::RecordsList(std::string path) : path(std::move(path)) {
    refresh();
}

RecordsList::~RecordsList() {
    stopFilter();
    stopDistances();
}

void RecordsList::refresh() {
    const auto length = RecordFile::length(path);
    count = length.ok() ? RecordFile::recordCount(length.value()) : 0;
    kept.clear();
    reader.reset();
    if (auto opened = RecordReader::open(path); opened.ok()) {
        reader.emplace(std::move(opened.value()));
    }
}

std::int64_t RecordsList::rowCount() const {
    if (filter.empty()) {
        return count;
    }
    const std::lock_guard lock(matchesLock);
    return static_cast<std::int64_t>(matches.size());
}

std::int64_t RecordsList::recordAt(std::int64_t row) const {
    if (sorted && distancesDone()) {
        sortRows();
        if (row < static_cast<std::int64_t>(order.size())) {
            return order[static_cast<std::size_t>(row)];
        }
    }
    if (filter.empty()) {
        return row;
    }
    const std::lock_guard lock(matchesLock);
    return row < static_cast<std::int64_t>(matches.size()) ? matches[static_cast<std::size_t>(row)]
                                                           : -1;
}

const std::string& RecordsList::headers(std::int64_t n) {
    if (const auto found = kept.find(n); found != kept.end()) {
        return found->second;
    }
    if (kept.size() >= kKeptHeaders) {
        kept.clear();
    }
    std::string text;
    if (n >= 0 && n < count && reader) {
        std::string header8;
        std::string header10;
        if (reader->readHeaders(n, header8, header10).ok()) {
            text = shownHeaders(header8, header10);
        }
        ++reads;
    }
    return kept.emplace(n, std::move(text)).first->second;
}

void RecordsList::stopFilter() {
    if (filtering.joinable()) {
        filtering.request_stop();
        filtering.join();
    }
}

void RecordsList::setFilter(const std::string& text) {
    stopFilter();
    filter = text;
    {
        const std::lock_guard lock(matchesLock);
        matches.clear();
    }
    order.clear();
    orderedMatches = -1;
    filtered = 0;
    filterDone = text.empty();
    if (text.empty()) {
        return;
    }
    filtering = std::jthread([this, text, total = count](std::stop_token stop) {
        const auto reader = RecordReader::open(path);
        std::vector<std::int64_t> found;
        std::string header8;
        std::string header10;
        for (std::int64_t n = 0; n < total && reader.ok() && !stop.stop_requested(); ++n) {
            if (reader.value().readHeaders(n, header8, header10).ok() &&
                shownHeaders(header8, header10).find(text) != std::string::npos) {
                found.push_back(n);
            }
            if ((n + 1) % kReportEvery == 0 || n + 1 == total) {
                const std::lock_guard lock(matchesLock);
                matches.insert(matches.end(), found.begin(), found.end());
                found.clear();
                filtered = n + 1;
            }
        }
        filterDone = true;
    });
}

double RecordsList::filterProgress() const {
    return filterDone || count == 0 ? 1.0 : static_cast<double>(filtered) / count;
}

void RecordsList::stopDistances() {
    for (std::jthread& worker : ranking) {
        worker.request_stop();
    }
    ranking.clear(); // joins
}

void RecordsList::setReference(std::shared_ptr<const chart::Reference> given) {
    stopDistances();
    reference = std::move(given);
    ranked = 0;
    order.clear();
    if (!reference || count > kMostRanked) {
        rms.clear();
        largest.clear();
        return;
    }
    rms.assign(static_cast<std::size_t>(count), 0.0f);
    largest.assign(static_cast<std::size_t>(count), 0);
    const auto cores =
        static_cast<std::int64_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
    const std::int64_t shares = std::clamp<std::int64_t>(count / 256, 1, cores);
    for (std::int64_t s = 0; s < shares; ++s) {
        ranking.emplace_back(
            [this, from = count * s / shares, to = count * (s + 1) / shares](std::stop_token stop) {
                const auto reader = RecordReader::open(path);
                Record record;
                std::int64_t done = 0;
                for (std::int64_t n = from; n < to && reader.ok() && !stop.stop_requested(); ++n) {
                    if (reader.value().read(n, record).ok()) {
                        const chart::Distance d = chart::distanceBetween(record, reference->record);
                        rms[static_cast<std::size_t>(n)] = static_cast<float>(d.rms);
                        largest[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(d.largest);
                    }
                    if (++done == kReportEvery) {
                        ranked += done;
                        done = 0;
                    }
                }
                ranked += done;
            });
    }
}

bool RecordsList::distancesDone() const {
    return reference && !rms.empty() && ranked == count;
}

double RecordsList::distanceProgress() const {
    if (!reference || rms.empty()) {
        return 1.0;
    }
    return count == 0 ? 1.0 : static_cast<double>(ranked) / count;
}

std::optional<chart::Distance> RecordsList::distance(std::int64_t n) const {
    if (!distancesDone() || n < 0 || n >= count) {
        return std::nullopt;
    }
    return chart::Distance{rms[static_cast<std::size_t>(n)], largest[static_cast<std::size_t>(n)]};
}

std::optional<std::int64_t> RecordsList::mostDistant() const {
    if (!distancesDone() || count == 0) {
        return std::nullopt;
    }
    std::int64_t most = 0;
    for (std::int64_t n = 1; n < count; ++n) {
        if (chart::rankedBefore({n, *distance(n)}, {most, *distance(most)})) {
            most = n;
        }
    }
    return most;
}

void RecordsList::sortByDistance(bool on) {
    sorted = on;
    order.clear();
    orderedMatches = -1;
}

void RecordsList::sortRows() const {
    const std::int64_t wanted = filter.empty() ? -1 : rowCount();
    if (!order.empty() && orderedMatches == wanted) {
        return;
    }
    if (filter.empty()) {
        order.resize(static_cast<std::size_t>(count));
        for (std::int64_t n = 0; n < count; ++n) {
            order[static_cast<std::size_t>(n)] = n;
        }
    } else {
        const std::lock_guard lock(matchesLock);
        order = matches;
    }
    std::sort(order.begin(), order.end(), [this](std::int64_t a, std::int64_t b) {
        return chart::rankedBefore({a, *distance(a)}, {b, *distance(b)});
    });
    orderedMatches = wanted;
}

} // namespace sorkam

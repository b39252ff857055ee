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

// Whether a record's header texts, as shown, hold text. Printable ASCII shows as it is, so most
// records are matched without making their texts: a filter over a million records took 2.2 s
// making them all.
bool headersHold(const std::string& header8, const std::string& header10, const std::string& text) {
    const auto plain = [](const std::string& bytes) {
        return std::all_of(bytes.begin(), bytes.end(),
                           [](char c) { return c >= 0x20 && c <= 0x7E; });
    };
    if (!plain(header8) || !plain(header10)) {
        return shownHeaders(header8, header10).find(text) != std::string::npos;
    }
    char joined[32];
    std::copy(header8.begin(), header8.end(), joined);
    joined[header8.size()] = ' ';
    std::copy(header10.begin(), header10.end(), joined + header8.size() + 1);
    return std::string_view(joined, header8.size() + 1 + header10.size()).find(text) !=
           std::string_view::npos;
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
    for (std::jthread& worker : filtering) {
        worker.request_stop();
    }
    filtering.clear(); // joins
}

void RecordsList::publishMatches() {
    for (; nextShare < filterShares.size(); ++nextShare) {
        FilterShare& share = filterShares[nextShare];
        matches.insert(matches.end(), share.found.begin(), share.found.end());
        share.found.clear();
        if (!share.done) {
            break;
        }
    }
    if (nextShare == filterShares.size()) {
        filterDone = true;
    }
}

void RecordsList::setFilter(const std::string& text) {
    stopFilter();
    filter = text;
    const auto cores =
        static_cast<std::int64_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
    const std::int64_t shares = std::clamp<std::int64_t>(count / 4096, 1, cores);
    {
        const std::lock_guard lock(matchesLock);
        matches.clear();
        filterShares.assign(static_cast<std::size_t>(shares), FilterShare{});
        nextShare = 0;
    }
    order.clear();
    orderedMatches = -1;
    filtered = 0;
    filterDone = text.empty();
    if (text.empty()) {
        return;
    }
    for (std::int64_t s = 0; s < shares; ++s) {
        filtering.emplace_back([this, text, s, from = count * s / shares,
                                to = count * (s + 1) / shares](std::stop_token stop) {
            const auto reader = RecordReader::open(path);
            std::vector<std::int64_t> found;
            std::string header8;
            std::string header10;
            std::int64_t done = 0;
            for (std::int64_t n = from; n < to && reader.ok() && !stop.stop_requested(); ++n) {
                if (reader.value().readHeaders(n, header8, header10).ok() &&
                    headersHold(header8, header10, text)) {
                    found.push_back(n);
                }
                if (++done == kReportEvery || n + 1 == to) {
                    const std::lock_guard lock(matchesLock);
                    FilterShare& share = filterShares[static_cast<std::size_t>(s)];
                    share.found.insert(share.found.end(), found.begin(), found.end());
                    share.done = n + 1 == to;
                    publishMatches();
                    found.clear();
                    filtered += done;
                    done = 0;
                }
            }
        });
    }
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

#pragma once

#include "chart/Distance.h"
#include "chart/View.h"
#include "record/RecordFile.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace sorkam {

// Every record of a data file as the records window lists it, however many the file holds. It
// reads only what is asked for: the header texts of the rows in view (kept for a few thousand
// rows). Typing a filter matches the header texts in the background, from record 0 on; giving a
// reference works out every record's distance from it in the background, on every core, and
// then the rows can be sorted by it. Memory does not grow with the file but for the filter's
// matches and the distances (13 bytes a record, for files of up to kMostRanked records).
class RecordsList {
public:
    // The most records whose distances are worked out: 16,777,216, about 220 MB.
    static constexpr std::int64_t kMostRanked = std::int64_t{1} << 24;

    explicit RecordsList(std::string path);
    ~RecordsList();
    RecordsList(const RecordsList&) = delete;
    RecordsList& operator=(const RecordsList&) = delete;

    // How many records the file holds, as it was last looked at; looks again.
    [[nodiscard]] std::int64_t recordCount() const { return count; }
    void refresh();

    // The rows: every record in order, or those the filter matched so far; by distance, the most
    // distant first, where sorted (once the distances are there).
    [[nodiscard]] std::int64_t rowCount() const;
    [[nodiscard]] std::int64_t recordAt(std::int64_t row) const;
    // Record n's header texts as the status line shows them ("07.12.26 14:03:20.0"); empty where
    // the file no longer holds it.
    [[nodiscard]] const std::string& headers(std::int64_t n);
    // How many records' headers were read from the file so far.
    [[nodiscard]] std::int64_t headersRead() const { return reads; }

    // Rows whose header texts hold text (every row for empty text); matching starts again.
    void setFilter(const std::string& text);
    [[nodiscard]] const std::string& filterText() const { return filter; }
    // How far matching has gone, 0 to 1 (1 when done or not filtering).
    [[nodiscard]] double filterProgress() const;

    // The reference the distances are measured from; working them out starts again (none for
    // a file of more than kMostRanked records).
    void setReference(std::shared_ptr<const chart::Reference> reference);
    [[nodiscard]] bool hasReference() const { return reference != nullptr; }
    // How far it has gone, 0 to 1; record n's distance once all are there.
    [[nodiscard]] double distanceProgress() const;
    [[nodiscard]] std::optional<chart::Distance> distance(std::int64_t n) const;
    [[nodiscard]] std::optional<std::int64_t> mostDistant() const;
    void sortByDistance(bool on);
    [[nodiscard]] bool sortedByDistance() const { return sorted; }

private:
    void stopFilter();
    void stopDistances();
    [[nodiscard]] bool distancesDone() const;
    // The order of the rows by distance, made once the distances are there.
    void sortRows() const;

    std::string path;
    std::int64_t count = 0;
    std::optional<RecordReader> reader; // for the rows in view
    std::unordered_map<std::int64_t, std::string> kept;
    std::int64_t reads = 0;

    std::string filter;
    // Matching runs in shares of the records, a core each; a share's matches join the rows once
    // the shares before it are done, so the rows stay in record order.
    struct FilterShare {
        std::vector<std::int64_t> found;
        bool done = false;
    };
    void publishMatches(); // with matchesLock held
    std::vector<std::jthread> filtering;
    mutable std::mutex matchesLock;
    std::vector<FilterShare> filterShares;
    std::size_t nextShare = 0;
    std::vector<std::int64_t> matches;
    std::atomic<std::int64_t> filtered{0}; // records matched against so far
    std::atomic<bool> filterDone{true};

    std::shared_ptr<const chart::Reference> reference;
    std::vector<std::jthread> ranking;
    std::vector<float> rms;
    std::vector<std::uint8_t> largest;
    std::atomic<std::int64_t> ranked{0};
    bool sorted = false;
    mutable std::vector<std::int64_t> order;  // rows by distance, where sorted
    mutable std::int64_t orderedMatches = -1; // the matches order holds, or -1 for every record
};

} // namespace sorkam

#include "chart/Overlay.h"

#include "chart/RecordColors.h"

#include <algorithm>

namespace sorkam::chart {

void Overlay::add(std::int64_t n, Record record) {
    std::erase_if(entries, [n](const OverlayRecord& e) { return e.number == n; });
    entries.push_back({n, recordColor(n), std::move(record)});
}

void Overlay::remove(std::int64_t n) {
    std::erase_if(entries, [n](const OverlayRecord& e) { return e.number == n; });
}

void Overlay::clear() {
    entries.clear();
}

bool Overlay::holds(std::int64_t n) const {
    return std::any_of(entries.begin(), entries.end(),
                       [n](const OverlayRecord& e) { return e.number == n; });
}

} // namespace sorkam::chart

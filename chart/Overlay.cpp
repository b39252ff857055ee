#include "chart/Overlay.h"

#include "chart/RecordColors.h"

#include <algorithm>

namespace sorkam::chart {

void Overlay::add(std::int16_t n, Record record) {
    std::erase_if(entries, [n](const OverlayRecord& e) { return e.number == n; });
    entries.push_back({n, recordColor(n), std::move(record), true});
}

void Overlay::clear() {
    entries.clear();
}

bool Overlay::toggleVisible(std::int16_t n) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [n](const OverlayRecord& e) { return e.number == n; });
    if (found == entries.end()) {
        return false;
    }
    found->visible = !found->visible;
    return true;
}

bool Overlay::allVisible() const {
    return std::all_of(entries.begin(), entries.end(),
                       [](const OverlayRecord& e) { return e.visible; });
}

} // namespace sorkam::chart

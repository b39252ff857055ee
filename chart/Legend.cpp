#include "chart/Legend.h"

#include "chart/RecordColors.h"
#include "chart/ShownText.h"

namespace sorkam::chart {

LegendEntry legendEntry(std::int64_t number, const Record& record, bool visible) {
    return {number, recordColor(number), headerText(record.header8 + " " + record.header10),
            visible};
}

std::vector<LegendEntry> legendEntries(const Overlay& overlay, const View& view) {
    std::vector<LegendEntry> legend;
    for (const OverlayRecord& shown : overlay.records()) {
        legend.push_back(legendEntry(shown.number, shown.record, view.shows(shown.number)));
    }
    return legend;
}

} // namespace sorkam::chart

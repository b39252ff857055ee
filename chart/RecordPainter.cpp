#include "chart/RecordPainter.h"

#include <algorithm>

namespace sorkam::chart {

std::vector<LegendEntry> paintShown(RecordPainter& painter, const Overlay& overlay) {
    std::vector<LegendEntry> legend;
    for (const OverlayRecord& shown : overlay.records()) {
        if (painter.view().shows(shown.number)) {
            painter.paintRecord(shown.record, shown.color);
            legend.push_back(legendEntry(shown.number, shown.record, painter.view()));
        }
    }
    return legend;
}

void addToLegend(std::vector<LegendEntry>& legend, std::int64_t n, const Record& record,
                 const View& view) {
    std::erase_if(legend, [n](const LegendEntry& e) { return e.number == n; });
    legend.push_back(legendEntry(n, record, view));
}

} // namespace sorkam::chart

#include "chart/Legend.h"

#include "chart/RecordColors.h"
#include "chart/ShownText.h"
#include "chart/ViewLabels.h"

namespace sorkam::chart {

LegendEntry legendEntry(std::int64_t number, const Record& record, const View& view) {
    return {number,
            recordColor(number),
            headerText(record.header8 + " " + record.header10),
            view.shows(number),
            {valuesAtCursors(record, view, 0), valuesAtCursors(record, view, 1)}};
}

bool legendOnPlot(const View& view, int plot) {
    return view.legend && (plot == 0 || view.cursorA || view.cursorB);
}

std::vector<LegendEntry> legendEntries(const Overlay& overlay, const View& view) {
    std::vector<LegendEntry> legend;
    for (const OverlayRecord& shown : overlay.records()) {
        legend.push_back(legendEntry(shown.number, shown.record, view));
    }
    return legend;
}

} // namespace sorkam::chart

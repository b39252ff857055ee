#include "chart/Legend.h"

#include "chart/RecordColors.h"
#include "chart/ShownText.h"
#include "chart/ViewLabels.h"

namespace sorkam::chart {

LegendEntry legendEntry(std::int64_t number, const Record& record, const View& view) {
    std::string text = headerText(record.header8 + " " + record.header10);
    if (view.reference && view.reference->number == number) {
        text += "  (reference)";
    } else if (view.difference && view.reference) {
        text += "  minus record " + std::to_string(view.reference->number);
    }
    return {number,
            recordColor(number),
            std::move(text),
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

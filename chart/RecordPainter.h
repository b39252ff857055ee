#pragma once

#include "chart/Legend.h"
#include "chart/Overlay.h"
#include "chart/View.h"
#include "record/RecordFile.h"

#include <cstdint>
#include <vector>

namespace sorkam::chart {

// What paints a picture of a view record by record: a toolkit picture, or one written by hand.
class RecordPainter {
public:
    virtual ~RecordPainter() = default;

    [[nodiscard]] virtual const View& view() const = 0;
    // A record's traces in color over the ones before.
    virtual void paintRecord(const Record& record, Color color) = 0;
};

// Paints the records of an overlay that the painter's view shows, in their order; the legend of
// them. A record hidden from the window's legend is left out of a picture altogether, so that the
// export tool, given the records shown, paints the same picture.
std::vector<LegendEntry> paintShown(RecordPainter& painter, const Overlay& overlay);

// The legend of records painted one by one: a record painted again moves to the end, as it lies
// on top of the others.
void addToLegend(std::vector<LegendEntry>& legend, std::int64_t n, const Record& record,
                 const View& view);

} // namespace sorkam::chart

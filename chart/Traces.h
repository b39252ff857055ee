#pragma once

#include "plot/PlotSurface.h"
#include "record/RecordFile.h"

namespace sorkam::chart {

// Paints a record's four channels as traces in color over what the surfaces show, in the chart's
// scale: channels 1
// and 3 on plotA, 2 and 4 on plotB, 801 segments each, from the trace origin on.
void paintTraces(const Record& record, Color color, LineSurface& plotA, LineSurface& plotB);

} // namespace sorkam::chart

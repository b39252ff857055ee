#pragma once

#include "record/RecordFile.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sorkam {

// A place on a plot in chart units: the sample index along it and the sample value up it.
struct ChartPoint {
    int index;
    int value;
};

// The chart point under pixel (x, y) of a plot area of width x height pixels, to the nearest
// unit, in the chart's scale and trace origin.
[[nodiscard]] ChartPoint chartPointAt(int x, int y, int width, int height);

// What resting the pointer on a plot shows: the chart point and, when a record is on the plot,
// its number and its samples at that index for the plot's two channels (first and first + 2,
// counted from 1: 1 and 3 on VIDEO A, 2 and 4 on VIDEO B). Samples only along the trace, 0..801.
[[nodiscard]] std::string describePlotPoint(ChartPoint point, const Record* record,
                                            std::int64_t recordNumber, int firstChannel);

// What resting the pointer on the status line shows: the record's number and how many records
// the file holds (nothing when the file cannot be examined now).
[[nodiscard]] std::string describeRecordPosition(std::int16_t recordNumber,
                                                 std::optional<std::int64_t> recordsInFile);

} // namespace sorkam

#include "viewer/ReadOut.h"

#include "plot/PlotFrame.h"

#include <cmath>

namespace sorkam {

ChartPoint chartPointAt(int x, int y, int width, int height) {
    const double chartWidth = kChartWidth;
    const double chartHeight = kChartHeight;
    const double across = width > 1 ? x * chartWidth / (width - 1) : 0.0;
    const double up = chartHeight - (height > 1 ? y * chartHeight / (height - 1) : 0.0);
    return {static_cast<int>(std::lround(across - kTraceOriginX)),
            static_cast<int>(std::lround(up - kTraceOriginY))};
}

std::string describePlotPoint(ChartPoint point, const Record* record, std::int64_t recordNumber,
                              int firstChannel) {
    std::string text =
        "index " + std::to_string(point.index) + ", value " + std::to_string(point.value);
    if (record != nullptr && point.index >= 0 && point.index <= kTraceSegments) {
        const auto i = static_cast<std::size_t>(point.index);
        const auto sample = [&](int channel) {
            return "channel " + std::to_string(channel) + " = " +
                   std::to_string(record->channels[static_cast<std::size_t>(channel - 1)][i]);
        };
        text += "\nrecord " + std::to_string(recordNumber) + ": " + sample(firstChannel) + ", " +
                sample(firstChannel + 2);
    }
    return text;
}

std::string describeRecordPosition(std::int16_t recordNumber,
                                   std::optional<std::int64_t> recordsInFile) {
    std::string text = "record " + std::to_string(recordNumber);
    if (!recordsInFile) {
        return text + "; the file cannot be examined now";
    }
    return text + " of the " + std::to_string(*recordsInFile) +
           (*recordsInFile == 1 ? " record" : " records") + " in the file";
}

} // namespace sorkam

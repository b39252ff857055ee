#include "viewer/Measurements.h"

#include "chart/ViewLabels.h"
#include "plot/PlotFrame.h"

#include <algorithm>
#include <cstdio>

namespace sorkam {

std::vector<Measurement> measure(const chart::Overlay& overlay, const chart::View& view) {
    if (!view.cursorA || !view.cursorB) {
        return {};
    }
    const int a = std::clamp(*view.cursorA, 0, kTraceSegments);
    const int b = std::clamp(*view.cursorB, 0, kTraceSegments);
    const int from = std::min(a, b);
    const int to = std::max(a, b);
    std::vector<Measurement> rows;
    for (const chart::OverlayRecord& shown : overlay.records()) {
        if (!view.shows(shown.number)) {
            continue;
        }
        for (int c = 0; c < 4; ++c) {
            const ChannelBuffer& samples = shown.record.channels[static_cast<std::size_t>(c)];
            const auto begin = samples.begin() + from;
            const auto end = samples.begin() + to + 1;
            Measurement m;
            m.record = shown.number;
            m.color = shown.color;
            m.channel = c + 1;
            m.atA = samples[static_cast<std::size_t>(a)];
            m.atB = samples[static_cast<std::size_t>(b)];
            m.change = m.atB - m.atA;
            m.least = *std::min_element(begin, end);
            m.greatest = *std::max_element(begin, end);
            double sum = 0.0;
            std::for_each(begin, end, [&](std::uint8_t v) { sum += v; });
            m.mean = sum / (to - from + 1);
            rows.push_back(m);
        }
    }
    return rows;
}

std::vector<std::string> measurementHeadings() {
    return {"record", "plot, channel", "at A", "at B", "B-A", "min", "max", "mean"};
}

std::vector<std::string> measurementCells(const Measurement& m) {
    char mean[32];
    std::snprintf(mean, sizeof mean, "%.3f", m.mean);
    // Channels 1 and 3 are on VIDEO A, 2 and 4 on VIDEO B.
    const std::string channel = chart::plotName((m.channel - 1) % chart::kPlotCount) +
                                ", channel " + std::to_string(m.channel);
    return {std::to_string(m.record),   channel,
            std::to_string(m.atA),      std::to_string(m.atB),
            std::to_string(m.change),   std::to_string(m.least),
            std::to_string(m.greatest), mean};
}

std::string measurementsText(const chart::View& view, const std::vector<Measurement>& rows) {
    const auto line = [](const std::vector<std::string>& cells) {
        std::string text;
        for (const std::string& cell : cells) {
            text += (text.empty() ? "" : "\t") + cell;
        }
        return text + '\n';
    };
    std::string text = chart::cursorReadOut(view) + '\n' + line(measurementHeadings());
    for (const Measurement& m : rows) {
        text += line(measurementCells(m));
    }
    return text;
}

} // namespace sorkam

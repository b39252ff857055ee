#include "viewer/Measurements.h"

#include "plot/PlotFrame.h"

#include <algorithm>
#include <cstdio>

namespace sorkam {

std::vector<Measurement> measure(const chart::Overlay& overlay, int a, int b) {
    a = std::clamp(a, 0, kTraceSegments);
    b = std::clamp(b, 0, kTraceSegments);
    const int from = std::min(a, b);
    const int to = std::max(a, b);
    std::vector<Measurement> rows;
    for (const chart::OverlayRecord& shown : overlay.records()) {
        if (!shown.visible) {
            continue;
        }
        for (int c = 0; c < 4; ++c) {
            const ChannelBuffer& samples = shown.record.channels[static_cast<std::size_t>(c)];
            const auto begin = samples.begin() + from;
            const auto end = samples.begin() + to + 1;
            Measurement m;
            m.record = shown.number;
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

std::string measurementsText(const std::vector<Measurement>& rows) {
    std::string text = "record\tchannel\tat A\tat B\tB-A\tmin\tmax\tmean\n";
    for (const Measurement& m : rows) {
        char mean[32];
        std::snprintf(mean, sizeof mean, "%.3f", m.mean);
        text += std::to_string(m.record) + '\t' + std::to_string(m.channel) + '\t' +
                std::to_string(m.atA) + '\t' + std::to_string(m.atB) + '\t' +
                std::to_string(m.change) + '\t' + std::to_string(m.least) + '\t' +
                std::to_string(m.greatest) + '\t' + mean + '\n';
    }
    return text;
}

} // namespace sorkam

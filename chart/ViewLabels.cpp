#include "chart/ViewLabels.h"

#include <cstdio>

namespace sorkam::chart {

namespace {

constexpr const char* kMinus = "\u2212";
constexpr const char* kEnDash = "\u2013";

std::string rounded(double at, bool tenths) {
    char text[32];
    std::snprintf(text, sizeof text, tenths ? "%.1f" : "%.0f", at);
    return text;
}

std::string span(double from, double to) {
    const bool tenths = to - from < 50.0;
    return rounded(from, tenths) + kEnDash + rounded(to, tenths);
}

} // namespace

std::string plotName(int plot) {
    return plot == 0 ? "VIDEO A" : "VIDEO B";
}

std::string cursorReadOut(const View& view) {
    std::string text;
    if (view.cursorA) {
        text = "A " + std::to_string(*view.cursorA);
    }
    if (view.cursorB) {
        text += (text.empty() ? "" : "  ") + ("B " + std::to_string(*view.cursorB));
    }
    if (view.cursorA && view.cursorB) {
        text += std::string("  B") + kMinus + "A " + std::to_string(*view.cursorB - *view.cursorA);
    }
    return text;
}

std::string valuesAtCursors(const Record& record, const View& view, int plot) {
    const auto at = [&](int index) {
        const auto sample = [&](int which) {
            return std::to_string(record.channels[static_cast<std::size_t>(
                channelOnPlot(plot, which))][static_cast<std::size_t>(index)]);
        };
        return sample(0) + ", " + sample(1);
    };
    std::string text;
    if (view.cursorA) {
        text = "A " + at(*view.cursorA);
    }
    if (view.cursorB) {
        text += (text.empty() ? "" : "  ") + ("B " + at(*view.cursorB));
    }
    return text;
}

std::string zoomLabel(const View& view) {
    if (view.zoomedOut()) {
        return {};
    }
    return "index " + span(view.range.first, view.range.last) + ", values " +
           span(view.values.low, view.values.high);
}

} // namespace sorkam::chart

#include "chart/ViewText.h"

#include "chart/Density.h"
#include "chart/ExportOptionNames.h"
#include "chart/ShownText.h"

#include <charconv>

namespace sorkam::chart {

std::string recordRunsText(const RecordRuns& records) {
    std::string text;
    for (const auto& [first, last] : records) {
        text += (text.empty() ? "" : ",") + std::to_string(first);
        if (last != first) {
            text += "-" + std::to_string(last);
        }
    }
    return text;
}

namespace {

std::string lastName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

RecordRuns recordRuns(const std::vector<std::int64_t>& numbers) {
    RecordRuns runs;
    for (const std::int64_t n : numbers) {
        if (!runs.empty() && runs.back().second + 1 == n &&
            runs.back().second >= runs.back().first) {
            runs.back().second = n;
        } else {
            runs.emplace_back(n, n);
        }
    }
    return runs;
}

PngTexts pngTexts(const PictureText& text) {
    PngTexts texts = {{"Title", text.title},
                      {"Description", text.description},
                      {"Source", text.source},
                      {"Software", text.software}};
    if (!text.options.empty()) {
        texts.emplace_back("Comment", "sorkam-export " + text.options);
    }
    return texts;
}

std::string indexText(double index) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, index).ptr;
    return std::string(buffer, end);
}

PictureText pictureText(const std::string& path, const RecordRuns& records, const View& view,
                        int scale, const std::string& software) {
    PictureText text;
    text.source = escapedName(lastName(path));
    text.software = software;
    const std::string numbers = records.empty() ? "none" : recordRunsText(records);
    text.title = text.source + ", records " + numbers;
    text.description = "VIDEO A (channels 1 and 3) and VIDEO B (channels 2 and 4) of records " +
                       numbers + " of " + text.source + ", samples " + indexText(view.range.first) +
                       " to " + indexText(view.range.last);
    if (!view.values.whole()) {
        text.description +=
            ", values " + indexText(view.values.low) + " to " + indexText(view.values.high);
    }
    std::vector<std::string> options;
    if (view.density) {
        // The density's records are the selection; the records painted over it follow --over.
        const Density& density = *view.density;
        const std::string counted = recordRunsText(density.runs);
        text.description += ", over the " + densityTitle(density) + " (" + counted + ")";
        options.push_back(shortestForm(kRecordsOption) + " " + counted);
        options.push_back(longForm(kDensityOption));
        if (density.scale == DensityScale::Linear) {
            options.push_back(longForm(kDensityScaleOption) + " linear");
        }
        if (!records.empty()) {
            options.push_back(longForm(kOverOption) + " " + numbers);
        }
    } else if (!records.empty()) { // no selection of the export tool paints none
        options.push_back(shortestForm(kRecordsOption) + " " + numbers);
    }
    if (!view.range.whole()) {
        options.push_back(longForm(kRangeOption) + " " + indexText(view.range.first) + "-" +
                          indexText(view.range.last));
    }
    if (!view.values.whole()) {
        options.push_back(longForm(kValuesOption) + " " + indexText(view.values.low) + "-" +
                          indexText(view.values.high));
    }
    if (view.cursorA || view.cursorB) {
        const auto at = [](const std::optional<int>& c) { return c ? std::to_string(*c) : ""; };
        text.description += ", cursor A at " + (view.cursorA ? at(view.cursorA) : "none") +
                            " and cursor B at " + (view.cursorB ? at(view.cursorB) : "none");
        options.push_back(longForm(kCursorsOption) + " " + at(view.cursorA) +
                          (view.cursorB ? "," : "") + at(view.cursorB));
    }
    if (view.legend) {
        text.description += ", with a legend";
        options.push_back(longForm(kLegendOption));
    }
    if (scale != 1) {
        options.push_back(longForm(kScaleOption) + " " + std::to_string(scale));
    }
    if (view.difference && view.reference) {
        // The export tool paints no difference view: no options would paint this picture again.
        text.description += ", each record minus record " + std::to_string(view.reference->number);
        return text;
    }
    for (const std::string& option : options) {
        text.options += (text.options.empty() ? "" : " ") + option;
    }
    return text;
}

} // namespace sorkam::chart

#include "export/Formats.h"

#include "chart/ShownText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace sorkam::exporting {

namespace {

template <typename Number> void appendNumber(std::string& text, Number value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

} // namespace

std::string csvField(const std::string& text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

ExportResult InfoListing::begin(const std::string& name, std::int64_t length, std::int64_t count) {
    std::string text = "file:    " + name + "\nlength:  " + std::to_string(length) +
                       " bytes\nrecords: " + std::to_string(count) + '\n';
    numberWidth = static_cast<int>(std::max<std::size_t>(6, std::to_string(count).size()));
    if (count > 0) {
        char heading[64];
        std::snprintf(heading, sizeof heading, "\n%*s  %-8s  %s\n", numberWidth, "record",
                      "header8", "header10");
        text += heading;
    }
    return sink.write(text);
}

ExportResult InfoListing::add(std::int64_t n, const Record& record) {
    char number[32];
    std::snprintf(number, sizeof number, "%*lld", numberWidth, static_cast<long long>(n));
    return sink.write(number + ("  " + chart::headerText(record.header8)) + "  " +
                      chart::headerText(record.header10) + '\n');
}

ExportResult InfoJson::begin(const std::string& name, std::int64_t length, std::int64_t count) {
    return sink.write("{\n  \"file\": " + jsonString(name) +
                      ",\n  \"length\": " + std::to_string(length) +
                      ",\n  \"records\": " + std::to_string(count) + ",\n  \"headers\": [");
}

ExportResult InfoJson::add(std::int64_t n, const Record& record) {
    const std::string text =
        (first ? "\n" : ",\n") + std::string("    {\"record\": ") + std::to_string(n) +
        ", \"header8\": " + jsonString(chart::headerCharacters(record.header8)) +
        ", \"header10\": " + jsonString(chart::headerCharacters(record.header10)) + '}';
    first = false;
    return sink.write(text);
}

ExportResult InfoJson::end() {
    return sink.write(first ? "]\n}\n" : "\n  ]\n}\n");
}

ExportResult CsvWriter::begin() {
    return sink.write("record,header8,header10,index,channel1,channel2,channel3,channel4\n");
}

ExportResult CsvWriter::add(std::int64_t n, const Record& record) {
    std::string prefix;
    appendNumber(prefix, n);
    prefix += ',' + csvField(chart::headerText(record.header8)) + ',' +
              csvField(chart::headerText(record.header10)) + ',';
    rows.clear();
    for (int i = 0; i < format::kSamplesPerBlock; ++i) {
        rows += prefix;
        appendNumber(rows, i);
        for (const ChannelBuffer& channel : record.channels) {
            rows += ',';
            appendNumber(rows, channel[static_cast<std::size_t>(i)]);
        }
        rows += '\n';
    }
    return sink.write(rows);
}

} // namespace sorkam::exporting

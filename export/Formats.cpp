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

// How a file's length falls into records: the bytes of its last record where that is partial (0
// where it is whole), and the bytes after the last record too few to make one (0 or 1).
struct Tail {
    std::int64_t partial = 0;
    std::int64_t after = 0;
};

Tail tailOf(std::int64_t length, std::int64_t count) {
    if (count == 0) {
        return {0, length};
    }
    const std::int64_t lastStart = format::kRecordSize * (count - 1);
    const std::int64_t last = std::min<std::int64_t>(length - lastStart, format::kRecordSize);
    return {last < format::kRecordSize ? last : 0, length - lastStart - last};
}

std::string bytes(std::int64_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

// What the records line adds for a length that is not a whole number of records.
std::string tailNote(const Tail& tail, std::int64_t count) {
    if (tail.partial > 0) {
        return " (the last one partial: " + std::to_string(tail.partial) + " of its " +
               bytes(format::kRecordSize) + ")";
    }
    if (tail.after > 0) {
        return " (" + std::string(count > 0 ? "and " : "") + bytes(tail.after) +
               (count > 0 ? " after them" : "") + ", too few for a record)";
    }
    return {};
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
    std::string text = "file:    " + name + "\nlength:  " + bytes(length) +
                       "\nrecords: " + std::to_string(count) +
                       tailNote(tailOf(length, count), count) + '\n';
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
    const Tail tail = tailOf(length, count);
    return sink.write(
        "{\n  \"file\": " + jsonString(name) + ",\n  \"length\": " + std::to_string(length) +
        ",\n  \"records\": " + std::to_string(count) +
        ",\n  \"partialRecordBytes\": " + std::to_string(tail.partial) +
        ",\n  \"bytesAfterRecords\": " + std::to_string(tail.after) + ",\n  \"headers\": [");
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

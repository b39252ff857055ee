#pragma once

#include "export/OutputSink.h"
#include "record/RecordFile.h"

#include <cstdint>
#include <string>

namespace sorkam::exporting {

// What info writes: the file's name, length and record count first, then each record's header
// texts, as aligned text or as JSON.
class InfoWriter {
public:
    virtual ~InfoWriter() = default;

    // The name as messages show it, the length in bytes and how many records the file holds.
    [[nodiscard]] virtual ExportResult begin(const std::string& name, std::int64_t length,
                                             std::int64_t count) = 0;
    [[nodiscard]] virtual ExportResult add(std::int64_t n, const Record& record) = 0;
    [[nodiscard]] virtual ExportResult end() = 0;
};

// "file:", "length:" and "records:" lines (saying where the last record is partial), then a table
// of record numbers and header texts.
class InfoListing final : public InfoWriter {
public:
    explicit InfoListing(OutputSink& sink) : sink(sink) {}
    ExportResult begin(const std::string& name, std::int64_t length, std::int64_t count) override;
    ExportResult add(std::int64_t n, const Record& record) override;
    ExportResult end() override { return {}; }

private:
    OutputSink& sink;
    int numberWidth = 6;
};

// One JSON object: file, length, records, partialRecordBytes (of a partial last record, else 0),
// bytesAfterRecords (too few for a record: 0 or 1) and an array of headers.
class InfoJson final : public InfoWriter {
public:
    explicit InfoJson(OutputSink& sink) : sink(sink) {}
    ExportResult begin(const std::string& name, std::int64_t length, std::int64_t count) override;
    ExportResult add(std::int64_t n, const Record& record) override;
    ExportResult end() override;

private:
    OutputSink& sink;
    bool first = true;
};

// A header row, then one row per record and sample index (0..1199, the samples that belong to
// each channel's block): record, both header texts, the four channels. Lines end in LF.
class CsvWriter {
public:
    explicit CsvWriter(OutputSink& sink) : sink(sink) {}
    [[nodiscard]] ExportResult begin();
    [[nodiscard]] ExportResult add(std::int64_t n, const Record& record);

private:
    OutputSink& sink;
    std::string rows;
};

// A field quoted as CSV requires: in double quotes, inner quotes doubled, when it holds a comma,
// a quote, a line break or leading or trailing blanks.
[[nodiscard]] std::string csvField(const std::string& text);

// Text as a JSON string literal, quotes included.
[[nodiscard]] std::string jsonString(const std::string& text);

} // namespace sorkam::exporting

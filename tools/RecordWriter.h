#pragma once

#include "../record/RecordFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sorkam::testdata {

// The bytes of one record as the viewer reads it: header texts at offsets 26 and 40 (cut or
// padded with spaces to 8 and 10 bytes) and samples 0..1199 of each channel in its block. The
// 56 bytes at the start of blocks 1..3 double as samples 1200..1255 of the channel before and
// are left zero.
using RecordBytes = std::array<std::uint8_t, format::kRecordSize>;
[[nodiscard]] RecordBytes
encodeRecord(std::string_view headerText8, std::string_view headerText10,
             const std::array<ChannelBuffer, format::kChannelCount>& channels);

// Appends a record's bytes to a file image.
void appendRecord(std::vector<std::uint8_t>& file, const RecordBytes& record);

// Writes bytes to path, replacing the file; false when it cannot.
[[nodiscard]] bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The demo run: 24 records of recognisable signals (pulses, a step response, a decaying
// oscillation, noise on a slow wave) that drift from record to record, each with a date and a
// time of day as header texts. The same bytes every time.
[[nodiscard]] std::vector<std::uint8_t> demoFile(int records = 24);

} // namespace sorkam::testdata

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sorkam::testdata {

// The layout is spelled out here on its own, not taken from the reader, so that a wrong offset
// in either shows up in the tests instead of passing in both: a record is 5024 bytes, four
// blocks of 1256; header texts at record offsets 26 (8 bytes) and 40 (10 bytes); each channel's
// samples 56 bytes into its block.
inline constexpr std::size_t kRecordBytes = 5024;
inline constexpr std::size_t kSamplesPerChannel = 1200;

// Samples 0..1199 of channels 1..4, the samples that lie in each channel's own block.
using ChannelSamples = std::array<std::array<std::uint8_t, kSamplesPerChannel>, 4>;
using RecordBytes = std::array<std::uint8_t, kRecordBytes>;

// The bytes of one record: the header texts (cut or padded with spaces to 8 and 10 bytes) and
// the samples. The 56 bytes at the start of blocks 1..3, which a reader of 1256-byte channels
// takes as samples 1200..1255 of the channel before, are left zero.
[[nodiscard]] RecordBytes encodeRecord(std::string_view header8, std::string_view header10,
                                       const ChannelSamples& channels);

// Appends a record's bytes to a file image.
void appendRecord(std::vector<std::uint8_t>& file, const RecordBytes& record);

// Writes bytes to path, replacing the file; false when it cannot.
[[nodiscard]] bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The demo run: 24 records of recognisable signals (pulses, a step response, a decaying
// oscillation, noise on a slow wave) that drift from record to record, each with a date and a
// time of day as header texts. The same bytes every time.
[[nodiscard]] std::vector<std::uint8_t> demoFile(int records = 24);

} // namespace sorkam::testdata

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace sorkam {

// Layout of a data file. The file is a flat run of 5024-byte records with no file header;
// its length alone tells how many records it holds. A record is four 1256-byte blocks; both
// header texts lie in block 0 and each channel's samples start 56 bytes into its block.
namespace format {

inline constexpr std::int32_t kRecordSize = 5024;
inline constexpr std::int32_t kBlockSize = 1256;
inline constexpr std::size_t kChannelCount = 4;
inline constexpr std::size_t kChannelLength = 1256;

inline constexpr std::int32_t kHeader8Offset = 26;
inline constexpr std::size_t kHeader8Length = 8;
inline constexpr std::int32_t kHeader10Offset = 40;
inline constexpr std::size_t kHeader10Length = 10;

// Record offsets of channels 1..4. A channel read is 1256 bytes although only 1200 remain in its
// block, so the last 56 bytes of a channel are the first 56 bytes of the following block (for
// channel 4, of the next record).
inline constexpr std::array<std::int32_t, kChannelCount> kChannelOffsets = {56, 1312, 2568, 3824};

// Where the samples start in each block, and how many of a channel's samples lie in its own
// block (0..1199).
inline constexpr std::int32_t kSampleOffset = 56;
inline constexpr std::int32_t kSamplesPerBlock = kBlockSize - kSampleOffset;

static_assert(kRecordSize == 4 * kBlockSize);
static_assert(kChannelOffsets[0] == kSampleOffset);
static_assert(kChannelOffsets[3] + static_cast<std::int32_t>(kChannelLength) ==
              kRecordSize + kSampleOffset);

} // namespace format

} // namespace sorkam

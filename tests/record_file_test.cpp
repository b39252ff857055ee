#include "record/RecordFile.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace sorkam {
namespace {

using test::numberedRecords;
using test::numberedSample;
using test::TempDir;

constexpr int kRecord = format::kRecordSize;

std::vector<std::uint8_t> bytesOfLength(std::size_t n, std::uint8_t fill = 0x41) {
    return std::vector<std::uint8_t>(n, fill);
}

// Whether record n exists, by file length, including records only partly in the file.
struct PresenceCase {
    const char* name;
    std::int64_t length;
    std::int16_t record;
    bool present;
};

class RecordPresence : public testing::TestWithParam<PresenceCase> {};

TEST_P(RecordPresence, FollowsTheFirstByteRule) {
    const PresenceCase& c = GetParam();
    EXPECT_EQ(RecordFile::isPresent(c.record, c.length), c.present);
}

INSTANTIATE_TEST_SUITE_P(Lengths, RecordPresence,
                         testing::Values(PresenceCase{"empty", 0, 0, false},
                                         PresenceCase{"oneByte", 1, 0, false},
                                         PresenceCase{"twoBytes", 2, 0, true},
                                         PresenceCase{"threeWholeLast", 3 * kRecord, 2, true},
                                         PresenceCase{"threeWholeNext", 3 * kRecord, 3, false},
                                         PresenceCase{"onePastWhole", 3 * kRecord + 1, 3, false},
                                         PresenceCase{"twoPastWhole", 3 * kRecord + 2, 3, true},
                                         PresenceCase{"lastReachable", 24LL * kRecord, 23, true},
                                         PresenceCase{"hugeFile", 1LL << 40, 23, true},
                                         PresenceCase{"negativeIsReadAndFails", 0, -1, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordFileLength, ReportsBytesOrADistinctError) {
    TempDir dir;
    EXPECT_EQ(RecordFile::length(dir.write("empty.vid", {})).value(), 0);
    EXPECT_EQ(RecordFile::length(dir.write("three.vid", numberedRecords(3))).value(), 3 * kRecord);

    const auto missing = RecordFile::length((dir.path() / "missing.vid").string());
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error(), RecordError::LengthUnavailable);

    const auto directory = RecordFile::length(dir.path().string());
    ASSERT_FALSE(directory.ok());
    EXPECT_EQ(directory.error(), RecordError::NotAFile);

    EXPECT_FALSE(RecordFile::length("").ok());
    EXPECT_FALSE(RecordFile::length(std::string("a\0b", 3)).ok());
}

TEST(RecordFileErrors, EveryKindHasItsOwnNonZeroCode) {
    const std::vector<RecordError> all = {RecordError::LengthUnavailable, RecordError::NotAFile,
                                          RecordError::OpenFailed, RecordError::PositionBeforeStart,
                                          RecordError::ReadFailed};
    std::vector<int> codes;
    for (const RecordError e : all) {
        EXPECT_NE(errorCode(e), 0);
        codes.push_back(errorCode(e));
    }
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(std::unique(codes.begin(), codes.end()), codes.end());
}

TEST(RecordFileRead, TakesEveryFieldFromItsOffset) {
    TempDir dir;
    const std::string path = dir.write("three.vid", numberedRecords(3));
    for (std::int16_t r = 0; r < 3; ++r) {
        const auto result = RecordFile::read(path, r);
        ASSERT_TRUE(result.ok()) << "record " << r;
        const Record& rec = result.value();
        EXPECT_EQ(rec.header8, "REC-" + std::to_string(r) + "   ");
        EXPECT_EQ(rec.header10, "TEXT-" + std::to_string(r) + "    ");
        for (int c = 0; c < 4; ++c) {
            for (int i = 0; i < 1200; ++i) {
                ASSERT_EQ(rec.channels[c][i], numberedSample(r, c, i))
                    << "record " << r << " channel " << c + 1 << " sample " << i;
            }
        }
    }
}

TEST(RecordFileRead, ChannelTailsAreTheNextBlocksFirstBytes) {
    std::vector<std::uint8_t> file(2 * kRecord);
    for (std::size_t i = 0; i < file.size(); ++i) {
        file[i] = static_cast<std::uint8_t>(i * 13 + 5);
    }
    TempDir dir;
    const auto rec = RecordFile::read(dir.write("two.vid", file), 0);
    ASSERT_TRUE(rec.ok());
    for (int c = 0; c < 4; ++c) {
        const std::size_t start = static_cast<std::size_t>(format::kChannelOffsets[c]);
        for (std::size_t i = 0; i < 1256; ++i) {
            ASSERT_EQ(rec.value().channels[c][i], file[start + i]) << "channel " << c + 1;
        }
    }
}

TEST(RecordFileRead, LastWholeRecordEndsWithZeroSamples) {
    TempDir dir;
    const auto rec = RecordFile::read(dir.write("three.vid", numberedRecords(3)), 2);
    ASSERT_TRUE(rec.ok());
    const ChannelBuffer& ch4 = rec.value().channels[3];
    EXPECT_EQ(ch4[1199], numberedSample(2, 3, 1199));
    EXPECT_TRUE(std::all_of(ch4.begin() + 1200, ch4.end(), [](auto v) { return v == 0; }));
}

// A record whose bytes end early: what the file holds is read, the rest is zero samples and
// blank header characters.
struct ShortCase {
    const char* name;
    std::size_t fileLength; // of a file filled with 0x41
    std::size_t samplesPerChannel[4];
    std::size_t header8Chars;
    std::size_t header10Chars;
};

class ShortRecord : public testing::TestWithParam<ShortCase> {};

TEST_P(ShortRecord, ReadsWhatThereIsAndZeroFillsTheRest) {
    const ShortCase& c = GetParam();
    TempDir dir;
    const std::int16_t n = 1;
    const auto rec =
        RecordFile::read(dir.write("short.vid", bytesOfLength(kRecord + c.fileLength)), n);
    ASSERT_TRUE(rec.ok());
    for (int ch = 0; ch < 4; ++ch) {
        const ChannelBuffer& buf = rec.value().channels[ch];
        const std::size_t have = c.samplesPerChannel[ch];
        EXPECT_EQ(std::count(buf.begin(), buf.begin() + have, 0x41), static_cast<long>(have))
            << "channel " << ch + 1;
        EXPECT_EQ(std::count(buf.begin() + have, buf.end(), 0), static_cast<long>(1256 - have))
            << "channel " << ch + 1;
    }
    EXPECT_EQ(rec.value().header8,
              std::string(c.header8Chars, 'A') + std::string(8 - c.header8Chars, ' '));
    EXPECT_EQ(rec.value().header10,
              std::string(c.header10Chars, 'A') + std::string(10 - c.header10Chars, ' '));
}

INSTANTIATE_TEST_SUITE_P(
    CutShort, ShortRecord,
    testing::Values(ShortCase{"twoBytes", 2, {0, 0, 0, 0}, 0, 0},
                    ShortCase{"insideHeader8", 30, {0, 0, 0, 0}, 4, 0},
                    ShortCase{"insideHeader10", 45, {0, 0, 0, 0}, 8, 5},
                    ShortCase{"insideChannel1", 56 + 100, {100, 0, 0, 0}, 8, 10},
                    ShortCase{"insideChannel2", 1312 + 7, {1256, 7, 0, 0}, 8, 10},
                    ShortCase{"insideChannel3", 2568 + 1255, {1256, 1256, 1255, 0}, 8, 10},
                    ShortCase{"insideChannel4", 3824 + 1, {1256, 1256, 1256, 1}, 8, 10},
                    ShortCase{"oneByteShort", 5023, {1256, 1256, 1256, 1199}, 8, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordFileRead, HeaderBytesOfEveryValueComeBackUnchanged) {
    // 256 byte values over 15 records' 18 header bytes each, NUL, spaces and bytes above 127
    // included.
    std::vector<std::uint8_t> file;
    testdata::ChannelSamples none{};
    for (int r = 0; r < 15; ++r) {
        auto bytes = testdata::encodeRecord("", "", none);
        for (int k = 0; k < 18; ++k) {
            const int offset = k < 8 ? 26 + k : 40 + (k - 8);
            bytes[offset] = static_cast<std::uint8_t>((r * 18 + k) % 256);
        }
        testdata::appendRecord(file, bytes);
    }
    TempDir dir;
    const std::string path = dir.write("headers.vid", file);
    for (std::int16_t r = 0; r < 15; ++r) {
        const auto rec = RecordFile::read(path, r);
        ASSERT_TRUE(rec.ok());
        const std::string all = rec.value().header8 + rec.value().header10;
        ASSERT_EQ(all.size(), 18u);
        for (int k = 0; k < 18; ++k) {
            EXPECT_EQ(static_cast<unsigned char>(all[k]), (r * 18 + k) % 256);
        }
    }
}

TEST(RecordFileRead, FailsWithoutAResultForBadPositionsAndFiles) {
    TempDir dir;
    const std::string path = dir.write("one.vid", numberedRecords(1));

    const auto before = RecordFile::read(path, -1);
    ASSERT_FALSE(before.ok());
    EXPECT_EQ(before.error(), RecordError::PositionBeforeStart);

    const auto missing = RecordFile::read((dir.path() / "gone.vid").string(), 0);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error(), RecordError::OpenFailed);

    const auto directory = RecordFile::read(dir.path().string(), 0);
    ASSERT_FALSE(directory.ok());
    EXPECT_EQ(directory.error(), RecordError::NotAFile);
}

TEST(RecordFileRead, APipeInTheFilesPlaceFailsInsteadOfWaiting) {
    TempDir dir;
    const std::string fifo = (dir.path() / "pipe.vid").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto length = RecordFile::length(fifo);
    ASSERT_FALSE(length.ok());
    EXPECT_EQ(length.error(), RecordError::NotAFile);
    const auto read = RecordFile::read(fifo, 0);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error(), RecordError::NotAFile);
}

TEST(RecordFileRead, LeavesNoDescriptorOpen) {
    TempDir dir;
    const std::string path = dir.write("one.vid", numberedRecords(1));
    const auto openCount = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    const auto before = openCount();
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(RecordFile::read(path, 0).ok());
        ASSERT_FALSE(RecordFile::read(path, -1).ok());
        ASSERT_FALSE(RecordFile::read(dir.path().string(), 0).ok());
    }
    EXPECT_EQ(openCount(), before);
}

TEST(RecordFileRead, AFileWithoutReadPermissionFailsToOpen) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TempDir dir;
    const std::string path = dir.write("locked.vid", numberedRecords(1));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    const auto read = RecordFile::read(path, 0);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error(), RecordError::OpenFailed);
}

TEST(RecordCount, CountsThePresentRecordsLikeTheViewer) {
    EXPECT_EQ(RecordFile::recordCount(0), 0);
    EXPECT_EQ(RecordFile::recordCount(1), 0);
    EXPECT_EQ(RecordFile::recordCount(2), 1);
    EXPECT_EQ(RecordFile::recordCount(5025), 1);
    EXPECT_EQ(RecordFile::recordCount(5026), 2);
    EXPECT_EQ(RecordFile::recordCount(1LL << 30), (((1LL << 30) - 2) / 5024) + 1);
}

} // namespace
} // namespace sorkam

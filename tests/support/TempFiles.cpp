#include "tests/support/TempFiles.h"

#include <random>
#include <stdexcept>

namespace sorkam::test {

TempDir::TempDir() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("sorkam-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            root = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary directory");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(root, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root, ignored);
}

std::string TempDir::write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const std::string file = (root / name).string();
    if (!testdata::writeFile(file, bytes)) {
        throw std::runtime_error("cannot write " + file);
    }
    return file;
}

std::uint8_t numberedSample(int record, int channel, int index) {
    return static_cast<std::uint8_t>((index + 7 * record + 31 * channel) % 256);
}

std::vector<std::uint8_t> numberedRecords(int records) {
    std::vector<std::uint8_t> file;
    for (int r = 0; r < records; ++r) {
        testdata::ChannelSamples channels{};
        for (int c = 0; c < 4; ++c) {
            for (int i = 0; i < 1200; ++i) {
                channels[c][i] = numberedSample(r, c, i);
            }
        }
        testdata::appendRecord(file, testdata::encodeRecord("REC-" + std::to_string(r),
                                                            "TEXT-" + std::to_string(r), channels));
    }
    return file;
}

} // namespace sorkam::test

// Writes seed inputs for the record fuzzer into a directory: a record-number byte followed by a
// data file, over the demo data, numbered records, and files cut at the edges that matter.
#include "tools/RecordWriter.h"

#include <algorithm>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argc > 0 ? argv[0] : "make_fuzz_corpus");
        return 2;
    }
    using namespace sorkam::testdata;
    const std::vector<std::uint8_t> demo = demoFile(24);
    // An empty file, one byte, two bytes (record 0 just present), then the demo data cut short.
    std::vector<std::vector<std::uint8_t>> files;
    files.emplace_back();
    files.emplace_back(1, std::uint8_t{0x41});
    files.emplace_back(2, std::uint8_t{0});
    for (const std::size_t cut : {5024u, 5025u, 5026u, 5024u + 30u, 5024u + 200u, 5024u + 1400u,
                                  5024u + 2600u, 5024u + 4000u, 2u * 5024u, 3u * 5024u + 1u}) {
        files.emplace_back(demo.begin(), demo.begin() + static_cast<std::ptrdiff_t>(cut));
    }
    files.push_back(demo);
    int written = 0;
    for (std::size_t f = 0; f < files.size(); ++f) {
        for (const int record : {-1, 0, 1, 2, 3, 23}) {
            std::vector<std::uint8_t> input(1 + files[f].size());
            input[0] = static_cast<std::uint8_t>(record + 1);
            std::copy(files[f].begin(), files[f].end(), input.begin() + 1);
            const std::string name = std::string(argv[1]) + "/seed-" + std::to_string(f) + "-" +
                                     std::to_string(record + 1);
            if (!writeFile(name, input)) {
                std::fprintf(stderr, "%s: cannot write %s\n", argv[0], name.c_str());
                return 1;
            }
            ++written;
        }
    }
    std::printf("%d seeds\n", written);
    return 0;
}

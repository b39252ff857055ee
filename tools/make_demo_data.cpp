// Writes the demo data file: 24 records, one for each record colour.
#include "tools/RecordWriter.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.vid\n", argc > 0 ? argv[0] : "make_demo_data");
        return 2;
    }
    if (!sorkam::testdata::writeFile(argv[1], sorkam::testdata::demoFile())) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}

// Arbitrary bytes as a data file, read and displayed for a record number from -1 to 23. Besides
// the sanitizers' checks, every outcome is compared with what the bytes say it must be.
#include "chart/RecordColors.h"
#include "plot/PlotSurface.h"
#include "record/RecordFile.h"
#include "tests/support/FakeViewer.h"
#include "viewer/RecordDisplay.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace sorkam;

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

// Counts lines and checks each one stays inside the trace area in the record's colour.
class CheckingSurface final : public PlotSurface {
public:
    explicit CheckingSurface(Color expected) : expected(expected) {}
    void setScale(float, float, float, float) override { require(false, "display sets no scale"); }
    void drawLine(float x1, float y1, float x2, float y2, Color color) override {
        require(color == expected, "trace colour");
        require(x1 >= 35 && x2 <= 836 && x2 == x1 + 1, "trace x range");
        require(y1 >= 25 && y1 <= 280 && y2 >= 25 && y2 <= 280, "trace y range");
        ++lines;
    }
    void drawPoint(float, float) override { require(false, "display sets no points"); }
    void drawNumber(float, float, std::int16_t) override {
        require(false, "display draws no numbers");
    }
    void clear() override { require(false, "display clears nothing"); }

    int lines = 0;

private:
    Color expected;
};

std::uint8_t byteAt(const std::uint8_t* file, std::size_t size, std::int64_t offset) {
    return offset >= 0 && static_cast<std::size_t>(offset) < size ? file[offset] : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto n = static_cast<std::int16_t>(data[0] % 25 - 1);
    const std::uint8_t* file = data + 1;
    const std::size_t fileSize = size - 1;

    // An in-memory file, reached by path like any other.
    static const int fd = memfd_create("sorkam-fuzz", 0);
    require(fd >= 0, "memfd");
    require(ftruncate(fd, 0) == 0, "truncate");
    require(pwrite(fd, file, fileSize, 0) == static_cast<ssize_t>(fileSize), "write");
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);

    const Result<std::int64_t, ReadFailure> length = RecordFile::length(path);
    require(length.ok() && length.value() == static_cast<std::int64_t>(fileSize), "length");
    const bool present = RecordFile::isPresent(n, length.value());
    require(present == (n < 0 || 5024LL * n + 1 < static_cast<std::int64_t>(fileSize)), "presence");

    if (present) {
        const Result<Record, ReadFailure> read = RecordFile::read(path, n);
        require(read.ok() == (n >= 0), "read fails only before the start");
        if (read.ok()) {
            const Record& r = read.value();
            require(r.header8.size() == 8 && r.header10.size() == 10, "header sizes");
            const std::int64_t base = 5024LL * n;
            const std::string headers = r.header8 + r.header10;
            for (int i = 0; i < 18; ++i) {
                const std::int64_t at = base + (i < 8 ? 26 + i : 40 + i - 8);
                const char expected =
                    at < static_cast<std::int64_t>(fileSize) ? static_cast<char>(file[at]) : ' ';
                require(headers[i] == expected, "header bytes");
            }
            const std::int64_t offsets[] = {56, 1312, 2568, 3824};
            for (int c = 0; c < 4; ++c) {
                for (int i = 0; i < 1256; ++i) {
                    require(r.channels[c][i] == byteAt(file, fileSize, base + offsets[c] + i),
                            "channel bytes");
                }
            }
        }
    }

    test::EventLog log;
    test::FakeHost host(log);
    const Color color = chart::recordColor(n);
    CheckingSurface plotA(color);
    CheckingSurface plotB(color);
    RecordDisplay display(host, plotA, plotB);
    const DisplayResult result = display.showRecord(path, n);
    require(host.title == path, "title");
    if (!present) {
        require(outcomeOf(result) == DisplayOutcome::EndOfFile, "end-of-file");
        require(plotA.lines == 0 && plotB.lines == 0, "nothing painted at end-of-file");
    } else if (n < 0) {
        require(!result.ok() && std::get_if<ReadFailure>(&result.error()) != nullptr &&
                    errorCode(std::get<ReadFailure>(result.error())) == 4,
                "failure before the start");
        require(plotA.lines == 0, "nothing painted on failure");
    } else {
        require(result.ok(), "shown");
        require(plotA.lines == 1602 && plotB.lines == 1602, "two traces per surface");
        require(host.caption.size() == 19 && host.statusColor == color, "status line");
    }
    return 0;
}

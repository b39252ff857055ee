// sorkam-export: pictures, numbers and header listings of a data file's records, for reports,
// spreadsheets and scripts. Loads no toolkit: its PNG pictures are painted from tables kept at
// build time, and its SVG and PDF documents written by hand. PNG pictures that need more (a
// view's legend, cursors, zoomed ranges or a density) are painted by the painter program beside
// it, which this program becomes for them.
#include "export/ExportProgram.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <string>

namespace {

using namespace sorkam::exporting;
using sorkam::Result;

// The painter program's absolute path: SORKAM_PAINTER relative to this program's folder, where
// the installation and the build tree both put it. Never a relative path, which the system would
// resolve against the working folder and run whatever is planted there.
Result<std::string, Failure> painterPath() {
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0 || self[0] != '/') {
        const int error = length < 0 ? errno : ENOENT;
        return failure(kNoPainter, "/proc/self/exe",
                       "cannot be read, so the painter program cannot be found: " +
                           systemReason(error));
    }
    const std::string path(self, static_cast<std::size_t>(length));
    return std::filesystem::path(path.substr(0, path.rfind('/') + 1) + SORKAM_PAINTER)
        .lexically_normal()
        .string();
}

} // namespace

int main(int argc, char** argv) {
    return runExport(argc, argv, [argv](const ExportOptions&, const Progress&) -> ExportResult {
        // The same command line, run by the painter in this process's place.
        const Result<std::string, Failure> painter = painterPath();
        if (!painter.ok()) {
            return painter.error();
        }
        ::execv(painter.value().c_str(), argv);
        return failure(kNoPainter, painter.value(),
                       "cannot be run (the installation is incomplete): " + systemReason(errno));
    });
}

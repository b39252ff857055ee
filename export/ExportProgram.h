#pragma once

#include "export/ExportOptions.h"
#include "export/Failure.h"
#include "export/PictureWriters.h"

namespace sorkam::exporting {

// sorkam-export's command line from start to end: its options read, the command run, a failure
// reported in one line; the exit status.
[[nodiscard]] int runExport(int argc, char** argv);

} // namespace sorkam::exporting

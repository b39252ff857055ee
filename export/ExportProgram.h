#pragma once

#include "export/ExportOptions.h"
#include "export/Failure.h"
#include "export/PictureWriters.h"

#include <functional>

namespace sorkam::exporting {

// Paints a picture the chart tables cannot (ExportOptions::needsPainter), with progress for
// --each; what came of it.
using ViewPainting = std::function<ExportResult(const ExportOptions&, const Progress&)>;

// sorkam-export's command line from start to end: its options read, the command run, a failure
// reported in one line; the exit status. paintView takes the pictures that need a painter.
[[nodiscard]] int runExport(int argc, char** argv, const ViewPainting& paintView);

} // namespace sorkam::exporting

#pragma once

#include "export/ExportOptions.h"
#include "export/Failure.h"
#include "export/PictureWriters.h"

namespace sorkam::exporting {

// The pictures that need the toolkit, painted as the viewer paints its view: png with a legend,
// cursors or a range (also --each, one picture a record, with progress), svg and pdf. Records are
// read and painted one at a time, as the other commands read them.
[[nodiscard]] ExportResult viewPicture(const ExportOptions& options, const Progress& progress);

} // namespace sorkam::exporting

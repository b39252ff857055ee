#pragma once

#include "record/Result.h"

#include <string>

namespace sorkam {

// A picture's bytes written to path (bytes, any name the system takes) as the save dialog named
// it: to a new file beside it, then renamed over it, so an existing file is replaced whole or not
// at all and keeps its permissions. Only a regular file is replaced, and never the data file
// being shown. The failure says why the file could not be written ("Permission denied").
[[nodiscard]] Result<void, std::string>
writePictureFile(const std::string& path, const std::string& bytes, const std::string& dataFile);

} // namespace sorkam

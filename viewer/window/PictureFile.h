#pragma once

#include "record/Result.h"

#include <functional>
#include <string>

class QIODevice;

namespace sorkam {

// A picture written to path (bytes, any name the system takes) as the save dialog named it: write
// writes it to a new file beside it, which is then renamed over it, so an existing file is
// replaced whole or not at all and keeps its permissions. Only a regular file is replaced, and
// never the data file being shown. The failure says why the file could not be written
// ("Permission denied"), or is write's own.
using WritePicture = std::function<Result<void, std::string>(QIODevice& file)>;
[[nodiscard]] Result<void, std::string>
writePictureFile(const std::string& path, const std::string& dataFile, const WritePicture& write);

} // namespace sorkam

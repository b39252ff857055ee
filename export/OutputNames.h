#pragma once

#include <string>

namespace sorkam::exporting {

// What an output name's extension says it holds ("PNG", "JPEG", "CSV"), where it names a picture
// format or CSV; empty otherwise.
[[nodiscard]] std::string formatNamed(const std::string& output);

} // namespace sorkam::exporting

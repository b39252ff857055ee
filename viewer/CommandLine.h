#pragma once

#include <string>

namespace sorkam {

// The whole argument text after the program name: the arguments joined by single spaces, bytes
// as they are. The viewer has no options of its own, so every argument belongs to the path.
[[nodiscard]] std::string commandLineText(int argc, const char* const* argv);

} // namespace sorkam

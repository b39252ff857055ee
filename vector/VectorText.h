#pragma once

#include "vector/FontTables.h"

#include <string>
#include <string_view>

namespace sorkam::chart {

// UTF-8 as code points; a byte that starts no character (or an overlong or cut one) as U+FFFD.
[[nodiscard]] std::u32string codePoints(std::string_view utf8);

// How far text in face moves the pen, in layout pixels: each character's advance, one not
// measured taking U+FFFD's.
[[nodiscard]] int textWidth(const FaceTable& face, std::string_view utf8);

// Text as an XML document holds it, in UTF-8: the characters XML 1.0 forbids (controls but tab,
// line feed and carriage return, U+FFFE, U+FFFF, anything not UTF-8) as U+FFFD, and &, <, > and
// quotes escaped.
[[nodiscard]] std::string xmlText(std::string_view utf8);

// A number as a document writes it: a whole number's digits, else six significant digits at most,
// no trailing zeros.
[[nodiscard]] std::string number(double v);

// Bytes in base64, as a data: address holds them.
[[nodiscard]] std::string base64(std::string_view bytes);

} // namespace sorkam::chart

#pragma once

#include <string>
#include <string_view>

namespace sorkam::chart {

// Header text bytes as the characters they stand for, in UTF-8: one character per byte in the
// Windows Western code page, control characters as they are, and the code page's five unused
// bytes as U+FFFD. For formats that escape control characters themselves (JSON).
[[nodiscard]] std::string headerCharacters(std::string_view bytes);

// Header text bytes as both programs show them, in UTF-8: the code page's characters, and control
// bytes and the five unused ones, which no font draws, as \xHH (as a tab shows as \x09).
[[nodiscard]] std::string headerText(std::string_view bytes);

// The invisible marks that reorder the text around them on screen ("run\u202Ediv.exe" reads as
// "runexe.vid"): a name shows them as codes instead.
[[nodiscard]] constexpr bool isDirectionMark(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

// A file name as the export tool's messages and listings show it: valid UTF-8 as it is; any
// other byte, and characters that would act on a terminal or reorder the line, as \xHH.
[[nodiscard]] std::string escapedName(const std::string& name);

} // namespace sorkam::chart

#pragma once

#include <string>
#include <string_view>

namespace sorkam::chart {

// Header text bytes as both programs show them, in UTF-8: one character per byte in the Windows
// Western code page; control bytes, which would otherwise show nothing or break the line, appear
// as their visible control pictures (NUL as U+2400 and so on), and the code page's five unused
// bytes as U+FFFD.
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

#include "export/Failure.h"

#include <cstdio>
#include <system_error>

namespace sorkam::exporting {

namespace {

// The length of the valid UTF-8 sequence of a printable character at text[i], or 0.
std::size_t printableSequence(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead >= 0x20 && lead < 0x7F) {
        return 1;
    }
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid =
        code >= smallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    // C1 controls act on some terminals; bidirectional controls reorder what follows.
    const bool control = code < 0xA0 || (code >= 0x202A && code <= 0x202E) ||
                         (code >= 0x2066 && code <= 0x2069) || code == 0x200E || code == 0x200F ||
                         code == 0x061C;
    return valid && !control ? length : 0;
}

} // namespace

std::string displayName(const std::string& name) {
    std::string shown;
    shown.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        if (const std::size_t length = printableSequence(name, i)) {
            shown.append(name, i, length);
            i += length;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(name[i]));
            shown += escaped;
            ++i;
        }
    }
    return shown;
}

Failure failure(int status, const std::string& name, const std::string& reason) {
    return {status, "sorkam-export: " + displayName(name) + ": " + reason};
}

std::string systemReason(int error) {
    return std::system_category().message(error);
}

} // namespace sorkam::exporting

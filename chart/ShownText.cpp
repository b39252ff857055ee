#include "chart/ShownText.h"

#include <array>

namespace sorkam::chart {

namespace {

// Bytes 0x80..0x9F of the Windows Western code page (1252); 0xFFFD where it defines none.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

// The character a byte stands for in the code page; 0 for the five bytes it leaves unused.
char16_t codePageChar(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t c = kCp1252High[byte - 0x80];
        return c == 0xFFFD ? 0 : c;
    }
    return byte; // ASCII and Latin-1 agree with the code page here
}

bool isControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

// \xHH for a byte no font draws. By hand: a filter over a million header texts of zero bytes
// spent a third of its time in snprintf.
std::string hexEscape(unsigned char byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

void appendUtf8(std::string& text, char16_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

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
    // C1 controls act on some terminals.
    const bool control = code < 0xA0 || isDirectionMark(code);
    return valid && !control ? length : 0;
}

} // namespace

std::string headerCharacters(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const char16_t shown = codePageChar(static_cast<unsigned char>(c));
        appendUtf8(text, shown != 0 ? shown : char16_t{0xFFFD});
    }
    return text;
}

std::string headerText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t shown = codePageChar(byte);
        if (shown == 0 || isControl(byte)) {
            text += hexEscape(byte);
        } else {
            appendUtf8(text, shown);
        }
    }
    return text;
}

std::string escapedName(const std::string& name) {
    std::string shown;
    shown.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        if (const std::size_t length = printableSequence(name, i)) {
            shown.append(name, i, length);
            i += length;
        } else {
            shown += hexEscape(static_cast<unsigned char>(name[i]));
            ++i;
        }
    }
    return shown;
}

} // namespace sorkam::chart

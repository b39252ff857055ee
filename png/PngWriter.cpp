// Written by hand, not through a picture library: the tool's pictures hold at most 256 colours,
// which a PNG file with a palette takes as they are, and a library would load a toolkit for it.
#include "png/PngWriter.h"

#include <zlib.h>

#include <array>
#include <cmath>

namespace sorkam::png {

namespace {

constexpr int kLevel = 5;
constexpr std::size_t kChunk = 1 << 16;

void appendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

// A chunk: its length, type, data and the CRC of type and data.
void appendChunk(std::string& out, const char (&type)[5], const std::string& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out += data;
    const auto* checked = reinterpret_cast<const Bytef*>(out.data() + start);
    appendBigEndian(
        out, static_cast<std::uint32_t>(crc32(0, checked, static_cast<uInt>(out.size() - start))));
}

// The rows, each after its filter byte 0 (none), through zlib a row at a time, so no second
// copy of the picture is made.
bool deflateRows(std::string& out, std::size_t rowBytes, int height, const unsigned char* pixels) {
    z_stream stream{};
    if (deflateInit(&stream, kLevel) != Z_OK) {
        return false;
    }
    std::array<unsigned char, kChunk> buffer{};
    unsigned char none = 0;
    bool ok = true;
    const auto feed = [&](const unsigned char* bytes, std::size_t size, int flush) {
        stream.next_in = const_cast<Bytef*>(bytes);
        stream.avail_in = static_cast<uInt>(size);
        do {
            stream.next_out = buffer.data();
            stream.avail_out = static_cast<uInt>(buffer.size());
            const int done = deflate(&stream, flush);
            if (done == Z_STREAM_ERROR) {
                ok = false;
                return;
            }
            out.append(reinterpret_cast<const char*>(buffer.data()),
                       buffer.size() - stream.avail_out);
        } while (stream.avail_out == 0 || (flush == Z_FINISH && stream.avail_in != 0));
    };
    for (int y = 0; y < height && ok; ++y) {
        feed(&none, 1, Z_NO_FLUSH);
        feed(pixels + static_cast<std::size_t>(y) * rowBytes, rowBytes,
             y + 1 == height ? Z_FINISH : Z_NO_FLUSH);
    }
    deflateEnd(&stream);
    return ok;
}

void appendTexts(std::string& png, const chart::PngTexts& texts) {
    for (const auto& [keyword, text] : texts) {
        // Keyword, no compression, no language, no translated keyword, then the text.
        appendChunk(png, "iTXt", keyword + std::string("\0\0\0\0\0", 5) + text);
    }
}

} // namespace

namespace {

// A picture of colourType (3: palette indices, 2: red, green and blue) as PNG file bytes.
std::string pngOf(int width, int height, char colourType, const std::vector<std::uint32_t>& palette,
                  const unsigned char* pixels, int dpi, const chart::PngTexts& texts) {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header += '\x08'; // 8 bits a sample
    header += colourType;
    header += std::string("\x00\x00\x00", 3); // deflate, no filter, not interlaced
    appendChunk(png, "IHDR", header);
    std::string resolution;
    const auto perMetre = static_cast<std::uint32_t>(std::lround(dpi / 0.0254));
    appendBigEndian(resolution, perMetre);
    appendBigEndian(resolution, perMetre);
    resolution += '\x01'; // per metre
    appendChunk(png, "pHYs", resolution);
    appendTexts(png, texts);
    if (colourType == 3) {
        std::string colours;
        for (const std::uint32_t c : palette) {
            colours += static_cast<char>((c >> 16) & 0xFF);
            colours += static_cast<char>((c >> 8) & 0xFF);
            colours += static_cast<char>(c & 0xFF);
        }
        appendChunk(png, "PLTE", colours);
    }
    std::string rows;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * (colourType == 3 ? 1 : 3);
    if (!deflateRows(rows, rowBytes, height, pixels)) {
        return {};
    }
    appendChunk(png, "IDAT", rows);
    appendChunk(png, "IEND", {});
    return png;
}

} // namespace

std::string pngOfIndexed(int width, int height, const std::vector<std::uint32_t>& palette,
                         const unsigned char* pixels, int dpi, const chart::PngTexts& texts) {
    return pngOf(width, height, 3, palette, pixels, dpi, texts);
}

std::string pngOfRgb(int width, int height, const unsigned char* pixels, int dpi,
                     const chart::PngTexts& texts) {
    return pngOf(width, height, 2, {}, pixels, dpi, texts);
}

std::string withPngTexts(std::string_view png, const chart::PngTexts& texts) {
    // The signature, then the header chunk: its length (13), "IHDR", 13 bytes and the CRC.
    constexpr std::size_t kHeaderEnd = 8 + 4 + 4 + 13 + 4;
    if (png.size() < kHeaderEnd || png.substr(0, 8) != "\x89PNG\r\n\x1a\n" ||
        png.substr(12, 4) != "IHDR") {
        return std::string(png);
    }
    std::string chunks;
    appendTexts(chunks, texts);
    std::string out;
    out.reserve(png.size() + chunks.size());
    out.append(png.substr(0, kHeaderEnd)).append(chunks).append(png.substr(kHeaderEnd));
    return out;
}

} // namespace sorkam::png

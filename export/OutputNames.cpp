#include "export/OutputNames.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace sorkam::exporting {

std::string formatNamed(const std::string& output) {
    const std::size_t dot = output.rfind('.');
    if (dot == std::string::npos || output.find('/', dot) != std::string::npos) {
        return {};
    }
    std::string extension = output.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const std::map<std::string, std::string> kFormats = {
        {"png", "PNG"},  {"jpg", "JPEG"},      {"jpeg", "JPEG"}, {"gif", "GIF"}, {"bmp", "BMP"},
        {"tif", "TIFF"}, {"tiff", "TIFF"},     {"webp", "WebP"}, {"svg", "SVG"}, {"pdf", "PDF"},
        {"eps", "EPS"},  {"ps", "PostScript"}, {"ppm", "PPM"},   {"pgm", "PGM"}, {"ico", "ICO"},
        {"xpm", "XPM"},  {"csv", "CSV"},
    };
    const auto found = kFormats.find(extension);
    return found == kFormats.end() ? std::string() : found->second;
}

} // namespace sorkam::exporting

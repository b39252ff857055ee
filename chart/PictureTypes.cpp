#include "chart/PictureTypes.h"

#include <algorithm>
#include <cctype>

namespace sorkam::chart {

std::optional<PictureType> pictureTypeOf(std::string_view name) {
    for (const PictureType& type : kPictureTypes) {
        const std::string_view ending = type.extension;
        if (name.size() > ending.size() &&
            std::equal(
                ending.begin(), ending.end(), name.end() - ending.size(),
                [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); })) {
            return type;
        }
    }
    return std::nullopt;
}

} // namespace sorkam::chart

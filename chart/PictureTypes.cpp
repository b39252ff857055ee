#include "chart/PictureTypes.h"

#include <algorithm>
#include <cctype>

namespace sorkam::chart {

namespace {

bool sameLetters(std::string_view lower, std::string_view any) {
    return std::equal(lower.begin(), lower.end(), any.begin(), any.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace

std::optional<PictureType> pictureTypeNamed(std::string_view name) {
    for (const PictureType& type : kPictureTypes) {
        if (sameLetters(type.name, name)) {
            return type;
        }
    }
    return std::nullopt;
}

std::optional<PictureType> pictureTypeOf(std::string_view name) {
    for (const PictureType& type : kPictureTypes) {
        const std::string_view ending = type.extension;
        if (name.size() > ending.size() &&
            sameLetters(ending, name.substr(name.size() - ending.size()))) {
            return type;
        }
    }
    return std::nullopt;
}

} // namespace sorkam::chart

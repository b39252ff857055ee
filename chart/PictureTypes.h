#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace sorkam::chart {

// The kinds of picture file a view is saved or exported as, in the order the save dialog offers
// them: PNG at a scale, SVG and PDF as lines and text.
enum class PictureFormat { Png, Svg, Pdf };

struct PictureType {
    PictureFormat format;
    std::string_view extension; // ".png"
    std::string_view name;      // "PNG", as messages name the format
    std::string_view label;     // the save dialog's "PNG picture (*.png)"
};

inline constexpr std::array kPictureTypes = {
    PictureType{PictureFormat::Png, ".png", "PNG", "PNG picture (*.png)"},
    PictureType{PictureFormat::Svg, ".svg", "SVG", "SVG drawing (*.svg)"},
    PictureType{PictureFormat::Pdf, ".pdf", "PDF", "PDF document (*.pdf)"},
};

// The type of that name in any case ("svg"); nothing for any other name.
[[nodiscard]] std::optional<PictureType> pictureTypeNamed(std::string_view name);
// The type a file name's extension names, in any case ("a.PDF"); nothing for any other name.
[[nodiscard]] std::optional<PictureType> pictureTypeOf(std::string_view name);

} // namespace sorkam::chart

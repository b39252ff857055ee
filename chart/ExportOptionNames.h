#pragma once

#include <string>
#include <string_view>

namespace sorkam::chart {

// How sorkam-export spells its options. Its parser and its --help read them here, and so does the
// text of a picture, which names the options that paint the same picture again.
struct OptionName {
    char letter;           // the short form's letter, or 0 where there is none
    std::string_view name; // the long form without its dashes
};

inline constexpr OptionName kRecordsOption{'r', "records"};
inline constexpr OptionName kOutputOption{'o', "output"};
inline constexpr OptionName kEachOption{0, "each"};
inline constexpr OptionName kScaleOption{0, "scale"};
inline constexpr OptionName kJsonOption{0, "json"};
inline constexpr OptionName kHelpOption{'h', "help"};
inline constexpr OptionName kVersionOption{0, "version"};
inline constexpr OptionName kLegendOption{0, "legend"};
inline constexpr OptionName kRangeOption{0, "range"};
inline constexpr OptionName kCursorsOption{0, "cursors"};
inline constexpr OptionName kValuesOption{0, "values"};
inline constexpr OptionName kAgainstOption{0, "against"};
inline constexpr OptionName kTopOption{0, "top"};
inline constexpr OptionName kDensityOption{0, "density"};
inline constexpr OptionName kDensityScaleOption{0, "density-scale"};
inline constexpr OptionName kOverOption{0, "over"};

// "--range"; and "-r" for an option with a letter, "--range" for one without.
[[nodiscard]] inline std::string longForm(const OptionName& option) {
    return "--" + std::string(option.name);
}
[[nodiscard]] inline std::string shortestForm(const OptionName& option) {
    return option.letter != 0 ? std::string{'-', option.letter} : longForm(option);
}

} // namespace sorkam::chart

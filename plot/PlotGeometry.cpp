#include "plot/PlotGeometry.h"

namespace sorkam {

std::string printedNumber(std::int16_t value) {
    std::string text = value >= 0 ? " " : "";
    text += std::to_string(value);
    text += ' ';
    return text;
}

} // namespace sorkam

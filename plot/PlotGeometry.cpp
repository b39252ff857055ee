#include "PlotGeometry.h"

namespace sorkam {

float pixelsDownInUser(const UserScale& scale, int height, float pixels) {
    if (height <= 1) {
        return 0.0f;
    }
    return pixels * scale.height / static_cast<float>(height - 1);
}

std::string printedNumber(std::int16_t value) {
    std::string text = value >= 0 ? " " : "";
    text += std::to_string(value);
    text += ' ';
    return text;
}

} // namespace sorkam

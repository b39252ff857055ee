#pragma once

#include "viewer/WindowLayout.h"

#include <QRect>

namespace sorkam {

// A layout rectangle in pixels at the given dots per inch.
[[nodiscard]] QRect pixelRect(const layout::TwipsRect& r, int dpi);

} // namespace sorkam

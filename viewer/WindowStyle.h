#pragma once

#include "WindowLayout.h"

#include <QFont>
#include <QRect>

namespace sorkam {

// A layout rectangle in pixels at the given dots per inch.
[[nodiscard]] QRect pixelRect(const layout::TwipsRect& r, int dpi);

// The window's serif face (Times New Roman, through fontconfig's metric-compatible face), regular.
[[nodiscard]] QFont serifFont(double pointSize);

// The buttons' plain sans serif at 8.25 pt, regular.
[[nodiscard]] QFont buttonFont();

} // namespace sorkam

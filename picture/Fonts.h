#pragma once

#include <QFont>

namespace sorkam {

// Every font the viewer and its pictures use, regular weight, upright.

// Times New Roman (through fontconfig's metric-compatible face). antialiased false for text
// whose pixels are kept and repeated, such as the plots' numbers.
[[nodiscard]] QFont serifFont(double pointSize, bool antialiased = true);

// font as pictures of the chart paint it on any screen: grey-scale antialiasing (where it is
// antialiased) and light hinting, as fontconfig's defaults have it, whatever the desktop's own
// font settings; so the window's pictures and the export tool's are the same pixels.
[[nodiscard]] QFont pictureFont(QFont font);
// pictureFont at the pixel size its point size has at 96 dpi, the chart's layout: the same size
// in layout pixels on any device and under any scale.
[[nodiscard]] QFont layoutPixelFont(QFont font);

// A plain sans serif, for the buttons.
[[nodiscard]] QFont sansFont(double pointSize);

} // namespace sorkam

#pragma once

#include <QFont>

namespace sorkam {

// Every font the viewer and its pictures use, regular weight, upright.

// Times New Roman (through fontconfig's metric-compatible face). antialiased false for text
// whose pixels are kept and repeated, such as the plots' numbers.
[[nodiscard]] QFont serifFont(double pointSize, bool antialiased = true);

// A plain sans serif, for the buttons.
[[nodiscard]] QFont sansFont(double pointSize);

} // namespace sorkam

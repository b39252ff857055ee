#pragma once

#include "PlotSurface.h"

namespace sorkam {

// Paints the chart furniture on one surface: the scale (0, 315)-(935, 0), both axes, 13 value
// ticks and 17 index ticks with their labels, the dotted grid and three dashed reference lines.
// Never clears; painting it again paints the same pixels.
void DrawFrameOn(PlotSurface& surface);

// Paints the frame on picAusgabe(0) completely, then on picAusgabe(1).
void DrawFrame(PlotSurface& pic0, PlotSurface& pic1);

} // namespace sorkam

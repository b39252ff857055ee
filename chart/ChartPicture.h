#pragma once

#include <QImage>
#include <QRect>

namespace sorkam::chart {

// The chart as the export tool's pictures show it before any record: both captions and both plot
// areas with their frames, laid out as the window lays them out at 96 dpi, at scale picture pixels
// to each layout pixel, painted by the viewer's own surface and fonts.
struct BareChart {
    QImage picture;
    QRect plotA; // where the plot areas lie in the picture
    QRect plotB;
    int dpi = 96; // the picture's own dots per inch
};

[[nodiscard]] BareChart bareChart(int scale);

} // namespace sorkam::chart

#pragma once

#include "chart/ChartLayout.h"
#include "plot/Color.h"

#include <QFont>
#include <QImage>
#include <QRect>

class QPainter;
class QRectF;

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

// The "VIDEO A" and "VIDEO B" captions in font, at their places in a layout at resolution (the
// window shows its captions as labels of its own).
void paintChartCaptions(QPainter& painter, const QFont& font, const Resolution& resolution);

// The chart at scale around the pictures of its two plot areas, as bareChart lays it out.
[[nodiscard]] QImage chartAround(int scale, const QImage& plotA, const QImage& plotB);

// The chart's size at 96 dpi, in layout pixels.
[[nodiscard]] QSize chartSize();

// A page: the chart scaled to fit pageRect (in painter units), centred.
void fitChartOnPage(QPainter& painter, const QRectF& pageRect);

// Pictures are laid out as the window is at 96 dpi, on the window's background.
inline constexpr int kPictureDpi = 96;
inline constexpr Color kWindowBackground = 0xF0F0F0;

} // namespace sorkam::chart

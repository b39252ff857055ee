#pragma once

#include "chart/IndexRange.h"
#include "chart/Legend.h"

#include <QFont>
#include <QRect>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace sorkam::chart {

// What the chart shows over a plot's traces, in the plot's own pixels: the cursors and the
// legend. The window paints them over its plots' pictures; pictures of the view paint them in.

// Cursor A and cursor B as vertical lines across the plot, each with its letter.
void paintCursors(QPainter& painter, QSize plot, const IndexRange& range,
                  const std::optional<int>& a, const std::optional<int>& b);

// The legend's rows at the plot's top right: one an entry, in order, in as many columns as the
// plot's height needs, the first to the left.
struct LegendRow {
    QRect rect;
    std::int64_t number;
};
[[nodiscard]] std::vector<LegendRow> legendRows(const std::vector<LegendEntry>& legend, QSize plot,
                                                const QFont& font);
// The legend: for each record its colour's swatch, framed so white and yellow show, its number
// and its header texts, black on white; a hidden record's row greyed, its swatch empty.
void paintLegend(QPainter& painter, const std::vector<LegendEntry>& legend, QSize plot);

// A note in a framed white box at the plot's top left ("following the file").
void paintNote(QPainter& painter, const QString& text);

} // namespace sorkam::chart

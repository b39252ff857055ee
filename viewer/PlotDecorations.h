#pragma once

#include "chart/IndexRange.h"
#include "chart/Overlay.h"

#include <QFont>
#include <QRect>

#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

namespace sorkam {

// What the window paints over a plot's picture, in the plot's own pixels: the cursors, the
// legend and the following mark. Painted after the picture, never into it.

// The pixel column of a sample index on a plot width pixels wide, and the index at a column.
[[nodiscard]] int columnOfIndex(const chart::IndexRange& range, double index, int width);
[[nodiscard]] double indexAtColumn(const chart::IndexRange& range, int column, int width);

// Cursor A and cursor B as vertical lines across the plot, each with its letter.
void paintCursors(QPainter& painter, QSize plot, const chart::IndexRange& range,
                  const std::optional<int>& a, const std::optional<int>& b);

// The legend's rows at the plot's top right: one a record, in the overlay's order.
struct LegendRow {
    QRect rect;
    std::int16_t number;
};
[[nodiscard]] std::vector<LegendRow> legendRows(const chart::Overlay& overlay, QSize plot,
                                                const QFont& font);
// The legend: for each record its colour's swatch, framed so white and yellow show, its number
// and its header texts, black on white; a hidden record's row greyed, its swatch empty.
void paintLegend(QPainter& painter, const chart::Overlay& overlay, QSize plot);

// "following", at the plot's top left, while the file is followed.
void paintFollowingMark(QPainter& painter);

} // namespace sorkam

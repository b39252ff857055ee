#pragma once

#include "chart/Legend.h"
#include "chart/View.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

namespace sorkam::chart {

// What the chart shows over a plot's traces, in the plot's own pixels: the cursors with their
// read-out, the legend, the zoomed part of the chart and a note. The window paints them over its
// plots' pictures; pictures of the view paint them in, the same way.

// Cursor A's and cursor B's colours: none of the record colours, each at least 3:1 in contrast
// to the plot's grey.
inline constexpr Color kCursorAColor = 0x13458B; // brown
inline constexpr Color kCursorBColor = 0x8B1A55; // purple

// Everything a plot (0: VIDEO A, 1: VIDEO B) shows over its traces in a view, plot pixels wide
// and tall, the painter's font the window's:
// - each cursor as a dashed vertical line with its letter on a tag of its colour;
// - the cursors' read-out in a box at the top left ("A 223  B 352  B−A 129"), and the note
//   (such as "following the file") under it where there is one;
// - the legend where the view shows it on this plot;
// - while zoomed, the part shown in a box at the bottom right ("index 200–600, values 40–120") and
//   as a bar along the bottom edge, the whole chart's width standing for 0..801.
void paintPlotDecorations(QPainter& painter, QSize plot, int which, const View& view,
                          const std::vector<LegendEntry>& legend, const QString& note = {});

// The legend's rows at the plot's top right: one an entry, in order, in as many columns as the
// plot's height needs, the first to the left.
struct LegendRow {
    QRect rect;
    std::int64_t number;
    int valuesAt = 0; // where the values at the cursors start, from the row's left
};
[[nodiscard]] std::vector<LegendRow> legendRows(const std::vector<LegendEntry>& legend, int which,
                                                QSize plot, const QFont& font);

} // namespace sorkam::chart

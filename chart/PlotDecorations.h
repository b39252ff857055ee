#pragma once

#include "chart/ChartLayout.h"
#include "chart/Legend.h"
#include "chart/View.h"
#include "plot/Color.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sorkam::chart {

// What the chart shows over a plot's traces, in the plot's own pixels: the cursors with their
// read-out, the legend, the zoomed part of the chart, the density's key and a note. Laid out
// here once, and drawn on whatever a DecorationCanvas draws on: the window, a toolkit picture, or
// a picture written by hand.

// Cursor A's and cursor B's colours: none of the record colours, each at least 3:1 in contrast
// to the plot's grey.
inline constexpr Color kCursorAColor = 0x13458B; // brown
inline constexpr Color kCursorBColor = 0x8B1A55; // purple
inline constexpr Color kDecorationBlack = 0x000000;
inline constexpr Color kDecorationWhite = 0xFFFFFF;
inline constexpr Color kHiddenGrey = 0xA4A0A0; // a hidden record's swatch and text

// Where decorations are drawn, in a plot's pixels, and how wide their text is: text in the
// window's font (or its bold face), UTF-8.
class DecorationCanvas {
public:
    virtual ~DecorationCanvas() = default;

    [[nodiscard]] virtual int textWidth(std::string_view text, bool bold) const = 0;
    [[nodiscard]] virtual int lineHeight(bool bold) const = 0;
    [[nodiscard]] virtual int ascent(bool bold) const = 0;

    virtual void fillRect(const PixelRect& rect, Color color) = 0;
    // The rectangle's edge, one pixel wide, inside it.
    virtual void outlineRect(const PixelRect& rect, Color color) = 0;
    // A dashed vertical line from top to bottom, both included, one pixel wide.
    virtual void dashedLine(int x, int top, int bottom, Color color) = 0;
    // Text with its left end at x on the baseline y.
    virtual void drawText(int x, int baseline, std::string_view text, bool bold, Color color) = 0;
    // Text centred in rect.
    virtual void drawCentredText(const PixelRect& rect, std::string_view text, bool bold,
                                 Color color) = 0;
};

// Everything a plot (0: VIDEO A, 1: VIDEO B) shows over its traces in a view, width x height
// pixels:
// - each cursor as a dashed vertical line with its letter on a tag of its colour;
// - the cursors' read-out in a box at the top left ("A 223  B 352  B−A 129"), the note (such as
//   "following the file") under it where there is one, and the density's key under them;
// - the legend where the view shows it on this plot;
// - while zoomed, the part shown in a box at the bottom right ("index 200–600, values 40–120") and
//   as a bar along the bottom edge, the whole chart's width standing for 0..801.
void drawPlotDecorations(DecorationCanvas& canvas, int width, int height, int which,
                         const View& view, const std::vector<LegendEntry>& legend,
                         const std::string& note = {});

// The legend's rows at the plot's top right: one an entry, in order, in as many columns as the
// plot's height needs, the first to the left.
struct LegendRow {
    PixelRect rect;
    std::int64_t number;
    int valuesAt = 0; // where the values at the cursors start, from the row's left
};
[[nodiscard]] std::vector<LegendRow> legendRows(const std::vector<LegendEntry>& legend, int which,
                                                int width, int height,
                                                const DecorationCanvas& canvas);

} // namespace sorkam::chart

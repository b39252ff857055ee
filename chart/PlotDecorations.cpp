#include "chart/PlotDecorations.h"

#include "chart/Density.h"
#include "chart/ViewLabels.h"

#include <algorithm>
#include <cmath>

namespace sorkam::chart {

namespace {

constexpr int kPadding = 4;
constexpr int kSwatch = 14;
constexpr int kBoxLeft = 40; // the read-out's and the note's left edge
constexpr int kBarHeight = 3;

PixelRect unite(const PixelRect& a, const PixelRect& b) {
    if (a.width <= 0 || a.height <= 0) {
        return b;
    }
    const int left = std::min(a.left, b.left);
    const int top = std::min(a.top, b.top);
    return {left, top, std::max(a.right(), b.right()) - left + 1,
            std::max(a.bottom(), b.bottom()) - top + 1};
}

PixelRect grown(const PixelRect& r, int by) {
    return {r.left - by, r.top - by, r.width + 2 * by, r.height + 2 * by};
}

// A legend row's label, and its values at the cursors on a plot, which stand in a column of
// their own.
std::string legendLabel(const LegendEntry& entry) {
    return std::to_string(entry.number) + "  " + entry.text;
}

// Text on one line with its left end at x, centred in the rows of rect.
void drawTextLine(DecorationCanvas& canvas, int x, const PixelRect& rect, std::string_view text,
                  Color color) {
    const int baseline =
        rect.top + (rect.height - canvas.lineHeight(false)) / 2 + canvas.ascent(false);
    canvas.drawText(x, baseline, text, false, color);
}

void drawBox(DecorationCanvas& canvas, const PixelRect& box) {
    canvas.fillRect(box, kDecorationWhite);
    canvas.outlineRect(box, kDecorationBlack);
}

// Text in a framed white box with its top-left corner at (left, top), black; the box.
PixelRect drawBoxedText(DecorationCanvas& canvas, int left, int top, std::string_view text) {
    const PixelRect box{left, top, canvas.textWidth(text, false) + 8, canvas.lineHeight(false) + 2};
    drawBox(canvas, box);
    drawTextLine(canvas, box.left + 4, box, text, kDecorationBlack);
    return box;
}

// The cursors' lines, and their letters on tags at row top.
void drawCursors(DecorationCanvas& canvas, int width, int height, const View& view, int top) {
    const std::pair<const std::optional<int>&, char> cursors[] = {{view.cursorA, 'A'},
                                                                  {view.cursorB, 'B'}};
    for (const auto& [at, letter] : cursors) {
        if (!at || *at < view.range.first || *at > view.range.last) {
            continue;
        }
        const int x = columnOfIndex(view.range, *at, width);
        const Color colour = letter == 'A' ? kCursorAColor : kCursorBColor;
        canvas.dashedLine(x, 0, height - 1, colour);
        const std::string text(1, letter);
        const PixelRect tag{x + 1, top, canvas.textWidth(text, true) + 6, canvas.lineHeight(true)};
        canvas.fillRect(tag, colour);
        canvas.drawCentredText(tag, text, true, kDecorationWhite);
    }
}

void drawLegend(DecorationCanvas& canvas, const std::vector<LegendEntry>& legend, int which,
                int width, int height) {
    const std::vector<LegendRow> rows = legendRows(legend, which, width, height, canvas);
    if (rows.empty()) {
        return;
    }
    PixelRect box;
    for (const LegendRow& row : rows) {
        box = unite(box, row.rect);
    }
    drawBox(canvas, grown(box, kPadding));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const LegendEntry& shown = legend[k];
        const PixelRect& row = rows[k].rect;
        const int middle = (row.top + row.bottom()) / 2;
        const PixelRect swatch{row.left, middle - kSwatch / 2 + 1, kSwatch, kSwatch - 2};
        if (shown.visible) {
            canvas.fillRect(swatch, shown.color);
        }
        const Color ink = shown.visible ? kDecorationBlack : kHiddenGrey;
        canvas.outlineRect(swatch, ink);
        drawTextLine(canvas, row.left + kSwatch + kPadding, row, legendLabel(shown), ink);
        drawTextLine(canvas, row.left + rows[k].valuesAt, row,
                     shown.atCursors[static_cast<std::size_t>(which)], ink);
    }
}

// The zoomed part: its label above the index axis at the right, and the bar along the bottom.
void drawZoom(DecorationCanvas& canvas, int width, int height, const View& view) {
    const std::string label = zoomLabel(view);
    const int boxWidth = canvas.textWidth(label, false) + 8;
    const int axisRow = rowOfValue(view.values, view.values.low, height);
    drawBoxedText(canvas, width - boxWidth - 2, axisRow - canvas.lineHeight(false) - 5, label);
    const IndexRange whole;
    const int left = columnOfIndex(whole, 0, width);
    const int right = columnOfIndex(whole, kTraceSegments, width);
    const int from = columnOfIndex(whole, view.range.first, width);
    const int to = columnOfIndex(whole, view.range.last, width);
    const int top = height - kBarHeight;
    canvas.fillRect({left, top, right - left + 1, kBarHeight}, kDecorationWhite);
    canvas.fillRect({from, top, std::max(to - from + 1, 2), kBarHeight}, kDecorationBlack);
}

// A colour of the density's map, 0xRRGGBB, as a Color.
Color colorOf(std::uint32_t rgb) {
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}

// The density's key in a framed white box with its top-left corner at (left, top): how many
// records, the scale, and the colours from one trace a pixel to the most.
void drawDensityKey(DecorationCanvas& canvas, int left, int top, const Density& density) {
    const int line = canvas.lineHeight(false);
    const std::string title = densityTitle(density);
    const std::string least = "1";
    const std::string most = std::to_string(density.most);
    constexpr int kBar = 120;
    const int lineWidth =
        canvas.textWidth(least, false) + kBar + canvas.textWidth(most, false) + 2 * kPadding;
    const PixelRect box{left, top, std::max(canvas.textWidth(title, false), lineWidth) + 8,
                        2 * line + 3};
    drawBox(canvas, box);
    drawTextLine(canvas, box.left + 4, {box.left, box.top + 1, box.width, line}, title,
                 kDecorationBlack);
    const PixelRect row{box.left, box.top + line + 1, box.width, line};
    int x = box.left + 4;
    drawTextLine(canvas, x, row, least, kDecorationBlack);
    x += canvas.textWidth(least, false) + kPadding;
    const int barTop = row.top + 3;
    const int barHeight = std::max(line - 6, 4);
    const double highest = std::max<std::uint32_t>(density.most, 1);
    for (int k = 0; k < kBar; ++k) {
        // Each column stands for the count at its share of the scale.
        const double share = (k + 0.5) / kBar;
        const auto count = static_cast<std::uint32_t>(
            std::clamp(std::round(density.scale == DensityScale::Log ? std::pow(highest, share)
                                                                     : 1.0 + share * (highest - 1)),
                       1.0, highest));
        canvas.fillRect({x + k, barTop, 1, barHeight},
                        colorOf(densityColour(count, density.most, density.scale)));
    }
    canvas.outlineRect({x - 1, barTop - 1, kBar + 2, barHeight + 2}, kDecorationBlack);
    drawTextLine(canvas, x + kBar + kPadding, row, most, kDecorationBlack);
}

} // namespace

void drawPlotDecorations(DecorationCanvas& canvas, int width, int height, int which,
                         const View& view, const std::vector<LegendEntry>& legend,
                         const std::string& note) {
    int top = kPadding;
    const std::string readOut = cursorReadOut(view);
    if (!readOut.empty()) {
        top = drawBoxedText(canvas, kBoxLeft, top, readOut).bottom() + 3;
    }
    drawCursors(canvas, width, height, view, top);
    // The density's key goes below the cursors' tags, which stand in the note's row.
    int keyTop = view.cursorA || view.cursorB ? top + canvas.lineHeight(false) + 3 : top;
    if (!note.empty()) {
        top = drawBoxedText(canvas, kBoxLeft, top, note).bottom() + 3;
        keyTop = std::max(keyTop, top);
    }
    if (view.density && which == 0) {
        drawDensityKey(canvas, kBoxLeft, keyTop, *view.density);
    }
    if (legendOnPlot(view, which)) {
        drawLegend(canvas, legend, which, width, height);
    }
    if (!view.zoomedOut()) {
        drawZoom(canvas, width, height, view);
    }
}

std::vector<LegendRow> legendRows(const std::vector<LegendEntry>& legend, int which, int width,
                                  int height, const DecorationCanvas& canvas) {
    int labels = 0;
    int values = 0;
    for (const LegendEntry& entry : legend) {
        labels = std::max(labels, canvas.textWidth(legendLabel(entry), false));
        values = std::max(
            values, canvas.textWidth(entry.atCursors[static_cast<std::size_t>(which)], false));
    }
    const int gap = values > 0 ? canvas.textWidth("   ", false) : 0;
    const int valuesAt = kSwatch + kPadding + labels + gap;
    const int rowHeight = std::max(canvas.lineHeight(false), kSwatch) + 2;
    const int rowWidth = valuesAt + values + kPadding;
    // As many rows a column as the plot's height holds (14 at the window's size), then a column
    // more to the left, the rows shared out evenly: all 24 records stay on the plot.
    const int count = static_cast<int>(legend.size());
    const int fit = std::max(1, (height - 2 * kPadding - 4) / rowHeight);
    const int columns = std::max(1, (count + fit - 1) / fit);
    const int perColumn = std::max(1, (count + columns - 1) / columns);
    const int lastLeft = width - rowWidth - 2 * kPadding - 2;
    std::vector<LegendRow> rows;
    for (int k = 0; k < count; ++k) {
        const int left = lastLeft - (columns - 1 - k / perColumn) * (rowWidth + 2 * kPadding);
        const int top = kPadding + 2 + (k % perColumn) * rowHeight;
        rows.push_back({{left, top, rowWidth, rowHeight},
                        legend[static_cast<std::size_t>(k)].number,
                        valuesAt});
    }
    return rows;
}

} // namespace sorkam::chart

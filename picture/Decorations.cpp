#include "picture/Decorations.h"

#include "chart/Density.h"
#include "chart/ViewLabels.h"
#include "picture/ImagePlotSurface.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <cmath>

namespace sorkam::chart {

namespace {

constexpr int kPadding = 4;
constexpr int kSwatch = 14;
constexpr int kBoxLeft = 40; // the read-out's and the note's left edge
constexpr int kBarHeight = 3;

// A legend row's label, and its values at the cursors on a plot, which stand in a column of
// their own.
QString legendLabel(const LegendEntry& entry) {
    return QString::number(entry.number) + QStringLiteral("  ") +
           QString::fromStdString(entry.text);
}
QString legendValues(const LegendEntry& entry, int which) {
    return QString::fromStdString(entry.atCursors[static_cast<std::size_t>(which)]);
}

// The width of a legend row's label. The widths are kept: every frame of a cursor's drag paints
// both legends again, and measuring their 48 labels afresh took 0.3 ms of each.
int textWidth(const QFontMetrics& metrics, const QFont& font, const QString& text) {
    static QHash<QString, int> widths; // by the font's key and the text
    const QString key = font.key() + QLatin1Char('\n') + text;
    if (const auto kept = widths.constFind(key); kept != widths.constEnd()) {
        return *kept;
    }
    if (widths.size() >= 4096) {
        widths.clear();
    }
    return *widths.insert(key, metrics.horizontalAdvance(text));
}

// Text on one line with its left end at x, centred in the rows of rect. Drawn at a point: laying
// it out in a rectangle took three times as long, 1.5 ms of a frame for two legends' 48 rows.
void drawTextLine(QPainter& painter, int x, const QRect& rect, const QString& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(
        QPoint(x, rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent()), text);
}

// Text in a framed white box with its top-left corner at, black; the box.
QRect paintBoxedText(QPainter& painter, QPoint at, const QString& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect box(at, QSize(metrics.horizontalAdvance(text) + 8, metrics.height() + 2));
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    drawTextLine(painter, box.left() + 4, box, text);
    return box;
}

// The cursors' lines, and their letters on tags at row top.
void paintCursors(QPainter& painter, QSize plot, const View& view, int top) {
    const std::pair<const std::optional<int>&, char> cursors[] = {{view.cursorA, 'A'},
                                                                  {view.cursorB, 'B'}};
    QFont bold = painter.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (const auto& [at, letter] : cursors) {
        if (!at || *at < view.range.first || *at > view.range.last) {
            continue;
        }
        const int x = columnOfIndex(view.range, *at, plot.width());
        const QColor colour = toQColor(letter == 'A' ? kCursorAColor : kCursorBColor);
        painter.setPen(QPen(colour, 1, Qt::DashLine));
        painter.drawLine(x, 0, x, plot.height() - 1);
        const QString text(QLatin1Char{letter});
        const QRect tag(x + 1, top, metrics.horizontalAdvance(text) + 6, metrics.height());
        painter.fillRect(tag, colour);
        painter.save();
        painter.setFont(bold);
        painter.setPen(Qt::white);
        painter.drawText(tag, Qt::AlignCenter, text);
        painter.restore();
    }
}

void paintLegend(QPainter& painter, const std::vector<LegendEntry>& legend, int which, QSize plot) {
    const std::vector<LegendRow> rows = legendRows(legend, which, plot, painter.font());
    if (rows.empty()) {
        return;
    }
    QRect box;
    for (const LegendRow& row : rows) {
        box |= row.rect;
    }
    box.adjust(-kPadding, -kPadding, kPadding, kPadding);
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const LegendEntry& shown = legend[k];
        const QRect row = rows[k].rect;
        const QRect swatch(row.left(), row.center().y() - kSwatch / 2 + 1, kSwatch, kSwatch - 2);
        if (shown.visible) {
            painter.fillRect(swatch, toQColor(shown.color));
        }
        painter.setPen(shown.visible ? Qt::black : Qt::gray);
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        drawTextLine(painter, row.left() + kSwatch + kPadding, row, legendLabel(shown));
        drawTextLine(painter, row.left() + rows[k].valuesAt, row, legendValues(shown, which));
    }
}

// The zoomed part: its label above the index axis at the right, and the bar along the bottom.
void paintZoom(QPainter& painter, QSize plot, const View& view) {
    const QString label = QString::fromStdString(zoomLabel(view));
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(label) + 8;
    const int axisRow = rowOfValue(view.values, view.values.low, plot.height());
    paintBoxedText(painter, QPoint(plot.width() - width - 2, axisRow - metrics.height() - 5),
                   label);
    const IndexRange whole;
    const int left = columnOfIndex(whole, 0, plot.width());
    const int right = columnOfIndex(whole, kTraceSegments, plot.width());
    const int from = columnOfIndex(whole, view.range.first, plot.width());
    const int to = columnOfIndex(whole, view.range.last, plot.width());
    const int top = plot.height() - kBarHeight;
    painter.fillRect(QRect(left, top, right - left + 1, kBarHeight), Qt::white);
    painter.fillRect(QRect(from, top, std::max(to - from + 1, 2), kBarHeight), Qt::black);
}

// The density's key in a framed white box with its top-left corner at: how many records, the
// scale, and the colours from one trace a pixel to the most.
QRect paintDensityKey(QPainter& painter, QPoint at, const Density& density) {
    const QFontMetrics metrics = painter.fontMetrics();
    const QString title = QString::fromStdString(densityTitle(density));
    const QString least = QStringLiteral("1");
    const QString most = QString::number(density.most);
    constexpr int kBar = 120;
    const int barRow = metrics.height() + 1;
    const int lineWidth =
        metrics.horizontalAdvance(least) + kBar + metrics.horizontalAdvance(most) + 2 * kPadding;
    const QRect box(at, QSize(std::max(metrics.horizontalAdvance(title), lineWidth) + 8,
                              2 * metrics.height() + 3));
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    drawTextLine(painter, box.left() + 4,
                 QRect(box.left(), box.top() + 1, box.width(), metrics.height()), title);
    const QRect line(box.left(), box.top() + barRow, box.width(), metrics.height());
    int x = box.left() + 4;
    drawTextLine(painter, x, line, least);
    x += metrics.horizontalAdvance(least) + kPadding;
    const int barTop = line.top() + 3;
    const int barHeight = std::max(metrics.height() - 6, 4);
    const std::uint32_t top = std::max<std::uint32_t>(density.most, 1);
    for (int k = 0; k < kBar; ++k) {
        // Each column stands for the count at its share of the scale.
        const double share = (k + 0.5) / kBar;
        const auto count = static_cast<std::uint32_t>(std::clamp<double>(
            std::round(density.scale == DensityScale::Log ? std::pow(top, share)
                                                          : 1.0 + share * (top - 1)),
            1.0, top));
        painter.fillRect(QRect(x + k, barTop, 1, barHeight),
                         QColor(QRgb(densityColour(count, density.most, density.scale))));
    }
    painter.drawRect(QRect(x - 1, barTop - 1, kBar + 1, barHeight + 1));
    drawTextLine(painter, x + kBar + kPadding, line, most);
    return box;
}

} // namespace

void paintPlotDecorations(QPainter& painter, QSize plot, int which, const View& view,
                          const std::vector<LegendEntry>& legend, const QString& note) {
    int top = kPadding;
    const QString readOut = QString::fromStdString(cursorReadOut(view));
    if (!readOut.isEmpty()) {
        top = paintBoxedText(painter, QPoint(kBoxLeft, top), readOut).bottom() + 3;
    }
    paintCursors(painter, plot, view, top);
    // The density's key goes below the cursors' tags, which stand in the note's row.
    int keyTop = view.cursorA || view.cursorB ? top + painter.fontMetrics().height() + 3 : top;
    if (!note.isEmpty()) {
        top = paintBoxedText(painter, QPoint(kBoxLeft, top), note).bottom() + 3;
        keyTop = std::max(keyTop, top);
    }
    if (view.density && which == 0) {
        paintDensityKey(painter, QPoint(kBoxLeft, keyTop), *view.density);
    }
    if (legendOnPlot(view, which)) {
        paintLegend(painter, legend, which, plot);
    }
    if (!view.zoomedOut()) {
        paintZoom(painter, plot, view);
    }
}

std::vector<LegendRow> legendRows(const std::vector<LegendEntry>& legend, int which, QSize plot,
                                  const QFont& font) {
    const QFontMetrics metrics(font);
    int labels = 0;
    int values = 0;
    for (const LegendEntry& entry : legend) {
        labels = std::max(labels, textWidth(metrics, font, legendLabel(entry)));
        values = std::max(values, metrics.horizontalAdvance(legendValues(entry, which)));
    }
    const int gap = values > 0 ? metrics.horizontalAdvance(QStringLiteral("   ")) : 0;
    const int valuesAt = kSwatch + kPadding + labels + gap;
    const int rowHeight = std::max(metrics.height(), kSwatch) + 2;
    const int rowWidth = valuesAt + values + kPadding;
    // As many rows a column as the plot's height holds (14 at the window's size), then a column
    // more to the left, the rows shared out evenly: all 24 records stay on the plot.
    const int count = static_cast<int>(legend.size());
    const int fit = std::max(1, (plot.height() - 2 * kPadding - 4) / rowHeight);
    const int columns = std::max(1, (count + fit - 1) / fit);
    const int perColumn = std::max(1, (count + columns - 1) / columns);
    const int lastLeft = plot.width() - rowWidth - 2 * kPadding - 2;
    std::vector<LegendRow> rows;
    for (int k = 0; k < count; ++k) {
        const int left = lastLeft - (columns - 1 - k / perColumn) * (rowWidth + 2 * kPadding);
        const int top = kPadding + 2 + (k % perColumn) * rowHeight;
        rows.push_back({QRect(left, top, rowWidth, rowHeight),
                        legend[static_cast<std::size_t>(k)].number, valuesAt});
    }
    return rows;
}

} // namespace sorkam::chart

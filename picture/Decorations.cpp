#include "picture/Decorations.h"

#include "picture/ImagePlotSurface.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace sorkam::chart {

namespace {

constexpr int kPadding = 4;
constexpr int kSwatch = 14;
const QColor kCursorA(0xC0, 0x40, 0x00);
const QColor kCursorB(0x60, 0x00, 0xA0);

QString legendText(const LegendEntry& entry) {
    return QString::number(entry.number) + QStringLiteral("  ") +
           QString::fromStdString(entry.text);
}

} // namespace

void paintCursors(QPainter& painter, QSize plot, const IndexRange& range,
                  const std::optional<int>& a, const std::optional<int>& b) {
    const std::pair<const std::optional<int>&, const char*> cursors[] = {{a, "A"}, {b, "B"}};
    for (const auto& [at, letter] : cursors) {
        if (!at || *at < range.first || *at > range.last) {
            continue;
        }
        const int x = columnOfIndex(range, *at, plot.width());
        const QColor colour = letter[0] == 'A' ? kCursorA : kCursorB;
        painter.setPen(QPen(colour, 1, Qt::DashLine));
        painter.drawLine(x, 0, x, plot.height() - 1);
        painter.setPen(colour);
        painter.drawText(x + 3, painter.fontMetrics().ascent() + 2, QString::fromLatin1(letter));
    }
}

std::vector<LegendRow> legendRows(const std::vector<LegendEntry>& legend, QSize plot,
                                  const QFont& font) {
    const QFontMetrics metrics(font);
    int width = 0;
    for (const LegendEntry& entry : legend) {
        width = std::max(width, metrics.horizontalAdvance(legendText(entry)));
    }
    const int rowHeight = std::max(metrics.height(), kSwatch) + 2;
    const int rowWidth = kSwatch + 2 * kPadding + width;
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
        rows.push_back(
            {QRect(left, top, rowWidth, rowHeight), legend[static_cast<std::size_t>(k)].number});
    }
    return rows;
}

void paintLegend(QPainter& painter, const std::vector<LegendEntry>& legend, QSize plot) {
    const std::vector<LegendRow> rows = legendRows(legend, plot, painter.font());
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
        painter.drawText(row.adjusted(kSwatch + kPadding, 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter, legendText(shown));
    }
}

void paintNote(QPainter& painter, const QString& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect box(40, 4, metrics.horizontalAdvance(text) + 8, metrics.height() + 2);
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace sorkam::chart

#pragma once

#include "chart/Legend.h"
#include "chart/PlotDecorations.h"
#include "chart/View.h"

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

namespace sorkam::chart {

// The chart's decorations (chart/PlotDecorations) drawn through a QPainter in its font (and its
// bold face): for the window, and pictures painted with the toolkit.
class PainterCanvas final : public DecorationCanvas {
public:
    explicit PainterCanvas(QPainter& painter);
    // Measures only, in font: for laying out where nothing is painted.
    explicit PainterCanvas(const QFont& font);

    [[nodiscard]] int textWidth(std::string_view text, bool bold) const override;
    [[nodiscard]] int lineHeight(bool bold) const override;
    [[nodiscard]] int ascent(bool bold) const override;
    void fillRect(const PixelRect& rect, Color color) override;
    void outlineRect(const PixelRect& rect, Color color) override;
    void dashedLine(int x, int top, int bottom, Color color) override;
    void drawText(int x, int baseline, std::string_view text, bool bold, Color color) override;
    void drawCentredText(const PixelRect& rect, std::string_view text, bool bold,
                         Color color) override;

private:
    QPainter* painter = nullptr;
    QFont font;
    QFont boldFont;
    QFontMetrics metrics;
    QFontMetrics boldMetrics;
};

// Everything a plot shows over its traces in a view (drawPlotDecorations), plot pixels wide and
// tall, in the painter's font.
void paintPlotDecorations(QPainter& painter, QSize plot, int which, const View& view,
                          const std::vector<LegendEntry>& legend, const QString& note = {});

// The legend's rows in font, as the plot shows them.
struct LegendRowRect {
    QRect rect;
    std::int64_t number;
};
[[nodiscard]] std::vector<LegendRowRect> legendRows(const std::vector<LegendEntry>& legend,
                                                    int which, QSize plot, const QFont& font);

[[nodiscard]] inline QRect qRectOf(const PixelRect& r) {
    return {r.left, r.top, r.width, r.height};
}

} // namespace sorkam::chart

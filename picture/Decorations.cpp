#include "picture/Decorations.h"

#include "picture/ImagePlotSurface.h"

#include <QHash>
#include <QPainter>

namespace sorkam::chart {

namespace {

QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont boldOf(QFont font) {
    font.setBold(true);
    return font;
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter)
    : painter(&painter), font(painter.font()), boldFont(boldOf(font)), metrics(font),
      boldMetrics(boldFont) {
}

PainterCanvas::PainterCanvas(const QFont& font)
    : font(font), boldFont(boldOf(font)), metrics(font), boldMetrics(boldFont) {
}

int PainterCanvas::textWidth(std::string_view text, bool bold) const {
    // The widths are kept: every frame of a cursor's drag paints both legends again, and
    // measuring their 48 labels afresh took 0.3 ms of each.
    static QHash<QString, int> widths; // by the font's key and the text
    const QFont& face = bold ? boldFont : font;
    const QString shown = qString(text);
    const QString key = face.key() + QLatin1Char('\n') + shown;
    if (const auto kept = widths.constFind(key); kept != widths.constEnd()) {
        return *kept;
    }
    if (widths.size() >= 4096) {
        widths.clear();
    }
    return *widths.insert(key, (bold ? boldMetrics : metrics).horizontalAdvance(shown));
}

int PainterCanvas::lineHeight(bool bold) const {
    return (bold ? boldMetrics : metrics).height();
}

int PainterCanvas::ascent(bool bold) const {
    return (bold ? boldMetrics : metrics).ascent();
}

void PainterCanvas::fillRect(const PixelRect& rect, Color color) {
    painter->fillRect(qRectOf(rect), toQColor(color));
}

void PainterCanvas::outlineRect(const PixelRect& rect, Color color) {
    painter->setPen(toQColor(color));
    painter->drawRect(qRectOf(rect).adjusted(0, 0, -1, -1));
}

void PainterCanvas::dashedLine(int x, int top, int bottom, Color color) {
    painter->setPen(QPen(toQColor(color), 1, Qt::DashLine));
    painter->drawLine(x, top, x, bottom);
}

void PainterCanvas::drawText(int x, int baseline, std::string_view text, bool bold, Color color) {
    // Drawn at a point: laying text out in a rectangle took three times as long, 1.5 ms of a
    // frame for two legends' 48 rows.
    painter->setFont(bold ? boldFont : font);
    painter->setPen(toQColor(color));
    painter->drawText(QPoint(x, baseline), qString(text));
    painter->setFont(font);
}

void PainterCanvas::drawCentredText(const PixelRect& rect, std::string_view text, bool bold,
                                    Color color) {
    painter->setFont(bold ? boldFont : font);
    painter->setPen(toQColor(color));
    painter->drawText(qRectOf(rect), Qt::AlignCenter, qString(text));
    painter->setFont(font);
}

void paintPlotDecorations(QPainter& painter, QSize plot, int which, const View& view,
                          const std::vector<LegendEntry>& legend, const QString& note) {
    PainterCanvas canvas(painter);
    drawPlotDecorations(canvas, plot.width(), plot.height(), which, view, legend,
                        note.toStdString());
}

std::vector<LegendRowRect> legendRows(const std::vector<LegendEntry>& legend, int which, QSize plot,
                                      const QFont& font) {
    std::vector<LegendRowRect> rects;
    for (const LegendRow& row :
         legendRows(legend, which, plot.width(), plot.height(), PainterCanvas(font))) {
        rects.push_back({qRectOf(row.rect), row.number});
    }
    return rects;
}

} // namespace sorkam::chart

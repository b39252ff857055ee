#include "viewer/PlotWidget.h"

#include <QPaintEvent>
#include <QPainter>

namespace sorkam {

PlotWidget::PlotWidget(QSize size, int dpi, QWidget* parent)
    : QWidget(parent), layoutSize(size), dpi(dpi), plot(size, dpi) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void PlotWidget::setPixelRatio(qreal newRatio) {
    newRatio = newRatio > 1.0 ? newRatio : 1.0;
    if (newRatio == ratio) {
        return;
    }
    ratio = newRatio;
    plot.reset((QSizeF(layoutSize) * ratio).toSize(), qRound(dpi * ratio));
    update();
}

void PlotWidget::paintEvent(QPaintEvent* event) {
    // The picture has ratio pixels to each of the widget's.
    QPainter painter(this);
    const QRectF target = event->rect();
    plot.paintOn(painter, target, QRectF(target.topLeft() * ratio, target.size() * ratio));
}

} // namespace sorkam

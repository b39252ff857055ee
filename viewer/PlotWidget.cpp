#include "PlotWidget.h"

#include <QPaintEvent>
#include <QPainter>

namespace sorkam {

PlotWidget::PlotWidget(QSize size, int dpi, qreal ratio, QWidget* parent)
    : QWidget(parent), ratio(ratio > 1.0 ? ratio : 1.0),
      plot((QSizeF(size) * this->ratio).toSize(), qRound(dpi * this->ratio)) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void PlotWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRectF target = event->rect();
    plot.paintOn(painter, target, QRectF(target.topLeft() * ratio, target.size() * ratio));
}

} // namespace sorkam

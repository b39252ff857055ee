#include "PlotWidget.h"

#include <QPaintEvent>
#include <QPainter>

namespace sorkam {

PlotWidget::PlotWidget(QSize size, int dpi, QWidget* parent) : QWidget(parent), plot(size, dpi) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void PlotWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    plot.paintOn(painter, event->rect());
}

} // namespace sorkam

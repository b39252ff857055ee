#include "viewer/PlotWidget.h"

#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>

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

void PlotWidget::setReadOut(std::function<QString(QPoint)> text) {
    readOut = std::move(text);
}

bool PlotWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && readOut) {
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), readOut(help->pos()), this);
        return true;
    }
    return QWidget::event(event);
}

void PlotWidget::paintEvent(QPaintEvent* event) {
    // The picture has ratio pixels to each of the widget's.
    QPainter painter(this);
    const QRectF target = event->rect();
    plot.paintOn(painter, target, QRectF(target.topLeft() * ratio, target.size() * ratio));
    if (hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        // Shown whenever the plot has the focus, not only after the keyboard moved it there: the
        // window starts with the focus here.
        frame.state |= QStyle::State_KeyboardFocusChange;
        frame.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
}

void PlotWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PlotWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace sorkam

#include "viewer/window/PlotWidget.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

namespace sorkam {

PlotWidget::PlotWidget(const chart::TwipsRect& place, int dpi, QWidget* parent)
    : QWidget(parent), place(place), resolution{dpi, 1.0},
      plot(qRectOf(resolution, place).size(), resolution.pictureDpi()) {
    const QRect rect = chart::qRectOf(place, dpi);
    setFixedSize(rect.size());
    move(rect.topLeft());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void PlotWidget::setPixelRatio(qreal newRatio) {
    newRatio = newRatio > 1.0 ? newRatio : 1.0;
    if (newRatio == resolution.pixelRatio) {
        return;
    }
    resolution.pixelRatio = newRatio;
    startPictures();
}

void PlotWidget::setLayoutDpi(int dpi) {
    if (dpi == resolution.dpi) {
        return;
    }
    resolution.dpi = dpi;
    const QRect rect = chart::qRectOf(place, dpi);
    setFixedSize(rect.size());
    move(rect.topLeft());
    startPictures();
}

void PlotWidget::startPictures() {
    plot.reset(qRectOf(resolution, place).size(), resolution.pictureDpi());
    view.reset();
    update();
}

ImagePlotSurface& PlotWidget::viewSurface() {
    if (!view) {
        view.emplace(qRectOf(resolution, place).size(), resolution.pictureDpi());
    }
    return *view;
}

void PlotWidget::showView(bool on) {
    if (on != viewShown) {
        viewShown = on;
        update();
    }
}

void PlotWidget::setDecoration(std::function<void(QPainter&)> paint) {
    decoration = std::move(paint);
}

void PlotWidget::setMouseInput(MouseInput input) {
    mouse = std::move(input);
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && mouse.click) {
        mouse.click(event->position().toPoint(), event->modifiers());
    } else if (event->button() == Qt::MiddleButton) {
        dragFrom = event->position().toPoint().x();
    }
    QWidget::mousePressEvent(event);
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::MiddleButton) && mouse.drag) {
        const int x = event->position().toPoint().x();
        mouse.drag(x - dragFrom);
        dragFrom = x;
    }
    QWidget::mouseMoveEvent(event);
}

void PlotWidget::wheelEvent(QWheelEvent* event) {
    if (mouse.wheel && (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) {
        mouse.wheel(event->position().toPoint(), event->angleDelta(), event->modifiers());
        event->accept();
        return;
    }
    QWidget::wheelEvent(event);
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
    const qreal ratio = resolution.pixelRatio;
    const ImagePlotSurface& shown = viewShown && view ? *view : plot;
    shown.paintOn(painter, target, QRectF(target.topLeft() * ratio, target.size() * ratio));
    if (decoration) {
        decoration(painter);
    }
    if (hasFocus()) {
        // A 2-pixel frame in the highlight colour, shown whenever the plot has the focus (the
        // window starts with it here). Four filled strips: the style's dotted focus frame took
        // 0.4 ms of every repaint.
        const QColor colour = palette().color(QPalette::Highlight);
        const int w = width();
        const int h = height();
        painter.fillRect(0, 0, w, 2, colour);
        painter.fillRect(0, h - 2, w, 2, colour);
        painter.fillRect(0, 2, 2, h - 4, colour);
        painter.fillRect(w - 2, 2, 2, h - 4, colour);
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

#include "viewer/window/PlotWidget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
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
    setMouseTracking(true);
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
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && mouse.press) {
        mouse.press(at, event->modifiers());
    } else if (event->button() == Qt::MiddleButton) {
        dragFrom = at.x();
    } else if (event->button() == Qt::RightButton && band == nullptr) {
        boxFrom = at;
        band = new QRubberBand(QRubberBand::Rectangle, this);
        band->setGeometry(QRect(at, QSize()));
        band->show();
        // Esc while drawing, wherever the focus is, comes here rather than to the window's command.
        qApp->installEventFilter(this);
    }
    QWidget::mousePressEvent(event);
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) && mouse.move) {
        mouse.move(at);
    }
    if ((event->buttons() & Qt::MiddleButton) && mouse.drag) {
        mouse.drag(at.x() - dragFrom);
        dragFrom = at.x();
    }
    if (band != nullptr) {
        band->setGeometry(QRect(boxFrom, at).normalized());
    }
    if (event->buttons() == Qt::NoButton) {
        if (mouse.handle && mouse.handle(at)) {
            setCursor(Qt::SizeHorCursor);
        } else {
            unsetCursor();
        }
    }
    QWidget::mouseMoveEvent(event);
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && mouse.release) {
        mouse.release();
    } else if (event->button() == Qt::RightButton && band != nullptr) {
        const QRect box = QRect(boxFrom, event->position().toPoint()).normalized();
        endBox();
        if (box.width() >= 4 || box.height() >= 4) {
            if (mouse.box) {
                mouse.box(box);
            }
        } else if (!actions().isEmpty()) {
            QMenu::exec(actions(), event->globalPosition().toPoint(), nullptr, this);
        }
    }
    QWidget::mouseReleaseEvent(event);
}

bool PlotWidget::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (band != nullptr && key && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept(); // no shortcut: the key press comes, and ends the rectangle
        if (event->type() == QEvent::KeyPress) {
            endBox();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PlotWidget::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse's menu opens on the right button's release, where no rectangle was drawn.
    if (event->reason() != QContextMenuEvent::Mouse && !actions().isEmpty()) {
        QMenu::exec(actions(), event->globalPos(), nullptr, this);
    }
}

void PlotWidget::endBox() {
    if (band != nullptr) {
        qApp->removeEventFilter(this);
        band->hide();
        band->deleteLater();
        band = nullptr;
    }
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

#pragma once

#include "picture/ChartFonts.h"
#include "picture/ImagePlotSurface.h"

#include <QRubberBand>
#include <QWidget>

#include <functional>
#include <optional>

namespace sorkam {

// A plot area of the window: shows its surface's off-screen picture (or a view of its own, zoomed
// or with records hidden), what the window paints over it, a focus frame while it has the
// keyboard focus, and a read-out beside the pointer when the pointer rests on it.
class PlotWidget final : public QWidget {
    Q_OBJECT
public:
    // A plot area at its fixed place of the layout at dpi, which also scales its numbers like
    // the window's font.
    PlotWidget(const chart::TwipsRect& place, int dpi, QWidget* parent = nullptr);

    [[nodiscard]] ImagePlotSurface& surface() { return plot; }
    [[nodiscard]] qreal pixelRatio() const { return resolution.pixelRatio; }
    // Paints at ratio device pixels to a layout pixel from now on (at least 1), so traces stay
    // one device pixel wide and text is sharp. A new ratio starts a blank picture.
    void setPixelRatio(qreal ratio);
    // Moves to its place of the layout at dpi and takes its size there; a new dpi starts a blank
    // picture.
    void setLayoutDpi(int dpi);
    // The text shown when the pointer rests at a point of the plot (in layout pixels).
    void setReadOut(std::function<QString(QPoint)> readOut);

    // The picture shown instead of the kept one while showView is on: made on first use, at the
    // kept picture's size and resolution.
    [[nodiscard]] ImagePlotSurface& viewSurface();
    void showView(bool on);
    [[nodiscard]] bool showsView() const { return viewShown; }
    // What the window paints over the picture (cursors, the legend, marks), never into it.
    void setDecoration(std::function<void(QPainter&)> paint);
    // What the mouse does on the plot: the left button pressed, moved while held and released;
    // the wheel; a drag with the middle button (by how many pixels across since the last move); a
    // rectangle drawn with the right button (on its release; Esc while drawing, or one under 4
    // pixels, draws none, and a right click opens the context menu). Where handle answers true,
    // the pointer shows that a left drag moves something across.
    struct MouseInput {
        std::function<void(QPoint, Qt::KeyboardModifiers)> press;
        std::function<void(QPoint)> move;
        std::function<void()> release;
        std::function<void(QPoint, QPoint angle, Qt::KeyboardModifiers)> wheel;
        std::function<void(int)> drag;
        std::function<void(QRect)> box;
        std::function<bool(QPoint)> handle;
    };
    void setMouseInput(MouseInput input);
    // Whether a rectangle is being drawn.
    [[nodiscard]] bool drawsBox() const { return band != nullptr; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Blank pictures at the resolution now; the view is made again when next needed.
    void startPictures();
    // The rectangle being drawn gone, the keyboard let go.
    void endBox();

    chart::TwipsRect place;
    chart::Resolution resolution;
    ImagePlotSurface plot;
    std::optional<ImagePlotSurface> view;
    bool viewShown = false;
    std::function<QString(QPoint)> readOut;
    std::function<void(QPainter&)> decoration;
    MouseInput mouse;
    int dragFrom = 0;
    QPoint boxFrom;
    QRubberBand* band = nullptr;
};

} // namespace sorkam

#pragma once

#include "viewer/PlotWidget.h"
#include "viewer/ViewerController.h"
#include "viewer/ViewerHost.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QPushButton;

namespace sorkam {

// The viewer's one window: "VIDEO A" and "VIDEO B" plot areas stacked, the status line and the
// "&Clear", "<" and ">" buttons along the bottom, all at fixed places. Events go to the
// controller; the window shows what the controller and the record display write.
class ViewerWindow final : public QWidget, public ViewerHost {
    Q_OBJECT
public:
    // dialogs runs every message box and the open-file dialog (null: the real ones, parented to
    // this window); dpi 0 takes the screen's.
    explicit ViewerWindow(UserDialogs* dialogs = nullptr, int dpi = 0, QWidget* parent = nullptr);
    ~ViewerWindow() override;

    // Start-up with the whole command-line text; call once, before show().
    void start(const std::string& commandLine);

    // The exit status once the program is ending, else nothing.
    [[nodiscard]] std::optional<int> exitStatus() const { return endStatus; }

    // The controls, for tests.
    [[nodiscard]] PlotWidget* plotA() const { return plotAreaA; }
    [[nodiscard]] PlotWidget* plotB() const { return plotAreaB; }
    [[nodiscard]] QLabel* captionA() const { return labelA; }
    [[nodiscard]] QLabel* captionB() const { return labelB; }
    [[nodiscard]] QLabel* statusLabel() const { return status; }
    [[nodiscard]] QPushButton* nextButton() const { return next; }
    [[nodiscard]] QPushButton* previousButton() const { return previous; }
    [[nodiscard]] QPushButton* clearButton() const { return clear; }
    [[nodiscard]] const ViewerController& controller() const { return control; }

    // The read-outs shown when the pointer rests on a plot (at a point in its layout pixels) or
    // on the status line.
    [[nodiscard]] QString plotReadOut(const PlotWidget* plot, QPoint at) const;
    [[nodiscard]] QString statusReadOut() const;

    // ViewerHost
    void setTitle(const std::string& title) override;
    void setStatusText(const std::string& text) override;
    void setStatusColor(Color color) override;
    void endProgram(int status) override;
    void explainFailure(const std::string& line) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Runs one event handler to completion.
    void run(const std::function<void()>& handler);
    // The frame and the current record painted again, after the running handler if there is one.
    void repaintLikeAResize();
    // The plots paint at the device resolution of the screen the window is on now.
    void followScreen();
    // Keys that work wherever the focus is, and what the controls tell about themselves.
    void addKeys();
    void describeControls();

    int dpi;
    std::unique_ptr<UserDialogs> ownDialogs;
    PlotWidget* plotAreaA;
    PlotWidget* plotAreaB;
    QLabel* labelA = nullptr;
    QLabel* labelB = nullptr;
    QLabel* status = nullptr;
    QPushButton* clear = nullptr;
    QPushButton* previous = nullptr;
    QPushButton* next = nullptr;
    ViewerController control;
    std::optional<int> endStatus;
    bool inHandler = false;
    bool resizePending = false;
    bool screenWatched = false;
};

} // namespace sorkam

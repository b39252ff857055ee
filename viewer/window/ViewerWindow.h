#pragma once

#include "viewer/Commands.h"
#include "viewer/ViewerController.h"
#include "viewer/ViewerHost.h"
#include "viewer/window/FileFollower.h"
#include "viewer/window/PlotInput.h"
#include "viewer/window/PlotWidget.h"
#include "viewer/window/RecordsBrowser.h"
#include "viewer/window/ViewSharing.h"
#include "viewer/window/WindowControls.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QTimer;

namespace sorkam {

// The viewer's one window: "VIDEO A" and "VIDEO B" plot areas stacked, the status line and the
// "&Clear", "<" and ">" buttons along the bottom, all at fixed places. Every command is an action
// made from the command table; events go to the controller, which owns the records and the view,
// and the window draws what it is given. The mouse on the plots, sharing the view and following
// the file are classes of their own.
class ViewerWindow final : public QWidget, public ViewerHost {
    Q_OBJECT
public:
    // dialogs runs every message box and the open-file dialog (null: the real ones, parented to
    // this window); dpi 0 takes the screen's.
    explicit ViewerWindow(UserDialogs* dialogs = nullptr, int dpi = 0, QWidget* parent = nullptr);
    ~ViewerWindow() override;

    // Start-up with the whole command-line text; call once, before show().
    void start(const std::string& commandLine);

    // The exit status once the controller has ended the program, else nothing.
    [[nodiscard]] std::optional<int> exitStatus() const { return control.exitStatus(); }
    [[nodiscard]] const ViewerController& controller() const { return control; }

    // The read-outs shown when the pointer rests on a plot (at a point in its layout pixels) or
    // on the status line.
    [[nodiscard]] QString plotReadOut(const PlotWidget* plot, QPoint at) const;
    [[nodiscard]] QString statusReadOut() const;
    // The note on the upper plot while the file is followed: "following the file", how many
    // records it holds, and how many of them arrived past record 23.
    [[nodiscard]] QString followingNote() const;

    // ViewerHost
    void setTitle(const std::string& title) override;
    void setStatusText(const std::string& text) override;
    void setStatusColor(Color color) override;
    void explainFailure(const std::string& line) override;
    void setGrowWithWindow(bool on) override;
    void setFollowing(bool on) override;
    [[nodiscard]] Result<void, std::string> saveView(const std::string& path) override;
    [[nodiscard]] std::optional<double> pointerIndex() const override;
    [[nodiscard]] std::pair<int, int> plotPixels() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // An action for each command of the table, its keys working wherever the focus is; the
    // buttons trigger theirs and the plots list them all in their context menu.
    void addCommands();
    // The plots' cursors, legend and marks, and what the mouse does on them.
    void addPlotInput();
    // The plots show their kept pictures, or a view of their own where they are zoomed or a
    // record is hidden; an open measurements window follows.
    void refreshView();
    // Runs one event's handler through the controller, then shows what came of it.
    void run(const std::function<void()>& handler);
    // The frame and the current record painted again, after the running handler if there is one.
    void repaintLikeAResize();
    // Ends the program once the controller has ended it; otherwise shows what was painted.
    void showOutcome();
    // The plots paint at the device resolution of the screen the window is on now.
    void followScreen();
    // The file can no longer be watched: following ends, and the command's tooltip says why.
    void followingLost(const QString& why);
    // What the upper plot notes: the file followed, the density being counted.
    [[nodiscard]] QString plotNote() const;

    // The layout's dots per inch: the screen's, or less where the layout would not fit it
    // (fittedDpi), or what fits the window while the content grows with it.
    const int fittedDpi;
    int layoutDpi;
    bool growing = false;
    std::unique_ptr<UserDialogs> ownDialogs;
    UserDialogs& userDialogs;
    WindowControls controls;
    ViewerController control;
    PlotInput plotInput;
    ViewSharing sharing;
    RecordsBrowser browser;
    FileFollower follower;
    QString followToolTip;
    QTimer* densityPoll; // while a density is counted: its progress, and the count once done
    bool ending = false;
    bool screenWatched = false;
};

} // namespace sorkam

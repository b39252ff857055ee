#pragma once

#include "viewer/Commands.h"
#include "viewer/ViewerController.h"

#include <functional>
#include <string>

class QWidget;

namespace sorkam {

class RecordsWindow;

// The records window as the viewer's: opened and closed with R, its picks and Deletes carried
// out by the controller, its Distance column measured from the controller's reference; and
// Ctrl+Shift+D, the record most distant from the reference shown (once the distances are there).
class RecordsBrowser {
public:
    // Each pick goes through run, as the window's commands do.
    using Run = std::function<void(const std::function<void()>&)>;
    RecordsBrowser(ViewerController& controller, Run run, QWidget* window);

    void run(WindowAction action);
    // After every command: the rows drawn again, another file or reference taken up.
    void refresh();

private:
    void toggle();
    void showMostDistant();
    // The window for the controller's data file, made on first use.
    RecordsWindow& recordsWindow();

    ViewerController& controller;
    Run runOnController;
    QWidget* window;
    RecordsWindow* records = nullptr;
    std::string file; // the one records lists
    const chart::Reference* reference = nullptr;
    bool mostDistantWanted = false;
};

} // namespace sorkam

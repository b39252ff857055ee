#pragma once

#include "PlotWidget.h"
#include "ViewerController.h"
#include "ViewerHost.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QPushButton;

namespace sorkam {

// The viewer's one window: "VIDEO A" and "VIDEO B" plot areas stacked, the status label and the
// "&Clear", "<" and ">" buttons along the bottom, all at fixed places. Events go to the
// controller; the window shows what the controller and the record display write.
class FrmMaske final : public QWidget, public ViewerHost {
    Q_OBJECT
public:
    // dialogs runs every message box and the open-file dialog; dpi 0 takes the screen's.
    explicit FrmMaske(UserDialogs& dialogs, int dpi = 0, QWidget* parent = nullptr);

    // Start-up with the whole command-line text; call once, before show().
    void Form_Load(const std::string& commandLine);

    // The exit status once the program is ending, else nothing.
    [[nodiscard]] std::optional<int> exitStatus() const { return endStatus; }

    // The controls, for tests.
    [[nodiscard]] PlotWidget* picAusgabe(int index) const { return plots.at(index); }
    [[nodiscard]] QLabel* lbltype(int index) const { return captions.at(index); }
    [[nodiscard]] QLabel* lblfile() const { return statusLabel; }
    [[nodiscard]] QPushButton* cmdup() const { return upButton; }
    [[nodiscard]] QPushButton* cmdDown() const { return downButton; }
    [[nodiscard]] QPushButton* cmdclear() const { return clearButton; }
    [[nodiscard]] const ViewerController& controller() const { return control; }

    // ViewerHost
    void SetTitle(const std::string& title) override;
    void SetStatusCaption(const std::string& caption) override;
    void SetStatusColor(Color color) override;
    void EndProgram(int status) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Runs one event handler to completion.
    void run(const std::function<void()>& handler);

    int dpi;
    std::array<PlotWidget*, 2> plots{};
    std::array<QLabel*, 2> captions{};
    QLabel* statusLabel = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* downButton = nullptr;
    QPushButton* upButton = nullptr;
    ViewerController control;
    std::optional<int> endStatus;
    bool inHandler = false;
    bool resizePending = false;
};

} // namespace sorkam

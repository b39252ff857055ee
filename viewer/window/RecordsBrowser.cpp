#include "viewer/window/RecordsBrowser.h"

#include "viewer/window/RecordsWindow.h"

#include <QAction>

namespace sorkam {

RecordsBrowser::RecordsBrowser(ViewerController& controller, Run run, QWidget* window)
    : controller(controller), runOnController(std::move(run)), window(window) {
}

void RecordsBrowser::run(WindowAction action) {
    if (action == WindowAction::ToggleRecords) {
        toggle();
    } else if (action == WindowAction::ShowMostDistant) {
        showMostDistant();
    }
}

RecordsWindow& RecordsBrowser::recordsWindow() {
    if (records != nullptr && file != controller.dataFile()) {
        records->deleteLater(); // another file: another list
        records = nullptr;
    }
    if (records == nullptr) {
        file = controller.dataFile();
        reference = nullptr;
        const auto pick = [this](const std::vector<std::int64_t>& numbers) {
            runOnController([this, numbers] { controller.showRecords(numbers); });
        };
        const auto remove = [this](const std::vector<std::int64_t>& numbers) {
            runOnController([this, numbers] { controller.removeRecords(numbers); });
        };
        records = new RecordsWindow(
            file, [this](std::int64_t n) { return controller.overlay().holds(n); }, pick, remove,
            window);
        auto* action = window->findChild<QAction*>(QStringLiteral("recordsAction"));
        QObject::connect(records, &RecordsWindow::shownChanged, action, &QAction::setChecked);
        QObject::connect(records, &RecordsWindow::workDone, records, [this] {
            if (mostDistantWanted) {
                showMostDistant();
            }
        });
    }
    return *records;
}

void RecordsBrowser::toggle() {
    RecordsWindow& shown = recordsWindow();
    if (shown.isVisible()) {
        shown.close();
        return;
    }
    refresh();
    shown.show();
    shown.raise();
}

void RecordsBrowser::showMostDistant() {
    if (!controller.view().reference) {
        runOnController([this] { controller.makeReference(); });
    }
    RecordsWindow& shown = recordsWindow();
    refresh();
    // Asked in this order, distances that come to an end in between are found either way.
    const bool pending = shown.records().hasReference() && shown.records().distanceProgress() < 1.0;
    const std::optional<std::int64_t> most = shown.records().mostDistant();
    mostDistantWanted = !most && pending;
    if (most) {
        runOnController([this, n = *most] { controller.showRecords({n}); });
    } else if (mostDistantWanted && !shown.isVisible()) {
        shown.show(); // its progress bar says how far the distances are
    }
}

void RecordsBrowser::refresh() {
    if (records == nullptr) {
        return;
    }
    if (file != controller.dataFile()) {
        const bool open = records->isVisible();
        recordsWindow();
        if (open) {
            records->show();
        }
    }
    const chart::Reference* now = controller.view().reference.get();
    if (now != reference) {
        reference = now;
        records->records().setReference(controller.view().reference);
    }
    records->refresh();
}

} // namespace sorkam

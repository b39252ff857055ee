#include "viewer/window/ViewSharing.h"

#include "chart/PictureTypes.h"
#include "picture/ViewFile.h"
#include "viewer/Measurements.h"
#include "viewer/window/MeasurementsWindow.h"
#include "viewer/window/PictureFile.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace sorkam {

ViewSharing::ViewSharing(const ViewerController& controller, UserDialogs& dialogs,
                         std::function<double()> pixelRatio, QWidget* window)
    : controller(controller), dialogs(dialogs), pixelRatio(std::move(pixelRatio)), window(window) {
}

void ViewSharing::run(WindowAction action) {
    switch (action) {
    case WindowAction::CopyView:
        copy();
        break;
    case WindowAction::PrintView:
        print();
        break;
    case WindowAction::ToggleMeasurements:
        toggleMeasurements();
        break;
    default:
        break;
    }
}

void ViewSharing::toggleMeasurements() {
    if (measurements == nullptr) {
        measurements = new MeasurementsWindow(window);
        auto* action = window->findChild<QAction*>(QStringLiteral("measurementsAction"));
        QObject::connect(measurements, &MeasurementsWindow::shownChanged, action,
                         &QAction::setChecked);
    }
    if (measurements->isVisible()) {
        measurements->close();
        return;
    }
    measurements->show();
    refreshMeasurements();
}

void ViewSharing::refreshMeasurements() {
    if (measurements != nullptr && measurements->isVisible()) {
        const chart::View& view = controller.view();
        measurements->showMeasurements(view, measure(controller.overlay(), view));
    }
}

int ViewSharing::pictureScale() const {
    return std::clamp(static_cast<int>(std::ceil(pixelRatio())), 1, 4);
}

chart::PictureText ViewSharing::pictureText(int scale) const {
    std::vector<std::int64_t> numbers;
    for (const chart::OverlayRecord& shown : controller.overlay().records()) {
        if (controller.view().shows(shown.number)) {
            numbers.push_back(shown.number);
        }
    }
    return chart::pictureText(controller.dataFile(), chart::recordRuns(numbers), controller.view(),
                              scale,
                              "sorkam " + QCoreApplication::applicationVersion().toStdString());
}

void ViewSharing::copy() const {
    const QImage picture =
        chart::viewImage(controller.overlay(), controller.view(), pictureScale());
    QGuiApplication::clipboard()->setImage(picture);
}

Result<void, std::string> ViewSharing::save(const std::string& path) const {
    const auto failed = [&](const std::string& why) { return "Cannot save " + path + ": " + why; };
    const std::optional<chart::PictureType> type = chart::pictureTypeOf(path);
    if (!type) {
        return failed("the name must end in .png, .svg or .pdf");
    }
    const int scale = pictureScale();
    const chart::PictureText text = pictureText(scale);
    const Result<void, std::string> saved =
        writePictureFile(path, controller.dataFile(), [&](QIODevice& file) {
            return chart::writeViewFile(file, type->format, controller.view(), scale, text,
                                        [this](chart::ViewPainter& painter) {
                                            return std::optional(
                                                chart::paintShown(painter, controller.overlay()));
                                        });
        });
    if (!saved.ok()) {
        return failed(saved.error());
    }
    return {};
}

void ViewSharing::print() const {
    dialogs.printPreview([this](QPainter& painter) {
        chart::paintView(painter, controller.overlay(), controller.view());
    });
}

} // namespace sorkam

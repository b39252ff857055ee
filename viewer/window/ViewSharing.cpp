#include "viewer/window/ViewSharing.h"

#include "chart/Density.h"
#include "chart/PictureTypes.h"
#include "picture/ChartPicture.h"
#include "picture/ViewPicture.h"
#include "raster/PalettePicture.h"
#include "vector/PdfPicture.h"
#include "vector/SvgPicture.h"
#include "viewer/Measurements.h"
#include "viewer/window/MeasurementsWindow.h"
#include "viewer/window/PictureFile.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIODevice>

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

Result<chart::View, std::string> ViewSharing::pictureView(int scale) const {
    chart::View view = controller.view();
    const int width = chart::PalettePicture::plotWidth(scale);
    const int height = chart::PalettePicture::plotHeight(scale);
    if (!view.density || view.density->fits(view, width, height)) {
        return view;
    }
    const chart::Density& shown = *view.density;
    auto counted = chart::countDensity(controller.dataFile(), shown.runs, view, width, height);
    if (!counted.ok()) {
        return "the density cannot be counted: " + failureReason(counted.error());
    }
    counted.value().scale = shown.scale;
    view.density = std::make_shared<const chart::Density>(std::move(counted.value()));
    return view;
}

void ViewSharing::copy() const {
    const int scale = pictureScale();
    const Result<chart::View, std::string> view = pictureView(scale);
    if (!view.ok()) {
        dialogs.showMessage("Cannot copy the view: " + view.error());
        return;
    }
    const std::unique_ptr<chart::PalettePicture> picture = paintedPicture(view.value(), scale);
    QImage image(picture->width(), picture->height(), QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const std::uint32_t c : picture->palette()) {
        colours.append(0xFF000000u | c);
    }
    image.setColorTable(colours);
    for (int y = 0; y < image.height(); ++y) {
        std::copy_n(picture->pixels().data() + static_cast<std::size_t>(y) * image.width(),
                    image.width(), image.scanLine(y));
    }
    QGuiApplication::clipboard()->setImage(image.convertToFormat(QImage::Format_RGB32));
}

std::unique_ptr<chart::PalettePicture> ViewSharing::paintedPicture(const chart::View& view,
                                                                   int scale) const {
    // Painted as the export tool paints it: the same pixels for the same view.
    auto picture = std::make_unique<chart::PalettePicture>(scale, view);
    picture->decorate(chart::paintShown(*picture, controller.overlay()));
    return picture;
}

namespace {

// The shown records in view as the export tool writes its SVG and PDF documents (Picture): the
// same bytes for the same view, but for the program their texts name.
template <typename Picture>
Result<void, std::string> writeDocument(QIODevice& file, const chart::Overlay& overlay,
                                        const chart::View& view, const chart::PictureText& text) {
    Picture picture(view, text, [&file](std::string_view piece) {
        return file.write(piece.data(), static_cast<qint64>(piece.size())) ==
               static_cast<qint64>(piece.size());
    });
    if (!picture.finish(chart::paintShown(picture, overlay))) {
        return std::string("the picture cannot be written");
    }
    return {};
}

} // namespace

Result<void, std::string> ViewSharing::save(const std::string& path) const {
    const auto failed = [&](const std::string& why) { return "Cannot save " + path + ": " + why; };
    const std::optional<chart::PictureType> type = chart::pictureTypeOf(path);
    if (!type) {
        return failed("the name must end in .png, .svg or .pdf");
    }
    const int scale = pictureScale();
    const chart::PictureText text = pictureText(scale);
    const Result<chart::View, std::string> view = pictureView(scale);
    if (!view.ok()) {
        return failed(view.error());
    }
    const Result<void, std::string> saved =
        writePictureFile(path, controller.dataFile(), [&](QIODevice& file) {
            if (type->format == chart::PictureFormat::Svg) {
                return writeDocument<chart::SvgPicture>(file, controller.overlay(), view.value(),
                                                        text);
            }
            if (type->format == chart::PictureFormat::Pdf) {
                return writeDocument<chart::PdfPicture>(file, controller.overlay(), view.value(),
                                                        text);
            }
            const std::string png =
                chart::pngOf(*paintedPicture(view.value(), scale), chart::pngTexts(text));
            if (png.empty()) {
                return Result<void, std::string>(std::string("the picture cannot be made"));
            }
            if (file.write(png.data(), static_cast<qint64>(png.size())) !=
                static_cast<qint64>(png.size())) {
                return Result<void, std::string>(std::string("the picture cannot be written"));
            }
            return Result<void, std::string>();
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

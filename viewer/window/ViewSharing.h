#pragma once

#include "chart/ViewText.h"
#include "viewer/Commands.h"
#include "viewer/ViewerController.h"
#include "viewer/ViewerHost.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace sorkam::chart {
class PalettePicture;
}

namespace sorkam {

class MeasurementsWindow;

// The view shared: copied, saved as PNG, SVG or PDF, or printed, each painted afresh from the
// controller's records and view (the records hidden from the legend left out), not grabbed from
// the screen; and measured between the cursors in a window of its own.
class ViewSharing {
public:
    // pixelRatio tells the plots' device pixels to each layout pixel, the scale of raster
    // pictures; window is the viewer's, which the measurements window belongs to.
    ViewSharing(const ViewerController& controller, UserDialogs& dialogs,
                std::function<double()> pixelRatio, QWidget* window);

    // A command of the window's own: copy, print, or the measurements window opened or closed.
    void run(WindowAction action);
    // An open measurements window shows what the cursors measure now.
    void refreshMeasurements();

    // The view as a picture on the clipboard.
    void copy() const;
    // The view saved to path as the picture its extension names; the failure is the message that
    // says why it could not be ("Cannot save PATH: reason").
    [[nodiscard]] Result<void, std::string> save(const std::string& path) const;
    // The view printed on one landscape page, after a print preview.
    void print() const;

private:
    [[nodiscard]] int pictureScale() const;
    [[nodiscard]] chart::PictureText pictureText(int scale) const;
    // The view as a picture at scale shows it: a density counted again for the picture's size
    // where the plots' own is another; or why it cannot be.
    [[nodiscard]] Result<chart::View, std::string> pictureView(int scale) const;
    // The shown records in view as a PNG picture paints them at scale.
    [[nodiscard]] std::unique_ptr<chart::PalettePicture> paintedPicture(const chart::View& view,
                                                                        int scale) const;

    void toggleMeasurements();

    const ViewerController& controller;
    UserDialogs& dialogs;
    std::function<double()> pixelRatio;
    QWidget* window;
    MeasurementsWindow* measurements = nullptr;
};

} // namespace sorkam

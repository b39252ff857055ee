// The controller's handlers that change what the plots show besides the records: the legend, the
// cursors, zoom and pan on both axes, the reference and the differences, and the density.
#include "viewer/ViewerController.h"

#include "chart/Density.h"

#include <algorithm>

namespace sorkam {

void ViewerController::toggleLegend() {
    shown.legend = !shown.legend;
}

void ViewerController::removeCursors() {
    if (density.busy()) { // Esc stops the counting first
        densityWanted = false;
        density.stop();
        return;
    }
    shown.cursorA.reset();
    shown.cursorB.reset();
}

void ViewerController::zoomIn() {
    zoomByKey(0.5);
}

void ViewerController::zoomOut() {
    zoomByKey(2.0);
}

void ViewerController::zoomByKey(double factor) {
    if (shown.cursorA) {
        shown.range = chart::centredOn(*shown.cursorA, shown.range.width() * factor);
    } else if (const std::optional<double> pointer = host.pointerIndex()) {
        zoomAround(factor, *pointer);
    } else {
        shown.range = chart::centredOn((shown.range.first + shown.range.last) / 2.0,
                                       shown.range.width() * factor);
    }
}

void ViewerController::zoomWhole() {
    shown.range = {};
    shown.values = shown.difference ? chart::kDifferenceValues : chart::ValueRange{};
}

void ViewerController::zoomValuesAround(double factor, double value) {
    shown.values = chart::zoomedValues(shown.values, factor, value);
}

void ViewerController::zoomToBox(double first, double last, double low, double high) {
    shown.range = chart::indexRangeBetween(first, last);
    shown.values = chart::valuesBetween(low, high, shown.values);
}

void ViewerController::fitValues() {
    const Record* minus = shown.difference ? &shown.reference->record : nullptr;
    if (const auto fitted =
            chart::fittedValues(records, shown.hidden, shown.range, shown.values, minus)) {
        shown.values = *fitted;
    }
}

void ViewerController::makeReference() {
    if (const chart::OverlayRecord* last = lastShown()) {
        shown.reference =
            std::make_shared<const chart::Reference>(chart::Reference{last->number, last->record});
    }
}

void ViewerController::toggleDifference() {
    if (shown.difference) {
        shown.difference = false;
        shown.values = valuesBeforeDifference;
        return;
    }
    if (!shown.reference) {
        makeReference();
    }
    if (shown.reference) {
        shown.difference = true;
        valuesBeforeDifference = shown.values;
        shown.values = chart::kDifferenceValues;
    }
}

void ViewerController::toggleDensity() {
    densityWanted = !densityWanted;
    if (!densityWanted) {
        density.stop();
        shown.density.reset();
    }
}

void ViewerController::followDensity() {
    if (!densityWanted || endStatus) {
        return;
    }
    const auto [width, height] = host.plotPixels();
    if (shown.density && shown.density->fits(shown, width, height)) {
        return;
    }
    shown.density.reset();
    if (!density.countsFor(shown, width, height)) {
        const std::optional<std::int64_t> count = recordsInFile();
        if (!count || *count <= 0) {
            densityWanted = false;
            return;
        }
        density.start(file, *count, shown, width, height);
    }
}

void ViewerController::densityCounted() {
    std::optional<Result<chart::Density, ReadFailure>> counted = density.take();
    if (!counted) {
        return;
    }
    if (!counted->ok()) {
        densityWanted = false;
        report(file, counted->error());
        return;
    }
    shown.density = std::make_shared<const chart::Density>(std::move(counted->value()));
}

std::optional<std::pair<double, std::int64_t>> ViewerController::densityCounting() const {
    if (!density.busy()) {
        return std::nullopt;
    }
    return std::pair(density.progress(), density.records());
}

void ViewerController::zoomAround(double factor, double index) {
    shown.range = chart::zoomed(shown.range, factor, index);
}

void ViewerController::pan(double samples) {
    shown.range = chart::panned(shown.range, samples);
}

void ViewerController::setCursor(bool b, double index) {
    (b ? shown.cursorB : shown.cursorA) = chart::cursorIndex(index);
}

} // namespace sorkam

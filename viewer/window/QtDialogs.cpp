#include "viewer/window/QtDialogs.h"

#include "picture/ChartPicture.h"
#include "picture/ViewPicture.h"
#include "viewer/window/FileDialog.h"
#include "viewer/window/TextDisplay.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace sorkam {

namespace {

// Runs a modal box captioned with the application's name; returns the button pressed.
int runBox(QWidget* parent, const std::string& text, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton escape) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                    pathForDisplay(text), buttons, parent);
    // A path may look like markup; it must show as typed.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setEscapeButton(escape);
    return box.exec();
}

} // namespace

void QtDialogs::showMessage(const std::string& text) {
    runBox(parent, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDialogs::askRetry(const std::string& text) {
    return runBox(parent, text, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Cancel) ==
           QMessageBox::Retry;
}

std::optional<int> QtDialogs::askRecordNumber(int current, int last) {
    bool ok = false;
    const int n =
        QInputDialog::getInt(parent, QGuiApplication::applicationDisplayName(),
                             tr("Record number (0 to %1):").arg(last), current, 0, last, 1, &ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

std::optional<std::string> QtDialogs::openFile(const std::string& /*presetName*/,
                                               const std::string& /*filter*/,
                                               const std::string& title,
                                               const std::string& currentFile) {
    // The preset name "*.vid;dat" is a pattern, not a file: the dialog's filter offers the record
    // files, and the name field starts empty.
    FileDialog dialog(QString::fromStdString(title), folderOf(currentFile), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedPath();
}

std::optional<std::string> QtDialogs::savePictureName(const std::string& suggestedPath) {
    const std::size_t slash = suggestedPath.rfind('/');
    FileDialog dialog(tr("Save the view"), folderOf(suggestedPath), parent,
                      FileDialog::Purpose::SavePicture,
                      slash == std::string::npos ? suggestedPath : suggestedPath.substr(slash + 1));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedPath();
}

void QtDialogs::printPreview(const std::function<void(QPainter&)>& paintPage) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QGuiApplication::applicationDisplayName());
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(tr("Print preview"));
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview, [&paintPage](QPrinter* page) {
            QPainter painter(page);
            chart::fitChartOnPage(painter,
                                  QRectF(QPointF(), page->pageRect(QPrinter::DevicePixel).size()));
            paintPage(painter);
        });
    preview.exec();
}

} // namespace sorkam

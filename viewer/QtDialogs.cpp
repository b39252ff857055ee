#include "viewer/QtDialogs.h"

#include "viewer/TextDisplay.h"

#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

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

std::optional<std::string> QtDialogs::openFile(const std::string& /*presetName*/,
                                               const std::string& /*filter*/,
                                               const std::string& title) {
    // The preset name "*.vid;dat" is a pattern, not a file: it becomes the list of name filters
    // rather than text in the name field.
    QFileDialog dialog(parent, QString::fromStdString(title));
    // Any file rather than an existing one: a name whose bytes are not UTF-8 shows with U+FFFD,
    // which names no file until pathBytes finds it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilters({tr("Record files (*.vid *.dat)"), tr("All files (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return pathBytes(dialog.selectedFiles().constFirst());
}

} // namespace sorkam

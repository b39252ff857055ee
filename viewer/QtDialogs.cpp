#include "QtDialogs.h"

#include "TextDisplay.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace sorkam {

namespace {

const QString kAppTitle = QStringLiteral("sorkam");

// Runs a modal box captioned with the application title; returns the button pressed.
int runBox(QWidget* parent, const std::string& text, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton escape) {
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, pathForDisplay(text), buttons, parent);
    // A path may look like markup; it must show as typed.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setEscapeButton(escape);
    return box.exec();
}

} // namespace

void QtDialogs::ShowMessage(const std::string& text) {
    runBox(parent, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDialogs::AskRetry(const std::string& text) {
    return runBox(parent, text, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Cancel) ==
           QMessageBox::Retry;
}

std::string QtDialogs::OpenFile(const std::string& /*presetName*/, const std::string& filter,
                                const std::string& title) {
    // The preset name "*.vid;dat" is a pattern, not a file: it becomes the list of name filters
    // rather than text in the name field.
    QFileDialog dialog(parent, QString::fromStdString(title));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilters(
        {QStringLiteral("Record files (*.vid *.dat)"), QStringLiteral("All files (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        // A cancelled dialog leaves its name at the filter pattern, which the controller answers
        // with the retry question.
        return filter;
    }
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

} // namespace sorkam

#pragma once

#include "viewer/ViewerHost.h"

#include <QCoreApplication>

class QWidget;

namespace sorkam {

// The real message boxes and open-file dialog: modal, captioned with the application's display
// name, texts shown as plain text.
class QtDialogs final : public UserDialogs {
    Q_DECLARE_TR_FUNCTIONS(QtDialogs)
public:
    // Dialogs are parented to and centred on parent, which may be null.
    explicit QtDialogs(QWidget* parent = nullptr) : parent(parent) {}

    void showMessage(const std::string& text) override;
    [[nodiscard]] bool askRetry(const std::string& text) override;
    [[nodiscard]] std::optional<int> askRecordNumber(int current, int last) override;
    [[nodiscard]] std::optional<std::string> openFile(const std::string& presetName,
                                                      const std::string& filter,
                                                      const std::string& title,
                                                      const std::string& currentFile) override;
    [[nodiscard]] std::optional<std::string>
    savePictureName(const std::string& suggestedPath) override;
    void printPreview(const std::function<void(QPainter&)>& paintPage) override;

private:
    QWidget* parent;
};

} // namespace sorkam

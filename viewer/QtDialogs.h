#pragma once

#include "ViewerHost.h"

class QWidget;

namespace sorkam {

// The real message boxes and open-file dialog: modal, captioned "sorkam", texts shown as plain
// text.
class QtDialogs final : public UserDialogs {
public:
    // Dialogs are centred on parent when it is shown; parent may be null.
    explicit QtDialogs(QWidget* parent = nullptr) : parent(parent) {}

    void ShowMessage(const std::string& text) override;
    [[nodiscard]] bool AskRetry(const std::string& text) override;
    [[nodiscard]] std::string OpenFile(const std::string& presetName, const std::string& filter,
                                       const std::string& title) override;

private:
    QWidget* parent;
};

} // namespace sorkam

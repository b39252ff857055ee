#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;
class QModelIndex;
class QStandardItemModel;
class QTreeView;

namespace sorkam {

// The open-file dialog. It lists a folder by the bytes of its names, so a file whose name is not
// valid UTF-8 is listed (with U+FFFD where a byte cannot be shown) and opened by its own bytes.
// It shows name, size and date in columns wide enough for them, and remembers nothing between
// runs. Return in the name field, or a double-click on a file, opens; on a folder, enters it.
class OpenFileDialog final : public QDialog {
    Q_OBJECT
public:
    // Starts in folder (bytes; "." for the working directory).
    OpenFileDialog(const QString& title, const std::string& folder, QWidget* parent = nullptr);

    // The chosen file's path as bytes, once the dialog was accepted.
    [[nodiscard]] const std::string& selectedPath() const { return chosen; }
    // The folder shown now, as bytes.
    [[nodiscard]] const std::string& currentFolder() const { return folder; }

    void accept() override;

private:
    // Lists folder's entries: folders first, then the files the filter lets through.
    void showFolder(const std::string& path);
    void activate(const QModelIndex& index);
    // A folder, or a file's path, from what the name field holds.
    [[nodiscard]] std::string typedPath() const;

    std::string folder;
    std::string chosen;
    QLineEdit* folderField;
    QTreeView* view;
    QStandardItemModel* model;
    QLineEdit* nameField;
    QComboBox* filter;
    // The bytes of the name last picked in the list, and how it shows in the name field.
    std::string pickedBytes;
    QString pickedText;
};

// The folder part of a path as bytes: "." for a bare name or an empty path.
[[nodiscard]] std::string folderOf(const std::string& path);

} // namespace sorkam

#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QStandardItemModel;
class QTreeView;

namespace sorkam {

// The open-file dialog, and the dialog that names a picture to save. It lists a folder by the bytes
// of its names, so a file whose name is not valid UTF-8 is listed (with U+FFFD where a byte cannot
// be shown) and opened by its own bytes. It shows name, size and date in columns wide enough for
// them, and remembers nothing between runs. Return in the name field, or a double-click on a file,
// opens; on a folder, enters it.
class FileDialog final : public QDialog {
    Q_OBJECT
public:
    // Opening a data file, or naming a picture to save: PNG, SVG or PDF, by the name's extension
    // or else the file type chosen.
    enum class Purpose { Open, SavePicture };

    // Starts in folder (bytes; "." for the working directory), with name (bytes) in the name
    // field.
    FileDialog(const QString& title, const std::string& folder, QWidget* parent = nullptr,
               Purpose purpose = Purpose::Open, const std::string& name = {});

    // The chosen file's path as bytes, once the dialog was accepted.
    [[nodiscard]] const std::string& selectedPath() const { return chosen; }
    // The folder shown now, as bytes.
    [[nodiscard]] const std::string& currentFolder() const { return folder; }

    void accept() override;

private:
    // The folder line, the list, the name line with the file types, and the buttons.
    void layOut(QPushButton* up, QDialogButtonBox* buttons);
    // name (bytes) in the name field, opened or saved by its own bytes while it stands there.
    void pick(const std::string& name);
    // Lists the files of another type; a picture's name takes that type's ending.
    void changeFileType(int index);
    // Lists folder's entries: folders first, then the files the filter lets through.
    void showFolder(const std::string& path);
    void activate(const QModelIndex& index);
    // A folder, or a file's path, from what the name field holds.
    [[nodiscard]] std::string typedPath() const;
    // The path a typed text names: itself where it starts with /, else in the folder shown.
    [[nodiscard]] std::string typedFolder(const QString& text) const;
    // A picture's name ends in an extension of a picture type: the chosen type's where it has
    // none. An existing file is replaced only when the user agrees.
    [[nodiscard]] bool acceptPictureName(std::string& path);

    Purpose purpose;
    std::string folder;
    std::string chosen;
    // A typed name with * or ? filters the list by it, as file dialogs do ("*.vid", "run?.dat";
    // several between semicolons); empty: the file type's endings alone.
    QString pattern;
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

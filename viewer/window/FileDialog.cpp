#include "viewer/window/FileDialog.h"

#include "chart/PictureTypes.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace sorkam {

namespace {

constexpr int kBytesRole = Qt::UserRole;
constexpr int kFolderRole = Qt::UserRole + 1;

struct Entry {
    std::string name; // bytes
    bool isFolder = false;
    qint64 size = 0;
    qint64 modified = 0; // seconds since 1970
};

QString shown(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string joined(const std::string& folder, const std::string& name) {
    if (folder == "/") {
        return "/" + name;
    }
    return folder + "/" + name;
}

// An absolute form of a folder: a relative one from the working directory.
std::string absoluteFolder(const std::string& path) {
    if (!path.empty() && path[0] == '/') {
        return path;
    }
    char* here = ::getcwd(nullptr, 0);
    const std::string working = here != nullptr ? here : "/";
    std::free(here);
    return path.empty() || path == "." ? working : joined(working, path);
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool endsWith(const std::string& name, const char* ending) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.ends_with(ending);
}

// The file types each purpose offers, the first shown at the start: a label and its endings
// (none: every file).
struct FileType {
    const char* label;
    std::vector<const char*> endings;
};
const std::vector<FileType>& fileTypes(FileDialog::Purpose purpose) {
    static const std::vector<FileType> open = {
        {QT_TRANSLATE_NOOP("FileDialog", "Record files (*.vid *.dat)"), {".vid", ".dat"}},
        {QT_TRANSLATE_NOOP("FileDialog", "All files (*)"), {}}};
    static const std::vector<FileType> save = [] {
        std::vector<FileType> types;
        for (const chart::PictureType& type : chart::kPictureTypes) {
            types.push_back({type.label.data(), {type.extension.data()}});
        }
        return types;
    }();
    return purpose == FileDialog::Purpose::Open ? open : save;
}

// A file's size in the list: "1 byte", else as the locale writes data sizes ("2 bytes", "9.8 KiB").
QString sizeText(const QLocale& locale, qint64 size) {
    return size == 1 ? QCoreApplication::translate("FileDialog", "1 byte")
                     : locale.formattedDataSize(size);
}

// Whether a name matches one of the wildcard patterns between semicolons ("*.vid;run?.dat"); any
// name does where there is none.
bool matchesPattern(const QString& name, const QString& patterns) {
    if (patterns.isEmpty()) {
        return true;
    }
    for (const QString& one : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QRegularExpression wildcard(
            QRegularExpression::wildcardToRegularExpression(one.trimmed()));
        if (wildcard.match(name).hasMatch()) {
            return true;
        }
    }
    return false;
}

// The entries of a folder that are not hidden, folders first, each group by name: every folder,
// and the files with one of endings (every file when there is none).
std::vector<Entry> entriesOf(const std::string& folder, const std::vector<const char*>& endings) {
    std::vector<Entry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return entries;
    }
    while (const dirent* found = ::readdir(dir)) {
        const std::string name = found->d_name;
        if (name.empty() || name[0] == '.') {
            continue;
        }
        struct stat info {};
        if (::stat(joined(folder, name).c_str(), &info) != 0) {
            continue; // a link that leads nowhere
        }
        Entry entry{name, S_ISDIR(info.st_mode), static_cast<qint64>(info.st_size),
                    static_cast<qint64>(info.st_mtime)};
        if (!entry.isFolder && !endings.empty() &&
            std::none_of(endings.begin(), endings.end(),
                         [&](const char* ending) { return endsWith(name, ending); })) {
            continue;
        }
        entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.isFolder != b.isFolder ? a.isFolder : a.name < b.name;
    });
    return entries;
}

} // namespace

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

FileDialog::FileDialog(const QString& title, const std::string& start, QWidget* parent,
                       Purpose purpose, const std::string& presetName)
    : QDialog(parent), purpose(purpose), folderField(new QLineEdit(this)),
      view(new QTreeView(this)), model(new QStandardItemModel(this)),
      nameField(new QLineEdit(this)), filter(new QComboBox(this)) {
    setWindowTitle(title);
    setObjectName(purpose == Purpose::Open ? QStringLiteral("openFileDialog")
                                           : QStringLiteral("saveFileDialog"));
    folderField->setObjectName(QStringLiteral("folder"));
    folderField->setReadOnly(true);
    folderField->setAccessibleName(tr("Folder"));
    auto* up = new QPushButton(tr("&Up"), this);
    up->setObjectName(QStringLiteral("upButton"));
    up->setAutoDefault(false);
    up->setAccessibleName(tr("Up to the folder above"));
    view->setObjectName(QStringLiteral("entries"));
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setAllColumnsShowFocus(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAccessibleName(tr("Files and folders"));
    nameField->setObjectName(QStringLiteral("fileName"));
    nameField->setAccessibleName(tr("File name"));
    filter->setObjectName(QStringLiteral("filter"));
    for (const FileType& type : fileTypes(purpose)) {
        filter->addItem(tr(type.label));
    }
    filter->setAccessibleName(purpose == Purpose::Open ? tr("Files shown") : tr("File type"));
    auto* buttons = new QDialogButtonBox(
        (purpose == Purpose::Open ? QDialogButtonBox::Open : QDialogButtonBox::Save) |
            QDialogButtonBox::Cancel,
        this);
    layOut(up, buttons);

    connect(up, &QPushButton::clicked, this, [this] { showFolder(folderOf(folder)); });
    connect(view, &QTreeView::activated, this, &FileDialog::activate);
    connect(view, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        const QModelIndex first = index.siblingAtColumn(0);
        if (!first.data(kFolderRole).toBool()) {
            pick(first.data(kBytesRole).toByteArray().toStdString());
        }
    });
    connect(filter, &QComboBox::currentIndexChanged, this, &FileDialog::changeFileType);
    connect(buttons, &QDialogButtonBox::accepted, this, &FileDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FileDialog::reject);

    showFolder(absoluteFolder(isFolder(start) ? start : "."));
    if (!presetName.empty()) {
        pick(presetName);
    }
    // Wide enough for a long name, its size and its date side by side.
    const QFontMetrics metrics = fontMetrics();
    resize(metrics.horizontalAdvance(QLatin1Char('x')) * 100, metrics.height() * 30);
    nameField->setFocus();
}

void FileDialog::layOut(QPushButton* up, QDialogButtonBox* buttons) {
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Folder:"), this));
    top->addWidget(folderField, 1);
    top->addWidget(up);
    auto* name = new QHBoxLayout;
    auto* nameLabel = new QLabel(tr("File &name:"), this);
    nameLabel->setBuddy(nameField);
    name->addWidget(nameLabel);
    name->addWidget(nameField, 1);
    name->addWidget(filter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view, 1);
    layout->addLayout(name);
    layout->addWidget(buttons);
}

void FileDialog::pick(const std::string& name) {
    pickedBytes = name;
    pickedText = shown(name);
    nameField->setText(pickedText);
}

void FileDialog::changeFileType(int index) {
    const QString text = nameField->text();
    showFolder(folder);
    nameField->setText(text);
    if (purpose != Purpose::SavePicture || index < 0) {
        return;
    }
    // A picture's name takes the ending of the type chosen in place of another type's.
    const auto& types = fileTypes(purpose);
    for (const FileType& type : types) {
        const QString ending = QString::fromLatin1(type.endings.front());
        if (text.endsWith(ending, Qt::CaseInsensitive)) {
            nameField->setText(
                text.left(text.size() - ending.size()) +
                QString::fromLatin1(types[static_cast<std::size_t>(index)].endings.front()));
        }
    }
}

void FileDialog::showFolder(const std::string& path) {
    folder = path;
    folderField->setText(shown(folder));
    model->clear();
    model->setHorizontalHeaderLabels({tr("Name"), tr("Size"), tr("Date modified")});
    const QLocale locale;
    const auto& types = fileTypes(purpose);
    const auto type = static_cast<std::size_t>(std::max(filter->currentIndex(), 0));
    for (const Entry& entry : entriesOf(folder, types[std::min(type, types.size() - 1)].endings)) {
        if (!entry.isFolder && !matchesPattern(shown(entry.name), pattern)) {
            continue;
        }
        auto* name = new QStandardItem(shown(entry.name) + (entry.isFolder ? "/" : ""));
        name->setData(QByteArray::fromStdString(entry.name), kBytesRole);
        name->setData(entry.isFolder, kFolderRole);
        auto* size = new QStandardItem(entry.isFolder ? QString() : sizeText(locale, entry.size));
        size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* date = new QStandardItem(
            locale.toString(QDateTime::fromSecsSinceEpoch(entry.modified), QLocale::ShortFormat));
        model->appendRow({name, size, date});
    }
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    pickedBytes.clear();
    pickedText.clear();
}

void FileDialog::activate(const QModelIndex& index) {
    const QModelIndex first = index.siblingAtColumn(0);
    const std::string name = first.data(kBytesRole).toByteArray().toStdString();
    if (first.data(kFolderRole).toBool()) {
        showFolder(joined(folder, name));
        nameField->clear();
        return;
    }
    pick(name);
    accept();
}

std::string FileDialog::typedPath() const {
    const QString text = nameField->text();
    if (!pickedBytes.empty() && text == pickedText) {
        return joined(folder, pickedBytes);
    }
    return typedFolder(text);
}

std::string FileDialog::typedFolder(const QString& text) const {
    const std::string bytes = QFile::encodeName(text).toStdString();
    return !bytes.empty() && bytes[0] == '/' ? bytes : joined(folder, bytes);
}

void FileDialog::accept() {
    const QString text = nameField->text();
    if (text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'))) {
        // A pattern filters the list, in the folder it names where it names one.
        const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
        pattern = text.mid(slash + 1);
        const std::string there = slash < 0 ? folder : typedFolder(text.left(slash + 1));
        showFolder(isFolder(there) ? there : folder);
        return;
    }
    if (nameField->text().isEmpty()) {
        const QModelIndex current = view->currentIndex();
        if (current.isValid()) {
            activate(current);
        }
        return;
    }
    std::string path = typedPath();
    if (isFolder(path)) {
        showFolder(path);
        nameField->clear();
        return;
    }
    if (purpose == Purpose::SavePicture && !acceptPictureName(path)) {
        return;
    }
    chosen = path;
    QDialog::accept();
}

bool FileDialog::acceptPictureName(std::string& path) {
    const auto& types = fileTypes(purpose);
    const bool typed = std::any_of(types.begin(), types.end(), [&](const FileType& type) {
        return endsWith(path, type.endings.front());
    });
    if (!typed) {
        path +=
            types[static_cast<std::size_t>(std::max(filter->currentIndex(), 0))].endings.front();
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return true;
    }
    const QString name = shown(path.substr(path.rfind('/') + 1));
    return QMessageBox::question(this, windowTitle(),
                                 tr("%1 already exists.\nDo you want to replace it?").arg(name)) ==
           QMessageBox::Yes;
}

} // namespace sorkam

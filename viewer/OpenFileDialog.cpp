#include "viewer/OpenFileDialog.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
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

// The entries of a folder that are not hidden, folders first, each group by name.
std::vector<Entry> entriesOf(const std::string& folder, bool recordFilesOnly) {
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
        if (!entry.isFolder && recordFilesOnly && !endsWith(name, ".vid") &&
            !endsWith(name, ".dat")) {
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

OpenFileDialog::OpenFileDialog(const QString& title, const std::string& start, QWidget* parent)
    : QDialog(parent), folderField(new QLineEdit(this)), view(new QTreeView(this)),
      model(new QStandardItemModel(this)), nameField(new QLineEdit(this)),
      filter(new QComboBox(this)) {
    setWindowTitle(title);
    setObjectName(QStringLiteral("openFileDialog"));
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
    filter->addItems({tr("Record files (*.vid *.dat)"), tr("All files (*)")});
    filter->setAccessibleName(tr("Files shown"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);

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

    connect(up, &QPushButton::clicked, this, [this] { showFolder(folderOf(folder)); });
    connect(view, &QTreeView::activated, this, &OpenFileDialog::activate);
    connect(view, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        const QModelIndex first = index.siblingAtColumn(0);
        if (!first.data(kFolderRole).toBool()) {
            pickedBytes = first.data(kBytesRole).toByteArray().toStdString();
            pickedText = first.data().toString();
            nameField->setText(pickedText);
        }
    });
    connect(filter, &QComboBox::currentIndexChanged, this, [this] { showFolder(folder); });
    connect(buttons, &QDialogButtonBox::accepted, this, &OpenFileDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OpenFileDialog::reject);

    showFolder(absoluteFolder(isFolder(start) ? start : "."));
    // Wide enough for a long name, its size and its date side by side.
    const QFontMetrics metrics = fontMetrics();
    resize(metrics.horizontalAdvance(QLatin1Char('x')) * 100, metrics.height() * 30);
    nameField->setFocus();
}

void OpenFileDialog::showFolder(const std::string& path) {
    folder = path;
    folderField->setText(shown(folder));
    model->clear();
    model->setHorizontalHeaderLabels({tr("Name"), tr("Size"), tr("Date modified")});
    const QLocale locale;
    for (const Entry& entry : entriesOf(folder, filter->currentIndex() == 0)) {
        auto* name = new QStandardItem(shown(entry.name) + (entry.isFolder ? "/" : ""));
        name->setData(QByteArray::fromStdString(entry.name), kBytesRole);
        name->setData(entry.isFolder, kFolderRole);
        auto* size =
            new QStandardItem(entry.isFolder ? QString() : locale.formattedDataSize(entry.size));
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

void OpenFileDialog::activate(const QModelIndex& index) {
    const QModelIndex first = index.siblingAtColumn(0);
    const std::string name = first.data(kBytesRole).toByteArray().toStdString();
    if (first.data(kFolderRole).toBool()) {
        showFolder(joined(folder, name));
        nameField->clear();
        return;
    }
    pickedBytes = name;
    pickedText = first.data().toString();
    nameField->setText(pickedText);
    accept();
}

std::string OpenFileDialog::typedPath() const {
    const QString text = nameField->text();
    if (!pickedBytes.empty() && text == pickedText) {
        return joined(folder, pickedBytes);
    }
    const std::string bytes = QFile::encodeName(text).toStdString();
    return !bytes.empty() && bytes[0] == '/' ? bytes : joined(folder, bytes);
}

void OpenFileDialog::accept() {
    if (nameField->text().isEmpty()) {
        const QModelIndex current = view->currentIndex();
        if (current.isValid()) {
            activate(current);
        }
        return;
    }
    const std::string path = typedPath();
    if (isFolder(path)) {
        showFolder(path);
        nameField->clear();
        return;
    }
    chosen = path;
    QDialog::accept();
}

} // namespace sorkam

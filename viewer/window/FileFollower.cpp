#include "viewer/window/FileFollower.h"

#include <QFile>
#include <QFileSystemWatcher>

namespace sorkam {

FileFollower::FileFollower(std::function<void()> changed, QObject* parent)
    : QObject(parent), changed(std::move(changed)), watcher(new QFileSystemWatcher(this)) {
    connect(watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        // A recorder that writes a new file and renames it over the old one ends the watch.
        if (!watcher->files().contains(path) && QFile::exists(path)) {
            watcher->addPath(path);
        }
        this->changed();
    });
}

void FileFollower::follow(const std::string& path) {
    if (!watcher->files().isEmpty()) {
        watcher->removePaths(watcher->files());
    }
    if (!path.empty()) {
        watcher->addPath(
            QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size()))));
    }
}

} // namespace sorkam

#include "viewer/window/FileFollower.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace sorkam {

namespace {

// Why a path cannot be watched, in the system's words where it has them.
QString reasonFor(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    return QFileSystemWatcher::tr("the system watches no more files");
}

} // namespace

FileFollower::FileFollower(std::function<void()> changed, std::function<void(const QString&)> lost,
                           QObject* parent)
    : QObject(parent), changed(std::move(changed)), lost(std::move(lost)),
      watcher(new QFileSystemWatcher(this)) {
    const auto noticed = [this] {
        if (file.isEmpty()) {
            return;
        }
        if (!watchAgain()) {
            const QString why = reasonFor(folder);
            follow({});
            this->lost(why);
            return;
        }
        this->changed();
    };
    connect(watcher, &QFileSystemWatcher::fileChanged, this, noticed);
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, noticed);
}

void FileFollower::follow(const std::string& path) {
    if (!watcher->files().isEmpty()) {
        watcher->removePaths(watcher->files());
    }
    if (!watcher->directories().isEmpty()) {
        watcher->removePaths(watcher->directories());
    }
    file = QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
    folder.clear();
    if (file.isEmpty()) {
        return;
    }
    folder = QFileInfo(file).absolutePath();
    if (!watchAgain()) {
        const QString why = reasonFor(QFile::exists(file) ? folder : file);
        follow({});
        lost(why);
    }
}

bool FileFollower::watchAgain() {
    // The folder tells of a file deleted and made anew, or renamed over; the file of its writes.
    if (!watcher->directories().contains(folder) && !watcher->addPath(folder)) {
        return false;
    }
    if (QFile::exists(file) && !watcher->files().contains(file)) {
        watcher->addPath(file);
    }
    return true;
}

} // namespace sorkam

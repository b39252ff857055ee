#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QFileSystemWatcher;

namespace sorkam {

// Watches the data file while it is followed, and tells each change: also after a recorder has
// renamed a new file over the old one, or deleted the file and made it anew (its folder is
// watched too).
class FileFollower final : public QObject {
    Q_OBJECT
public:
    // changed is called on each change of the file followed; lost when it can no longer be
    // watched, with why ("No such file or directory").
    FileFollower(std::function<void()> changed, std::function<void(const QString&)> lost,
                 QObject* parent = nullptr);

    // Watches path (bytes of a name) from now on, or nothing when it is empty.
    void follow(const std::string& path);

private:
    // The file watched again where it is there and not watched; false when neither it nor its
    // folder can be watched.
    bool watchAgain();

    std::function<void()> changed;
    std::function<void(const QString&)> lost;
    QFileSystemWatcher* watcher;
    QString file;
    QString folder;
};

} // namespace sorkam

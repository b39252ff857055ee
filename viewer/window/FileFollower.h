#pragma once

#include <QObject>

#include <functional>
#include <string>

class QFileSystemWatcher;

namespace sorkam {

// Watches the data file while it is followed, and tells each change, also after a recorder has
// renamed a new file over the old one.
class FileFollower final : public QObject {
    Q_OBJECT
public:
    // changed is called on each change of the file followed.
    FileFollower(std::function<void()> changed, QObject* parent = nullptr);

    // Watches path (bytes of a name) from now on, or nothing when it is empty.
    void follow(const std::string& path);

private:
    std::function<void()> changed;
    QFileSystemWatcher* watcher;
};

} // namespace sorkam

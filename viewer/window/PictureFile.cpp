#include "viewer/window/PictureFile.h"

#include "files/ReplacedFile.h"

#include <QFile>

#include <sys/stat.h>

#include <cstring>

namespace sorkam {

Result<void, std::string> writePictureFile(const std::string& path, const std::string& dataFile,
                                           const WritePicture& write) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        const files::FileIdentity data = files::identityOf(dataFile);
        if (data.known && data.device == existing.st_dev && data.inode == existing.st_ino) {
            return std::string("it is the data file shown");
        }
        if (!S_ISREG(existing.st_mode)) {
            return std::string("it is not a regular file");
        }
    }
    Result<files::ReplacedFile, int> replacement = files::ReplacedFile::begin(path);
    if (!replacement.ok()) {
        return std::string(std::strerror(replacement.error()));
    }
    {
        QFile file;
        if (!file.open(replacement.value().descriptor(), QIODevice::WriteOnly,
                       QFileDevice::DontCloseHandle)) {
            return file.errorString().toStdString();
        }
        if (const Result<void, std::string> written = write(file); !written.ok()) {
            return written; // the new file is removed
        }
        if (!file.flush() || file.error() != QFileDevice::NoError) {
            return file.errorString().toStdString();
        }
    }
    const Result<void, int> committed = replacement.value().commit();
    if (!committed.ok()) {
        return std::string(std::strerror(committed.error()));
    }
    return {};
}

} // namespace sorkam

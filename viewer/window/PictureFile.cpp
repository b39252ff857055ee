#include "viewer/window/PictureFile.h"

#include "files/ReplacedFile.h"

#include <sys/stat.h>

#include <cstring>

namespace sorkam {

Result<void, std::string> writePictureFile(const std::string& path, const std::string& bytes,
                                           const std::string& dataFile) {
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
    const Result<void, int> written = files::replaceWith(path, bytes);
    if (!written.ok()) {
        return std::string(std::strerror(written.error()));
    }
    return {};
}

} // namespace sorkam

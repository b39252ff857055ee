#include "export/Failure.h"

#include "chart/ShownText.h"

#include <system_error>

namespace sorkam::exporting {

Failure failure(int status, const std::string& name, const std::string& reason) {
    return {status, "sorkam-export: " + chart::escapedName(name) + ": " + reason};
}

Failure dataFileFailure(const std::string& name, const ReadFailure& why) {
    return failure(kDataFile, name, "cannot be read: " + failureReason(why));
}

std::string systemReason(int error) {
    return std::system_category().message(error);
}

} // namespace sorkam::exporting

#pragma once

#include "export/Failure.h"

#include <string_view>

namespace sorkam::exporting {

// Where a format writes its bytes: a file or standard output, or a string in tests.
class OutputSink {
public:
    virtual ~OutputSink() = default;

    // Appends bytes.
    [[nodiscard]] virtual ExportResult write(std::string_view bytes) = 0;
    // Hands on what was written so far, so a reader sees it at once.
    [[nodiscard]] virtual ExportResult flush() = 0;
};

} // namespace sorkam::exporting

#pragma once

#include <string>

namespace sorkam::test {

// The content of a one-page PDF document's page, inflated: the deflated stream whose length
// is an object of its own, as the pictures write their page.
// Empty where there is none or it does not inflate.
[[nodiscard]] std::string pdfPageContent(const std::string& pdf);

} // namespace sorkam::test

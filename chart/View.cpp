#include "chart/View.h"

#include <algorithm>
#include <cmath>

namespace sorkam::chart {

bool View::shows(std::int64_t n) const {
    return std::find(hidden.begin(), hidden.end(), n) == hidden.end();
}

void toggleHidden(View& view, std::int64_t n) {
    if (view.shows(n)) {
        view.hidden.push_back(n);
    } else {
        unhide(view, n);
    }
}

void unhide(View& view, std::int64_t n) {
    std::erase(view.hidden, n);
}

int cursorIndex(double index) {
    if (!(index > 0.0)) { // NaN as well
        return 0;
    }
    return static_cast<int>(std::lround(std::min(index, static_cast<double>(kTraceSegments))));
}

} // namespace sorkam::chart

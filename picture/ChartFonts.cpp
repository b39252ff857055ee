#include "picture/ChartFonts.h"

#include "picture/Fonts.h"

namespace sorkam::chart {

QFont captionFont() {
    return serifFont(kCaptionPointSize);
}

QFont buttonFont() {
    return sansFont(kButtonPointSize);
}

QFont windowFont() {
    return serifFont(kWindowPointSize);
}

} // namespace sorkam::chart

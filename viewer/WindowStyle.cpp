#include "viewer/WindowStyle.h"

namespace sorkam {

QRect pixelRect(const layout::TwipsRect& r, int dpi) {
    return {layout::toPixels(r.left, dpi), layout::toPixels(r.top, dpi),
            layout::toPixels(r.width, dpi), layout::toPixels(r.height, dpi)};
}

} // namespace sorkam

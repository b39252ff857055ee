#include "WindowStyle.h"

namespace sorkam {

QRect pixelRect(const layout::TwipsRect& r, int dpi) {
    return {layout::toPixels(r.left, dpi), layout::toPixels(r.top, dpi),
            layout::toPixels(r.width, dpi), layout::toPixels(r.height, dpi)};
}

QFont serifFont(double pointSize) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

QFont buttonFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(layout::kButtonPointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace sorkam

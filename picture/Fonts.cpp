#include "picture/Fonts.h"

#include <cmath>

namespace sorkam {

namespace {

QFont regular(const QString& family, QFont::StyleHint hint, double pointSize, bool antialiased) {
    QFont font(family);
    font.setStyleHint(hint, antialiased ? QFont::PreferDefault : QFont::NoAntialias);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace

QFont serifFont(double pointSize, bool antialiased) {
    return regular(QStringLiteral("Times New Roman"), QFont::Serif, pointSize, antialiased);
}

QFont pictureFont(QFont font) {
    if (!(font.styleStrategy() & QFont::NoAntialias)) {
        font.setStyleStrategy(
            QFont::StyleStrategy(font.styleStrategy() | QFont::NoSubpixelAntialias));
    }
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

QFont layoutPixelFont(QFont font) {
    font.setPixelSize(static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0)));
    return pictureFont(font);
}

QFont sansFont(double pointSize) {
    return regular(QStringLiteral("Sans Serif"), QFont::SansSerif, pointSize, true);
}

} // namespace sorkam
